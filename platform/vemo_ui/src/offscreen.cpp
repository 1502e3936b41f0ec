#include "vemo_ui/offscreen.h"

#include <cairo.h>
#include <fcntl.h>
#include <fmt/format.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <new>
#include <system_error>
#include <utility>

#include "frame.h"

namespace vemo_ui {

// ---- OffscreenRenderer ---------------------------------------------------------------------

OffscreenRenderer::OffscreenRenderer(Theme theme, double text_scale, double scale_factor)
    : theme_(std::move(theme)),
      scale_factor_(std::isfinite(scale_factor) && scale_factor > 0 ? scale_factor : 1.0),
      text_(std::make_unique<TextRenderer>(text_scale)) {}

OffscreenRenderer::~OffscreenRenderer() = default;

std::expected<void, LayoutError> OffscreenRenderer::layout(Widget& root, Size size) {
  if (first_) root.set_interaction_environment(services_);
  LayoutContext ctx{*text_, theme_, services_, text_->text_scale(), scale_factor_, size};
  auto laid = detail::layout_frame(root, ctx, size, Clock::now(), first_);
  if (laid) first_ = false;
  return laid;
}

std::expected<RenderedFrame, LayoutError> OffscreenRenderer::render_resilient(Widget& root, Size size) {
  const auto pixels = detail::frame_pixel_size(size, scale_factor_);
  if (!pixels) return std::unexpected(pixels.error());
  auto surface = detail::FrameSurface::create(pixels->width, pixels->height);
  if (!surface) return std::unexpected(surface.error());
  if (auto laid = layout(root, size); !laid) return std::unexpected(laid.error());
  DrawContext ctx{*text_, theme_, services_, Clock::now(), std::nullopt};
  surface->render(root, ctx, size, scale_factor_);
  return RenderedFrame{surface->release(), pixels->width, pixels->height};
}

std::expected<std::vector<std::uint8_t>, std::string> OffscreenRenderer::encode_png(const RenderedFrame& frame) {
  if (frame.image.empty()) return std::unexpected(std::string("there is no image to encode"));
  std::vector<std::uint8_t> bytes;
  // Called from C: an allocation failure becomes Cairo's status instead of an exception.
  auto append = [](void* closure, const unsigned char* data, unsigned int length) -> cairo_status_t {
    try {
      auto* out = static_cast<std::vector<std::uint8_t>*>(closure);
      out->insert(out->end(), data, data + length);
      return CAIRO_STATUS_SUCCESS;
    } catch (const std::bad_alloc&) {
      return CAIRO_STATUS_NO_MEMORY;
    }
  };
  const cairo_status_t status = cairo_surface_write_to_png_stream(frame.image.native(), append, &bytes);
  if (status != CAIRO_STATUS_SUCCESS) {
    return std::unexpected(fmt::format("cannot encode the image as PNG: {}", cairo_status_to_string(status)));
  }
  return bytes;
}

// ---- write_file_atomic ---------------------------------------------------------------------

namespace {

class UniqueFd {
 public:
  explicit UniqueFd(int fd = -1) : fd_(fd) {}
  UniqueFd(const UniqueFd&) = delete;
  UniqueFd& operator=(const UniqueFd&) = delete;
  UniqueFd(UniqueFd&& o) noexcept : fd_(std::exchange(o.fd_, -1)) {}
  UniqueFd& operator=(UniqueFd&& o) noexcept {
    if (this != &o) {
      reset();
      fd_ = std::exchange(o.fd_, -1);
    }
    return *this;
  }
  ~UniqueFd() { reset(); }
  int get() const { return fd_; }
  bool valid() const { return fd_ >= 0; }
  // Closes now and reports close's own error, which for a written file can be the write's.
  int close_checked() { return ::close(std::exchange(fd_, -1)); }
  void reset() {
    if (fd_ >= 0) ::close(std::exchange(fd_, -1));
  }

 private:
  int fd_;
};

// Removes the temporary file unless the rename has taken it.
class TempName {
 public:
  TempName(int dir_fd, std::string name) : dir_fd_(dir_fd), name_(std::move(name)) {}
  TempName(const TempName&) = delete;
  TempName& operator=(const TempName&) = delete;
  ~TempName() {
    if (!committed_) ::unlinkat(dir_fd_, name_.c_str(), 0);
  }
  const std::string& name() const { return name_; }
  void commit() { committed_ = true; }

 private:
  int dir_fd_;
  std::string name_;
  bool committed_ = false;
};

std::atomic<unsigned> temp_counter{0};

std::string failure(const std::filesystem::path& path, std::string_view step, int err) {
  return fmt::format("{}: {}: {}", path.string(), step, std::strerror(err));
}

}  // namespace

std::expected<void, std::string> write_file_atomic(const std::filesystem::path& path,
                                                   const std::vector<std::uint8_t>& bytes) {
  const std::string name = path.filename().string();
  if (name.empty() || name == "." || name == "..") {
    return std::unexpected(fmt::format("{}: not a file name", path.string()));
  }
  std::filesystem::path parent = path.parent_path();
  if (parent.empty()) parent = ".";

  std::error_code ec;
  std::filesystem::create_directories(parent, ec);
  if (ec) return std::unexpected(fmt::format("{}: create folder {}: {}", path.string(), parent.string(), ec.message()));

  UniqueFd dir(::open(parent.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (!dir.valid()) return std::unexpected(failure(path, "open folder", errno));

  // A fresh name that nobody else holds; O_EXCL makes sure we never write into someone's file.
  UniqueFd file;
  std::string temp;
  for (int attempt = 0; attempt < 100 && !file.valid(); ++attempt) {
    temp = fmt::format(".{}.tmp-{}-{}", name, ::getpid(), temp_counter.fetch_add(1));
    file = UniqueFd(::openat(dir.get(), temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644));
    if (!file.valid() && errno != EEXIST) return std::unexpected(failure(path, "create temporary file", errno));
  }
  if (!file.valid()) return std::unexpected(failure(path, "create temporary file", EEXIST));
  TempName guard(dir.get(), temp);

  const std::uint8_t* p = bytes.data();
  std::size_t left = bytes.size();
  while (left > 0) {
    const ssize_t n = ::write(file.get(), p, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      return std::unexpected(failure(path, "write", errno));
    }
    p += n;
    left -= static_cast<std::size_t>(n);
  }
  if (::fsync(file.get()) != 0) return std::unexpected(failure(path, "sync", errno));
  if (file.close_checked() != 0) return std::unexpected(failure(path, "close", errno));

  // The one replacing rename of the toolkit: the target is our own output file.
  if (::renameat(dir.get(), temp.c_str(), dir.get(), name.c_str()) != 0) {
    return std::unexpected(failure(path, "rename", errno));
  }
  guard.commit();
  if (::fsync(dir.get()) != 0) return std::unexpected(failure(path, "sync folder", errno));
  return {};
}

}  // namespace vemo_ui
