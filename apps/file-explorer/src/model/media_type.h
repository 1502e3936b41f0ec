#pragma once
// Media types ("text/plain") interned in one process-wide set, so that every listed entry carries
// a pointer instead of its own copy of the text.

#include <compare>
#include <iosfwd>
#include <string>
#include <string_view>

namespace fe {

class MediaType {
 public:
  // application/octet-stream.
  MediaType() noexcept;
  // Interns `text` (the set only grows; a handful of types per process in practice).
  MediaType(std::string_view text);  // NOLINT(google-explicit-constructor): a media type is its text
  MediaType(const char* text) : MediaType(std::string_view(text)) {}
  MediaType(const std::string& text) : MediaType(std::string_view(text)) {}

  std::string_view text() const noexcept { return *text_; }
  const std::string& str() const noexcept { return *text_; }
  operator std::string_view() const noexcept { return *text_; }

  // Interned texts are unique, so equal texts share one pointer.
  friend bool operator==(MediaType a, MediaType b) noexcept { return a.text_ == b.text_; }
  friend bool operator==(MediaType a, std::string_view b) noexcept { return a.text() == b; }
  friend bool operator==(MediaType a, const char* b) noexcept { return a.text() == std::string_view(b); }
  friend bool operator==(MediaType a, const std::string& b) noexcept { return a.text() == b; }
  // Byte-wise, case-sensitive order of the texts.
  friend std::strong_ordering operator<=>(MediaType a, MediaType b) noexcept { return a.text() <=> b.text(); }

 private:
  friend MediaType guess_media_type(std::string_view name);
  struct Interned {};
  MediaType(Interned, const std::string* text) noexcept : text_(text) {}

  const std::string* text_;
};

std::ostream& operator<<(std::ostream& out, MediaType type);

inline constexpr std::string_view kOctetStream = "application/octet-stream";
inline constexpr std::string_view kInodeDirectory = "inode/directory";

// The extension of a file name as used for the guess: the text after the last "." of a name that
// does not begin with that "." ("notes.txt" → "txt", ".bashrc" → none, "a." → none).
std::string_view name_extension(std::string_view name) noexcept;

// The media type guessed from the extension of `name` through the shared-mime-info database, with
// a small built-in table behind it; application/octet-stream when nothing matches. Results are
// cached per extension for the life of the process.
MediaType guess_media_type(std::string_view name);

// Same, for callers that guess many names in a row (a folder listing): keeps a lock-free cache of
// the extensions seen by this guesser in front of the shared one.
class MediaTypeGuesser {
 public:
  MediaTypeGuesser();
  ~MediaTypeGuesser();
  MediaTypeGuesser(const MediaTypeGuesser&) = delete;
  MediaTypeGuesser& operator=(const MediaTypeGuesser&) = delete;

  MediaType guess(std::string_view name);

 private:
  struct Cache;
  Cache* cache_;
};

}  // namespace fe
