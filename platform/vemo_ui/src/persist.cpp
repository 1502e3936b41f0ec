#include "vemo_ui/persist.h"

#include <fcntl.h>
#include <sodium.h>
#include <stdio.h>  // renameat2
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstring>
#include <set>
#include <string_view>
#include <vector>

#include <fmt/format.h>
#include <nlohmann/json.hpp>

#include "vemo_ui/sysdirs.h"

namespace vemo_ui::persist {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kFileName = "state.json";
constexpr std::string_view kCorruptPrefix = "state.json.corrupt-";
// View state is a handful of numbers and short texts; a larger file is not ours.
constexpr std::size_t kMaxDocumentBytes = 1 << 20;
constexpr int kFormat = 1;
constexpr int kMaxCorruptSlots = 10000;
// Fresh documents are created without replacing one another; a lost race means rereading.
constexpr int kCreateAttempts = 3;

// --- small system helpers --------------------------------------------------------------------------

class Fd {
 public:
  explicit Fd(int fd = -1) : fd_(fd) {}
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  Fd(Fd&& o) noexcept : fd_(std::exchange(o.fd_, -1)) {}
  Fd& operator=(Fd&& o) noexcept {
    if (this != &o) {
      reset();
      fd_ = std::exchange(o.fd_, -1);
    }
    return *this;
  }
  ~Fd() { reset(); }
  int get() const { return fd_; }
  bool valid() const { return fd_ >= 0; }
  // Closes now and reports whether the close itself succeeded (deferred write errors show here).
  bool close() {
    const int fd = std::exchange(fd_, -1);
    return fd < 0 || ::close(fd) == 0;
  }

 private:
  void reset() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
  }
  int fd_;
};

std::string errno_text(std::string_view what, const fs::path& where, int err) {
  return fmt::format("{} {}: {}", what, where.string(), std::strerror(err));
}

void ensure_sodium() {
  static const bool ready = sodium_init() >= 0;
  if (!ready) std::abort();  // no random source: identities and temporary names would repeat
}

std::string hex(const unsigned char* bytes, std::size_t n) {
  std::string out(n * 2 + 1, '\0');
  sodium_bin2hex(out.data(), out.size(), bytes, n);
  out.pop_back();
  return out;
}

// Creates the folder and its missing parents, each private to the user.
std::expected<void, std::string> ensure_folder(const fs::path& folder) {
  fs::path partial;
  for (const fs::path& part : folder) {
    partial /= part;
    if (::mkdir(partial.c_str(), 0700) == 0) continue;
    const int err = errno;
    struct stat st {};
    if (err == EEXIST && ::stat(partial.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) continue;
    return std::unexpected(errno_text("cannot create the state folder", partial, err == EEXIST ? ENOTDIR : err));
  }
  return {};
}

Fd open_folder(const fs::path& folder) {
  return Fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
}

bool write_all(int fd, std::string_view data) {
  while (!data.empty()) {
    const ssize_t n = ::write(fd, data.data(), data.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

// Moves `from` to `to` in the same folder unless `to` exists. Falls back to link + unlink where
// the file system has no no-replace rename.
int rename_noreplace(int dirfd, const char* from, const char* to) {
  if (::renameat2(dirfd, from, dirfd, to, RENAME_NOREPLACE) == 0) return 0;
  if (errno != EINVAL && errno != ENOSYS) return -1;
  if (::linkat(dirfd, from, dirfd, to, 0) != 0) return -1;
  ::unlinkat(dirfd, from, 0);
  return 0;
}

enum class Replace : bool { No, Yes };

// Writes the text beside state.json under a fresh hidden name, flushes it, moves it into place and
// flushes the folder. With Replace::No an existing state.json wins (EEXIST comes back).
std::expected<void, std::string> write_atomically(const fs::path& folder, std::string_view text, Replace replace,
                                                  int* error_number = nullptr) {
  ensure_sodium();
  auto fail = [&](std::string_view what, int err) {
    if (error_number) *error_number = err;
    return std::unexpected(errno_text(what, folder / kFileName, err));
  };
  Fd dir = open_folder(folder);
  if (!dir.valid()) return fail("cannot open the state folder of", errno);

  unsigned char nonce[8];
  randombytes_buf(nonce, sizeof nonce);
  const std::string temp = fmt::format(".{}.{}-{}.tmp", kFileName, ::getpid(), hex(nonce, sizeof nonce));
  Fd file(::openat(dir.get(), temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600));
  if (!file.valid()) return fail("cannot create a temporary file for", errno);

  int err = 0;
  if (!write_all(file.get(), text)) {
    err = errno;
  } else if (::fsync(file.get()) != 0) {
    err = errno;
  } else if (!file.close()) {
    err = errno;
  } else if (replace == Replace::Yes ? ::renameat(dir.get(), temp.c_str(), dir.get(), kFileName.data()) != 0
                                     : rename_noreplace(dir.get(), temp.c_str(), kFileName.data()) != 0) {
    err = errno;
  }
  if (err != 0) {
    file.close();
    ::unlinkat(dir.get(), temp.c_str(), 0);
    return fail("cannot write", err);
  }
  // The rename is durable only once the folder is; a failure here leaves a complete file either way.
  ::fsync(dir.get());
  return {};
}

// --- reading ---------------------------------------------------------------------------------------

enum class ReadKind { Missing, Text, Unusable };

struct ReadResult {
  ReadKind kind;
  std::string text;
};

// state.json as text, read through the folder handle without following links and with its bound.
ReadResult read_document(int dirfd) {
  Fd fd(::openat(dirfd, kFileName.data(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY));
  if (!fd.valid()) return {errno == ENOENT ? ReadKind::Missing : ReadKind::Unusable, {}};
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) return {ReadKind::Unusable, {}};
  if (static_cast<std::uint64_t>(st.st_size) > kMaxDocumentBytes) return {ReadKind::Unusable, {}};

  std::string text(kMaxDocumentBytes + 1, '\0');
  std::size_t used = 0;
  while (used < text.size()) {
    const ssize_t n = ::read(fd.get(), text.data() + used, text.size() - used);
    if (n < 0) {
      if (errno == EINTR) continue;
      return {ReadKind::Unusable, {}};
    }
    if (n == 0) break;
    used += static_cast<std::size_t>(n);
  }
  if (used > kMaxDocumentBytes) return {ReadKind::Unusable, {}};  // grew while we read
  text.resize(used);
  return {ReadKind::Text, std::move(text)};
}

// JSON with duplicate object keys refused (nlohmann would keep the last one silently); never throws.
std::optional<nlohmann::json> parse_strict(std::string_view text) {
  std::vector<std::set<std::string>> keys;
  bool duplicate = false;
  auto callback = [&](int, nlohmann::json::parse_event_t event, nlohmann::json& parsed) {
    using Event = nlohmann::json::parse_event_t;
    if (event == Event::object_start) {
      keys.emplace_back();
    } else if (event == Event::object_end) {
      if (!keys.empty()) keys.pop_back();
    } else if (event == Event::key && !keys.empty()) {
      if (!keys.back().insert(parsed.get<std::string>()).second) duplicate = true;
    }
    return !duplicate;  // stop building once the document is known to be bad
  };
  nlohmann::json value = nlohmann::json::parse(text.begin(), text.end(), callback, /*allow_exceptions=*/false);
  if (duplicate || value.is_discarded()) return std::nullopt;
  return value;
}

std::optional<Document::ActorId> actor_from_hex(const std::string& text) {
  Document::ActorId id{};
  if (text.size() != id.size() * 2) return std::nullopt;
  for (char c : text) {
    if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return std::nullopt;  // we write lower case
  }
  std::size_t len = 0;
  if (sodium_hex2bin(id.data(), id.size(), text.data(), text.size(), nullptr, &len, nullptr) != 0 || len != id.size()) {
    return std::nullopt;
  }
  return id;
}

struct Parsed {
  Document::ActorId actor;
  std::map<std::string, Document::Value> values;
};

// {"format":1,"actor":"<32 hex>","values":{key: number|string}} and nothing else.
std::optional<Parsed> parse_document(std::string_view text) {
  const std::optional<nlohmann::json> doc = parse_strict(text);
  if (!doc || !doc->is_object() || doc->size() != 3) return std::nullopt;
  const auto format = doc->find("format");
  const auto actor = doc->find("actor");
  const auto values = doc->find("values");
  if (format == doc->end() || actor == doc->end() || values == doc->end()) return std::nullopt;
  if (!format->is_number_integer() || format->get<std::int64_t>() != kFormat) return std::nullopt;
  if (!actor->is_string() || !values->is_object()) return std::nullopt;

  Parsed out{};
  const auto id = actor_from_hex(actor->get<std::string>());
  if (!id) return std::nullopt;
  out.actor = *id;
  for (const auto& [key, value] : values->items()) {
    if (value.is_number()) {
      out.values.emplace(key, value.get<double>());
    } else if (value.is_string()) {
      out.values.emplace(key, value.get<std::string>());
    } else {
      return std::nullopt;
    }
  }
  return out;
}

std::string serialise(const Document::ActorId& actor, const std::map<std::string, Document::Value>& values) {
  nlohmann::ordered_json doc;
  doc["format"] = kFormat;
  doc["actor"] = hex(actor.data(), actor.size());
  nlohmann::ordered_json& out = doc["values"] = nlohmann::ordered_json::object();
  for (const auto& [key, value] : values) {
    if (const double* number = std::get_if<double>(&value)) {
      out[key] = *number;
    } else {
      out[key] = std::get<std::string>(value);
    }
  }
  // Texts that are not UTF-8 are stored with replacement characters rather than lost entirely.
  return doc.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
}

// Renames an unusable state.json to the first free "state.json.corrupt-<n>", never over another.
std::expected<void, std::string> set_aside(int dirfd, const fs::path& folder) {
  for (int n = 1; n <= kMaxCorruptSlots; ++n) {
    const std::string name = fmt::format("{}{}", kCorruptPrefix, n);
    if (rename_noreplace(dirfd, kFileName.data(), name.c_str()) == 0) return {};
    if (errno == ENOENT) return {};  // someone else moved it already
    if (errno != EEXIST) return std::unexpected(errno_text("cannot set aside", folder / kFileName, errno));
  }
  return std::unexpected(fmt::format("cannot set aside {}: every slot is taken", (folder / kFileName).string()));
}

std::expected<fs::path, std::string> resolve_folder(const OpenArgs& args) {
  if (!args.state_folder.empty()) return args.state_folder;
  const std::string_view id = args.app_id;
  if (id.empty() || id == "." || id == ".." || id.find('/') != std::string_view::npos ||
      id.find('\0') != std::string_view::npos) {
    return std::unexpected(fmt::format("invalid application identifier \"{}\"", args.app_id));
  }
  const std::optional<fs::path> base = sysdirs::state_dir();
  if (!base) return std::unexpected(std::string("no home folder for the state document"));
  return *base / args.app_id;
}

}  // namespace

// --- Document --------------------------------------------------------------------------------------

std::string Document::stored_actor_hex() const {
  return hex(stored_actor_.data(), stored_actor_.size());
}

std::optional<double> Document::number(const std::string& key) const {
  const auto it = values_.find(key);
  if (it == values_.end()) return std::nullopt;
  if (const double* v = std::get_if<double>(&it->second)) return *v;
  return std::nullopt;
}

std::optional<std::string> Document::text(const std::string& key) const {
  const auto it = values_.find(key);
  if (it == values_.end()) return std::nullopt;
  if (const std::string* v = std::get_if<std::string>(&it->second)) return *v;
  return std::nullopt;
}

void Document::set_number(const std::string& key, double value) {
  if (!std::isfinite(value)) return;  // JSON cannot hold it; keep the previous value
  auto [it, inserted] = values_.try_emplace(key, value);
  if (inserted) {
    dirty_ = true;
  } else if (const double* old = std::get_if<double>(&it->second); old == nullptr || *old != value) {
    it->second = value;
    dirty_ = true;
  }
}

void Document::set_text(const std::string& key, std::string value) {
  auto it = values_.find(key);
  if (it != values_.end()) {
    if (const std::string* old = std::get_if<std::string>(&it->second); old != nullptr && *old == value) return;
    it->second = std::move(value);
  } else {
    values_.emplace(key, std::move(value));
  }
  dirty_ = true;
}

std::expected<void, std::string> Document::save() {
  if (!dirty_) return {};
  auto written = write_atomically(file_.parent_path(), serialise(stored_actor_, values_), Replace::Yes);
  if (!written) return written;
  dirty_ = false;
  return {};
}

// --- open ------------------------------------------------------------------------------------------

std::expected<Document, std::string> open(const OpenArgs& args) {
  ensure_sodium();
  const auto folder = resolve_folder(args);
  if (!folder) return std::unexpected(folder.error());
  if (auto made = ensure_folder(*folder); !made) return std::unexpected(made.error());

  Document doc;
  doc.file_ = *folder / kFileName;
  for (int attempt = 0; attempt < kCreateAttempts; ++attempt) {
    Fd dir = open_folder(*folder);
    if (!dir.valid()) return std::unexpected(errno_text("cannot open the state folder", *folder, errno));

    ReadResult read = read_document(dir.get());
    if (read.kind == ReadKind::Text) {
      if (std::optional<Parsed> parsed = parse_document(read.text)) {
        doc.stored_actor_ = parsed->actor;
        doc.values_ = std::move(parsed->values);
        doc.actor_ = doc.stored_actor_hex();
        doc.dirty_ = false;
        return doc;
      }
      read.kind = ReadKind::Unusable;
    }
    if (read.kind == ReadKind::Unusable) {
      if (auto aside = set_aside(dir.get(), *folder); !aside) return std::unexpected(aside.error());
    }

    // A fresh document with a new identity, written at once so that the identity is kept.
    randombytes_buf(doc.stored_actor_.data(), doc.stored_actor_.size());
    doc.values_.clear();
    int err = 0;
    auto written = write_atomically(*folder, serialise(doc.stored_actor_, doc.values_), Replace::No, &err);
    if (written) {
      doc.actor_ = doc.stored_actor_hex();
      doc.dirty_ = false;
      return doc;
    }
    if (err != EEXIST) return std::unexpected(written.error());
    // Another process created the document between our read and our write: read theirs.
  }
  return std::unexpected(fmt::format("cannot settle {}: it keeps changing", doc.file_.string()));
}

}  // namespace vemo_ui::persist
