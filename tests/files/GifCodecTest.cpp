#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "FilesTestSupport.h"
#include "core/Error.h"
#include "core/PixelFormats.h"
#include "files/GifCodec.h"

namespace kroma {
namespace {

using test::Bytes;

TBitmap Indexed(int w, int h, std::vector<TColor> palette) {
  TBitmap b(w, h, pf8bit, palette);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.ScanLine(y)[x] = static_cast<std::uint8_t>((x + 3 * y) % palette.size());
  return b;
}

// A GIF put together byte by byte: screen, global table, optional graphic
// control, one image of uncompressed-looking LZW data.
struct GifParts {
  int screenW = 2, screenH = 2;
  std::vector<TColor> global = {clRed, clBlue};
  int left = 0, top = 0, w = 2, h = 2;
  bool interlace = false;
  int codeSize = 2;
  std::vector<std::uint8_t> indices = {0, 1, 1, 0};
  int transparent = -1;
  bool secondImage = false;
};

void Add16(Bytes& b, int v) {
  b.push_back(static_cast<std::uint8_t>(v));
  b.push_back(static_cast<std::uint8_t>(v >> 8));
}

// LZW data that clears before every pixel, so codes stay at codeSize + 1 bits.
Bytes Lzw(int codeSize, const std::vector<std::uint8_t>& indices) {
  const int clear = 1 << codeSize, bits = codeSize + 1;
  Bytes out;
  std::uint32_t acc = 0;
  int have = 0;
  auto put = [&](int code) {
    acc |= static_cast<std::uint32_t>(code) << have;
    have += bits;
    while (have >= 8) {
      out.push_back(static_cast<std::uint8_t>(acc));
      acc >>= 8;
      have -= 8;
    }
  };
  for (std::uint8_t i : indices) {
    put(clear);
    put(i);
  }
  put(clear + 1);
  if (have > 0) out.push_back(static_cast<std::uint8_t>(acc));
  return out;
}

Bytes MakeGif(const GifParts& p) {
  Bytes b = {'G', 'I', 'F', '8', '9', 'a'};
  Add16(b, p.screenW);
  Add16(b, p.screenH);
  int tableBits = 0;
  while ((1u << (tableBits + 1)) < p.global.size()) ++tableBits;
  b.push_back(static_cast<std::uint8_t>(p.global.empty() ? 0 : 0x80 | tableBits));
  b.push_back(0);
  b.push_back(0);
  for (std::size_t i = 0; i < p.global.size(); ++i)
    for (auto ch : {GetRValue(p.global[i]), GetGValue(p.global[i]), GetBValue(p.global[i])}) b.push_back(ch);
  for (std::size_t i = p.global.size(); !p.global.empty() && i < (2u << tableBits); ++i)
    b.insert(b.end(), {0, 0, 0});
  if (p.transparent >= 0) b.insert(b.end(), {0x21, 0xF9, 4, 1, 0, 0, static_cast<std::uint8_t>(p.transparent), 0});
  for (int image = 0; image < (p.secondImage ? 2 : 1); ++image) {
    b.push_back(0x2C);
    Add16(b, p.left);
    Add16(b, p.top);
    Add16(b, p.w);
    Add16(b, p.h);
    b.push_back(p.interlace ? 0x40 : 0);
    b.push_back(static_cast<std::uint8_t>(p.codeSize));
    std::vector<std::uint8_t> indices = p.indices;
    if (image == 1) std::fill(indices.begin(), indices.end(), 1);
    const Bytes data = Lzw(p.codeSize, indices);
    for (std::size_t at = 0; at < data.size(); at += 255) {
      const std::size_t n = std::min<std::size_t>(255, data.size() - at);
      b.push_back(static_cast<std::uint8_t>(n));
      b.insert(b.end(), data.begin() + static_cast<std::ptrdiff_t>(at), data.begin() + static_cast<std::ptrdiff_t>(at + n));
    }
    b.push_back(0);
  }
  b.push_back(0x3B);
  return b;
}

TEST(GifCodec, RoundTripsPaletteImagesOfEveryDepth) {
  const std::vector<TColor> sixteen = StandardPalette(pf4bit);
  for (TPixelFormat pf : {pf8bit, pf4bit, pf1bit}) {
    TBitmap source = Indexed(19, 5, pf == pf1bit ? std::vector<TColor>{clNavy, clYellow} : sixteen);
    if (pf != pf8bit) source.SetPixelFormat(pf);  // nearest entries of the standard palettes: the same colours
    TBitmap back;
    ReadGif(WriteGif(source), back);
    EXPECT_EQ(back.PixelFormat(), pf24bit);
    EXPECT_TRUE(test::SamePixels(back, source)) << PixelFormatName(pf);
  }
}

TEST(GifCodec, WritesTheTransparentIndexAndReadsItAsWhite) {
  const TBitmap source = Indexed(4, 4, {clRed, clLime, clBlue});
  const Bytes gif = WriteGif(source, 1);
  EXPECT_EQ(std::memcmp(gif.data(), "GIF89a", 6), 0);
  const std::uint8_t control[] = {0x21, 0xF9, 4, 1, 0, 0, 1, 0};
  EXPECT_NE(std::search(gif.begin(), gif.end(), std::begin(control), std::end(control)), gif.end());
  TBitmap back;
  ReadGif(gif, back);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) {
      const TColor expected = source.ScanLine(y)[x] == 1 ? clWhite : source.GetPixel(x, y);
      EXPECT_EQ(back.GetPixel(x, y), expected) << x << "," << y;
    }
  EXPECT_EQ(std::memcmp(WriteGif(source).data(), "GIF87a", 6), 0);
}

TEST(GifCodec, ReadsTheFirstFrameOnItsScreenAndDeinterlaces) {
  GifParts p;
  p.screenW = 4;
  p.screenH = 3;
  p.left = 1;
  p.top = 1;
  p.secondImage = true;  // all colour 1; never shown
  TBitmap b;
  ReadGif(MakeGif(p), b);
  ASSERT_EQ(b.Width(), 4);
  ASSERT_EQ(b.Height(), 3);
  EXPECT_EQ(b.GetPixel(0, 0), clWhite);
  EXPECT_EQ(b.GetPixel(1, 1), clRed);
  EXPECT_EQ(b.GetPixel(2, 1), clBlue);
  EXPECT_EQ(b.GetPixel(1, 2), clBlue);
  EXPECT_EQ(b.GetPixel(2, 2), clRed);

  // Eight rows stored in the order 0, 4, 2, 6, 1, 3, 5, 7.
  GifParts q;
  q.screenW = q.w = 1;
  q.screenH = q.h = 8;
  q.interlace = true;
  q.indices = {0, 0, 0, 0, 1, 1, 1, 1};  // stored order
  ReadGif(MakeGif(q), b);
  const int expected[8] = {0, 1, 0, 1, 0, 1, 0, 1};
  for (int y = 0; y < 8; ++y) EXPECT_EQ(b.GetPixel(0, y), expected[y] ? clBlue : clRed) << y;
}

TEST(GifCodec, MalformedFilesAreErrorsAndKeepTheTarget) {
  const Bytes good = MakeGif({});
  auto with = [](auto change) {
    GifParts p;
    change(p);
    return MakeGif(p);
  };
  struct Case {
    const char* name;
    Bytes data;
  } cases[] = {
      {"empty", {}},
      {"signature", Bytes{'G', 'I', 'X', '8', '9', 'a', 0, 0, 0, 0, 0, 0, 0}},
      {"cut in the screen", Bytes(good.begin(), good.begin() + 9)},
      {"cut in the table", Bytes(good.begin(), good.begin() + 15)},
      {"cut in the image", Bytes(good.begin(), good.end() - 5)},
      {"no image", with([](GifParts& p) { p.w = 0; })},
      {"zero height", with([](GifParts& p) { p.h = 0; })},
      {"no colour table", with([](GifParts& p) { p.global.clear(); })},
      {"index past the table", with([](GifParts& p) {
         p.codeSize = 2;
         p.indices = {0, 3, 1, 0};
       })},
      {"LZW code size 12", with([](GifParts& p) { p.codeSize = 12; })},
      {"screen past the pixel budget", with([](GifParts& p) { p.screenW = p.screenH = 65535; })},
      {"image past the pixel budget", with([](GifParts& p) {
         p.left = 65000;
         p.top = 65000;
       })},
  };
  for (const Case& c : cases) {
    TBitmap target = test::Pattern(3, 2);
    EXPECT_THROW(ReadGif(c.data, target), Error) << c.name;
    EXPECT_TRUE(test::SamePixels(target, test::Pattern(3, 2))) << c.name;
  }
  TBitmap b;
  ReadGif(good, b);  // the unbroken file reads
  EXPECT_EQ(b.GetPixel(1, 0), clBlue);
}

TEST(GifCodec, CompactPaletteKeepsUsedEntriesInOrder) {
  TBitmap b(3, 1, pf8bit, {clRed, clLime, clBlue, clWhite});
  b.ScanLine(0)[0] = 3;
  b.ScanLine(0)[1] = 1;
  b.ScanLine(0)[2] = 3;
  const TBitmap c = CompactPalette(b);
  EXPECT_EQ(c.Palette(), (std::vector<TColor>{clLime, clWhite}));
  EXPECT_TRUE(test::SamePixels(c, b));
  EXPECT_THROW(WriteGif(test::Pattern(2, 2)), Error);
}

}  // namespace
}  // namespace kroma
