#include "process.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <stdexcept>

#include <gtest/gtest.h>

namespace fe::e2e {
namespace {

namespace ps = process_support;

// How often a wait looks whether the child has ended.
constexpr auto kPollInterval = std::chrono::milliseconds(5);
// How long a socket client keeps trying while the program starts.
constexpr auto kConnectPatience = std::chrono::seconds(10);
constexpr auto kConnectRetry = std::chrono::milliseconds(25);

std::vector<std::string> program_argv(std::initializer_list<std::string> first, const std::vector<std::string>& rest) {
  std::vector<std::string> argv = {program_path().string()};
  argv.insert(argv.end(), first.begin(), first.end());
  argv.insert(argv.end(), rest.begin(), rest.end());
  return argv;
}

// A child that cannot start fails the test by an exception, never by a result that looks like a
// program's own failure.
RunResult run_or_throw(const std::vector<std::string>& argv, const std::vector<std::string>& env,
                       const std::string& stdin_data, std::chrono::milliseconds timeout) {
  auto result = ps::run_to_end(argv, env, stdin_data, timeout);
  if (!result) throw std::runtime_error(result.error());
  return *result;
}

}  // namespace

std::filesystem::path program_path() {
  return std::filesystem::path(FE_BINARY_DIR) / "bin" / "file-explorer";
}

TempDir::TempDir() : TempFolder("fe-e2e-") {
  if (!ok()) throw std::runtime_error("mkdtemp failed");
}

TempHome::TempHome() : env_(ps::home_variables(dir_.path())) {
  std::filesystem::create_directories(config());
  std::filesystem::create_directories(state());
  std::filesystem::create_directories(data());
}

std::vector<std::string> TempHome::environment() const {
  return ps::child_environment(env_);
}

RunResult run_program(const std::vector<std::string>& args, const TempHome& home, const std::string& stdin_data,
                      std::chrono::milliseconds timeout) {
  return run_or_throw(program_argv({}, args), home.environment(), stdin_data, timeout);
}

RunResult run_tool(const std::vector<std::string>& argv, const std::vector<std::string>& env,
                   std::chrono::milliseconds timeout) {
  if (argv.empty()) return {};
  std::vector<std::string> resolved = argv;
  if (auto found = find_on_path(argv.front())) resolved.front() = found->string();
  return run_or_throw(resolved, env, {}, timeout);
}

BackgroundProgram::BackgroundProgram(const std::vector<std::string>& args, const TempHome& home)
    : child_(program_argv({}, args), home.environment(),
             {.stdout_file = logs_.path() / "stdout", .stderr_file = logs_.path() / "stderr"}) {
  if (!child_.started()) throw std::runtime_error(child_.error());
}

BackgroundProgram::~BackgroundProgram() = default;

int BackgroundProgram::wait(std::chrono::milliseconds timeout) {
  return child_.wait(timeout, kPollInterval);
}

std::string BackgroundProgram::err() const {
  std::ifstream in(logs_.path() / "stderr");
  return std::string(std::istreambuf_iterator<char>(in), {});
}

AutomationClient::AutomationClient(const TempHome& home, std::vector<std::string> extra_args)
    : child_(program_argv({"--automation"}, extra_args), home.environment(),
             {.pipe_stdin = true, .pipe_stdout = true, .pipe_stderr = true}) {
  if (!child_.started()) throw std::runtime_error(child_.error());
  ::fcntl(child_.stderr_fd(), F_SETFL, O_NONBLOCK);
}

AutomationClient::~AutomationClient() = default;

const std::string& AutomationClient::stderr_text() {
  char buf[65536];
  for (;;) {
    ssize_t n = ::read(child_.stderr_fd(), buf, sizeof buf);
    if (n <= 0) break;
    err_text_.append(buf, static_cast<std::size_t>(n));
  }
  return err_text_;
}

std::optional<std::string> AutomationClient::read_line(std::chrono::milliseconds timeout) {
  auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    if (auto nl = buffer_.find('\n'); nl != std::string::npos) {
      std::string line = buffer_.substr(0, nl);
      buffer_.erase(0, nl + 1);
      return line;
    }
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) return std::nullopt;
    pollfd fds[2] = {{child_.stdout_fd(), POLLIN, 0}, {child_.stderr_fd(), POLLIN, 0}};
    ::poll(fds, 2, static_cast<int>(left.count()));
    if (fds[1].revents) stderr_text();
    if (fds[0].revents) {
      char buf[65536];
      ssize_t n = ::read(child_.stdout_fd(), buf, sizeof buf);
      if (n <= 0) return std::nullopt;
      buffer_.append(buf, static_cast<std::size_t>(n));
    }
  }
}

std::string AutomationClient::request_raw(const std::string& line) {
  if (!child_.write_all(line + "\n")) {
    ADD_FAILURE() << "could not write to the program";
    return {};
  }
  auto answer = read_line(std::chrono::seconds(30));
  if (!answer) {
    ADD_FAILURE() << "no answer to " << line << "\nstderr:\n" << stderr_text();
    return {};
  }
  return *answer;
}

nlohmann::json AutomationClient::request(const nlohmann::json& req) {
  auto answer = nlohmann::json::parse(request_raw(req.dump()), nullptr, false);
  EXPECT_FALSE(answer.is_discarded()) << "answer is not JSON";
  return answer;
}

int AutomationClient::finish(std::chrono::milliseconds timeout) {
  child_.close_stdin();
  return child_.wait(timeout, kPollInterval);
}

SocketClient::SocketClient(const std::filesystem::path& path) : line_(path, kConnectPatience, kConnectRetry) {}

nlohmann::json SocketClient::request(const nlohmann::json& req) {
  if (!line_.send_line(req.dump())) return {};
  // A reply cut short is parsed as it came; an empty one is not JSON.
  return nlohmann::json::parse(line_.read_line().text, nullptr, false);
}

}  // namespace fe::e2e
