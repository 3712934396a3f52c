#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "core/Bitmap.h"
#include "core/Error.h"

namespace kroma {
namespace {

const TPixelFormat kAllFormats[] = {pf1bit, pf4bit, pf8bit, pf16bit, pf24bit, pf32bit};

std::vector<TColor> Pixels(const TBitmap& b) {
  std::vector<TColor> out;
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) out.push_back(b.GetPixel(x, y));
  return out;
}

TEST(Bitmap, NewBitmapIsWhite24Bit) {
  TBitmap b(3, 2);
  EXPECT_EQ(b.PixelFormat(), pf24bit);
  EXPECT_EQ(b.GetPixel(2, 1), clWhite);
  EXPECT_EQ(b.Stride(), 12);
}

TEST(Bitmap, ImageSizeLimits) {
  EXPECT_NO_THROW(CheckImageSize(1 << 14, 1 << 14));  // exactly 2^28 pixels
  EXPECT_NO_THROW(CheckImageSize(0, INT_MAX));
  EXPECT_THROW(CheckImageSize(1 << 14, (1 << 14) + 1), Error);
  EXPECT_THROW(CheckImageSize(INT_MAX, INT_MAX), Error);
  EXPECT_THROW(CheckImageSize(std::int64_t{1} << 40, 1), Error);
  EXPECT_THROW(CheckImageSize(-1, 5), Error);
  EXPECT_THROW(CheckImageSize(5, -1), Error);
  EXPECT_THROW(TBitmap(-1, 1), Error);
  EXPECT_THROW(TBitmap(65536, 65536), Error);
}

// Black and white are in every palette, so they survive every format.
TEST(Bitmap, ResizeKeepsTopLeftAndFillsWhiteInEveryFormat) {
  for (TPixelFormat pf : kAllFormats) {
    SCOPED_TRACE(PixelFormatName(pf));
    TBitmap b(3, 2, pf);
    b.Fill(clBlack);
    b.SetPixel(2, 1, clWhite);
    b.SetWidth(9);
    b.SetHeight(3);
    ASSERT_EQ(b.Width(), 9);
    ASSERT_EQ(b.Height(), 3);
    EXPECT_EQ(b.PixelFormat(), pf);
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 9; ++x) {
        bool old = x < 3 && y < 2 && !(x == 2 && y == 1);
        EXPECT_EQ(b.GetPixel(x, y), old ? clBlack : clWhite) << x << "," << y;
      }
    b.SetSize(2, 1);
    EXPECT_EQ(Pixels(b), (std::vector<TColor>{clBlack, clBlack}));
    // Growing again shows white, not the pixels cut off before.
    b.SetSize(3, 1);
    EXPECT_EQ(b.GetPixel(2, 0), clWhite);
  }
}

TEST(Bitmap, ResizingKeepsTheTransparencySettings) {
  TBitmap b(5, 5);
  b.Transparent = true;
  b.SetTransparentColor(clRed);
  b.SetSize(9, 2);
  EXPECT_TRUE(b.Transparent);
  EXPECT_EQ(b.TransparentMode(), tmFixed);
  EXPECT_EQ(b.TransparentColor(), clRed);
}

TEST(Bitmap, ShrinkingClearsTheBitsPastTheLastPixel) {
  TBitmap b(8, 1, pf1bit);
  b.Fill(clWhite);
  b.SetWidth(3);
  EXPECT_EQ(b.ScanLine(0)[0], 0xE0);
}

TEST(Bitmap, RefusedResizeKeepsTheBitmap) {
  TBitmap b(2, 2, pf8bit);
  b.SetPixel(1, 1, clRed);
  EXPECT_THROW(b.SetWidth(-3), Error);
  EXPECT_THROW(b.SetSize(1 << 15, 1 << 15), Error);
  EXPECT_EQ(b.Width(), 2);
  EXPECT_EQ(b.Height(), 2);
  EXPECT_EQ(b.GetPixel(1, 1), clRed);
}

TEST(Bitmap, CopiesAreIndependent) {
  TBitmap a(4, 2, pf4bit);
  a.SetPalette({clBlack, clRed, clBlue});
  a.SetPixel(1, 1, clRed);
  a.Transparent = true;
  a.SetTransparentColor(clBlue);
  TBitmap b(a);
  TBitmap c;
  c.Assign(a);
  a.SetPixel(1, 1, clBlue);
  a.SetPalette({clWhite});
  for (const TBitmap* copy : {&b, &c}) {
    EXPECT_EQ(copy->PixelFormat(), pf4bit);
    EXPECT_EQ(copy->Palette(), (std::vector<TColor>{clBlack, clRed, clBlue}));
    EXPECT_EQ(copy->GetPixel(1, 1), clRed);
    EXPECT_TRUE(copy->Transparent);
    EXPECT_EQ(copy->TransparentMode(), tmFixed);
    EXPECT_EQ(copy->TransparentColor(), clBlue);
  }
  TBitmap moved(std::move(b));
  EXPECT_EQ(moved.GetPixel(1, 1), clRed);
  // The moved-from bitmap is defined: empty and 24-bit.
  EXPECT_TRUE(b.Empty());
  EXPECT_EQ(b.PixelFormat(), pf24bit);
}

// SameImage compares size, format, palette and the used bits of each row;
// the bits past the last pixel of a row do not count.
TEST(Bitmap, SameImageComparesWhatThePixelsShow) {
  TBitmap base(5, 3, pf1bit);
  base.SetPixel(2, 1, clBlack);
  struct Case {
    const char* what;
    void (*change)(TBitmap&);
    bool same;
  };
  const Case cases[] = {
      {"copy", [](TBitmap&) {}, true},
      {"bits past the last pixel", [](TBitmap& b) { b.ScanLine(1)[0] ^= 0x07; }, true},
      {"last pixel", [](TBitmap& b) { b.SetPixel(4, 2, clBlack); }, false},
      {"first pixel", [](TBitmap& b) { b.SetPixel(0, 0, clBlack); }, false},
      {"palette", [](TBitmap& b) { b.SetPalette({clBlack, clRed}); }, false},
      {"format", [](TBitmap& b) { b.SetPixelFormat(pf24bit); }, false},
      {"size", [](TBitmap& b) { b.SetWidth(6); }, false},
  };
  for (const Case& c : cases) {
    TBitmap other = base;
    c.change(other);
    EXPECT_EQ(SameImage(base, other), c.same) << c.what;
  }
  TBitmap wide(7, 2);
  TBitmap changed = wide;
  changed.SetPixel(6, 1, clRed);
  EXPECT_FALSE(SameImage(wide, changed));
}

TEST(Bitmap, TransparentColorFollowsTheBottomLeftPixelUntilSet) {
  TBitmap b(3, 3);
  EXPECT_EQ(b.TransparentMode(), tmAuto);
  b.SetPixel(0, 2, clLime);
  EXPECT_EQ(b.TransparentColor(), clLime);
  b.SetPixel(0, 2, clNavy);
  EXPECT_EQ(b.TransparentColor(), clNavy);
  b.SetTransparentColor(clRed);
  EXPECT_EQ(b.TransparentMode(), tmFixed);
  b.SetPixel(0, 2, clLime);
  EXPECT_EQ(b.TransparentColor(), clRed);
  b.SetTransparentMode(tmAuto);
  EXPECT_EQ(b.TransparentColor(), clLime);
  EXPECT_EQ(TBitmap().TransparentColor(), clNone);
}

TEST(Bitmap, PaletteSizeIsChecked) {
  TBitmap b(1, 1, pf1bit);
  EXPECT_THROW(b.SetPalette({}), Error);
  EXPECT_THROW(b.SetPalette({clRed, clLime, clBlue}), Error);
  EXPECT_THROW(TBitmap(1, 1, pf24bit).SetPalette({clRed}), Error);
  EXPECT_THROW(TBitmap(1, 1, pf24bit, {clRed}), Error);
  EXPECT_THROW(TBitmap(1, 1, pf4bit, std::vector<TColor>(17, clRed)), Error);
  EXPECT_EQ(TBitmap(2, 1, pf4bit, {clRed, clBlue}).GetPixel(1, 0), clRed);  // zeroed: index 0
  b.SetPalette({clRed, clLime});
  EXPECT_EQ(b.GetPixel(0, 0), clLime);  // white was index 1
}

TEST(Bitmap, PaletteColoursSurviveConversionToEveryFormatAndBack) {
  // Each standard palette colour converts to itself and back.
  for (TPixelFormat pf : {pf1bit, pf4bit, pf8bit}) {
    SCOPED_TRACE(PixelFormatName(pf));
    TBitmap probe(1, 1, pf);
    const std::vector<TColor> palette = probe.Palette();
    TBitmap b(static_cast<int>(palette.size()), 1);
    for (int x = 0; x < b.Width(); ++x) b.SetPixel(x, 0, palette[static_cast<std::size_t>(x)]);
    b.SetPixelFormat(pf);
    EXPECT_EQ(b.Palette(), palette);
    b.SetPixelFormat(pf24bit);
    EXPECT_TRUE(b.Palette().empty());
    EXPECT_EQ(Pixels(b), palette);
  }
  // 32 bits keeps every colour; 16 bits those on its 5-6-5 levels.
  TBitmap b(2, 1);
  b.SetPixel(0, 0, RGB(6, 3, 5));
  b.SetPixel(1, 0, RGB(255, 130, 8));
  b.SetPixelFormat(pf32bit);
  EXPECT_EQ(Pixels(b), (std::vector<TColor>{RGB(6, 3, 5), RGB(255, 130, 8)}));
  b.SetPixelFormat(pf16bit);
  EXPECT_EQ(b.GetPixel(1, 0), RGB(255, 130, 8));
  EXPECT_EQ(b.GetPixel(0, 0), RGB(8, 4, 8));  // nearest levels, not cut-off bits
}

TEST(Bitmap, ConversionOfAPaletteImageUsesItsOwnPalette) {
  TBitmap b(2, 1, pf8bit);
  b.SetPalette({RGB(10, 20, 30), RGB(200, 210, 220)});
  b.ScanLine(0)[0] = 1;
  b.ScanLine(0)[1] = 0;
  b.SetPixelFormat(pf24bit);
  EXPECT_EQ(Pixels(b), (std::vector<TColor>{RGB(200, 210, 220), RGB(10, 20, 30)}));
  b.SetPixelFormat(pf1bit);
  EXPECT_EQ(Pixels(b), (std::vector<TColor>{clWhite, clBlack}));
}

}  // namespace
}  // namespace kroma
