#include <gtest/gtest.h>

#include "FilesTestSupport.h"
#include "core/Error.h"
#include "core/PixelFormats.h"
#include "files/IcoReader.h"
#include "files/IconWriter.h"
#include "files/PngCodec.h"

namespace kroma {
namespace {

using test::Bytes;
using test::Le16At;
using test::Le32At;

void Add16(Bytes& b, std::uint32_t v) {
  b.push_back(static_cast<std::uint8_t>(v));
  b.push_back(static_cast<std::uint8_t>(v >> 8));
}
void Add32(Bytes& b, std::uint32_t v) {
  Add16(b, v);
  Add16(b, v >> 16);
}

TBitmap White32() {
  TBitmap b(32, 32);
  return b;
}

TEST(IconWriter, SixteenColourFileIsByteExact) {
  TBitmap picture = White32();  // white bottom-left: white is transparent
  picture.SetPixel(0, 0, clRed);
  picture.SetPixel(1, 0, clBlack);
  Bytes expected;
  for (std::uint32_t v : {0u, 1u, 1u}) Add16(expected, v);
  expected.insert(expected.end(), {32, 32});
  Add16(expected, 4);   // colour count byte 4, then 0
  Add32(expected, 0);   // planes and bit count fields: zero
  Add32(expected, 744);
  Add32(expected, 22);
  for (std::uint32_t v : {40u, 32u, 64u}) Add32(expected, v);
  Add16(expected, 1);
  Add16(expected, 4);
  Add32(expected, 0);
  Add32(expected, 512);
  for (int i = 0; i < 4; ++i) Add32(expected, 0);
  for (TColor c : StandardPalette(pf4bit)) expected.insert(expected.end(), {GetBValue(c), GetGValue(c), GetRValue(c), 0});
  for (int row = 31; row >= 0; --row)  // bottom row first; red is VGA entry 9
    for (int i = 0; i < 16; ++i) expected.push_back(row == 0 && i == 0 ? 0x90 : 0x00);
  for (int row = 31; row >= 0; --row)  // set bits: transparent
    expected.insert(expected.end(), {static_cast<std::uint8_t>(row == 0 ? 0x3F : 0xFF), 0xFF, 0xFF, 0xFF});
  ASSERT_EQ(expected.size(), 766u);
  EXPECT_EQ(WriteIcon(BitmapToIcon(picture), 4), expected);
}

TEST(IconWriter, TwoFiftySixColourFileLayout) {
  const Bytes f = WriteIcon(BitmapToIcon(test::Pattern(32, 32)), 8);
  ASSERT_EQ(f.size(), 2238u);
  EXPECT_EQ(f[8], 8);
  EXPECT_EQ(Le32At(f, 14), 2216u);
  EXPECT_EQ(Le32At(f, 18), 22u);
  EXPECT_EQ(Le32At(f, 22 + 8), 64u);  // height counts colour and mask rows
  EXPECT_EQ(Le16At(f, 22 + 14), 8);
  EXPECT_EQ(Le32At(f, 22 + 20), 1024u);
  const std::vector<TColor>& halftone = StandardPalette(pf8bit);
  for (std::size_t i = 0; i < 256; ++i)
    ASSERT_EQ(RGB(f[62 + 4 * i + 2], f[62 + 4 * i + 1], f[62 + 4 * i]), halftone[i]) << i;
  EXPECT_THROW(WriteIcon(BitmapToIcon(White32()), 24), Error);
}

TEST(IconWriter, BottomLeftColourIsTransparentAndBlackStaysOpaque) {
  const TColor marker = kIconMarkerColor;
  struct Case {
    const char* name;
    TColor bottomLeft, probe;
    bool transparent;
    TColor color;  // colour bitmap at the probe
  } cases[] = {
      {"white corner, white pixel", clWhite, clWhite, true, clBlack},
      {"white corner, black pixel", clWhite, clBlack, false, clBlack},
      {"white corner, red pixel", clWhite, clRed, false, clRed},
      {"black corner, black pixel", clBlack, clBlack, true, clBlack},
      {"black corner, marker pixel", clBlack, marker, false, clBlack},
      {"white corner, marker pixel", clWhite, marker, false, clBlack},
      // The corner has the marker's colour: black must not turn transparent.
      {"marker corner, black pixel", marker, clBlack, false, clBlack},
      {"marker corner, marker pixel", marker, marker, true, clBlack},
  };
  for (const Case& c : cases) {
    TBitmap picture = White32();
    picture.SetPixel(0, 31, c.bottomLeft);
    picture.SetPixel(5, 5, c.probe);
    const TIcon icon = BitmapToIcon(picture);
    EXPECT_EQ(icon.Transparent(5, 5), c.transparent) << c.name;
    EXPECT_EQ(icon.color.GetPixel(5, 5), c.color) << c.name;
    EXPECT_TRUE(icon.Transparent(0, 31)) << c.name;
  }
  // A smaller picture lies on white at the top-left; a larger one is cut.
  const TIcon small = BitmapToIcon(TBitmap(4, 4, pf24bit, {}));  // black
  EXPECT_FALSE(small.Transparent(3, 3));
  EXPECT_TRUE(small.Transparent(4, 4));
  const TIcon large = BitmapToIcon(test::Pattern(40, 50));
  EXPECT_EQ(large.color.Width(), 32);
  EXPECT_EQ(large.color.GetPixel(31, 0), test::Pattern(40, 50).GetPixel(31, 0));
}

// Reads back what the writer wrote: opaque colours as the palette has
// them, transparent pixels white.
TEST(IcoReader, ReadsOurIconsOnWhite) {
  TBitmap picture = test::Pattern(32, 32);
  picture.SetPixel(0, 31, clYellow);
  picture.SetPixel(7, 3, clYellow);
  for (int bits : {4, 8}) {
    TBitmap back;
    ReadIco(WriteIcon(BitmapToIcon(picture), bits), back);
    ASSERT_EQ(back.Width(), 32);
    ASSERT_EQ(back.Height(), 32);
    EXPECT_EQ(back.GetPixel(0, 31), clWhite);
    EXPECT_EQ(back.GetPixel(7, 3), clWhite);
    TBitmap expected = picture;
    expected.SetPixelFormat(bits == 4 ? pf4bit : pf8bit);
    EXPECT_EQ(back.GetPixel(10, 10), expected.GetPixel(10, 10)) << bits;
  }
}

// An icon file of several images: each a DIB (any bits) or PNG bytes.
Bytes IconFile(const std::vector<std::pair<int, Bytes>>& images) {
  Bytes f;
  Add16(f, 0);
  Add16(f, 1);
  Add16(f, static_cast<std::uint32_t>(images.size()));
  std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(images.size());
  for (const auto& [side, data] : images) {
    f.insert(f.end(), {static_cast<std::uint8_t>(side), static_cast<std::uint8_t>(side), 0, 0});
    Add16(f, 1);
    Add16(f, 32);
    Add32(f, static_cast<std::uint32_t>(data.size()));
    Add32(f, offset);
    offset += static_cast<std::uint32_t>(data.size());
  }
  for (const auto& image : images) f.insert(f.end(), image.second.begin(), image.second.end());
  return f;
}

// A 32-bit DIB of side x side pixels of one colour and alpha, with its mask.
Bytes Dib32(int side, TColor color, std::uint8_t alpha, std::int32_t height = 0) {
  Bytes d;
  for (std::uint32_t v : {40u, static_cast<std::uint32_t>(side), static_cast<std::uint32_t>(height ? height : 2 * side)})
    Add32(d, v);
  Add16(d, 1);
  Add16(d, 32);
  for (int i = 0; i < 6; ++i) Add32(d, 0);
  for (int i = 0; i < side * side; ++i) d.insert(d.end(), {GetBValue(color), GetGValue(color), GetRValue(color), alpha});
  d.insert(d.end(), static_cast<std::size_t>(((side + 31) / 32) * 4 * side), 0);
  return d;
}

TEST(IcoReader, TakesTheLargestImageAndBlendsAlphaOverWhite) {
  TBitmap b;
  ReadIco(IconFile({{16, Dib32(16, clRed, 255)}, {32, Dib32(32, clBlack, 128)}}), b);
  EXPECT_EQ(b.Width(), 32);
  EXPECT_EQ(b.GetPixel(3, 3), RGB(127, 127, 127));

  TBitmap png = test::Pattern(48, 48);
  ReadIco(IconFile({{32, Dib32(32, clRed, 255)}, {48, WritePng(png)}}), b);
  EXPECT_TRUE(test::SamePixels(b, png));
}

Bytes Cut(Bytes b, std::size_t size) {
  b.resize(size);
  return b;
}

TEST(IcoReader, MalformedFilesAreErrorsAndKeepTheTarget) {
  const Bytes good = IconFile({{2, Dib32(2, clRed, 255)}});
  Bytes huge = Dib32(2, clRed, 255, 2 * 40000);
  huge[4] = 0x40;  // width 40000
  huge[5] = 0x9C;
  Bytes cursor = good;
  cursor[2] = 2;
  Bytes noImages = good;
  noImages[4] = 0;
  Bytes outside = good;
  outside[18] = 0xF0;  // offset far past the end
  Bytes compressed = good;
  compressed[22 + 16] = 1;
  Bytes sixteenBits = good;
  sixteenBits[22 + 14] = 16;
  struct Case {
    const char* name;
    Bytes data;
  } cases[] = {
      {"empty", {}},
      {"cursor", cursor},
      {"no images", noImages},
      {"directory cut", Bytes(good.begin(), good.begin() + 12)},
      {"image outside the file", outside},
      {"odd height", IconFile({{2, Dib32(2, clRed, 255, 3)}})},
      {"negative height", IconFile({{2, Dib32(2, clRed, 255, -4)}})},
      {"compressed", compressed},
      {"16 bits", sixteenBits},
      {"pixels cut", IconFile({{2, Cut(Dib32(2, clRed, 255), 44)}})},
      {"mask cut", IconFile({{2, Cut(Dib32(2, clRed, 0), 40 + 16 + 6)}})},
      // A header claiming 40000 x 40000 pixels: refused before any pixel memory.
      {"pixel budget", IconFile({{0, huge}})},
      {"broken PNG", IconFile({{32, Bytes{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0}}})},
  };
  for (const Case& c : cases) {
    TBitmap target = test::Pattern(3, 2);
    EXPECT_THROW(ReadIco(c.data, target), Error) << c.name;
    EXPECT_TRUE(test::SamePixels(target, test::Pattern(3, 2))) << c.name;
  }
  TBitmap b;
  ReadIco(good, b);
  EXPECT_EQ(b.GetPixel(1, 1), clRed);
}

}  // namespace
}  // namespace kroma
