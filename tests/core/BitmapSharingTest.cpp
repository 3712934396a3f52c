// Copies share their bands of rows until one of them is written; these
// tests look under that: what is shared, what a write copies, and that no
// copy ever sees another's writes.
#include <gtest/gtest.h>

#include <cstdint>
#include <thread>
#include <utility>
#include <vector>

#include "core/Bitmap.h"
#include "core/Error.h"

namespace kroma {
namespace {

// The stored bytes of every row, taken without sharing anything.
std::vector<std::vector<std::uint8_t>> RowBytes(const TBitmap& b) {
  std::vector<std::vector<std::uint8_t>> rows;
  for (int y = 0; y < b.Height(); ++y) {
    const std::uint8_t* p = b.ScanLine(y);
    rows.emplace_back(p, p + b.Stride());
  }
  return rows;
}

// A picture whose every byte depends on its place.
TBitmap Ramp(int width, int height) {
  TBitmap b(width, height, pf24bit, {});
  for (int y = 0; y < height; ++y) {
    std::uint8_t* p = b.ScanLine(y);
    for (int i = 0; i < width * 3; ++i) p[i] = static_cast<std::uint8_t>(i * 7 + y * 13);
  }
  return b;
}

TEST(BitmapSharing, AWriteCopiesOnlyItsBandAndNoCopySeesIt) {
  TBitmap a = Ramp(300, 200);
  const auto before = RowBytes(a);
  TBitmap b = a;
  const int band = a.RowsPerBand();
  ASSERT_GT(band, 1);
  ASSERT_LT(band, 200) << "the test needs several bands";
  for (int y = 0; y < 200; ++y) ASSERT_TRUE(a.SharesRow(b, y)) << y;

  const int y = band + 1;  // inside the second band
  a.ScanLine(y)[4] = 99;
  EXPECT_EQ(RowBytes(b), before) << "the copy keeps every byte";
  for (int r = 0; r < 200; ++r)
    EXPECT_EQ(a.SharesRow(b, r), r < band || r >= 2 * band) << "row " << r;
  EXPECT_EQ(a.UnsharedBytes(), std::int64_t{band} * a.Stride());

  // Writes through the copy, and through a copy of the copy, stay apart too.
  TBitmap c = b;
  b.SetPixel(0, 0, clRed);
  EXPECT_EQ(RowBytes(c), before);
  EXPECT_EQ(a.GetPixel(0, 0), c.GetPixel(0, 0));
  EXPECT_EQ(a.ScanLine(y)[4], 99);
}

TEST(BitmapSharing, OneColourThroughoutHoldsOneBand) {
  const std::int64_t before = LivePixelBytes();
  {
    TBitmap white(4000, 3000);
    const std::int64_t held = LivePixelBytes() - before;
    EXPECT_LE(held, std::int64_t{64} << 10) << "a new white image holds one band, not 36 MB";
    EXPECT_EQ(white.GetPixel(3999, 2999), clWhite);

    TBitmap grown = white;
    grown.SetSize(4100, 3100);  // still white throughout
    EXPECT_LE(LivePixelBytes() - before, 2 * held + (std::int64_t{64} << 10));
    EXPECT_EQ(grown.GetPixel(4099, 3099), clWhite);

    white.Fill(clRed);
    EXPECT_EQ(white.GetPixel(1234, 2345), clRed);
    EXPECT_LE(LivePixelBytes() - before, std::int64_t{256} << 10);
  }
  EXPECT_EQ(LivePixelBytes(), before) << "every band is freed with its last bitmap";
}

// Resizing keeps the top-left pixels and fills white (BitmapTest); here:
// with the width unchanged the untouched bands stay shared, and a picture
// that is white where it is kept becomes shared white.
TEST(BitmapSharing, ResizingSharesWhatItKeeps) {
  TBitmap a = Ramp(100, 1000);
  const auto before = RowBytes(a);
  TBitmap taller = a;
  taller.SetHeight(1500);
  TBitmap shorter = a;
  shorter.SetHeight(333);
  const int band = a.RowsPerBand();
  for (int y = 0; y < 1000 / band * band; ++y) EXPECT_TRUE(taller.SharesRow(a, y)) << y;
  for (int y = 0; y < 333; ++y) EXPECT_EQ(shorter.ScanLine(y)[5], before[static_cast<std::size_t>(y)][5]) << y;
  for (int y = 1000; y < 1500; ++y) ASSERT_EQ(taller.GetPixel(99, y), clWhite) << y;
  EXPECT_EQ(RowBytes(a), before);

  TBitmap white(50, 2000);
  white.SetPixel(49, 1999, clBlack);
  const std::int64_t held = LivePixelBytes();
  white.SetSize(40, 3000);  // the black pixel is cut off
  EXPECT_LE(LivePixelBytes() - held, std::int64_t{64} << 10);
  EXPECT_EQ(white.GetPixel(39, 1999), clWhite);
}

// Resizing to no pixels (rows of width 0, or no rows) and back.
TEST(BitmapSharing, ResizesToNothingAndBack) {
  TBitmap b = Ramp(5, 4);
  for (auto [w, h] : {std::pair{0, 4}, {5, 0}, {0, 0}, {3, 2}}) {
    b.SetSize(w, h);
    EXPECT_EQ(b.Width(), w);
    EXPECT_EQ(b.Height(), h);
  }
  EXPECT_EQ(b.GetPixel(2, 1), clWhite);
}

TEST(BitmapSharing, RowsOfABandAreContiguous) {
  const TBitmap b = Ramp(1000, 100);
  const int band = b.RowsPerBand();
  ASSERT_LT(band, 100);
  EXPECT_EQ(b.ContiguousRows(0), band);
  EXPECT_EQ(b.ContiguousRows(band - 1), 1);
  EXPECT_EQ(b.ContiguousRows(99), 1);
  for (int y = 0; y + 1 < band; ++y) EXPECT_EQ(b.ScanLine(y + 1), b.ScanLine(y) + b.Stride());
  EXPECT_THROW(b.ContiguousRows(100), Error);
}

TEST(BitmapSharing, MakeWritableCopiesSharedBandsOnce) {
  TBitmap a = Ramp(1000, 300);
  const TBitmap b = a;
  a.MakeWritable();
  for (int y = 0; y < 300; ++y) ASSERT_FALSE(a.SharesRow(b, y)) << y;
  std::uint8_t* row = a.ScanLine(7);
  EXPECT_EQ(a.ScanLine(7), row) << "a writable band is written in place";
  EXPECT_EQ(RowBytes(a), RowBytes(b));
}

// Several threads writing one bitmap may copy shared bands only inside their
// own rows; a band reaching into another thread's rows is refused rather
// than copied twice at once.
TEST(BitmapSharing, ARowJobCopiesOnlyBandsInsideItsRows) {
  TBitmap a = Ramp(1000, 256);
  const TBitmap keep = a;
  const int band = a.RowsPerBand();
  ASSERT_LT(2 * band, 256);
  std::thread worker([&] {
    const TRowJobScope job(0, band + band / 2);  // the first band and half the second
    EXPECT_NO_THROW(a.ScanLine(0)[0] = 1);
    EXPECT_THROW(a.ScanLine(band)[0] = 2, Error);
  });
  worker.join();
  EXPECT_EQ(a.ScanLine(0)[0], 1);
  EXPECT_EQ(a.ScanLine(band)[0], keep.ScanLine(band)[0]) << "the refused row is untouched";
  EXPECT_NO_THROW(a.ScanLine(band)[0] = 2) << "outside a job every write may copy";
}

}  // namespace
}  // namespace kroma
