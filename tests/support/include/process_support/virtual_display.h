#pragma once
// An Xvfb server on a display number it picks itself, so that parallel runs never collide; stopped
// when this goes.

#include <sys/types.h>

#include <string>

namespace fe::process_support {

class VirtualDisplay {
 public:
  // A screen of width x height at 24 bits; check ok() before use.
  VirtualDisplay(int width, int height);
  ~VirtualDisplay();
  VirtualDisplay(const VirtualDisplay&) = delete;
  VirtualDisplay& operator=(const VirtualDisplay&) = delete;
  bool ok() const { return !name_.empty(); }
  const std::string& name() const { return name_; }  // ":N", for DISPLAY
  const std::string& error() const { return error_; }

 private:
  pid_t pid_ = -1;
  std::string name_;
  std::string error_;
};

}  // namespace fe::process_support
