// The SDL window backend: translates SDL events into toolkit events, runs frames through the shared
// runtime and uploads each frame's pixels to a streaming texture. Sleeps until an event, a widget
// deadline or the next animation frame, so an idle window uses no CPU.

#include <SDL.h>

#include <algorithm>
#include <memory>

#include <fmt/format.h>

#include "../automation.h"
#include "../runtime.h"
#include "vemo_ui/diag.h"
#include "vemo_ui/services.h"
#include "window_loop.h"

namespace vemo_ui::detail {
namespace {

struct SdlDeleter {
  void operator()(SDL_Window* w) const { SDL_DestroyWindow(w); }
  void operator()(SDL_Renderer* r) const { SDL_DestroyRenderer(r); }
  void operator()(SDL_Texture* t) const { SDL_DestroyTexture(t); }
};

class SdlSession {
 public:
  SdlSession() : ok_(SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) == 0) {}
  ~SdlSession() {
    if (ok_) SDL_Quit();
  }
  bool ok() const { return ok_; }

 private:
  bool ok_;
};

Modifiers translate_mods(Uint16 mod) {
  Modifiers m;
  m.shift = (mod & KMOD_SHIFT) != 0;
  m.ctrl = (mod & KMOD_CTRL) != 0;
  m.alt = (mod & KMOD_ALT) != 0;
  m.meta = (mod & KMOD_GUI) != 0;
  return m;
}

std::optional<Event> translate_key(const SDL_KeyboardEvent& k) {
  const SDL_Keycode code = k.keysym.sym;
  Modifiers mods = translate_mods(k.keysym.mod);
  Event e;
  if ((code >= SDLK_a && code <= SDLK_z) || (code >= SDLK_0 && code <= SDLK_9)) {
    e = Event::char_press(static_cast<char32_t>(code), mods);
  } else {
    Key key = Key::Unknown;
    switch (code) {
      case SDLK_RETURN:
      case SDLK_KP_ENTER:
        key = Key::Enter;
        break;
      case SDLK_ESCAPE:
        key = Key::Escape;
        break;
      case SDLK_BACKSPACE:
        key = Key::Backspace;
        break;
      case SDLK_DELETE:
        key = Key::Delete;
        break;
      case SDLK_TAB:
        key = Key::Tab;
        break;
      case SDLK_SPACE:
        key = Key::Space;
        break;
      case SDLK_UP:
        key = Key::Up;
        break;
      case SDLK_DOWN:
        key = Key::Down;
        break;
      case SDLK_LEFT:
        key = Key::Left;
        break;
      case SDLK_RIGHT:
        key = Key::Right;
        break;
      case SDLK_HOME:
        key = Key::Home;
        break;
      case SDLK_END:
        key = Key::End;
        break;
      case SDLK_PAGEUP:
        key = Key::PageUp;
        break;
      case SDLK_PAGEDOWN:
        key = Key::PageDown;
        break;
      case SDLK_APPLICATION:
      case SDLK_MENU:
        key = Key::Menu;
        break;
      case SDLK_PLUS:
      case SDLK_KP_PLUS:
        key = Key::Plus;
        break;
      case SDLK_MINUS:
      case SDLK_KP_MINUS:
        key = mods.shift ? Key::Underscore : Key::Minus;
        break;
      case SDLK_UNDERSCORE:
        key = Key::Underscore;
        break;
      case SDLK_EQUALS:
        key = mods.shift ? Key::Plus : Key::Equal;
        break;
      case SDLK_QUESTION:
        key = Key::Question;
        break;
      case SDLK_SLASH:
        if (mods.shift) key = Key::Question;
        break;
      default:
        if (code >= SDLK_F1 && code <= SDLK_F12) key = static_cast<Key>(static_cast<int>(Key::F1) + (code - SDLK_F1));
        break;
    }
    if (key == Key::Unknown) return std::nullopt;
    e = Event::key_press(key, mods);
  }
  e.type = k.type == SDL_KEYDOWN ? Event::Type::KeyPress : Event::Type::KeyRelease;
  e.repeat = k.repeat != 0;
  return e;
}

std::optional<PointerButton> translate_button(Uint8 b) {
  switch (b) {
    case SDL_BUTTON_LEFT:
      return PointerButton::Primary;
    case SDL_BUTTON_RIGHT:
      return PointerButton::Secondary;
    case SDL_BUTTON_MIDDLE:
      return PointerButton::Middle;
    default:
      return std::nullopt;
  }
}

}  // namespace

std::expected<void, std::string> run_window(Widget& root, const Theme& theme, Services& services, double text_scale,
                                            const WindowOptions& options) {
  SdlSession sdl;
  if (!sdl.ok()) {
    return std::unexpected(fmt::format(
        "cannot open a window ({}); use --shot PATH for a still image or --automation for the headless mode",
        SDL_GetError()));
  }
  SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
  std::unique_ptr<SDL_Window, SdlDeleter> window(
      SDL_CreateWindow(options.title.c_str(), SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, options.width,
                       options.height, SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI));
  if (!window) {
    return std::unexpected(fmt::format(
        "cannot open a window ({}); use --shot PATH for a still image or --automation for the headless mode",
        SDL_GetError()));
  }
  std::unique_ptr<SDL_Renderer, SdlDeleter> renderer(SDL_CreateRenderer(window.get(), -1, 0));
  if (!renderer) return std::unexpected(fmt::format("cannot draw into the window: {}", SDL_GetError()));

  services.set_clipboard_text = [](const std::string& text) { return SDL_SetClipboardText(text.c_str()) == 0; };
  services.clipboard_text = []() -> std::optional<std::string> {
    if (!SDL_HasClipboardText()) return std::nullopt;
    char* text = SDL_GetClipboardText();
    if (!text) return std::nullopt;
    std::string out(text);
    SDL_free(text);
    return out;
  };
  // SDL cannot carry a drag out to other applications; the toolkit declines it.
  services.start_file_drag = [](const std::vector<std::filesystem::path>&) { return false; };
  services.set_text_input_active = [](bool on) { on ? SDL_StartTextInput() : SDL_StopTextInput(); };
  SDL_StopTextInput();

  Runtime runtime(root, theme, services, text_scale, 1.0);
  std::unique_ptr<SDL_Texture, SdlDeleter> texture;
  int texture_w = 0, texture_h = 0;

  const Uint32 wake_event = SDL_RegisterEvents(1);
  AutomationSession session(runtime);
  if (options.automation) {
    auto wake = [wake_event] {
      SDL_Event e{};
      e.type = wake_event;
      SDL_PushEvent(&e);
    };
    options.automation->set_wake(wake);
    // A client may have asked before the window was up; nothing woke the loop for that request.
    wake();
  }

  auto update_geometry = [&] {
    int w = 0, h = 0, pw = 0, ph = 0;
    SDL_GetWindowSize(window.get(), &w, &h);
    SDL_GetRendererOutputSize(renderer.get(), &pw, &ph);
    runtime.set_viewport({static_cast<double>(std::max(w, 1)), static_cast<double>(std::max(h, 1))});
    runtime.set_scale_factor(w > 0 ? static_cast<double>(pw) / w : 1.0);
  };
  update_geometry();

  auto present = [&]() -> bool {
    if (auto f = runtime.frame(); !f) {
      diag::write_line(f.error().message);
      return false;
    }
    const FrameSurface* frame = runtime.surface();
    if (!frame) return false;
    if (!texture || texture_w != frame->width() || texture_h != frame->height()) {
      texture.reset(SDL_CreateTexture(renderer.get(), SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING,
                                      frame->width(), frame->height()));
      texture_w = frame->width();
      texture_h = frame->height();
    }
    if (!texture) return false;
    SDL_UpdateTexture(texture.get(), nullptr, frame->data(), frame->stride());
    SDL_RenderClear(renderer.get());
    SDL_RenderCopy(renderer.get(), texture.get(), nullptr, nullptr);
    SDL_RenderPresent(renderer.get());
    return true;
  };

  bool running = true;
  present();
  if (options.automation) {
    SDL_Event wake{};
    wake.type = wake_event;
    SDL_PushEvent(&wake);
  }
  while (running) {
    const auto now = Clock::now();
    int timeout_ms = -1;
    if (auto deadline = runtime.wake_deadline(now)) {
      auto wait = std::chrono::duration_cast<std::chrono::milliseconds>(*deadline - now).count();
      timeout_ms = static_cast<int>(std::clamp<long long>(wait, 0, 60000));
    }
    SDL_Event ev;
    bool got = timeout_ms < 0 ? SDL_WaitEvent(&ev) == 1 : SDL_WaitEventTimeout(&ev, timeout_ms) == 1;
    const bool had_events = got;
    while (got) {
      switch (ev.type) {
        case SDL_QUIT:
          running = false;
          break;
        case SDL_WINDOWEVENT:
          if (ev.window.event == SDL_WINDOWEVENT_SIZE_CHANGED || ev.window.event == SDL_WINDOWEVENT_RESIZED) {
            update_geometry();
          } else if (ev.window.event == SDL_WINDOWEVENT_LEAVE) {
            Event leave;
            leave.type = Event::Type::PointerLeave;
            runtime.deliver(leave);
          }
          break;
        case SDL_MOUSEMOTION:
          runtime.deliver(Event::pointer(Event::Type::PointerMove, {double(ev.motion.x), double(ev.motion.y)},
                                         PointerButton::Primary, translate_mods(SDL_GetModState())));
          break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
          if (auto b = translate_button(ev.button.button)) {
            runtime.deliver(
                Event::pointer(ev.type == SDL_MOUSEBUTTONDOWN ? Event::Type::PointerPress : Event::Type::PointerRelease,
                               {double(ev.button.x), double(ev.button.y)}, *b, translate_mods(SDL_GetModState())));
          }
          break;
        case SDL_MOUSEWHEEL: {
          Event e;
          e.type = Event::Type::Scroll;
          int mx = 0, my = 0;
          SDL_GetMouseState(&mx, &my);
          e.position = {double(mx), double(my)};
          e.scroll_dx = -ev.wheel.preciseX * 40.0;
          e.scroll_dy = -ev.wheel.preciseY * 40.0;
          runtime.deliver(e);
          break;
        }
        case SDL_KEYDOWN:
        case SDL_KEYUP:
          if (auto e = translate_key(ev.key)) runtime.deliver(*e);
          break;
        case SDL_TEXTINPUT:
          runtime.deliver(Event::text_input(ev.text.text));
          break;
        default:
          break;
      }
      got = SDL_PollEvent(&ev) == 1;
    }
    // Requests that arrived before the wake-up was installed are answered here too.
    while (running && options.automation) {
      auto request = options.automation->try_pop();
      if (!request) break;
      if (request->end_of_input) continue;
      auto answer = session.handle_line(request->line);
      request->reply(answer.json);
      if (answer.quit) running = false;
    }
    if (!running) break;
    // A deadline without input redraws only when the widgets changed or animate.
    if (had_events || runtime.idle_tick()) present();
  }
  if (options.automation) options.automation->set_wake({});
  return {};
}

}  // namespace vemo_ui::detail
