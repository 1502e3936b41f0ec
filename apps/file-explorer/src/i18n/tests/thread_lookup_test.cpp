#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "i18n/i18n.h"

namespace fe {
namespace {

// Every thread builds its own bundles and formatters; all must give the same texts.
TEST(ThreadLookup, EachThreadFormatsLikeTheFirst) {
  const Args args = {{"count", 2.0}, {"destination", std::string("Docs")}};
  const std::string text = tr_args("files-moved-to-folder", args);
  const std::string size = format_size(1'536'000);
  const std::string time = format_time_ms(1'709'647'620'000);

  constexpr int kThreads = 4;
  std::vector<std::string> texts(kThreads), sizes(kThreads), times(kThreads);
  std::vector<std::thread> threads;
  for (int i = 0; i < kThreads; ++i) {
    threads.emplace_back([&, i] {
      for (int round = 0; round < 50; ++round) {
        texts[i] = tr_args("files-moved-to-folder", args);
        sizes[i] = format_size(1'536'000);
        times[i] = format_time_ms(1'709'647'620'000);
      }
    });
  }
  for (std::thread& t : threads) t.join();
  for (int i = 0; i < kThreads; ++i) {
    EXPECT_EQ(texts[i], text);
    EXPECT_EQ(sizes[i], size);
    EXPECT_EQ(times[i], time);
  }
  EXPECT_NE(text, "files-moved-to-folder");
}

}  // namespace
}  // namespace fe
