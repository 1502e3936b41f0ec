#include "thumbnail/thumbnail_service.h"

#include <gdk-pixbuf/gdk-pixbuf.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <thread>

namespace thumbnail {
namespace {

namespace fs = std::filesystem;

class TempDir {
 public:
  TempDir() {
    std::string tmpl = (fs::temp_directory_path() / "thumbnail-test-XXXXXX").string();
    if (!::mkdtemp(tmpl.data())) std::abort();
    path_ = tmpl;
  }
  ~TempDir() {
    std::error_code ec;
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(path_, ec);
  }
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

// An RGB(A) test picture: the left half red, the right half blue.
std::vector<std::uint8_t> make_image(int w, int h, const char* type) {
  GdkPixbuf* pixbuf = gdk_pixbuf_new(GDK_COLORSPACE_RGB, FALSE, 8, w, h);
  guint8* px = gdk_pixbuf_get_pixels(pixbuf);
  const int stride = gdk_pixbuf_get_rowstride(pixbuf);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      guint8* p = px + y * stride + 3 * x;
      const bool left = x < w / 2;
      p[0] = left ? 220 : 10;
      p[1] = 20;
      p[2] = left ? 10 : 230;
    }
  }
  gchar* buf = nullptr;
  gsize len = 0;
  const bool ok = gdk_pixbuf_save_to_buffer(pixbuf, &buf, &len, type, nullptr, nullptr);
  g_object_unref(pixbuf);
  EXPECT_TRUE(ok);
  std::vector<std::uint8_t> out(reinterpret_cast<std::uint8_t*>(buf), reinterpret_cast<std::uint8_t*>(buf) + len);
  g_free(buf);
  return out;
}

void write_file(const fs::path& p, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(p, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// Waits until the worker has no work left (bounded, so a hung worker fails the test instead).
void drain(const ThumbnailService& service) {
  for (int i = 0; i < 2000 && service.pending_count() > 0; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  ASSERT_EQ(service.pending_count(), 0u);
}

std::unique_ptr<ThumbnailService> make_service(const fs::path& folder, std::uint32_t px) {
  auto created = ThumbnailService::create(folder, px);
  EXPECT_TRUE(created.has_value()) << (created ? "" : created.error());
  return created ? std::move(*created) : nullptr;
}

struct DecodeCase {
  const char* name;
  const char* type;
  int width, height;
  std::uint32_t pixel_size;
  int want_width, want_height;
};

class DecodeTest : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(DecodeTest, FileDecodesFittedIntoThePixelSize) {
  const DecodeCase& c = GetParam();
  TempDir dir;
  const fs::path source = dir.path() / (std::string("picture.") + c.type);
  write_file(source, make_image(c.width, c.height, c.type));
  auto service = make_service(dir.path() / "cache", c.pixel_size);
  ASSERT_TRUE(service);
  const Key key = service->file_key(source, 1000, fs::file_size(source));
  service->request_file(key, source, Category::Image);
  drain(*service);
  auto image = service->ready(key);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->width, c.want_width);
  EXPECT_EQ(image->height, c.want_height);
  ASSERT_EQ(image->rgba.size(), static_cast<std::size_t>(c.want_width) * c.want_height * 4);
  // The left edge stays red and the right edge blue after scaling (JPEG within a tolerance).
  const std::size_t mid = static_cast<std::size_t>(c.want_height / 2) * c.want_width * 4;
  EXPECT_GT(image->rgba[mid + 0], 150);
  EXPECT_LT(image->rgba[mid + 2], 90);
  const std::size_t right = mid + static_cast<std::size_t>(c.want_width - 1) * 4;
  EXPECT_LT(image->rgba[right + 0], 90);
  EXPECT_GT(image->rgba[right + 2], 150);
  EXPECT_EQ(image->rgba[mid + 3], 255);
  EXPECT_TRUE(fs::exists(dir.path() / "cache" / (key.hex() + ".png")));
}

const DecodeCase kDecodeCases[] = {
    {"PngLandscape", "png", 400, 300, 64, 64, 48},
    {"JpegPortrait", "jpeg", 300, 600, 32, 16, 32},
    {"PngSquare", "png", 512, 512, 256, 256, 256},
    {"SmallPngKeepsItsSize", "png", 20, 10, 64, 20, 10},
};
INSTANTIATE_TEST_SUITE_P(Images, DecodeTest, ::testing::ValuesIn(kDecodeCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ThumbnailService, SecondServiceFindsTheCacheWithoutTheSource) {
  TempDir dir;
  const fs::path source = dir.path() / "photo.png";
  write_file(source, make_image(200, 100, "png"));
  Key key;
  {
    auto first = make_service(dir.path() / "cache", 50);
    ASSERT_TRUE(first);
    key = first->file_key(source, 5, fs::file_size(source));
    first->request_file(key, source, Category::Image);
    drain(*first);
    ASSERT_TRUE(first->ready(key));
  }
  fs::remove(source);
  auto second = make_service(dir.path() / "cache", 50);
  ASSERT_TRUE(second);
  EXPECT_EQ(second->ready(key), nullptr);
  second->request_file(key, source, Category::Image);
  drain(*second);
  auto image = second->ready(key);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->width, 50);
  EXPECT_EQ(image->height, 25);
}

TEST(ThumbnailService, BrokenOrForeignBytesFailQuietly) {
  TempDir dir;
  auto service = make_service(dir.path() / "cache", 64);
  ASSERT_TRUE(service);
  std::vector<std::uint8_t> truncated = make_image(100, 100, "png");
  truncated.resize(truncated.size() / 2);
  std::vector<std::uint8_t> cut_jpeg = make_image(120, 80, "jpeg");
  cut_jpeg.resize(cut_jpeg.size() * 2 / 3);
  std::vector<std::uint8_t> garbage = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n', 1, 2, 3, 4, 5, 6};
  std::vector<std::uint8_t> gif = {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0, 0, 0};
  const std::vector<std::uint8_t>* inputs[] = {&truncated, &cut_jpeg, &garbage, &gif};
  std::vector<Key> keys;
  for (std::size_t i = 0; i < std::size(inputs); ++i) {
    std::array<std::uint8_t, 32> hash{};
    hash[0] = static_cast<std::uint8_t>(i + 1);
    keys.push_back(service->content_key(hash));
    service->request_bytes(keys.back(), *inputs[i], Category::Image);
  }
  drain(*service);
  for (const Key& key : keys) {
    EXPECT_TRUE(service->known(key));
    EXPECT_EQ(service->ready(key), nullptr);
    EXPECT_FALSE(fs::exists(dir.path() / "cache" / (key.hex() + ".png")));
  }
}

TEST(ThumbnailService, LoaderRunsOnTheWorkerAndNonImagesAreNotRead) {
  TempDir dir;
  auto service = make_service(dir.path() / "cache", 64);
  ASSERT_TRUE(service);
  const auto caller = std::this_thread::get_id();
  std::thread::id loader_thread;
  std::array<std::uint8_t, 32> hash{};
  const Key from_loader = service->content_key(hash);
  service->request_loaded(
      from_loader,
      [&] {
        loader_thread = std::this_thread::get_id();
        return std::optional(make_image(128, 64, "png"));
      },
      Category::Document);
  const fs::path text = dir.path() / "notes.txt";
  write_file(text, {'h', 'i'});
  const Key text_key = service->file_key(text, 0, 2);
  service->request_file(text_key, text, Category::Document);
  drain(*service);
  auto image = service->ready(from_loader);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->width, 64);
  EXPECT_EQ(image->height, 32);
  EXPECT_NE(loader_thread, caller);
  EXPECT_TRUE(service->known(text_key));
  EXPECT_EQ(service->ready(text_key), nullptr);
}

TEST(ThumbnailService, FifoIsRefusedWithoutBlocking) {
  TempDir dir;
  const fs::path fifo = dir.path() / "pipe.png";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  auto service = make_service(dir.path() / "cache", 64);
  ASSERT_TRUE(service);
  const Key key = service->file_key(fifo, 0, 0);
  service->request_file(key, fifo, Category::Image);
  drain(*service);
  EXPECT_EQ(service->ready(key), nullptr);
}

TEST(ThumbnailService, DestructorStopsWithWorkQueued) {
  TempDir dir;
  const fs::path source = dir.path() / "big.png";
  write_file(source, make_image(1200, 900, "png"));
  auto service = make_service(dir.path() / "cache", 128);
  ASSERT_TRUE(service);
  for (int i = 0; i < 20; ++i) service->request_file(service->file_key(source, i, 1), source, Category::Image);
  EXPECT_GT(service->pending_count(), 0u);
  service.reset();  // joins; must not hang or touch freed state
}

TEST(ThumbnailService, CreateRefusesAFileAndAReadOnlyFolder) {
  TempDir dir;
  write_file(dir.path() / "plain", {'x'});
  auto on_file = ThumbnailService::create(dir.path() / "plain");
  ASSERT_FALSE(on_file.has_value());
  EXPECT_NE(on_file.error().find("thumbnail cache"), std::string::npos);
  if (::geteuid() != 0) {
    fs::create_directory(dir.path() / "ro");
    fs::permissions(dir.path() / "ro", fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_FALSE(ThumbnailService::create(dir.path() / "ro").has_value());
    EXPECT_FALSE(ThumbnailService::create(dir.path() / "ro" / "sub").has_value());
  }
  EXPECT_FALSE(ThumbnailService::create(dir.path() / "ok", 0).has_value());
  EXPECT_TRUE(ThumbnailService::create(dir.path() / "ok" / "nested").has_value());
}

}  // namespace
}  // namespace thumbnail
