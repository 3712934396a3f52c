#include <gtest/gtest.h>
#include <png.h>
#include <zlib.h>

#include "FilesTestSupport.h"
#include "core/Error.h"
#include "files/PngCodec.h"

namespace kroma {
namespace {

using test::Bytes;

// A PNG of any layout, written by libpng's simplified interface.
Bytes EncodeWithLibpng(std::uint32_t format, int w, int h, const std::vector<std::uint8_t>& pixels,
                       const png_color* colormap = nullptr, int colormapEntries = 0) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(w);
  image.height = static_cast<png_uint_32>(h);
  image.format = format;
  image.colormap_entries = static_cast<png_uint_32>(colormapEntries);
  png_alloc_size_t size = 0;
  EXPECT_TRUE(png_image_write_to_memory(&image, nullptr, &size, 0, pixels.data(), 0, colormap));
  Bytes out(size);
  EXPECT_TRUE(png_image_write_to_memory(&image, out.data(), &size, 0, pixels.data(), 0, colormap));
  out.resize(size);
  return out;
}

// An interlaced 8-bit RGBA PNG through libpng's full interface.
Bytes InterlacedRgba(int w, int h, const std::vector<std::uint8_t>& rgba) {
  Bytes out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  png_set_write_fn(
      png, &out, [](png_structp p, png_bytep data, png_size_t n) {
        auto* o = static_cast<Bytes*>(png_get_io_ptr(p));
        o->insert(o->end(), data, data + n);
      },
      nullptr);
  png_set_IHDR(png, info, static_cast<png_uint_32>(w), static_cast<png_uint_32>(h), 8, PNG_COLOR_TYPE_RGBA,
               PNG_INTERLACE_ADAM7, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  std::vector<png_bytep> rows;
  for (int y = 0; y < h; ++y) rows.push_back(const_cast<png_bytep>(&rgba[static_cast<std::size_t>(4 * w * y)]));
  png_set_rows(png, info, rows.data());
  png_write_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
  png_destroy_write_struct(&png, &info);
  return out;
}

// Replaces the CRC of the chunk at `at` (its length field) with a correct one.
void FixCrc(Bytes& png, std::size_t at) {
  const std::uint32_t length = (png[at] << 24) | (png[at + 1] << 16) | (png[at + 2] << 8) | png[at + 3];
  const uLong crc = crc32(0, &png[at + 4], 4 + length);
  for (int i = 0; i < 4; ++i) png[at + 8 + length + i] = static_cast<std::uint8_t>(crc >> (24 - 8 * i));
}

void PutBe32(Bytes& b, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (24 - 8 * i));
}

TEST(PngCodec, RoundTripsEveryPixelFormatAsItsColours) {
  for (TPixelFormat pf : {pf24bit, pf32bit, pf8bit, pf4bit, pf1bit, pf16bit}) {
    TBitmap source = test::Pattern(13, 7);
    source.SetPixelFormat(pf);
    TBitmap back;
    ReadPng(WritePng(source), back);
    EXPECT_EQ(back.PixelFormat(), pf24bit) << PixelFormatName(pf);
    EXPECT_TRUE(test::SamePixels(back, source)) << PixelFormatName(pf);
  }
}

// The writer filters each row and compresses the rows in pieces of about
// 2 MiB that join into one stream: pictures of one, two and many pieces,
// a piece of a single row, widths of every residue, noise that no filter
// predicts and gradients every filter does, all read back exactly.
TEST(PngCodec, WrittenPiecesJoinIntoOneStream) {
  const std::pair<int, int> sizes[] = {{1, 1}, {2, 1}, {1, 3}, {1023, 700}, {700, 2100}, {700001, 3}, {5, 3000}};
  for (auto [w, h] : sizes) {
    TBitmap noise(w, h, pf24bit, {});
    std::uint32_t state = static_cast<std::uint32_t>(w) * 7919u + static_cast<std::uint32_t>(h);
    for (int y = 0; y < h; ++y) {
      std::uint8_t* row = noise.ScanLine(y);
      for (int i = 0; i < 3 * w; ++i) {
        state = state * 1664525u + 1013904223u;
        // Smooth in the left half, noise in the right: every filter wins somewhere.
        row[i] = i < 3 * w / 2 ? static_cast<std::uint8_t>(i / 3 + 2 * y + i % 3 * 40) : static_cast<std::uint8_t>(state >> 24);
      }
    }
    const Bytes png = WritePng(noise);
    TBitmap back;
    ReadPng(png, back);
    EXPECT_TRUE(test::SamePixels(back, noise)) << w << " x " << h;
    EXPECT_EQ(WritePng(noise), png) << "the same bytes every time, " << w << " x " << h;
  }
}

TEST(PngCodec, ReadsGreyPaletteAlphaAndSixteenBitLayouts) {
  // Grey + alpha: opaque dark grey, half-transparent black over white.
  TBitmap b;
  ReadPng(EncodeWithLibpng(PNG_FORMAT_GA, 2, 1, {64, 255, 0, 128}), b);
  EXPECT_EQ(b.GetPixel(0, 0), RGB(64, 64, 64));
  EXPECT_EQ(GetRValue(b.GetPixel(1, 0)), GetBValue(b.GetPixel(1, 0)));
  EXPECT_NEAR(GetRValue(b.GetPixel(1, 0)), 127, 1);

  // Fully transparent colour becomes white.
  ReadPng(EncodeWithLibpng(PNG_FORMAT_RGBA, 1, 1, {10, 20, 30, 0}), b);
  EXPECT_EQ(b.GetPixel(0, 0), clWhite);

  // Palette image.
  const png_color map[3] = {{255, 0, 0}, {0, 255, 0}, {1, 2, 3}};
  ReadPng(EncodeWithLibpng(PNG_FORMAT_RGB_COLORMAP, 3, 1, {2, 1, 0}, map, 3), b);
  EXPECT_EQ(b.GetPixel(0, 0), RGB(1, 2, 3));
  EXPECT_EQ(b.GetPixel(1, 0), clLime);
  EXPECT_EQ(b.GetPixel(2, 0), clRed);

  // 16 bits per channel (linear): full scale stays full scale.
  std::vector<std::uint8_t> px(6, 0);
  px[0] = px[1] = 0xFF;  // red channel = 65535
  ReadPng(EncodeWithLibpng(PNG_FORMAT_LINEAR_RGB, 1, 1, px), b);
  EXPECT_EQ(b.GetPixel(0, 0), clRed);
}

TEST(PngCodec, InterlacedAlphaImagesBlendEveryPixel) {
  const int w = 11, h = 9;
  std::vector<std::uint8_t> rgba;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      rgba.insert(rgba.end(), {static_cast<std::uint8_t>(20 * x), static_cast<std::uint8_t>(25 * y), 7,
                               static_cast<std::uint8_t>((x + y) % 2 ? 255 : 0)});
  TBitmap b;
  ReadPng(InterlacedRgba(w, h, rgba), b);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      ASSERT_EQ(b.GetPixel(x, y), (x + y) % 2 ? RGB(20 * x, 25 * y, 7) : clWhite) << x << "," << y;
}

TEST(PngCodec, MalformedFilesAreErrorsAndKeepTheTarget) {
  const Bytes good = WritePng(test::Pattern(8, 8));
  auto withSize = [&](std::uint32_t w, std::uint32_t h) {
    Bytes b = good;
    PutBe32(b, 16, w);
    PutBe32(b, 20, h);
    FixCrc(b, 8);
    return b;
  };
  Bytes badCrc = good;
  badCrc[17] ^= 1;  // IHDR width, CRC left as it was
  Bytes badSignature = good;
  badSignature[1] = 'X';
  Bytes badDepth = good;
  badDepth[24] = 7;  // bit depth 7
  FixCrc(badDepth, 8);

  struct Case {
    const char* name;
    Bytes data;
  } cases[] = {
      {"empty", {}},
      {"signature", badSignature},
      {"cut in the header", Bytes(good.begin(), good.begin() + 20)},
      {"cut in the image data", Bytes(good.begin(), good.end() - 30)},
      {"no end chunk", Bytes(good.begin(), good.end() - 12)},
      {"CRC", badCrc},
      {"zero width", withSize(0, 8)},
      {"negative height", withSize(8, 0x80000000u)},
      // A few bytes claiming 100000 x 100000 pixels: refused from the header.
      {"pixel budget", withSize(100000, 100000)},
      {"bit depth", badDepth},
  };
  for (const Case& c : cases) {
    TBitmap target = test::Pattern(3, 2);
    EXPECT_THROW(ReadPng(c.data, target), Error) << c.name;
    EXPECT_TRUE(test::SamePixels(target, test::Pattern(3, 2))) << c.name;
  }
}

TEST(PngCodec, ErrorsNameTheProblem) {
  TBitmap b;
  try {
    ReadPng(Bytes{1, 2, 3}, b);
    FAIL();
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "Invalid PNG file: the PNG signature is missing");
  }
  EXPECT_THROW(WritePng(TBitmap()), Error);
}

}  // namespace
}  // namespace kroma
