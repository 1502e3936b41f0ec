#pragma once
// Test helpers: a temporary folder removed with everything in it, and an environment variable set
// for the length of a scope.

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/xattr.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <system_error>

namespace fe::testing {

class TempDir {
 public:
  explicit TempDir(const char* base = "/tmp") {
    std::string pattern = std::string(base) + "/fe-model-test-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) throw std::system_error(errno, std::system_category(), "mkdtemp");
    path_ = pattern;
  }
  ~TempDir() {
    std::error_code ec;
    // Make everything writable again so that folders made unreadable by a test can be removed.
    for (auto it = std::filesystem::recursive_directory_iterator(path_, ec);
         !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
      if (it->is_directory(ec) && !it->is_symlink(ec)) {
        std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all, std::filesystem::perm_options::add,
                                     ec);
      }
    }
    std::filesystem::remove_all(path_, ec);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::filesystem::path& p) const { return path_ / p; }

  std::filesystem::path file(const std::filesystem::path& name, const std::string& content = {}) const {
    const auto p = path_ / name;
    std::ofstream(p, std::ios::binary) << content;
    return p;
  }
  std::filesystem::path folder(const std::filesystem::path& name) const {
    const auto p = path_ / name;
    std::filesystem::create_directories(p);
    return p;
  }

 private:
  std::filesystem::path path_;
};

class ScopedEnv {
 public:
  // Sets `name` to `value`, or unsets it when `value` is none; the old state comes back at scope end.
  ScopedEnv(const char* name, std::optional<std::string> value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value) {
      ::setenv(name, value->c_str(), 1);
    } else {
      ::unsetenv(name);
    }
  }
  ~ScopedEnv() {
    if (old_) {
      ::setenv(name_.c_str(), old_->c_str(), 1);
    } else {
      ::unsetenv(name_.c_str());
    }
  }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  std::string name_;
  std::optional<std::string> old_;
};

// Sets a user.* attribute; false when the file system does not support them.
inline bool set_attribute(const std::filesystem::path& path, const std::string& name, const std::string& value) {
  if (::lsetxattr(path.c_str(), name.c_str(), value.data(), value.size(), 0) == 0) return true;
  if (errno == ENOTSUP) return false;
  throw std::system_error(errno, std::system_category(), "lsetxattr " + name);
}

}  // namespace fe::testing
