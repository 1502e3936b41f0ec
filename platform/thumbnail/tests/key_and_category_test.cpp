#include <gtest/gtest.h>

#include <set>

#include "thumbnail/category.h"
#include "thumbnail/key.h"

namespace thumbnail {
namespace {

TEST(Key, EveryInputNamesAnotherThumbnail) {
  const Key base = key_for_file("/home/a/photo.png", 1000, 42, 256);
  const Key keys[] = {
      base,
      key_for_file("/home/a/photo2.png", 1000, 42, 256),
      key_for_file("/home/a/photo.png", 1001, 42, 256),
      key_for_file("/home/a/photo.png", 1000, 43, 256),
      key_for_file("/home/a/photo.png", 1000, 42, 128),
  };
  std::set<std::string> hexes;
  for (const Key& k : keys) hexes.insert(k.hex());
  EXPECT_EQ(hexes.size(), std::size(keys));
  EXPECT_EQ(base, key_for_file("/home/a/photo.png", 1000, 42, 256));
  EXPECT_EQ(base.hex().size(), 64u);
  EXPECT_EQ(base.hex().find_first_not_of("0123456789abcdef"), std::string::npos);
}

TEST(Key, ContentKeysDependOnHashAndSizeOnly) {
  std::array<std::uint8_t, 32> hash{};
  hash[31] = 7;
  const Key a = key_for_content(hash, 256);
  EXPECT_EQ(a, key_for_content(hash, 256));
  EXPECT_NE(a, key_for_content(hash, 255));
  hash[0] = 1;
  EXPECT_NE(a, key_for_content(hash, 256));
  EXPECT_NE(KeyHash{}(a), KeyHash{}(key_for_content(hash, 256)));
}

TEST(Category, ByExtension) {
  struct Case {
    const char* path;
    Category want;
  };
  const Case cases[] = {
      {"/a/photo.PNG", Category::Image},
      {"clip.mkv", Category::Video},
      {"song.flac", Category::Audio},
      {"backup.tar.gz", Category::Archive},
      {"main.cpp", Category::Code},
      {"letter.docx", Category::Document},
      {"budget.ods", Category::Spreadsheet},
      {"talk.pptx", Category::Presentation},
      {"paper.pdf", Category::Pdf},
      {"Inter.ttf", Category::Font},
      {"settings.yaml", Category::Config},
      {"novel.epub", Category::Book},
      {"/home/u/.bashrc", Category::Other},
      {"Makefile", Category::Other},
      {"/dir.png/README", Category::Other},
      {"archive.", Category::Other},
      {"strange.verylongextension", Category::Other},
  };
  for (const Case& c : cases) EXPECT_EQ(category_for(c.path), c.want) << c.path;
}

TEST(Category, OrdinalsAndNamesAreFixed) {
  EXPECT_EQ(static_cast<int>(Category::Image), 0);
  EXPECT_EQ(static_cast<int>(Category::Pdf), 8);
  EXPECT_EQ(static_cast<int>(Category::Other), 12);
  EXPECT_EQ(kCategoryCount, 13u);
  EXPECT_EQ(category_name(Category::Spreadsheet), "spreadsheet");
  EXPECT_EQ(category_name(Category::Other), "other");
}

}  // namespace
}  // namespace thumbnail
