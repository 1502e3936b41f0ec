#include "vemo_ui/persist.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cmath>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "test_support.h"

namespace vemo_ui::persist {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::MatchesRegex;
using vemo_ui::testing::names_in;
using vemo_ui::testing::read_file;
using vemo_ui::testing::ScopedEnv;
using vemo_ui::testing::TempDir;
using vemo_ui::testing::write_file;

constexpr const char* kValidActor = "00112233445566778899aabbccddeeff";

std::string valid_document(const std::string& values = "{}") {
  return std::string(R"({"format":1,"actor":")") + kValidActor + R"(","values":)" + values + "}";
}

Document open_ok(const fs::path& folder) {
  auto doc = open({"vemo.test", folder});
  EXPECT_TRUE(doc.has_value()) << (doc ? "" : doc.error());
  if (!doc) throw std::runtime_error("open failed");
  return std::move(*doc);
}

// --- fresh documents and the actor -----------------------------------------------------------------

TEST(PersistOpen, FreshDocumentCreatesActorAndWritesIt) {
  TempDir tmp;
  const Document doc = open_ok(tmp / "state");
  EXPECT_THAT(doc.stored_actor_hex(), MatchesRegex("[0-9a-f]{32}"));
  EXPECT_NE(doc.stored_actor(), Document::ActorId{});
  EXPECT_EQ(doc.actor(), doc.stored_actor_hex());
  EXPECT_FALSE(doc.dirty());
  EXPECT_EQ(doc.file(), tmp / "state" / "state.json");

  const auto text = read_file(doc.file());
  ASSERT_TRUE(text.has_value());
  const auto json = nlohmann::json::parse(*text);
  EXPECT_EQ(json, nlohmann::json::parse(R"({"format":1,"actor":")" + doc.stored_actor_hex() + R"(","values":{}})"));
  EXPECT_EQ(names_in(tmp / "state"), (std::set<std::string>{"state.json"}));
}

TEST(PersistOpen, SameActorAcrossReopenAndDistinctForAnotherFolder) {
  TempDir tmp;
  const std::string first = open_ok(tmp / "a").stored_actor_hex();
  EXPECT_EQ(open_ok(tmp / "a").stored_actor_hex(), first);
  EXPECT_EQ(open_ok(tmp / "a").actor(), first);
  EXPECT_NE(open_ok(tmp / "b").stored_actor_hex(), first);
}

TEST(PersistOpen, ReadsTheStoredActor) {
  TempDir tmp;
  write_file(tmp / "state.json", valid_document());
  const Document doc = open_ok(tmp.path());
  EXPECT_EQ(doc.stored_actor_hex(), kValidActor);
  EXPECT_EQ(doc.stored_actor()[1], 0x11);
  EXPECT_EQ(doc.stored_actor()[15], 0xff);
}

TEST(PersistOpen, SetActorReplacesTheWritingIdentityOnly) {
  TempDir tmp;
  Document doc = open_ok(tmp.path());
  const std::string stored = doc.stored_actor_hex();
  doc.set_actor("files-0123456789ab");
  EXPECT_EQ(doc.actor(), "files-0123456789ab");
  EXPECT_EQ(doc.stored_actor_hex(), stored);
}

TEST(PersistOpen, DefaultFolderIsStateHomeJoinedWithAppIdCreatedPrivate) {
  TempDir tmp;
  ScopedEnv state("XDG_STATE_HOME", (tmp / "xdg" / "state").string());
  auto doc = open({"vemo.file-explorer", {}});
  ASSERT_TRUE(doc.has_value()) << doc.error();
  EXPECT_EQ(doc->file(), tmp / "xdg" / "state" / "vemo.file-explorer" / "state.json");
  struct stat st {};
  ASSERT_EQ(::stat((tmp / "xdg" / "state" / "vemo.file-explorer").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u);
  ASSERT_EQ(::stat(doc->file().c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
}

TEST(PersistOpen, DefaultFolderFallsBackBelowHome) {
  TempDir tmp;
  ScopedEnv state("XDG_STATE_HOME", "relative/ignored");
  ScopedEnv home("HOME", tmp.path().string());
  auto doc = open({"vemo.file-explorer", {}});
  ASSERT_TRUE(doc.has_value()) << doc.error();
  EXPECT_EQ(doc->file(), tmp / ".local" / "state" / "vemo.file-explorer" / "state.json");
}

TEST(PersistOpen, RejectsAppIdsThatAreNotOneFolderName) {
  TempDir tmp;
  ScopedEnv state("XDG_STATE_HOME", tmp.path().string());
  for (const char* id : {"", ".", "..", "a/b", "../escape"}) {
    const auto doc = open({id, {}});
    ASSERT_FALSE(doc.has_value()) << id;
    EXPECT_THAT(doc.error(), ::testing::HasSubstr("invalid application identifier")) << id;
  }
  EXPECT_TRUE(names_in(tmp.path()).empty());
}

TEST(PersistOpen, FailsWhenTheFolderCannotBeMade) {
  TempDir tmp;
  write_file(tmp / "blocker", "a file where the folder should be");
  const auto doc = open({"vemo.test", tmp / "blocker" / "state"});
  ASSERT_FALSE(doc.has_value());
  EXPECT_THAT(doc.error(), ::testing::HasSubstr("cannot create the state folder"));
  EXPECT_EQ(read_file(tmp / "blocker"), "a file where the folder should be");
}

// --- values ------------------------------------------------------------------------------------------

TEST(PersistValues, RoundTripThroughSave) {
  TempDir tmp;
  {
    Document doc = open_ok(tmp.path());
    doc.set_number("zoom", 2);
    doc.set_number("scroll:/home/u", -1234.5);
    doc.set_text("view", "grid");
    doc.set_text("unicode", "Gr\xC3\xBC\xC3\x9F\x65 \"quoted\"\n");
    EXPECT_TRUE(doc.dirty());
    ASSERT_TRUE(doc.save().has_value());
    EXPECT_FALSE(doc.dirty());
  }
  const Document doc = open_ok(tmp.path());
  EXPECT_EQ(doc.number("zoom"), 2.0);
  EXPECT_EQ(doc.number("scroll:/home/u"), -1234.5);
  EXPECT_EQ(doc.text("view"), "grid");
  EXPECT_EQ(doc.text("unicode"), "Gr\xC3\xBC\xC3\x9F\x65 \"quoted\"\n");
  // Asking for the other type answers nothing rather than a converted value.
  EXPECT_EQ(doc.text("zoom"), std::nullopt);
  EXPECT_EQ(doc.number("view"), std::nullopt);
  EXPECT_EQ(doc.number("missing"), std::nullopt);
}

TEST(PersistValues, IntegersInTheFileReadAsNumbers) {
  TempDir tmp;
  write_file(tmp / "state.json", valid_document(R"({"a":3,"b":-7,"c":1e3,"d":18446744073709551615})"));
  const Document doc = open_ok(tmp.path());
  EXPECT_EQ(doc.number("a"), 3.0);
  EXPECT_EQ(doc.number("b"), -7.0);
  EXPECT_EQ(doc.number("c"), 1000.0);
  EXPECT_EQ(doc.number("d"), 18446744073709551615.0);
}

TEST(PersistValues, DirtyOnlyOnChange) {
  TempDir tmp;
  write_file(tmp / "state.json", valid_document(R"({"zoom":1,"view":"list"})"));
  Document doc = open_ok(tmp.path());
  doc.set_number("zoom", 1);
  doc.set_text("view", "list");
  EXPECT_FALSE(doc.dirty());
  doc.set_number("zoom", std::nan(""));
  doc.set_number("zoom", INFINITY);
  EXPECT_FALSE(doc.dirty());  // not representable in JSON: ignored
  EXPECT_EQ(doc.number("zoom"), 1.0);
  doc.set_text("zoom", "1");  // a change of type is a change
  EXPECT_TRUE(doc.dirty());
  EXPECT_EQ(doc.text("zoom"), "1");
}

TEST(PersistSave, CleanDocumentIsNotRewritten) {
  TempDir tmp;
  Document doc = open_ok(tmp.path());
  struct stat before {};
  ASSERT_EQ(::stat(doc.file().c_str(), &before), 0);
  ASSERT_TRUE(doc.save().has_value());
  struct stat after {};
  ASSERT_EQ(::stat(doc.file().c_str(), &after), 0);
  EXPECT_EQ(before.st_ino, after.st_ino);
}

TEST(PersistSave, ReplacesByRenameAndLeavesNoTemporaryFiles) {
  TempDir tmp;
  Document doc = open_ok(tmp.path());
  struct stat before {};
  ASSERT_EQ(::stat(doc.file().c_str(), &before), 0);
  // A reader holding the old file keeps seeing a whole old document: the file is replaced, not rewritten.
  const std::string old_text = *read_file(doc.file());
  for (int i = 0; i < 5; ++i) {
    doc.set_number("n", i);
    ASSERT_TRUE(doc.save().has_value());
  }
  struct stat after {};
  ASSERT_EQ(::stat(doc.file().c_str(), &after), 0);
  EXPECT_NE(before.st_ino, after.st_ino);
  EXPECT_EQ(names_in(tmp.path()), (std::set<std::string>{"state.json"}));
  EXPECT_NE(*read_file(doc.file()), old_text);
  EXPECT_EQ(open_ok(tmp.path()).number("n"), 4.0);
}

TEST(PersistSave, FailureIsReportedAndTheDocumentStaysDirty) {
  TempDir tmp;
  Document doc = open_ok(tmp / "state");
  doc.set_text("k", "v");
  // The folder vanishes under the running program (removed by the user, unmounted, …).
  fs::rename(tmp / "state", tmp / "moved");
  const auto saved = doc.save();
  ASSERT_FALSE(saved.has_value());
  EXPECT_THAT(saved.error(), ::testing::HasSubstr("state.json"));
  EXPECT_TRUE(doc.dirty());
  EXPECT_FALSE(fs::exists(tmp / "state"));
  EXPECT_EQ(names_in(tmp / "moved"), (std::set<std::string>{"state.json"}));

  fs::rename(tmp / "moved", tmp / "state");
  ASSERT_TRUE(doc.save().has_value());
  EXPECT_EQ(open_ok(tmp / "state").text("k"), "v");
}

// --- corrupt documents --------------------------------------------------------------------------------

struct CorruptCase {
  const char* name;
  std::string bytes;
};

void PrintTo(const CorruptCase& c, std::ostream* os) {
  *os << c.name;
}

class PersistCorrupt : public ::testing::TestWithParam<CorruptCase> {};

TEST_P(PersistCorrupt, IsSetAsideAndReplaced) {
  TempDir tmp;
  const std::string& bytes = GetParam().bytes;
  write_file(tmp / "state.json", bytes);

  const Document doc = open_ok(tmp.path());
  EXPECT_EQ(read_file(tmp / "state.json.corrupt-1"), bytes);
  EXPECT_NE(doc.stored_actor_hex(), kValidActor);
  EXPECT_FALSE(doc.number("a").has_value());
  EXPECT_EQ(names_in(tmp.path()), (std::set<std::string>{"state.json", "state.json.corrupt-1"}));
  // The replacement is itself a valid document with the new identity.
  EXPECT_EQ(open_ok(tmp.path()).stored_actor_hex(), doc.stored_actor_hex());
}

const CorruptCase kCorruptCases[] = {
    {"empty", ""},
    {"garbage", "\x7f\x45\x4c\x46\x02\x01\x01 not json at all"},
    {"truncated", valid_document(R"({"a":1})").substr(0, 40)},
    {"top_level_array", "[1,2,3]"},
    {"top_level_string", R"("state")"},
    {"duplicate_top_level_key", R"({"format":1,"actor":")" + std::string(kValidActor) + R"(","values":{},"format":1})"},
    {"duplicate_value_key", valid_document(R"({"a":1,"a":2})")},
    {"unknown_top_level_key", R"({"format":1,"actor":")" + std::string(kValidActor) + R"(","values":{},"extra":0})"},
    {"missing_values", R"({"format":1,"actor":")" + std::string(kValidActor) + R"("})"},
    {"missing_actor", R"({"format":1,"values":{},"other":2})"},
    {"format_2", R"({"format":2,"actor":")" + std::string(kValidActor) + R"(","values":{}})"},
    {"format_as_text", R"({"format":"1","actor":")" + std::string(kValidActor) + R"(","values":{}})"},
    {"format_fractional", R"({"format":1.5,"actor":")" + std::string(kValidActor) + R"(","values":{}})"},
    {"actor_short", R"({"format":1,"actor":"0011","values":{}})"},
    {"actor_upper_case", R"({"format":1,"actor":"00112233445566778899AABBCCDDEEFF","values":{}})"},
    {"actor_not_hex", R"({"format":1,"actor":"0011223344556677889900aabbccddxx","values":{}})"},
    {"actor_number", R"({"format":1,"actor":7,"values":{}})"},
    {"values_array", R"({"format":1,"actor":")" + std::string(kValidActor) + R"(","values":[]})"},
    {"value_bool", valid_document(R"({"a":true})")},
    {"value_null", valid_document(R"({"a":null})")},
    {"value_object", valid_document(R"({"a":{"b":1}})")},
    {"value_array", valid_document(R"({"a":[1]})")},
    {"number_overflow", valid_document(R"({"a":1e400})")},
    {"invalid_utf8", valid_document("{\"a\":\"\xff\xfe\"}")},
    {"trailing_garbage", valid_document() + " x"},
    {"oversize", valid_document() + std::string((1 << 20) - valid_document().size() + 1, ' ')},
};

INSTANTIATE_TEST_SUITE_P(Documents, PersistCorrupt, ::testing::ValuesIn(kCorruptCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PersistCorruptSlots, SecondCorruptionTakesTheNextSlotWithoutOverwriting) {
  TempDir tmp;
  write_file(tmp / "state.json", "first bad");
  open_ok(tmp.path());
  write_file(tmp / "state.json", "second bad");
  open_ok(tmp.path());
  EXPECT_EQ(read_file(tmp / "state.json.corrupt-1"), "first bad");
  EXPECT_EQ(read_file(tmp / "state.json.corrupt-2"), "second bad");
}

TEST(PersistCorruptSlots, SkipsSlotsTakenByOtherFiles) {
  TempDir tmp;
  write_file(tmp / "state.json.corrupt-1", "kept by the user");
  fs::create_directory(tmp / "state.json.corrupt-2");
  write_file(tmp / "state.json", "bad");
  open_ok(tmp.path());
  EXPECT_EQ(read_file(tmp / "state.json.corrupt-1"), "kept by the user");
  EXPECT_TRUE(fs::is_directory(tmp / "state.json.corrupt-2"));
  EXPECT_EQ(read_file(tmp / "state.json.corrupt-3"), "bad");
}

TEST(PersistCorruptSlots, DocumentExactlyAtTheBoundIsRead) {
  TempDir tmp;
  const std::string doc = valid_document();
  write_file(tmp / "state.json", doc + std::string((1 << 20) - doc.size(), ' '));
  EXPECT_EQ(open_ok(tmp.path()).stored_actor_hex(), kValidActor);
  EXPECT_FALSE(fs::exists(tmp / "state.json.corrupt-1"));
}

TEST(PersistUnreadable, SymlinkIsSetAsideNotFollowed) {
  TempDir tmp;
  write_file(tmp / "elsewhere.json", valid_document());
  fs::create_directory(tmp / "state");
  fs::create_symlink(tmp / "elsewhere.json", tmp / "state" / "state.json");
  const Document doc = open_ok(tmp / "state");
  EXPECT_NE(doc.stored_actor_hex(), kValidActor);
  EXPECT_TRUE(fs::is_symlink(tmp / "state" / "state.json.corrupt-1"));
  EXPECT_FALSE(fs::is_symlink(tmp / "state" / "state.json"));
  EXPECT_EQ(read_file(tmp / "elsewhere.json"), valid_document());
}

TEST(PersistUnreadable, FolderOrFifoInItsPlaceIsSetAside) {
  TempDir tmp;
  fs::create_directories(tmp / "a" / "state.json" / "inner");
  open_ok(tmp / "a");
  EXPECT_TRUE(fs::is_directory(tmp / "a" / "state.json.corrupt-1" / "inner"));
  EXPECT_TRUE(fs::is_regular_file(tmp / "a" / "state.json"));

  fs::create_directory(tmp / "b");
  ASSERT_EQ(::mkfifo((tmp / "b" / "state.json").c_str(), 0600), 0);
  open_ok(tmp / "b");  // must not block on the pipe
  EXPECT_TRUE(fs::is_fifo(tmp / "b" / "state.json.corrupt-1"));
  EXPECT_TRUE(fs::is_regular_file(tmp / "b" / "state.json"));
}

TEST(PersistUnreadable, UnreadableFileIsSetAside) {
  if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind the superuser";
  TempDir tmp;
  write_file(tmp / "state.json", valid_document());
  ::chmod((tmp / "state.json").c_str(), 0);
  const Document doc = open_ok(tmp.path());
  EXPECT_NE(doc.stored_actor_hex(), kValidActor);
  EXPECT_TRUE(fs::exists(tmp / "state.json.corrupt-1"));
}

}  // namespace
}  // namespace vemo_ui::persist
