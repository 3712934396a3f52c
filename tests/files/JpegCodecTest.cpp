#include <gtest/gtest.h>

// clang-format off
#include <cstdio>
#include <jpeglib.h>
// clang-format on

#include "FilesTestSupport.h"
#include "core/Error.h"
#include "files/JpegCodec.h"

namespace kroma {
namespace {

using test::Bytes;

// A smooth picture: JPEG keeps it close at high quality.
TBitmap Smooth(int w, int h) {
  TBitmap b(w, h, pf24bit, {});
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.SetPixel(x, y, RGB(4 * x, 4 * y, 200 - 2 * x));
  return b;
}

// The position of the first marker `code` (after FF D8).
std::size_t FindMarker(const Bytes& j, std::uint8_t code) {
  for (std::size_t i = 2; i + 1 < j.size(); ++i)
    if (j[i] == 0xFF && j[i + 1] == code) return i;
  return 0;
}

TEST(JpegCodec, RoundTripKeepsSizeAndColoursClose) {
  const TBitmap source = Smooth(40, 24);
  for (int quality : {kJpegSaveQuality, 95}) {
    TBitmap back;
    ReadJpeg(WriteJpeg(source, quality), back);
    ASSERT_EQ(back.Width(), 40);
    ASSERT_EQ(back.Height(), 24);
    EXPECT_EQ(back.PixelFormat(), pf24bit);
    EXPECT_LT(test::MeanError(source, back), quality == 95 ? 1.5 : 6.0) << quality;
  }
}

TEST(JpegCodec, WritesBaselineColourOrGrey) {
  const Bytes colour = WriteJpeg(Smooth(16, 16), kJpegSaveQuality);
  const std::size_t sof = FindMarker(colour, 0xC0);  // baseline frame
  ASSERT_NE(sof, 0u);
  EXPECT_EQ(colour[sof + 9], 3);  // components
  EXPECT_EQ(FindMarker(colour, 0xC2), 0u);  // not progressive

  const Bytes grey = WriteJpeg(Smooth(16, 16), kJpegSaveQuality, true);
  ASSERT_NE(FindMarker(grey, 0xC0), 0u);
  EXPECT_EQ(grey[FindMarker(grey, 0xC0) + 9], 1);
  TBitmap back;
  ReadJpeg(grey, back);
  const TColor c = back.GetPixel(5, 5);
  EXPECT_EQ(GetRValue(c), GetGValue(c));
  EXPECT_EQ(GetGValue(c), GetBValue(c));
}

TEST(JpegCodec, LowerQualityMakesSmallerFiles) {
  const TBitmap source = test::Pattern(64, 64);
  EXPECT_LT(WriteJpeg(source, 25).size(), WriteJpeg(source, 90).size());
  EXPECT_THROW(WriteJpeg(source, 0), Error);
  EXPECT_THROW(WriteJpeg(source, 101), Error);
  EXPECT_THROW(WriteJpeg(TBitmap(), 25), Error);
}

// Inverted (Adobe) CMYK as photo software writes it.
Bytes CmykJpeg(std::uint8_t c, std::uint8_t m, std::uint8_t y, std::uint8_t k) {
  jpeg_compress_struct cinfo{};
  jpeg_error_mgr err{};
  cinfo.err = jpeg_std_error(&err);
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = 8;
  cinfo.image_height = 8;
  cinfo.input_components = 4;
  cinfo.in_color_space = JCS_CMYK;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, 100, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  std::uint8_t row[32];
  for (int x = 0; x < 8; ++x) {
    row[4 * x] = static_cast<std::uint8_t>(255 - c);
    row[4 * x + 1] = static_cast<std::uint8_t>(255 - m);
    row[4 * x + 2] = static_cast<std::uint8_t>(255 - y);
    row[4 * x + 3] = static_cast<std::uint8_t>(255 - k);
  }
  while (cinfo.next_scanline < 8) {
    JSAMPROW r = row;
    jpeg_write_scanlines(&cinfo, &r, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  Bytes out(buffer, buffer + size);
  std::free(buffer);
  return out;
}

TEST(JpegCodec, ReadsCmykAsInvertedInk) {
  TBitmap b;
  ReadJpeg(CmykJpeg(0, 255, 255, 0), b);  // magenta + yellow ink: red
  const TColor c = b.GetPixel(3, 3);
  EXPECT_NEAR(GetRValue(c), 255, 2);
  EXPECT_NEAR(GetGValue(c), 0, 2);
  EXPECT_NEAR(GetBValue(c), 0, 2);
}

// A file that lacks only its end marker reads like the whole file; one
// cut inside its picture data does not (see the malformed files below).
TEST(JpegCodec, MissingEndMarkerIsAccepted) {
  const Bytes good = WriteJpeg(test::Pattern(32, 32), 80);
  ASSERT_EQ(good[good.size() - 2], 0xFF);
  ASSERT_EQ(good[good.size() - 1], 0xD9);
  TBitmap whole, withoutEnd;
  ReadJpeg(good, whole);
  ReadJpeg(Bytes(good.begin(), good.end() - 2), withoutEnd);
  EXPECT_TRUE(test::SamePixels(withoutEnd, whole));
}

TEST(JpegCodec, MalformedFilesAreErrorsAndKeepTheTarget) {
  const Bytes good = WriteJpeg(test::Pattern(32, 32), 80);
  const std::size_t sof = FindMarker(good, 0xC0);
  auto withSize = [&](int w, int h) {
    Bytes b = good;
    b[sof + 5] = static_cast<std::uint8_t>(h >> 8);
    b[sof + 6] = static_cast<std::uint8_t>(h);
    b[sof + 7] = static_cast<std::uint8_t>(w >> 8);
    b[sof + 8] = static_cast<std::uint8_t>(w);
    return b;
  };
  Bytes badTable = good;
  badTable[FindMarker(good, 0xC4) + 4] = 0x7F;  // Huffman table class/number out of range
  Bytes badComponents = good;
  badComponents[sof + 9] = 0;

  struct Case {
    const char* name;
    Bytes data;
  } cases[] = {
      {"empty", {}},
      {"signature", Bytes{0x89, 'P', 'N', 'G', 0, 0}},
      {"cut in the headers", Bytes(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(sof) + 4)},
      {"cut in the image data", Bytes(good.begin(), good.end() - 200)},
      {"cut just before the end marker", Bytes(good.begin(), good.end() - 4)},
      {"zero width", withSize(0, 32)},
      {"zero height", withSize(32, 0)},
      // 65000 x 65000 in a few bytes: refused before decoding.
      {"pixel budget", withSize(65000, 65000)},
      {"Huffman table", badTable},
      {"no components", badComponents},
  };
  for (const Case& c : cases) {
    TBitmap target = test::Pattern(3, 2);
    EXPECT_THROW(ReadJpeg(c.data, target), Error) << c.name;
    EXPECT_TRUE(test::SamePixels(target, test::Pattern(3, 2))) << c.name;
  }
}

}  // namespace
}  // namespace kroma
