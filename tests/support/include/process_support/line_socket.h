#pragma once
// A client of a Unix stream socket that speaks one line at a time (an automation socket, say).

#include <chrono>
#include <filesystem>
#include <string>
#include <string_view>

namespace fe::process_support {

class LineSocket {
 public:
  // Connects, trying again every `retry_interval` until `patience` has passed, while the server
  // starts. A server that stops answering fails a read after 30 s instead of hanging.
  LineSocket(const std::filesystem::path& path, std::chrono::milliseconds patience,
             std::chrono::milliseconds retry_interval);
  ~LineSocket();
  LineSocket(const LineSocket&) = delete;
  LineSocket& operator=(const LineSocket&) = delete;
  bool connected() const { return fd_ >= 0; }

  // Sends `line` and a newline.
  bool send_line(std::string_view line);

  struct Reply {
    std::string text;       // without the newline
    bool complete = false;  // false when the connection ended or the read timed out first
  };
  // The next line; when incomplete, `text` holds what came before the end.
  Reply read_line();

  // send_line, then read_line; empty unless a whole reply line came.
  std::string request(std::string_view line);

 private:
  int fd_ = -1;
  std::string buffer_;  // what came after the last line read
};

}  // namespace fe::process_support
