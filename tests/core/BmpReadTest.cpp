#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/Bitmap.h"
#include "core/BmpCodec.h"
#include "core/Error.h"
#include "core/FileIO.h"

namespace kroma {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A BMP file put together field by field, so that each test can break one.
struct BmpParts {
  std::uint32_t headerSize = 40;
  std::int32_t width = 1;
  std::int32_t height = 1;
  std::uint16_t bits = 24;
  std::uint32_t compression = 0;
  std::uint32_t colorsUsed = 0;
  std::vector<std::uint32_t> masks;  // in the header from 52 bytes on, else after it
  std::vector<TColor> palette;
  Bytes pixels;
  std::optional<std::uint32_t> pixelOffset;  // default: right after the palette
};

void Add16(Bytes& b, std::uint32_t v) {
  b.push_back(static_cast<std::uint8_t>(v));
  b.push_back(static_cast<std::uint8_t>(v >> 8));
}
void Add32(Bytes& b, std::uint32_t v) {
  Add16(b, v);
  Add16(b, v >> 16);
}

Bytes MakeBmp(const BmpParts& p) {
  Bytes h;
  Add32(h, p.headerSize);
  if (p.headerSize == 12) {
    Add16(h, static_cast<std::uint32_t>(p.width));
    Add16(h, static_cast<std::uint32_t>(p.height));
    Add16(h, 1);
    Add16(h, p.bits);
  } else {
    Add32(h, static_cast<std::uint32_t>(p.width));
    Add32(h, static_cast<std::uint32_t>(p.height));
    Add16(h, 1);
    Add16(h, p.bits);
    Add32(h, p.compression);
    Add32(h, 0);  // image size: 0 is allowed for uncompressed files
    Add32(h, 2835);
    Add32(h, 2835);
    Add32(h, p.colorsUsed);
    Add32(h, 0);
    if (p.headerSize > 40)
      for (std::uint32_t m : p.masks) Add32(h, m);
    h.resize(p.headerSize, 0);
    if (p.headerSize == 40)
      for (std::uint32_t m : p.masks) Add32(h, m);
  }
  for (TColor c : p.palette) {
    h.push_back(GetBValue(c));
    h.push_back(GetGValue(c));
    h.push_back(GetRValue(c));
    if (p.headerSize != 12) h.push_back(0);
  }
  Bytes f = {'B', 'M'};
  std::uint32_t offset = p.pixelOffset.value_or(static_cast<std::uint32_t>(14 + h.size()));
  Add32(f, static_cast<std::uint32_t>(14 + h.size() + p.pixels.size()));
  Add32(f, 0);
  Add32(f, offset);
  f.insert(f.end(), h.begin(), h.end());
  f.insert(f.end(), p.pixels.begin(), p.pixels.end());
  return f;
}

TBitmap Read(const Bytes& file) {
  TBitmap b;
  ReadBmp(file, b);
  return b;
}

// Colours of all pixels, top row first.
std::vector<TColor> Pixels(const TBitmap& b) {
  std::vector<TColor> out;
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) out.push_back(b.GetPixel(x, y));
  return out;
}

// Palette indices of an 8 or 4-bit bitmap, top row first.
std::vector<int> Indices(const TBitmap& b) {
  std::vector<int> out;
  for (int y = 0; y < b.Height(); ++y) {
    const std::uint8_t* row = b.ScanLine(y);
    for (int x = 0; x < b.Width(); ++x)
      out.push_back(b.PixelFormat() == pf8bit ? row[x] : ((x & 1) ? row[x / 2] & 15 : row[x / 2] >> 4));
  }
  return out;
}

const TColor kA = RGB(10, 20, 30), kB = RGB(200, 100, 50), kC = RGB(1, 2, 3), kD = RGB(250, 251, 252);

TEST(BmpRead, PaletteFilesKeepTheirFormatAndPalette) {
  struct Case {
    int bits;
    TPixelFormat format;
    Bytes rows;  // 3 x 2, bottom row first, padded
  };
  const std::vector<TColor> palette = {kA, kB, kC, kD};
  // Top row: 1 0 1; bottom row: 0 1 0 (the 1-bit palette uses entries 0, 1).
  const Case cases[] = {
      {1, pf1bit, {0x40, 0, 0, 0, 0xA0, 0, 0, 0}},
      {4, pf4bit, {0x01, 0x00, 0, 0, 0x10, 0x10, 0, 0}},
      {8, pf8bit, {0, 1, 0, 0, 1, 0, 1, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bits);
    BmpParts p{
        .width = 3, .height = 2, .bits = static_cast<std::uint16_t>(c.bits), .colorsUsed = c.bits == 1 ? 2u : 4u};
    p.palette.assign(palette.begin(), palette.begin() + (c.bits == 1 ? 2 : 4));
    p.pixels = c.rows;
    TBitmap b = Read(MakeBmp(p));
    EXPECT_EQ(b.PixelFormat(), c.format);
    EXPECT_EQ(b.Palette(), p.palette);
    EXPECT_EQ(Pixels(b), (std::vector<TColor>{kB, kA, kB, kA, kB, kA}));
  }
}

TEST(BmpRead, PaletteSizeDefaultsToTheDepth) {
  BmpParts p{.width = 2, .height = 1, .bits = 4};
  for (int i = 0; i < 16; ++i) p.palette.push_back(RGB(i, 2 * i, 3 * i));
  p.pixels = {0xF3, 0, 0, 0};
  TBitmap b = Read(MakeBmp(p));
  EXPECT_EQ(b.Palette().size(), 16u);
  EXPECT_EQ(b.GetPixel(0, 0), RGB(15, 30, 45));
  EXPECT_EQ(b.GetPixel(1, 0), RGB(3, 6, 9));
}

// The same 2 x 2 picture through every header size, bottom-up and top-down.
TEST(BmpRead, HeaderSizesAndRowOrder) {
  const Bytes bottomUp = {30, 20, 10, 50, 100, 200, 0, 0, 3, 2, 1, 252, 251, 250, 0, 0};
  const Bytes topDown = {3, 2, 1, 252, 251, 250, 0, 0, 30, 20, 10, 50, 100, 200, 0, 0};
  const std::vector<TColor> expected = {kC, kD, kA, kB};
  for (std::uint32_t headerSize : {12u, 40u, 52u, 56u, 108u, 124u}) {
    for (bool down : {false, true}) {
      if (headerSize == 12 && down) continue;  // the core header has unsigned sizes
      SCOPED_TRACE(std::to_string(headerSize) + (down ? " top-down" : " bottom-up"));
      BmpParts p{.headerSize = headerSize, .width = 2, .height = down ? -2 : 2, .pixels = down ? topDown : bottomUp};
      TBitmap b = Read(MakeBmp(p));
      EXPECT_EQ(b.PixelFormat(), pf24bit);
      EXPECT_EQ(Pixels(b), expected);
    }
  }
}

TEST(BmpRead, CoreHeaderPaletteHasThreeByteEntries) {
  BmpParts p{.headerSize = 12, .width = 2, .height = 1, .bits = 1, .palette = {kA, kD}, .pixels = {0x40, 0, 0, 0}};
  TBitmap b = Read(MakeBmp(p));
  EXPECT_EQ(b.PixelFormat(), pf1bit);
  EXPECT_EQ(Pixels(b), (std::vector<TColor>{kA, kD}));
}

TEST(BmpRead, ExtraBytesAndGapBeforePixelsAreFine) {
  BmpParts p{.width = 1, .height = 1, .pixels = {0xAA, 0xBB, 30, 20, 10, 0, 9, 9, 9}};
  p.pixelOffset = 14 + 40 + 2;  // two bytes of gap; three trailing bytes after the row
  EXPECT_EQ(Read(MakeBmp(p)).GetPixel(0, 0), kA);
}

TEST(BmpRead, BitFieldsPickFormatAndWidenChannels) {
  struct Case {
    const char* name;
    std::uint32_t headerSize;
    std::uint16_t bits;
    std::uint32_t compression;
    std::vector<std::uint32_t> masks;
    Bytes pixel;  // one pixel, padded to 4 bytes
    TPixelFormat format;
    TColor color;
  };
  const Case cases[] = {
      // 5-5-5 by default: red 31, green 16, blue 1.
      {"16-bit default", 40, 16, 0, {}, {0x01, 0x7E, 0, 0}, pf24bit, RGB(255, 132, 8)},
      {"5-6-5 after the header", 40, 16, 3, {0xF800, 0x07E0, 0x001F}, {0x01, 0xFC, 0, 0}, pf16bit, RGB(255, 130, 8)},
      {"5-6-5 in a V3 header", 56, 16, 3, {0xF800, 0x07E0, 0x001F, 0}, {0x01, 0xFC, 0, 0}, pf16bit, RGB(255, 130, 8)},
      {"4-4-4 in a V2 header", 52, 16, 3, {0x0F00, 0x00F0, 0x000F}, {0x21, 0x0F, 0, 0}, pf24bit, RGB(255, 34, 17)},
      {"32-bit default", 40, 32, 0, {}, {30, 20, 10, 0}, pf32bit, kA},
      {"32-bit standard masks", 108, 32, 3, {0xFF0000, 0xFF00, 0xFF, 0}, {30, 20, 10, 0}, pf32bit, kA},
      {"32-bit red in the low byte", 40, 32, 3, {0xFF, 0xFF00, 0xFF0000}, {30, 20, 10, 0}, pf24bit, RGB(30, 20, 10)},
      // 10-10-10: red 1023, green 512, blue 1.
      {"32-bit 10 bits a channel",
       124,
       32,
       3,
       {0x3FF00000, 0x000FFC00, 0x000003FF, 0},
       {0x01, 0x00, 0xF8, 0x3F},
       pf24bit,
       RGB(255, 128, 0)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    BmpParts p{
        .headerSize = c.headerSize, .bits = c.bits, .compression = c.compression, .masks = c.masks, .pixels = c.pixel};
    TBitmap b = Read(MakeBmp(p));
    EXPECT_EQ(b.PixelFormat(), c.format);
    EXPECT_EQ(b.GetPixel(0, 0), c.color);
  }
}

TEST(BmpRead, Rle8RunsEscapesAndUnsetPixels) {
  // 4 x 3, bottom row first.
  const Bytes stream = {
      3, 7,           // row 0: three pixels of 7
      0, 0,           // end of line
      0, 3, 1, 2, 3,  // row 1: literal 1 2 3 (odd: one padding byte)
      0,              //
      0, 2, 1, 1,     // delta: right 1, up 1 -> row 2, x = 4
      0, 0,           // end of line, row 3 does not exist but is never written
      0, 1,           // end of image
  };
  BmpParts p{.width = 4, .height = 3, .bits = 8, .compression = 1, .colorsUsed = 8};
  for (int i = 0; i < 8; ++i) p.palette.push_back(RGB(i, i, i));
  p.pixels = stream;
  TBitmap b = Read(MakeBmp(p));
  EXPECT_EQ(b.PixelFormat(), pf8bit);
  EXPECT_EQ(Indices(b), (std::vector<int>{0, 0, 0, 0,  //
                                          1, 2, 3, 0,  //
                                          7, 7, 7, 0}));
}

TEST(BmpRead, Rle4RunsAlternateNibbles) {
  // 5 x 2, bottom row first.
  const Bytes stream = {
      5, 0x12,              // row 0: 1 2 1 2 1
      0, 0,                 //
      0, 2,    1,    0,     // delta right 1 (same row 1 after the end of line)
      0, 3,    0xAB, 0xC0,  // literal A B C: two bytes, already even
      0, 1,                 //
  };
  BmpParts p{.width = 5, .height = 2, .bits = 4, .compression = 2};
  for (int i = 0; i < 16; ++i) p.palette.push_back(RGB(i, 0, 0));
  p.pixels = stream;
  TBitmap b = Read(MakeBmp(p));
  EXPECT_EQ(b.PixelFormat(), pf4bit);
  EXPECT_EQ(Indices(b), (std::vector<int>{0, 0xA, 0xB, 0xC, 0,  //
                                          1, 2, 1, 2, 1}));
}

// Some writers end a row of odd width with a run that covers the row's
// padding; the padding pixels are dropped.
TEST(BmpRead, RleRunsMayCoverTheRowPadding) {
  BmpParts p8{.width = 3, .height = 1, .bits = 8, .compression = 1, .colorsUsed = 8};
  BmpParts p4{.width = 3, .height = 1, .bits = 4, .compression = 2, .colorsUsed = 8};
  for (int i = 0; i < 8; ++i) {
    p8.palette.push_back(RGB(i, i, i));
    p4.palette.push_back(RGB(i, i, i));
  }
  p8.pixels = {4, 5, 0, 0, 0, 1};  // 3 pixels, padded to 4
  p4.pixels = {8, 0x12, 0, 1};     // 3 pixels, padded to 8
  EXPECT_EQ(Indices(Read(MakeBmp(p8))), (std::vector<int>{5, 5, 5}));
  EXPECT_EQ(Indices(Read(MakeBmp(p4))), (std::vector<int>{1, 2, 1}));
}

// Each file breaks one rule. Reading it throws and leaves the target as
// it was.
TEST(BmpRead, MalformedFilesAreRefusedAndKeepTheTarget) {
  const BmpParts ok24{.width = 2, .height = 2, .pixels = Bytes(16, 0)};
  const BmpParts ok8{.width = 2, .height = 1, .bits = 8, .colorsUsed = 2, .palette = {kA, kB}, .pixels = {0, 1, 0, 0}};
  const BmpParts rle8{.width = 2, .height = 1, .bits = 8, .compression = 1, .colorsUsed = 2, .palette = {kA, kB}};
  auto with = [](BmpParts p, auto change) {
    change(p);
    return MakeBmp(p);
  };
  auto rle = [&](Bytes stream) { return with(rle8, [&](BmpParts& p) { p.pixels = stream; }); };
  const BmpParts fields16{.width = 2, .height = 1, .bits = 16, .compression = 3, .pixels = Bytes(4, 0)};
  auto masks = [&](std::vector<std::uint32_t> m) { return with(fields16, [&](BmpParts& p) { p.masks = m; }); };
  auto patch = [](Bytes f, std::size_t at, std::uint8_t value) {
    f[at] = value;
    return f;
  };
  auto cut = [](Bytes f, std::size_t size) {
    f.resize(size);
    return f;
  };
  struct Case {
    const char* name;
    Bytes file;
    const char* reason;  // part of the message
  };
  const Case cases[] = {
      {"empty", {}, "too short"},
      {"not BM", patch(MakeBmp(ok24), 1, 'A'), "\"BM\""},
      {"header size 64", with(ok24, [](BmpParts& p) { p.headerSize = 64; }), "header size 64"},
      {"header cut short", cut(MakeBmp(ok24), 30), "header is truncated"},
      {"zero width", with(ok24, [](BmpParts& p) { p.width = 0; }), "width must be positive"},
      {"negative width", with(ok24, [](BmpParts& p) { p.width = -2; }), "width must be positive"},
      {"zero height", with(ok24, [](BmpParts& p) { p.height = 0; }), "no rows"},
      {"height INT_MIN", with(ok24, [](BmpParts& p) { p.height = INT_MIN; }), "height is out of range"},
      {"width x height overflow", with(ok24, [](BmpParts& p) { p.width = p.height = INT_MAX; }), "too large"},
      {"above the pixel budget", with(ok24, [](BmpParts& p) { p.width = p.height = 16385; }), "too large"},
      {"2 bits", with(ok24, [](BmpParts& p) { p.bits = 2; }), "bits per pixel: 2"},
      {"0 bits", with(ok24, [](BmpParts& p) { p.bits = 0; }), "bits per pixel: 0"},
      {"16 bits in a core header",
       with(ok24,
            [](BmpParts& p) {
              p.headerSize = 12;
              p.bits = 16;
            }),
       "bits per pixel: 16"},
      {"RLE8 with 24 bits", with(ok24, [](BmpParts& p) { p.compression = 1; }), "RLE8 compression needs"},
      {"RLE4 with 8 bits", with(ok8, [](BmpParts& p) { p.compression = 2; }), "RLE4 compression needs"},
      {"bit fields with 24 bits",
       with(fields16,
            [](BmpParts& p) {
              p.bits = 24;
              p.masks = {0xFF0000, 0xFF00, 0xFF};
            }),
       "bit-field pixels need"},
      {"JPEG compression", with(ok24, [](BmpParts& p) { p.compression = 4; }), "unsupported compression"},
      {"top-down RLE",
       with(rle8,
            [](BmpParts& p) {
              p.height = -1;
              p.pixels = {0, 1};
            }),
       "bottom-up"},
      {"pixel data truncated", cut(MakeBmp(ok24), MakeBmp(ok24).size() - 1), "pixel data is truncated"},
      {"pixel offset past the end", with(ok24, [](BmpParts& p) { p.pixelOffset = 1000; }), "offset lies past"},
      {"pixel offset inside the palette", with(ok8, [](BmpParts& p) { p.pixelOffset = 14 + 40 + 4; }),
       "offset points into"},
      {"palette larger than 8 bits allow", with(ok8, [](BmpParts& p) { p.colorsUsed = 257; }), "at most 256"},
      {"palette larger than 1 bit allows",
       with(ok8,
            [](BmpParts& p) {
              p.bits = 1;
              p.colorsUsed = 3;
            }),
       "at most 2"},
      {"palette past the end",
       cut(with(ok8,
                [](BmpParts& p) {
                  p.pixels.clear();
                  p.pixelOffset = 14;
                }),
           14 + 40 + 6),
       "palette runs past"},
      {"masks cut short", cut(masks({0xF800, 0x7E0, 0x1F}), 14 + 40 + 8), "masks are truncated"},
      {"zero mask", masks({0xF800, 0, 0x1F}), "mask is zero"},
      {"overlapping masks", masks({0xF800, 0x0FE0, 0x1F}), "masks overlap"},
      {"mask wider than the pixel", masks({0xF8000, 0x7E0, 0x1F}), "more bits than a pixel"},
      {"mask with a gap", masks({0xF800, 0x05E0, 0x1F}), "one run of bits"},
      // Width 2: the rows pad to 4 pixels; runs may cover the padding only.
      {"RLE run past the row", rle({5, 1, 0, 1}), "end of a row"},
      {"RLE literal past the row", rle({0, 5, 1, 1, 1, 1, 1, 0, 0, 1}), "end of a row"},
      {"RLE run past the padding after pixels", rle({2, 1, 3, 1, 0, 1}), "end of a row"},
      {"RLE run past the image", rle({0, 0, 1, 0, 0, 1}), "past the last row"},
      {"RLE end of line past the image", rle({0, 0, 0, 0, 0, 1}), "past the last row"},
      {"RLE delta past the row", rle({0, 2, 3, 0, 0, 1}), "delta moves past"},
      {"RLE delta past the image", rle({0, 2, 0, 2, 0, 1}), "delta moves past"},
      {"RLE stream without end marker", rle({2, 1}), "end marker"},
      {"RLE delta cut short", rle({0, 2, 1}), "end marker"},
      {"RLE literal cut short", rle({0, 3, 1}), "end marker"},
      {"RLE stream empty", rle({}), "end marker"},
  };
  TBitmap target(3, 2, pf24bit);
  target.SetPixel(1, 1, kA);
  const TBitmap before = target;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    try {
      ReadBmp(c.file, target);
      ADD_FAILURE() << "no error";
    } catch (const Error& e) {
      EXPECT_NE(std::string(e.what()).find(c.reason), std::string::npos) << e.what();
    }
    EXPECT_EQ(target.Width(), 3);
    EXPECT_EQ(target.Height(), 2);
    EXPECT_EQ(target.PixelFormat(), pf24bit);
    EXPECT_EQ(Pixels(target), Pixels(before));
  }
}

TEST(BmpRead, ErrorMessagesSayWhatIsWrong) {
  BmpParts p{.width = 2, .height = 1, .bits = 8, .colorsUsed = 300, .pixels = {0, 0, 0, 0}};
  TBitmap b;
  try {
    ReadBmp(MakeBmp(p), b);
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()), "Invalid BMP file: the palette has 300 colours; 8-bit pixels allow at most 256");
  }
}

// A few bytes may describe the largest image allowed: it loads without
// touching memory for the blank part.
TEST(BmpRead, TinyRleFileOfAHugeImage) {
  BmpParts p{.width = 1 << 14, .height = 1 << 14, .bits = 8, .compression = 1, .colorsUsed = 2, .palette = {kA, kB}};
  p.pixels = {2, 1, 0, 2, 0, 255, 1, 1, 0, 1};  // two pixels, 255 rows up, one pixel
  TBitmap b = Read(MakeBmp(p));
  ASSERT_EQ(b.Width(), 1 << 14);
  ASSERT_EQ(b.Height(), 1 << 14);
  const int bottom = (1 << 14) - 1;
  EXPECT_EQ(b.GetPixel(0, bottom), kB);
  EXPECT_EQ(b.GetPixel(1, bottom), kB);
  EXPECT_EQ(b.GetPixel(2, bottom), kA);
  EXPECT_EQ(b.GetPixel(2, bottom - 255), kB);
  EXPECT_EQ(b.GetPixel(0, 0), kA);
}

}  // namespace
}  // namespace kroma
