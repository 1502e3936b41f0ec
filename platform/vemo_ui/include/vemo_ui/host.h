#pragma once
// Host services: opening a document with the desktop's default application.

#include <expected>
#include <filesystem>
#include <string>

namespace vemo_ui::host {

class Host {
 public:
  virtual ~Host() = default;
  // Opens the file with its default application; the error text is shown to the user.
  virtual std::expected<void, std::string> open_document(const std::filesystem::path& path) = 0;
};

// The process's host: the desktop opener (GIO), or a recording stand-in when
// VEMO_HOST_OPEN_LOG names a file (each opened path is appended as one line; used by tests).
Host& current();

}  // namespace vemo_ui::host
