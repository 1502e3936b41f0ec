#include "views/thumbnails.h"

#include <gdk-pixbuf/gdk-pixbuf.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <chrono>
#include <fstream>
#include <thread>

namespace fe {
namespace {

namespace fs = std::filesystem;

struct TempDir {
  fs::path path;
  TempDir() {
    std::string t = (fs::temp_directory_path() / "fe-views-thumbs-XXXXXX").string();
    if (!::mkdtemp(t.data())) std::abort();
    path = t;
  }
  ~TempDir() {
    std::error_code ec;
    fs::remove_all(path, ec);
  }
};

void write_png(const fs::path& p, int w, int h) {
  GdkPixbuf* pixbuf = gdk_pixbuf_new(GDK_COLORSPACE_RGB, TRUE, 8, w, h);
  gdk_pixbuf_fill(pixbuf, 0x2080c0ff);
  ASSERT_TRUE(gdk_pixbuf_save(pixbuf, p.c_str(), "png", nullptr, nullptr));
  g_object_unref(pixbuf);
}

TEST(Thumbnails, ModificationMillisecondsUndoTheLocalOffset) {
  // 2023-11-14 22:13:20 UTC = 1,700,000,000 s, written at UTC+2 with 250 ms.
  LocalDateTime t{2023, 11, 15, 0, 13, 20, 250'000'000, 7200};
  EXPECT_EQ(modification_ms(t), 1'700'000'000'250);
  LocalDateTime before_epoch{1969, 12, 31, 23, 0, 0, 0, 0};
  EXPECT_EQ(modification_ms(before_epoch), 0);
  EXPECT_EQ(modification_ms(std::nullopt), 0);
}

TEST(Thumbnails, ReadyImageIsConvertedOnceIntoTheSharedMap) {
  TempDir dir;
  const fs::path photo = dir.path / "photo.png";
  write_png(photo, 300, 150);
  auto service = thumbnail::ThumbnailService::create(dir.path / "cache", 64);
  ASSERT_TRUE(service.has_value());
  ThumbnailHandles handles{
      std::shared_ptr<thumbnail::ThumbnailService>(std::move(*service)), std::make_shared<ThumbnailImages>(), {}};
  FileEntry e;
  e.name = "photo.png";
  e.path = photo;
  e.size = fs::file_size(photo);
  EXPECT_EQ(thumbnail_for(e, handles), nullptr);  // queued, not ready
  for (int i = 0; i < 2000 && handles.service->pending_count() > 0; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  const vemo_ui::Image* image = thumbnail_for(e, handles);
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->width(), 64);
  EXPECT_EQ(image->height(), 32);
  EXPECT_EQ(handles.images->images.size(), 1u);
  EXPECT_EQ(thumbnail_for(e, handles), image);  // the same converted image, not a new one

  // A folder never asks; a file with a content hash uses the content key.
  FileEntry folder = e;
  folder.is_dir = true;
  EXPECT_EQ(thumbnail_for(folder, handles), nullptr);
  FileEntry hashed = e;
  hashed.content_hash = ContentHash{};
  EXPECT_EQ(thumbnail_key(hashed, *handles.service), handles.service->content_key(*hashed.content_hash));
  EXPECT_NE(thumbnail_key(hashed, *handles.service), thumbnail_key(e, *handles.service));
}

TEST(Thumbnails, WorkspaceItemsUseTheirPreviewAttribute) {
  TempDir dir;
  const fs::path doc = dir.path / "report.png";
  write_png(doc, 40, 40);  // a decodable file that must not be read: the attribute is the source
  auto service = thumbnail::ThumbnailService::create(dir.path / "cache", 64);
  ASSERT_TRUE(service.has_value());
  ThumbnailHandles handles{std::shared_ptr<thumbnail::ThumbnailService>(std::move(*service)),
                           std::make_shared<ThumbnailImages>(),
                           {dir.path}};
  FileEntry e;
  e.name = "report.png";
  e.path = doc;
  EXPECT_EQ(thumbnail_for(e, handles), nullptr);
  for (int i = 0; i < 2000 && handles.service->pending_count() > 0; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  // No "user.vemo.thumb" attribute: nothing to show, and the file itself was not used.
  EXPECT_EQ(thumbnail_for(e, handles), nullptr);
  EXPECT_TRUE(handles.service->known(thumbnail_key(e, *handles.service)));
}

}  // namespace
}  // namespace fe
