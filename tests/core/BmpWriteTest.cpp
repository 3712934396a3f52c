#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "core/Bitmap.h"
#include "core/BmpCodec.h"
#include "core/Error.h"
#include "core/FileIO.h"

namespace kroma {
namespace {

std::uint32_t Le32(const std::vector<std::uint8_t>& f, std::size_t at) {
  return f[at] | (f[at + 1] << 8) | (f[at + 2] << 16) | (std::uint32_t{f[at + 3]} << 24);
}
std::uint16_t Le16(const std::vector<std::uint8_t>& f, std::size_t at) {
  return static_cast<std::uint16_t>(f[at] | (f[at + 1] << 8));
}

// A bitmap of random pixels; palette formats get a palette of their own
// with fewer entries than the format allows.
TBitmap RandomBitmap(int width, int height, TPixelFormat pf, std::mt19937& rng) {
  TBitmap b(width, height, pf);
  if (IsPaletteFormat(pf)) {
    std::vector<TColor> palette;
    int size = pf == pf1bit ? 2 : (pf == pf4bit ? 11 : 200);
    for (int i = 0; i < size; ++i) palette.push_back(static_cast<TColor>(rng() & 0xFFFFFF));
    b.SetPalette(palette);
  }
  std::int64_t bits = static_cast<std::int64_t>(width) * BitsPerPixel(pf);
  for (int y = 0; y < height; ++y) {
    std::uint8_t* row = b.ScanLine(y);
    for (std::int64_t i = 0; i < bits / 8; ++i) row[i] = static_cast<std::uint8_t>(rng());
    if (bits % 8) row[bits / 8] = static_cast<std::uint8_t>(rng() & (0xFF00u >> (bits % 8)));
  }
  return b;
}

bool SameRows(const TBitmap& a, const TBitmap& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height() || a.Stride() != b.Stride()) return false;
  for (int y = 0; y < a.Height(); ++y)
    if (std::memcmp(a.ScanLine(y), b.ScanLine(y), static_cast<std::size_t>(a.Stride())) != 0) return false;
  return true;
}

TEST(BmpWrite, EveryFormatRoundTrips) {
  std::mt19937 rng(7);
  for (TPixelFormat pf : {pf1bit, pf4bit, pf8bit, pf16bit, pf24bit, pf32bit}) {
    for (int width : {1, 2, 3, 5, 7, 33}) {
      SCOPED_TRACE(std::string(PixelFormatName(pf)) + " width " + std::to_string(width));
      TBitmap original = RandomBitmap(width, 3, pf, rng);
      TBitmap read;
      ReadBmp(WriteBmp(original), read);
      EXPECT_EQ(read.PixelFormat(), pf);
      EXPECT_EQ(read.Palette(), original.Palette());
      EXPECT_TRUE(SameRows(read, original));
    }
  }
}

TEST(BmpWrite, HeaderFieldsAndLayout) {
  struct Case {
    TPixelFormat pf;
    std::uint32_t compression;
    std::uint32_t colorsUsed;
    std::uint32_t pixelOffset;
  };
  const Case cases[] = {
      {pf1bit, 0, 2, 14 + 40 + 8},   {pf4bit, 0, 16, 14 + 40 + 64}, {pf8bit, 0, 256, 14 + 40 + 1024},
      {pf16bit, 3, 0, 14 + 40 + 12}, {pf24bit, 0, 0, 14 + 40},      {pf32bit, 0, 0, 14 + 40},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(PixelFormatName(c.pf));
    TBitmap b(3, 2, c.pf);
    b.SetPixel(0, 1, clBlack);  // bottom-left: the first pixel of the file
    std::vector<std::uint8_t> f = WriteBmp(b);
    const std::uint32_t stride = static_cast<std::uint32_t>(b.Stride());
    EXPECT_EQ(f[0], 'B');
    EXPECT_EQ(f[1], 'M');
    EXPECT_EQ(Le32(f, 2), f.size());
    EXPECT_EQ(Le32(f, 10), c.pixelOffset);
    EXPECT_EQ(f.size(), c.pixelOffset + 2 * stride);
    EXPECT_EQ(Le32(f, 14), 40u);
    EXPECT_EQ(static_cast<std::int32_t>(Le32(f, 18)), 3);
    EXPECT_EQ(static_cast<std::int32_t>(Le32(f, 22)), 2);  // positive: bottom-up
    EXPECT_EQ(Le16(f, 26), 1);
    EXPECT_EQ(Le16(f, 28), BitsPerPixel(c.pf));
    EXPECT_EQ(Le32(f, 30), c.compression);
    EXPECT_EQ(Le32(f, 34), 2 * stride);
    EXPECT_EQ(Le32(f, 38), 3780u);
    EXPECT_EQ(Le32(f, 42), 3780u);
    EXPECT_EQ(Le32(f, 46), c.colorsUsed);
    if (c.pf == pf16bit) {
      EXPECT_EQ(Le32(f, 54), 0xF800u);
      EXPECT_EQ(Le32(f, 58), 0x07E0u);
      EXPECT_EQ(Le32(f, 62), 0x001Fu);
    }
    // The bottom row comes first; its first pixel is black (index 0 or
    // all-zero bytes in every format here) and the next one is not.
    const std::uint8_t* first = &f[c.pixelOffset];
    EXPECT_EQ(first[0] & (c.pf == pf1bit ? 0x80 : (c.pf == pf4bit ? 0xF0 : 0xFF)), 0);
    EXPECT_NE(std::memcmp(first, f.data() + c.pixelOffset + stride, stride), 0);
  }
}

TEST(BmpWrite, PaletteEntriesAreBlueGreenRedZero) {
  TBitmap b(1, 1, pf4bit);
  b.SetPalette({RGB(1, 2, 3), RGB(4, 5, 6), RGB(7, 8, 9)});
  std::vector<std::uint8_t> f = WriteBmp(b);
  EXPECT_EQ(Le32(f, 46), 3u);
  EXPECT_EQ(std::vector<std::uint8_t>(f.begin() + 54, f.begin() + 66),
            (std::vector<std::uint8_t>{3, 2, 1, 0, 6, 5, 4, 0, 9, 8, 7, 0}));
  EXPECT_EQ(Le32(f, 10), 66u);
}

TEST(BmpWrite, PaddingIsZeroWhateverTheRowHolds) {
  TBitmap b(1, 1, pf24bit);
  b.ScanLine(0)[3] = 0xEE;  // the padding byte of the only row
  std::vector<std::uint8_t> f = WriteBmp(b);
  EXPECT_EQ(f[54 + 3], 0);
}

TEST(BmpWrite, EmptyBitmapIsRefused) {
  EXPECT_THROW(WriteBmp(TBitmap()), Error);
  EXPECT_THROW(WriteBmp(TBitmap(5, 0)), Error);
}

class BmpFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("kroma-bmp-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + "-" +
            std::to_string(::getpid()));
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::filesystem::path dir_;
};

TEST_F(BmpFiles, SaveAndLoadThroughTheBitmap) {
  TBitmap b(4, 3, pf8bit);
  b.SetPixel(1, 2, clRed);
  const std::string path = (dir_ / "a.bmp").string();
  b.SaveToFile(path);
  TBitmap read;
  read.LoadFromFile(path);
  EXPECT_EQ(read.PixelFormat(), pf8bit);
  EXPECT_EQ(read.GetPixel(1, 2), clRed);
  EXPECT_EQ(read.GetPixel(0, 0), clWhite);
  // No temporary file stays behind.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_), std::filesystem::directory_iterator()), 1);
}

TEST_F(BmpFiles, LoadErrorsNameTheFileAndKeepTheBitmap) {
  TBitmap b(2, 2);
  const std::string missing = (dir_ / "missing.bmp").string();
  try {
    LoadBmpFile(missing, b);
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_NE(std::string(e.what()).find("missing.bmp"), std::string::npos);
  }
  const std::string bad = (dir_ / "bad.bmp").string();
  WriteFileAtomic(bad, std::vector<std::uint8_t>{'B', 'M', 1, 2, 3});
  try {
    LoadBmpFile(bad, b);
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_NE(std::string(e.what()).find("bad.bmp"), std::string::npos);
    EXPECT_NE(std::string(e.what()).find("Invalid BMP file"), std::string::npos);
  }
  EXPECT_EQ(b.Width(), 2);
  EXPECT_EQ(b.GetPixel(1, 1), clWhite);
}

TEST_F(BmpFiles, SavingOverAFileKeepsItsPermissions) {
  const std::filesystem::path path = dir_ / "private.bmp";
  SaveBmpFile(path.string(), TBitmap(1, 1));
  std::filesystem::permissions(path, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
  SaveBmpFile(path.string(), TBitmap(2, 2));
  EXPECT_EQ(std::filesystem::status(path).permissions() & std::filesystem::perms::all,
            std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
  TBitmap read;
  LoadBmpFile(path.string(), read);
  EXPECT_EQ(read.Width(), 2);
}

// Saving through a symbolic link (also one in another folder) replaces
// the file it points to; the link stays a link.
TEST_F(BmpFiles, SavingThroughALinkReplacesItsTarget) {
  std::filesystem::create_directories(dir_ / "real");
  const std::filesystem::path target = dir_ / "real" / "picture.bmp", link = dir_ / "link.bmp";
  SaveBmpFile(target.string(), TBitmap(1, 1));
  std::filesystem::create_symlink("real/picture.bmp", link);
  SaveBmpFile(link.string(), TBitmap(3, 2));
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  TBitmap read;
  LoadBmpFile(target.string(), read);
  EXPECT_EQ(read.Width(), 3);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_ / "real"), std::filesystem::directory_iterator()), 1)
      << "no temporary file stays behind";
}

TEST_F(BmpFiles, FailedSaveKeepsTheOldFile) {
  const std::string path = (dir_ / "keep.bmp").string();
  TBitmap small(1, 1);
  SaveBmpFile(path, small);
  const auto before = ReadWholeFile(path);
  EXPECT_THROW(SaveBmpFile(path, TBitmap()), Error);
  EXPECT_THROW(SaveBmpFile((dir_ / "no-such-folder" / "x.bmp").string(), small), Error);
  EXPECT_EQ(ReadWholeFile(path), before);
}

}  // namespace
}  // namespace kroma
