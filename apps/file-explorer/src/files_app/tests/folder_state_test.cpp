#include "files_app/folder_state.h"

#include <gtest/gtest.h>

namespace fe {
namespace {

TEST(FolderState, LoadErrorReasonFollowsThePrefixAndIsCut) {
  EXPECT_EQ(load_error_reason("Could not open this folder: Permission denied (os error 13)"),
            "Permission denied (os err…");
  EXPECT_EQ(load_error_reason("Could not open this folder: No such file or directory"), "No such file or directory");
  EXPECT_EQ(load_error_reason("x: 12345678901234567890123456"), "12345678901234567890123456") << "26 stay whole";
  EXPECT_EQ(load_error_reason("x: 123456789012345678901234567"), "1234567890123456789012345…");
  EXPECT_EQ(load_error_reason("no separator"), "no separator");
}

TEST(FolderState, PathsAreShortenedFromTheFront) {
  EXPECT_EQ(shorten_front("/short", 22), "/short");
  EXPECT_EQ(shorten_front("/a/very/long/path/to/some/folder", 22), "…g/path/to/some/folder");
  EXPECT_EQ(shorten_front("/äöü/äöü/äöü/äöü/äöü/äöü/äöü/äöü", 10), "…ü/äöü/äöü");
}

TEST(FolderState, DisplayPathUsesTheTildeForHome) {
  EXPECT_EQ(display_path("/home/ann", std::filesystem::path("/home/ann")), "~");
  EXPECT_EQ(display_path("/home/ann/Music", std::filesystem::path("/home/ann")), "~/Music");
  EXPECT_EQ(display_path("/home/anna", std::filesystem::path("/home/ann")), "/home/anna");
  EXPECT_EQ(display_path("/srv", std::nullopt), "/srv");
}

}  // namespace
}  // namespace fe
