#pragma once
// Running a program to its end with its input given and its output collected.

#include <chrono>
#include <expected>
#include <string>
#include <vector>

namespace fe::process_support {

struct RunResult {
  int exit_code = -1;  // -1 when killed by a signal or timed out
  bool timed_out = false;
  std::string out;
  std::string err;
};

// Runs argv[0] (a path) with `env`, feeding it `stdin_data` and draining both outputs without
// blocking on any one of them; killed when `timeout` passes. The error says why it did not start.
std::expected<RunResult, std::string> run_to_end(const std::vector<std::string>& argv,
                                                 const std::vector<std::string>& env, const std::string& stdin_data,
                                                 std::chrono::milliseconds timeout);

}  // namespace fe::process_support
