#include "automation.h"

#include <array>
#include <cmath>
#include <thread>

#include <nlohmann/json.hpp>

#include "strict_json.h"
#include "vemo_actions/resource.h"
#include "vemo_ui/offscreen.h"

namespace vemo_ui::detail {
namespace {

using nlohmann::json;

struct Error {
  std::string text;
};

std::string error_answer(std::string_view text) {
  return json{{"ok", false}, {"error", text}}.dump();
}

// The fields each op accepts; anything else is refused so that a typo never passes silently.
bool only_fields(const json& request, std::initializer_list<std::string_view> allowed, std::string& unknown) {
  for (const auto& [key, value] : request.items()) {
    if (key == "op") continue;
    if (std::ranges::find(allowed, key) == allowed.end()) {
      unknown = key;
      return false;
    }
  }
  return true;
}

struct KeyName {
  std::string_view name;
  Key key;
};

constexpr std::array kKeyNames = {
    KeyName{"Enter", Key::Enter},
    KeyName{"Escape", Key::Escape},
    KeyName{"Backspace", Key::Backspace},
    KeyName{"Delete", Key::Delete},
    KeyName{"Tab", Key::Tab},
    KeyName{"Space", Key::Space},
    KeyName{"Up", Key::Up},
    KeyName{"Down", Key::Down},
    KeyName{"Left", Key::Left},
    KeyName{"Right", Key::Right},
    KeyName{"Home", Key::Home},
    KeyName{"End", Key::End},
    KeyName{"PageUp", Key::PageUp},
    KeyName{"PageDown", Key::PageDown},
    KeyName{"F1", Key::F1},
    KeyName{"F2", Key::F2},
    KeyName{"F3", Key::F3},
    KeyName{"F4", Key::F4},
    KeyName{"F5", Key::F5},
    KeyName{"F6", Key::F6},
    KeyName{"F7", Key::F7},
    KeyName{"F8", Key::F8},
    KeyName{"F9", Key::F9},
    KeyName{"F10", Key::F10},
    KeyName{"F11", Key::F11},
    KeyName{"F12", Key::F12},
    KeyName{"Menu", Key::Menu},
    KeyName{"Plus", Key::Plus},
    KeyName{"Minus", Key::Minus},
    KeyName{"Equal", Key::Equal},
    KeyName{"Underscore", Key::Underscore},
    KeyName{"Question", Key::Question},
};

std::optional<Event> key_event(const json& request, Error& error) {
  auto name_it = request.find("key");
  if (name_it == request.end() || !name_it->is_string()) {
    error.text = "key needs a \"key\" name";
    return std::nullopt;
  }
  const auto name = name_it->get<std::string>();
  Event e;
  if (name.size() == 1 && std::isalnum(static_cast<unsigned char>(name[0]))) {
    e = Event::char_press(static_cast<char32_t>(std::tolower(static_cast<unsigned char>(name[0]))));
  } else {
    auto known = std::ranges::find(kKeyNames, name, &KeyName::name);
    if (known == kKeyNames.end()) {
      error.text = "unknown key " + name;
      return std::nullopt;
    }
    e = Event::key_press(known->key);
  }
  if (auto mods = request.find("mods"); mods != request.end()) {
    if (!mods->is_array()) {
      error.text = "mods must be a list";
      return std::nullopt;
    }
    for (const auto& mod : *mods) {
      const std::string m = mod.is_string() ? mod.get<std::string>() : std::string();
      if (m == "shift")
        e.mods.shift = true;
      else if (m == "ctrl")
        e.mods.ctrl = true;
      else if (m == "alt")
        e.mods.alt = true;
      else if (m == "meta")
        e.mods.meta = true;
      else {
        error.text = "unknown modifier " + (mod.is_string() ? m : mod.dump());
        return std::nullopt;
      }
    }
  }
  if (auto repeat = request.find("repeat"); repeat != request.end()) {
    if (!repeat->is_boolean()) {
      error.text = "repeat must be a boolean";
      return std::nullopt;
    }
    e.repeat = repeat->get<bool>();
  }
  return e;
}

std::optional<double> finite_number(const json& request, const char* field) {
  auto it = request.find(field);
  if (it == request.end() || !it->is_number()) return std::nullopt;
  double v = it->get<double>();
  if (!std::isfinite(v)) return std::nullopt;
  return v;
}

json rect_json(const Rect& r) {
  return json::array({r.x0, r.y0, r.x1, r.y1});
}

}  // namespace

AutomationSession::Answer AutomationSession::handle_line(std::string_view line) {
  if (line.size() > kMaxRequestBytes) return {error_answer("request line is too long"), false};
  auto parsed = parse_strict_json(line);
  if (!parsed) return {error_answer("request is not valid JSON (or repeats a key)"), false};
  const json& request = *parsed;
  if (!request.is_object()) return {error_answer("request must be a JSON object"), false};
  auto op_it = request.find("op");
  if (op_it == request.end() || !op_it->is_string()) return {error_answer("request needs an \"op\" text"), false};
  const std::string op = op_it->get<std::string>();
  std::string unknown;
  auto refuse_unknown = [&] { return Answer{error_answer("unknown field \"" + unknown + "\" for op " + op), false}; };

  // Every request sees the state of one full frame first.
  auto run_frame = [&]() -> std::optional<std::string> {
    if (auto f = runtime_.frame(); !f) return f.error().message;
    return std::nullopt;
  };

  if (op == "snapshot" || op == "status" || op == "a11y" || op == "rects" || op == "resources" || op == "quit") {
    if (!only_fields(request, {}, unknown)) return refuse_unknown();
    if (auto err = run_frame()) return {error_answer(*err), false};
    Widget& root = runtime_.root();
    json answer = {{"ok", true}};
    if (op == "snapshot") {
      // The snapshot's members keep the order the widget wrote them in.
      auto text = root.observer_snapshot();
      if (!text || json::parse(*text, nullptr, false).is_discarded()) return {R"({"ok":true,"snapshot":null})", false};
      return {R"({"ok":true,"snapshot":)" + *text + "}", false};
    } else if (op == "status") {
      auto status = root.status_message();
      answer["status"] = status ? json(*status) : json(nullptr);
      answer["pill"] = root.status_pill_text();
    } else if (op == "a11y") {
      answer["tree"] = json::parse(build_access_tree(root).to_json(), nullptr, false);
    } else if (op == "rects") {
      std::vector<IdentifiedRect> rects;
      root.identified_rects(rects);
      json out = json::object();
      for (const auto& r : rects) out[r.id] = rect_json(r.rect);
      answer["rects"] = std::move(out);
    } else if (op == "resources") {
      answer["resources"] = json::parse(vemo_actions::resource::resources_to_json(root.resources()), nullptr, false);
    }
    return {answer.dump(-1, ' ', false, json::error_handler_t::replace), op == "quit"};
  }

  if (op == "invoke") {
    if (!only_fields(request, {"kind", "action", "payload", "payload_text", "request"}, unknown)) {
      return refuse_unknown();
    }
    vemo_actions::Invocation inv;
    auto kind = request.find("kind");
    if (kind == request.end()) return {error_answer("invoke needs a \"kind\""), false};
    if (kind->is_number_unsigned() && kind->get<std::uint64_t>() <= 255) {
      inv.kind = static_cast<std::uint8_t>(kind->get<std::uint64_t>());
    } else if (kind->is_string() && (*kind == "query" || *kind == "effect" || *kind == "view")) {
      inv.kind = *kind == "query" ? 0 : (*kind == "effect" ? 1 : 2);
    } else {
      return {error_answer("kind must be 0 to 255 or \"query\", \"effect\", \"view\""), false};
    }
    auto action = request.find("action");
    if (action == request.end() || !action->is_string())
      return {error_answer("invoke needs an \"action\" text"), false};
    inv.action = action->get<std::string>();
    auto payload = request.find("payload");
    auto payload_text = request.find("payload_text");
    if (payload != request.end() && payload_text != request.end()) {
      return {error_answer("give either payload or payload_text, not both"), false};
    }
    if (payload_text != request.end()) {
      if (!payload_text->is_string()) return {error_answer("payload_text must be a text"), false};
      inv.payload = payload_text->get<std::string>();
    } else if (payload != request.end()) {
      inv.payload = payload->dump();
    } else {
      inv.payload = "null";
    }
    if (auto req = request.find("request"); req != request.end()) {
      auto id = req->is_string() ? vemo_actions::request_id_from_hex(req->get<std::string>()) : std::nullopt;
      if (!id) return {error_answer("request must be 32 hexadecimal digits"), false};
      inv.request = *id;
    } else {
      inv.request = vemo_actions::random_request_id();
    }
    if (auto err = run_frame()) return {error_answer(*err), false};
    auto result = runtime_.root().invoke_resource_operation_v2(inv);
    if (auto err = run_frame()) return {error_answer(*err), false};
    json answer = {{"ok", true}, {"outcome", vemo_actions::outcome_name(result.outcome)}};
    if (!result.error.empty()) answer["error"] = result.error;
    answer["request"] = vemo_actions::request_id_to_hex(inv.request);
    return {answer.dump(-1, ' ', false, json::error_handler_t::replace), false};
  }

  if (op == "poll") {
    if (!only_fields(request, {"request"}, unknown)) return refuse_unknown();
    auto req = request.find("request");
    auto id = (req != request.end() && req->is_string()) ? vemo_actions::request_id_from_hex(req->get<std::string>())
                                                         : std::nullopt;
    if (!id) return {error_answer("poll needs a \"request\" of 32 hexadecimal digits"), false};
    if (auto err = run_frame()) return {error_answer(*err), false};
    auto done = runtime_.root().poll_completion(*id);
    json answer = {{"ok", true}, {"completed", done.has_value()}};
    if (done) {
      answer["outcome"] = done->ok ? "completed" : "failed";
      if (!done->error.empty()) answer["error"] = done->error;
    }
    return {answer.dump(-1, ' ', false, json::error_handler_t::replace), false};
  }

  if (op == "key") {
    if (!only_fields(request, {"key", "mods", "repeat"}, unknown)) return refuse_unknown();
    Error error;
    auto press = key_event(request, error);
    if (!press) return {error_answer(error.text), false};
    if (auto err = run_frame()) return {error_answer(*err), false};
    const bool consumed = runtime_.deliver(*press) == EventResult::Consumed;
    Event release = *press;
    release.type = Event::Type::KeyRelease;
    runtime_.deliver(release);
    if (auto err = run_frame()) return {error_answer(*err), false};
    return {json{{"ok", true}, {"consumed", consumed}}.dump(), false};
  }

  if (op == "text") {
    if (!only_fields(request, {"text"}, unknown)) return refuse_unknown();
    auto text = request.find("text");
    if (text == request.end() || !text->is_string()) return {error_answer("text needs a \"text\" string"), false};
    if (auto err = run_frame()) return {error_answer(*err), false};
    runtime_.deliver(Event::text_input(text->get<std::string>()));
    if (auto err = run_frame()) return {error_answer(*err), false};
    return {json{{"ok", true}}.dump(), false};
  }

  if (op == "pointer") {
    if (!only_fields(request, {"event", "x", "y", "button", "mods"}, unknown)) return refuse_unknown();
    auto kind = request.find("event");
    auto x = finite_number(request, "x");
    auto y = finite_number(request, "y");
    if (kind == request.end() || !kind->is_string() || !x || !y) {
      return {error_answer("pointer needs \"event\" and finite \"x\", \"y\""), false};
    }
    Event::Type type;
    if (*kind == "move")
      type = Event::Type::PointerMove;
    else if (*kind == "press")
      type = Event::Type::PointerPress;
    else if (*kind == "release")
      type = Event::Type::PointerRelease;
    else
      return {error_answer("pointer event must be move, press or release"), false};
    PointerButton button = PointerButton::Primary;
    if (auto b = request.find("button"); b != request.end()) {
      if (*b == "primary")
        button = PointerButton::Primary;
      else if (*b == "secondary")
        button = PointerButton::Secondary;
      else
        return {error_answer("button must be primary or secondary"), false};
    }
    Modifiers mods;
    if (auto m = request.find("mods"); m != request.end()) {
      json key_like = {{"key", "Enter"}, {"mods", *m}};
      Error error;
      auto parsed_mods = key_event(key_like, error);
      if (!parsed_mods) return {error_answer(error.text), false};
      mods = parsed_mods->mods;
    }
    if (auto err = run_frame()) return {error_answer(*err), false};
    runtime_.deliver(Event::pointer(type, {*x, *y}, button, mods));
    if (auto err = run_frame()) return {error_answer(*err), false};
    return {json{{"ok", true}}.dump(), false};
  }

  if (op == "wait") {
    if (!only_fields(request, {"ms"}, unknown)) return refuse_unknown();
    auto ms = request.find("ms");
    if (ms == request.end() || !ms->is_number_unsigned() || ms->get<std::uint64_t>() > 600000) {
      return {error_answer("wait needs \"ms\" from 0 to 600000"), false};
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(ms->get<std::uint64_t>()));
    if (auto err = run_frame()) return {error_answer(*err), false};
    return {json{{"ok", true}}.dump(), false};
  }

  if (op == "shot") {
    if (!only_fields(request, {"path"}, unknown)) return refuse_unknown();
    auto path = request.find("path");
    if (path == request.end() || !path->is_string() || path->get<std::string>().empty()) {
      return {error_answer("shot needs a \"path\""), false};
    }
    if (auto err = run_frame()) return {error_answer(*err), false};
    auto png = OffscreenRenderer::encode_png(runtime_.last_frame());
    if (!png) return {error_answer(png.error()), false};
    if (auto written = write_file_atomic(path->get<std::string>(), *png); !written) {
      return {error_answer(written.error()), false};
    }
    return {json{{"ok", true}}.dump(), false};
  }

  return {error_answer("unknown op " + op), false};
}

}  // namespace vemo_ui::detail
