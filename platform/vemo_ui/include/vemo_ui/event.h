#pragma once
// The toolkit's own input events. Backends (SDL window, automation) translate into these;
// positions are logical pixels (already divided by the window's scale factor).

#include <cstdint>
#include <string>

#include "vemo_ui/geometry.h"

namespace vemo_ui {

enum class PointerButton : std::uint8_t { Primary, Secondary, Middle };

enum class Key : std::uint16_t {
  Unknown,
  // Letters and digits are reported through `character` with Key::Character.
  Character,
  Enter,
  Escape,
  Backspace,
  Delete,
  Tab,
  Space,
  Up,
  Down,
  Left,
  Right,
  Home,
  End,
  PageUp,
  PageDown,
  F1,
  F2,
  F3,
  F4,
  F5,
  F6,
  F7,
  F8,
  F9,
  F10,
  F11,
  F12,
  Menu,
  Plus,
  Minus,
  Equal,
  Underscore,
  Question,
};

struct Modifiers {
  bool shift = false;
  bool ctrl = false;
  bool alt = false;
  bool meta = false;
  // "Primary" is Ctrl on Linux.
  bool primary() const { return ctrl; }
  bool any_command() const { return ctrl || meta; }
  friend bool operator==(const Modifiers&, const Modifiers&) = default;
};

struct Event {
  enum class Type : std::uint8_t {
    PointerMove,
    PointerPress,
    PointerRelease,
    PointerLeave,
    Scroll,
    KeyPress,
    KeyRelease,
    TextInput,
    Resize,
  };

  Type type = Type::PointerMove;
  Point position;  // pointer events
  PointerButton button = PointerButton::Primary;
  double scroll_dx = 0;  // logical pixels, positive scrolls content up/left
  double scroll_dy = 0;
  Key key = Key::Unknown;
  char32_t character = 0;  // Key::Character: the lower-case letter or digit
  Modifiers mods;
  bool repeat = false;
  bool composing = false;  // part of an input-method composition
  std::string text;        // TextInput

  bool is_key(Key k) const { return type == Type::KeyPress && key == k; }
  // Letter keys match either case.
  bool is_char(char32_t c) const { return type == Type::KeyPress && key == Key::Character && character == c; }
  bool is_pointer() const {
    return type == Type::PointerMove || type == Type::PointerPress || type == Type::PointerRelease ||
           type == Type::Scroll;
  }
  bool is_press(PointerButton b) const { return type == Type::PointerPress && button == b; }
  bool is_release(PointerButton b) const { return type == Type::PointerRelease && button == b; }

  static Event pointer(Type t, Point p, PointerButton b = PointerButton::Primary, Modifiers m = {}) {
    Event e;
    e.type = t;
    e.position = p;
    e.button = b;
    e.mods = m;
    return e;
  }
  static Event key_press(Key k, Modifiers m = {}, bool repeat = false) {
    Event e;
    e.type = Type::KeyPress;
    e.key = k;
    e.mods = m;
    e.repeat = repeat;
    return e;
  }
  static Event char_press(char32_t c, Modifiers m = {}) {
    Event e = key_press(Key::Character, m);
    e.character = c;
    return e;
  }
  static Event text_input(std::string t) {
    Event e;
    e.type = Type::TextInput;
    e.text = std::move(t);
    return e;
  }
};

}  // namespace vemo_ui
