// Feeds arbitrary bytes as the state document: opening must never crash, must set an unusable
// document aside byte for byte, and must leave a document that opens again with the same identity.

#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "vemo_ui/persist.h"

namespace {

namespace fs = std::filesystem;

// One scratch folder for the whole run, removed when the fuzzer exits normally.
class ScratchFolder {
 public:
  ScratchFolder() {
    std::string pattern = "/tmp/fuzz-persist-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) std::abort();
    path_ = pattern;
  }
  ~ScratchFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

const fs::path& folder() {
  static const ScratchFolder dir;
  return dir.path();
}

std::string read_all(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const fs::path& dir = folder();
  std::error_code ec;
  for (const auto& e : fs::directory_iterator(dir, ec)) fs::remove_all(e.path(), ec);

  const std::string bytes(reinterpret_cast<const char*>(data), size);
  {
    std::ofstream out(dir / "state.json", std::ios::binary);
    out << bytes;
  }

  auto doc = vemo_ui::persist::open({"fuzz", dir});
  if (!doc) std::abort();  // the folder is writable: a fresh document can always be made
  const bool set_aside = fs::exists(dir / "state.json.corrupt-1");
  if (set_aside && read_all(dir / "state.json.corrupt-1") != bytes) std::abort();

  auto again = vemo_ui::persist::open({"fuzz", dir});
  if (!again || again->stored_actor() != doc->stored_actor()) std::abort();
  if (fs::exists(dir / "state.json.corrupt-2")) std::abort();  // what we wrote must read back

  // Values accepted from the input survive a save.
  doc->set_text("fuzz", "x");
  if (!doc->save()) std::abort();
  auto third = vemo_ui::persist::open({"fuzz", dir});
  if (!third || third->text("fuzz") != "x") std::abort();
  return 0;
}
