#include "vemo_ui/launch.h"

#include <unistd.h>

#include <cerrno>
#include <thread>

#include <fmt/format.h>

#include "automation.h"
#include "backend/window_loop.h"
#include "runtime.h"
#include "vemo_ui/diag.h"
#include "vemo_ui/services.h"

namespace vemo_ui {
namespace detail {
namespace {

void write_stdout_line(const std::string& answer) {
  static std::mutex stdout_mutex;
  std::lock_guard lock(stdout_mutex);
  std::string line = answer + "\n";
  std::string_view rest = line;
  while (!rest.empty()) {
    ssize_t n = ::write(STDOUT_FILENO, rest.data(), rest.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;
    rest.remove_prefix(static_cast<std::size_t>(n));
  }
}

// The headless loop: frames at the widgets' deadlines, requests answered as they arrive.
void run_headless(Runtime& runtime, RequestQueue& queue, bool end_with_input) {
  AutomationSession session(runtime);
  if (auto first = runtime.frame(); !first) diag::write_line("file-explorer: " + first.error().message);
  for (;;) {
    auto deadline = runtime.wake_deadline(Clock::now());
    auto request = queue.wait_pop(deadline);
    if (!request) {
      if (auto f = runtime.frame(); !f) diag::write_line(f.error().message);
      continue;
    }
    if (request->end_of_input) {
      if (end_with_input) return;
      continue;
    }
    auto answer = session.handle_line(request->line);
    request->reply(answer.json);
    if (answer.quit) return;
  }
}

}  // namespace
}  // namespace detail

namespace launch {

Theme shot_theme(const LaunchArgs*) {
  return Theme::light();
}

std::expected<void, LaunchError> run(LaunchConfig config, int argc, char** argv) {
  std::vector<std::string> arguments(argv, argv + argc);
  auto parsed = LaunchArgs::parse(arguments, config.value_options, config.flag_options, config.fixtures);
  if (!parsed) return std::unexpected(parsed.error());
  LaunchArgs& args = *parsed;

  if (args.shot_path()) {
    auto shot = config.build_shot(args);
    if (!shot) return std::unexpected(shot.error());
    return {};
  }

  std::optional<persist::Document> state;
  if (config.open_persistence) {
    auto opened = config.open_persistence(persist::OpenArgs{config.app_id, {}});
    if (opened) {
      state = std::move(*opened);
    } else {
      diag::write_line(fmt::format("{}: view state is not kept: {}", config.app_id, opened.error()));
    }
  }
  Services services;
  if (state) services.set_state(&*state);

  auto root = config.build_root(args);
  if (!root) return std::unexpected(root.error());

  auto [default_w, default_h] =
      config.default_window_size ? config.default_window_size() : std::pair<std::uint32_t, std::uint32_t>{1280, 800};
  auto [width, height] = args.window_size().value_or(std::pair{default_w, default_h});

  // Shared with the detached readers, which may still push after the loop has ended.
  auto queue = std::make_shared<detail::RequestQueue>();
  std::optional<std::uint64_t> socket_inode;
  if (args.automation_socket()) {
    auto served = detail::start_socket_server(*args.automation_socket(), queue);
    if (!served) return std::unexpected(LaunchError{served.error()});
    socket_inode = *served;
  }

  std::expected<void, LaunchError> result;
  if (args.automation()) {
    detail::Runtime runtime(**root, Theme::light(), services, args.text_scale(), 1.0);
    runtime.set_viewport({static_cast<double>(width), static_cast<double>(height)});
    const bool from_stdin = !args.automation_socket();
    if (from_stdin) detail::start_line_reader(STDIN_FILENO, queue, detail::write_stdout_line, true);
    detail::run_headless(runtime, *queue, from_stdin);
  } else {
    detail::WindowOptions options{config.app_id, static_cast<int>(width), static_cast<int>(height),
                                  args.automation_socket() ? queue.get() : nullptr};
    auto shown = detail::run_window(**root, Theme::light(), services, args.text_scale(), options);
    if (!shown) result = std::unexpected(LaunchError{shown.error()});
  }
  if (socket_inode) detail::remove_socket(*args.automation_socket(), *socket_inode);
  // The root goes before the state it may write to.
  root->reset();
  if (state) {
    if (auto saved = state->save(); !saved) {
      diag::write_line(fmt::format("{}: could not save view state: {}", config.app_id, saved.error()));
    }
  }
  return result;
}

}  // namespace launch
}  // namespace vemo_ui
