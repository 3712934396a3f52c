// Inputs the reader fuzzers once got stuck or crashed on, kept in data/ as
// fuzz-<format>-*: each must now end in a clear error, the target untouched.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "FilesTestSupport.h"
#include "core/Error.h"
#include "core/FileIO.h"
#include "files/GifCodec.h"
#include "files/IcoReader.h"
#include "files/JpegCodec.h"
#include "files/PngCodec.h"

namespace kroma {
namespace {

TEST(FuzzFixtures, ReadersRefuseWhatTheFuzzersFound) {
  using TReader = std::function<void(std::span<const std::uint8_t>, TBitmap&)>;
  const std::pair<std::string, TReader> readers[] = {
      {"fuzz-png-", ReadPng}, {"fuzz-jpeg-", ReadJpeg}, {"fuzz-gif-", ReadGif}, {"fuzz-ico-", ReadIco}};
  int seen = 0;
  for (const auto& entry : std::filesystem::directory_iterator(KROMA_TEST_DATA)) {
    const std::string name = entry.path().filename().string();
    for (const auto& [prefix, read] : readers) {
      if (!name.starts_with(prefix)) continue;
      ++seen;
      TBitmap target = test::Pattern(3, 2);
      EXPECT_THROW(read(ReadWholeFile(entry.path().string()), target), Error) << name;
      EXPECT_TRUE(test::SamePixels(target, test::Pattern(3, 2))) << name;
    }
  }
  EXPECT_GE(seen, 2);
}

}  // namespace
}  // namespace kroma
