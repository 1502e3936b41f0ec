// The worker, decoding and the disk cache of the thumbnail service.
//
//   request_* (caller)  →  job queue  →  worker: cache file? → source bytes → sniff PNG/JPEG →
//                                      decode at the fitted size → cache file (atomic) → ready map

#include "thumbnail/thumbnail_service.h"

#include <fcntl.h>
#include <gdk-pixbuf/gdk-pixbuf.h>
#include <sodium.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <list>
#include <mutex>
#include <thread>
#include <unordered_map>
#include <utility>
#include <variant>

namespace thumbnail {
namespace {

// ---- RAII for the C handles -------------------------------------------------------------------

struct GObjectUnref {
  void operator()(gpointer p) const { g_object_unref(p); }
};
using PixbufPtr = std::unique_ptr<GdkPixbuf, GObjectUnref>;
using LoaderPtr = std::unique_ptr<GdkPixbufLoader, GObjectUnref>;

struct GErrorFree {
  void operator()(GError* e) const { g_error_free(e); }
};
using ErrorPtr = std::unique_ptr<GError, GErrorFree>;

struct GFree {
  void operator()(gchar* p) const { g_free(p); }
};

class Fd {
 public:
  explicit Fd(int fd = -1) : fd_(fd) {}
  ~Fd() {
    if (fd_ >= 0) ::close(fd_);
  }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  int get() const { return fd_; }
  bool valid() const { return fd_ >= 0; }
  int release() { return std::exchange(fd_, -1); }

 private:
  int fd_;
};

// ---- Reading and writing files ----------------------------------------------------------------

// Reads a regular file of at most `limit` bytes. A FIFO or device is refused without blocking.
std::optional<std::vector<std::uint8_t>> read_regular_file(const std::filesystem::path& path, std::uint64_t limit) {
  Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
  if (!fd.valid()) return std::nullopt;
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
  if (st.st_size <= 0 || static_cast<std::uint64_t>(st.st_size) > limit) return std::nullopt;
  std::vector<std::uint8_t> out(static_cast<std::size_t>(st.st_size));
  std::size_t done = 0;
  while (done < out.size()) {
    const ssize_t n = ::read(fd.get(), out.data() + done, out.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += static_cast<std::size_t>(n);
  }
  // A file that shrank while being read is taken as it was read; a partial image fails to decode.
  out.resize(done);
  if (out.empty()) return std::nullopt;
  return out;
}

// Writes `bytes` as `folder/name` through a private temporary file and a no-replace rename, so a
// reader never sees half a file and an existing entry is never replaced.
bool write_new_file_atomic(const std::filesystem::path& folder, const std::string& name,
                           std::span<const std::uint8_t> bytes) {
  static std::atomic<unsigned> counter{0};
  const std::string temp_name = "." + name + ".part-" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
  const std::filesystem::path temp = folder / temp_name;
  const std::filesystem::path final_path = folder / name;
  Fd fd(::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0644));
  if (!fd.valid()) return false;
  std::size_t done = 0;
  bool ok = true;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd.get(), bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      ok = false;
      break;
    }
    done += static_cast<std::size_t>(n);
  }
  if (ok && ::fsync(fd.get()) != 0) ok = false;
  if (::close(fd.release()) != 0) ok = false;
  if (ok && ::renameat2(AT_FDCWD, temp.c_str(), AT_FDCWD, final_path.c_str(), RENAME_NOREPLACE) == 0) return true;
  // EEXIST: another writer stored the same key first, which is as good.
  ::unlink(temp.c_str());
  return false;
}

// ---- Decoding ---------------------------------------------------------------------------------

bool is_png(std::span<const std::uint8_t> b) {
  static constexpr std::uint8_t kMagic[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
  return b.size() >= sizeof(kMagic) && std::memcmp(b.data(), kMagic, sizeof(kMagic)) == 0;
}
bool is_jpeg(std::span<const std::uint8_t> b) {
  return b.size() >= 3 && b[0] == 0xff && b[1] == 0xd8 && b[2] == 0xff;
}

// A stream cut short decodes to a partly grey picture without an error from every loader, so the
// end marker is required: the IEND chunk for PNG, EOI within the last bytes for JPEG (some
// writers pad after it).
bool is_complete(std::span<const std::uint8_t> b, bool png) {
  if (png) {
    static constexpr std::uint8_t kIend[] = {0, 0, 0, 0, 'I', 'E', 'N', 'D', 0xae, 0x42, 0x60, 0x82};
    return b.size() >= 8 + sizeof(kIend) && std::memcmp(b.data() + b.size() - sizeof(kIend), kIend, sizeof(kIend)) == 0;
  }
  const std::size_t from = b.size() > 256 ? b.size() - 256 : 2;
  for (std::size_t i = b.size() - 1; i > from; --i) {
    if (b[i - 1] == 0xff && b[i] == 0xd9) return true;
  }
  return false;
}

// Pictures beyond this many pixels are not decoded at all (a small file can claim huge sizes).
constexpr std::int64_t kMaxSourcePixels = 100'000'000;

struct SizeRequest {
  int limit;
  bool refused = false;
};

void on_size_prepared(GdkPixbufLoader* loader, int width, int height, gpointer data) {
  auto* req = static_cast<SizeRequest*>(data);
  if (width <= 0 || height <= 0 || static_cast<std::int64_t>(width) * height > kMaxSourcePixels) {
    req->refused = true;
    gdk_pixbuf_loader_set_size(loader, 1, 1);
    return;
  }
  if (width <= req->limit && height <= req->limit) return;
  const double scale = static_cast<double>(req->limit) / std::max(width, height);
  const int w = std::max(1, static_cast<int>(width * scale + 0.5));
  const int h = std::max(1, static_cast<int>(height * scale + 0.5));
  gdk_pixbuf_loader_set_size(loader, std::min(w, req->limit), std::min(h, req->limit));
}

// Decodes PNG or JPEG bytes, fitted into limit × limit. Anything else, or a broken image, is none.
PixbufPtr decode(std::span<const std::uint8_t> bytes, int limit) {
  const char* type = is_png(bytes) ? "png" : is_jpeg(bytes) ? "jpeg" : nullptr;
  if (!type || !is_complete(bytes, type[0] == 'p')) return nullptr;
  GError* raw_error = nullptr;
  LoaderPtr loader(gdk_pixbuf_loader_new_with_type(type, &raw_error));
  ErrorPtr error(raw_error);
  if (!loader) return nullptr;
  SizeRequest req{limit};
  g_signal_connect(loader.get(), "size-prepared", G_CALLBACK(on_size_prepared), &req);
  raw_error = nullptr;
  const bool wrote = gdk_pixbuf_loader_write(loader.get(), bytes.data(), bytes.size(), &raw_error);
  error.reset(raw_error);
  raw_error = nullptr;
  // Closing is required even after a failed write; its error is the one that tells truncation.
  const bool closed = gdk_pixbuf_loader_close(loader.get(), &raw_error);
  error.reset(raw_error);
  if (!wrote || !closed || req.refused) return nullptr;
  GdkPixbuf* pixbuf = gdk_pixbuf_loader_get_pixbuf(loader.get());
  if (!pixbuf) return nullptr;
  // The loader owns its pixbuf; take our own reference before the loader goes.
  return PixbufPtr(GDK_PIXBUF(g_object_ref(pixbuf)));
}

std::optional<Image> to_rgba(GdkPixbuf* pixbuf) {
  if (gdk_pixbuf_get_colorspace(pixbuf) != GDK_COLORSPACE_RGB || gdk_pixbuf_get_bits_per_sample(pixbuf) != 8) {
    return std::nullopt;
  }
  const int w = gdk_pixbuf_get_width(pixbuf);
  const int h = gdk_pixbuf_get_height(pixbuf);
  const int channels = gdk_pixbuf_get_n_channels(pixbuf);
  const int stride = gdk_pixbuf_get_rowstride(pixbuf);
  if (w <= 0 || h <= 0 || (channels != 3 && channels != 4)) return std::nullopt;
  const guint8* src = gdk_pixbuf_read_pixels(pixbuf);
  Image img;
  img.width = w;
  img.height = h;
  img.rgba.resize(static_cast<std::size_t>(w) * h * 4);
  for (int y = 0; y < h; ++y) {
    const guint8* row = src + static_cast<std::ptrdiff_t>(y) * stride;
    std::uint8_t* out = img.rgba.data() + static_cast<std::size_t>(y) * w * 4;
    for (int x = 0; x < w; ++x) {
      out[4 * x + 0] = row[channels * x + 0];
      out[4 * x + 1] = row[channels * x + 1];
      out[4 * x + 2] = row[channels * x + 2];
      out[4 * x + 3] = channels == 4 ? row[channels * x + 3] : 0xff;
    }
  }
  return img;
}

std::optional<std::vector<std::uint8_t>> encode_png(GdkPixbuf* pixbuf) {
  gchar* raw = nullptr;
  gsize len = 0;
  GError* raw_error = nullptr;
  const bool ok = gdk_pixbuf_save_to_buffer(pixbuf, &raw, &len, "png", &raw_error, nullptr);
  ErrorPtr error(raw_error);
  std::unique_ptr<gchar, GFree> buffer(raw);
  if (!ok || !buffer || len == 0) return std::nullopt;
  const auto* p = reinterpret_cast<const std::uint8_t*>(buffer.get());
  return std::vector<std::uint8_t>(p, p + len);
}

// ---- Jobs and states --------------------------------------------------------------------------

using Source = std::variant<std::filesystem::path, std::vector<std::uint8_t>, ByteLoader>;

struct Job {
  Key key;
  Source source;
};

enum class State : std::uint8_t { Pending, Ready, Failed };

struct Entry {
  State state = State::Pending;
  std::shared_ptr<const Image> image;
  std::list<Key>::iterator ready_pos;  // valid while Ready
};

}  // namespace

// ---- The service ------------------------------------------------------------------------------

struct ThumbnailService::Shared {
  std::filesystem::path folder;
  int limit = 0;

  mutable std::mutex mutex;
  std::condition_variable wake;
  std::deque<Job> jobs;
  std::unordered_map<Key, Entry, KeyHash> entries;
  std::list<Key> ready_order;  // oldest first
  std::size_t pending = 0;
  bool stopping = false;
  std::thread worker;

  void enqueue(const Key& key, Source source) {
    {
      std::lock_guard lock(mutex);
      if (stopping || entries.contains(key)) return;
      entries.emplace(key, Entry{});
      jobs.push_back(Job{key, std::move(source)});
      ++pending;
    }
    wake.notify_one();
  }

  void mark_failed(const Key& key) {
    std::lock_guard lock(mutex);
    entries.try_emplace(key, Entry{State::Failed, nullptr, {}});
  }

  void run() {
    for (;;) {
      Job job;
      {
        std::unique_lock lock(mutex);
        wake.wait(lock, [&] { return stopping || !jobs.empty(); });
        if (stopping) return;
        job = std::move(jobs.front());
        jobs.pop_front();
      }
      std::optional<Image> image = produce(job);
      std::lock_guard lock(mutex);
      --pending;
      auto it = entries.find(job.key);
      if (it == entries.end()) continue;
      if (!image) {
        it->second.state = State::Failed;
        continue;
      }
      it->second.state = State::Ready;
      it->second.image = std::make_shared<const Image>(std::move(*image));
      it->second.ready_pos = ready_order.insert(ready_order.end(), job.key);
      // Forgetting an old image costs at most a cache-file read when it is asked for again.
      while (ready_order.size() > kMaxReadyImages) {
        entries.erase(ready_order.front());
        ready_order.pop_front();
      }
    }
  }

  std::optional<Image> produce(Job& job) const {
    const std::string name = job.key.hex() + ".png";
    if (auto cached = read_regular_file(folder / name, kMaxSourceBytes)) {
      if (PixbufPtr pixbuf = decode(*cached, limit)) {
        if (auto image = to_rgba(pixbuf.get())) return image;
      }
    }
    std::optional<std::vector<std::uint8_t>> bytes;
    if (auto* path = std::get_if<std::filesystem::path>(&job.source)) {
      bytes = read_regular_file(*path, kMaxSourceBytes);
    } else if (auto* given = std::get_if<std::vector<std::uint8_t>>(&job.source)) {
      bytes = std::move(*given);
    } else if (auto* loader = std::get_if<ByteLoader>(&job.source); loader && *loader) {
      bytes = (*loader)();
    }
    if (!bytes || bytes->empty() || bytes->size() > kMaxSourceBytes) return std::nullopt;
    PixbufPtr pixbuf = decode(*bytes, limit);
    if (!pixbuf) return std::nullopt;
    auto image = to_rgba(pixbuf.get());
    if (!image) return std::nullopt;
    if (auto png = encode_png(pixbuf.get())) write_new_file_atomic(folder, name, *png);
    return image;
  }
};

std::expected<std::unique_ptr<ThumbnailService>, std::string> ThumbnailService::create(
    const std::filesystem::path& cache_folder, std::uint32_t pixel_size) {
  if (pixel_size == 0 || pixel_size > 4096) return std::unexpected("thumbnail pixel size out of range");
  if (sodium_init() < 0) return std::unexpected("libsodium could not be initialised");
  std::error_code ec;
  std::filesystem::create_directories(cache_folder, ec);
  if (ec) return std::unexpected("cannot create the thumbnail cache folder: " + ec.message());
  struct stat st {};
  if (::lstat(cache_folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
    return std::unexpected("the thumbnail cache is not a folder: " + cache_folder.string());
  }
  if (::access(cache_folder.c_str(), W_OK | X_OK) != 0) {
    return std::unexpected("the thumbnail cache folder is not writable: " + cache_folder.string());
  }
  return std::unique_ptr<ThumbnailService>(new ThumbnailService(cache_folder, pixel_size));
}

ThumbnailService::ThumbnailService(std::filesystem::path cache_folder, std::uint32_t pixel_size)
    : cache_folder_(std::move(cache_folder)), pixel_size_(pixel_size), shared_(std::make_shared<Shared>()) {
  shared_->folder = cache_folder_;
  shared_->limit = static_cast<int>(pixel_size_);
  shared_->worker = std::thread([s = shared_.get()] { s->run(); });
}

ThumbnailService::~ThumbnailService() {
  {
    std::lock_guard lock(shared_->mutex);
    shared_->stopping = true;
  }
  shared_->wake.notify_all();
  // The job being worked on finishes (one decode at most); queued ones are dropped.
  if (shared_->worker.joinable()) shared_->worker.join();
}

Key ThumbnailService::content_key(std::span<const std::uint8_t, 32> content_hash) const {
  return key_for_content(content_hash, pixel_size_);
}

Key ThumbnailService::file_key(const std::filesystem::path& path, std::int64_t mtime_ms, std::uint64_t size) const {
  return key_for_file(path, mtime_ms, size, pixel_size_);
}

void ThumbnailService::request_file(const Key& key, const std::filesystem::path& path, Category category) {
  // Only image files have content this service can decode; the rest fail without being read.
  if (category != Category::Image) {
    shared_->mark_failed(key);
    return;
  }
  shared_->enqueue(key, path);
}

void ThumbnailService::request_bytes(const Key& key, std::vector<std::uint8_t> bytes, Category) {
  shared_->enqueue(key, std::move(bytes));
}

void ThumbnailService::request_loaded(const Key& key, ByteLoader loader, Category) {
  shared_->enqueue(key, std::move(loader));
}

std::shared_ptr<const Image> ThumbnailService::ready(const Key& key) const {
  std::lock_guard lock(shared_->mutex);
  auto it = shared_->entries.find(key);
  if (it == shared_->entries.end() || it->second.state != State::Ready) return nullptr;
  return it->second.image;
}

bool ThumbnailService::known(const Key& key) const {
  std::lock_guard lock(shared_->mutex);
  return shared_->entries.contains(key);
}

std::size_t ThumbnailService::pending_count() const {
  std::lock_guard lock(shared_->mutex);
  return shared_->pending;
}

}  // namespace thumbnail
