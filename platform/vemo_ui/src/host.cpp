#include "vemo_ui/host.h"

#include <fcntl.h>
#include <gio/gio.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <mutex>

#include <fmt/format.h>

namespace vemo_ui::host {

namespace {

// Opens documents through the desktop's default handler for their URI.
class DesktopHost final : public Host {
 public:
  std::expected<void, std::string> open_document(const std::filesystem::path& path) override {
    std::unique_ptr<GFile, decltype(&g_object_unref)> file(g_file_new_for_path(path.c_str()), g_object_unref);
    std::unique_ptr<char, decltype(&g_free)> uri(g_file_get_uri(file.get()), g_free);
    if (!uri) return std::unexpected(fmt::format("cannot make a URI for {}", path.string()));
    GError* error = nullptr;
    if (!g_app_info_launch_default_for_uri(uri.get(), nullptr, &error)) {
      std::string text = error != nullptr && error->message != nullptr
                             ? std::string(error->message)
                             : fmt::format("no application can open {}", path.string());
      if (error != nullptr) g_error_free(error);
      return std::unexpected(std::move(text));
    }
    return {};
  }
};

// Records each opened path as one line of a log file, so that end-to-end tests can see what
// would have been opened without a desktop.
class RecordingHost final : public Host {
 public:
  explicit RecordingHost(std::string log) : log_(std::move(log)) {}

  std::expected<void, std::string> open_document(const std::filesystem::path& path) override {
    const std::string line = path.string() + "\n";
    std::lock_guard lock(mutex_);
    // Appending never replaces what earlier runs recorded.
    const int fd = ::open(log_.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0)
      return std::unexpected(fmt::format("cannot record the opened file in {}: {}", log_, std::strerror(errno)));
    // O_APPEND with a single write keeps lines whole even when several processes record.
    const ssize_t n = ::write(fd, line.data(), line.size());
    const int err = errno;
    ::close(fd);
    if (n != static_cast<ssize_t>(line.size())) {
      return std::unexpected(
          fmt::format("cannot record the opened file in {}: {}", log_, n < 0 ? std::strerror(err) : "short write"));
    }
    return {};
  }

 private:
  std::string log_;
  std::mutex mutex_;
};

}  // namespace

Host& current() {
  static Host* host = []() -> Host* {
    const char* log = std::getenv("VEMO_HOST_OPEN_LOG");
    if (log != nullptr && log[0] != '\0') return new RecordingHost(log);
    return new DesktopHost;
  }();
  return *host;
}

}  // namespace vemo_ui::host
