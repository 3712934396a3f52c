#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <sstream>

#include "FilesTestSupport.h"
#include "core/Error.h"
#include "core/FileIO.h"
#include "core/PixelFormats.h"
#include "files/TiffWriter.h"

namespace kroma {
namespace {

using test::Bytes;
using test::Le16At;
using test::Le32At;

Bytes FromHex(const std::string& hex) {
  Bytes out;
  std::istringstream in(hex);
  std::string byte;
  while (in >> byte) out.push_back(static_cast<std::uint8_t>(std::stoi(byte, nullptr, 16)));
  return out;
}

// The value of IFD entry `tag`: {type, count, value or offset}.
struct Entry {
  int type = 0;
  std::uint32_t count = 0, value = 0;
};
Entry Find(const Bytes& tiff, int tag) {
  const std::uint32_t ifd = Le32At(tiff, 4);
  for (int i = 0; i < Le16At(tiff, ifd); ++i) {
    const std::size_t e = ifd + 2 + 12 * static_cast<std::size_t>(i);
    if (Le16At(tiff, e) == tag) {
      const int type = Le16At(tiff, e + 2);
      const std::uint32_t count = Le32At(tiff, e + 4);
      return {type, count, type == 3 && count == 1 ? Le16At(tiff, e + 8) : Le32At(tiff, e + 8)};
    }
  }
  return {};
}

TEST(TiffWriter, ThreeByTwoColourImageIsByteExact) {
  TBitmap b(3, 2, pf24bit, {});
  int v = 1;
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x, v += 3) b.SetPixel(x, y, RGB(v, v + 1, v + 2));
  const Bytes expected = FromHex(
      "49 49 2A 00 3A 00 00 00"                                   // header, IFD at 58
      " 6D 03 00 00 0A 00 00 00  6D 03 00 00 0A 00 00 00"         // 877/10 twice
      " 08 00 08 00 08 00"                                        // bits per sample
      " 5A 65 66 74 61 20 73 6F 66 74"                            // "Zefta soft"
      " 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F 10 11 12"    // rows, red first
      " 0F 00"
      " FE 00 04 00 01 00 00 00 00 00 00 00"
      " 00 01 03 00 01 00 00 00 03 00 00 00"
      " 01 01 03 00 01 00 00 00 02 00 00 00"
      " 02 01 03 00 03 00 00 00 18 00 00 00"
      " 03 01 03 00 01 00 00 00 01 00 00 00"
      " 06 01 03 00 01 00 00 00 02 00 00 00"
      " 11 01 04 00 01 00 00 00 28 00 00 00"
      " 15 01 03 00 01 00 00 00 03 00 00 00"
      " 16 01 04 00 01 00 00 00 02 00 00 00"
      " 17 01 04 00 01 00 00 00 12 00 00 00"
      " 1A 01 05 00 01 00 00 00 08 00 00 00"
      " 1B 01 05 00 01 00 00 00 10 00 00 00"
      " 1C 01 03 00 01 00 00 00 01 00 00 00"
      " 28 01 03 00 01 00 00 00 02 00 00 00"
      " 31 01 02 00 0A 00 00 00 1E 00 00 00"
      " 00 00 00 00");
  ASSERT_EQ(expected.size(), 244u);
  EXPECT_EQ(WriteTiff(b), expected);
  b.SetPixelFormat(pf32bit);  // the same colours, the same file
  EXPECT_EQ(WriteTiff(b), expected);
  EXPECT_EQ(Le32At(WriteTiff(TBitmap(1, 1)), 4), 43u);  // odd IFD offset, no padding
}

TEST(TiffWriter, PaletteLayoutsKeepEveryColumn) {
  struct Case {
    TPixelFormat pf;
    int width, bits, rowBytes;
    std::size_t entries;
  } cases[] = {{pf8bit, 5, 8, 5, 256}, {pf4bit, 7, 4, 4, 16}, {pf1bit, 10, 1, 2, 2}};
  for (const Case& c : cases) {
    TBitmap b = test::Pattern(c.width, 3);
    b.SetPixelFormat(c.pf);
    const Bytes t = WriteTiff(b);
    const std::uint32_t strip = 34 + 6 * static_cast<std::uint32_t>(c.entries);
    EXPECT_EQ(Find(t, 256).value, static_cast<std::uint32_t>(c.width)) << c.bits;
    EXPECT_EQ(Find(t, 258).value, static_cast<std::uint32_t>(c.bits));
    EXPECT_EQ(Find(t, 262).value, 3u);
    EXPECT_EQ(Find(t, 273).value, strip);
    EXPECT_EQ(Find(t, 279).value, static_cast<std::uint32_t>(3 * c.rowBytes));
    EXPECT_EQ(Find(t, 320).count, 3 * c.entries);
    EXPECT_EQ(Find(t, 320).value, 8u);
    EXPECT_EQ(Find(t, 284).type, 0);  // no planar configuration entry
    EXPECT_EQ(t.size(), strip + 3u * static_cast<std::uint32_t>(c.rowBytes) + 186);
    // Component in the high byte: red of entry 1, green of entry 0.
    EXPECT_EQ(Le16At(t, 8 + 2), GetRValue(b.Palette()[1]) << 8);
    EXPECT_EQ(Le16At(t, 8 + 2 * c.entries), GetGValue(b.Palette()[0]) << 8);
    for (int y = 0; y < 3; ++y)
      EXPECT_EQ(0, std::memcmp(&t[strip + static_cast<std::size_t>(y * c.rowBytes)], b.ScanLine(y),
                               static_cast<std::size_t>(c.rowBytes - 1)));
  }
  EXPECT_EQ(1570u, Find(WriteTiff([] {
                          TBitmap b(5, 1, pf8bit, {clRed});
                          return b;
                        }()),
                        273)
                       .value);
}

TEST(TiffWriter, SidesAbove65535AreLong) {
  const Bytes wide = WriteTiff(TBitmap(70000, 1));
  EXPECT_EQ(Find(wide, 256).type, 4);
  EXPECT_EQ(Find(wide, 256).value, 70000u);
  EXPECT_EQ(Find(wide, 257).type, 3);
  const Bytes edge = WriteTiff(TBitmap(65535, 1));
  EXPECT_EQ(Find(edge, 256).type, 3);
  EXPECT_EQ(Find(edge, 256).value, 65535u);
}

TEST(TiffWriter, EmptyImagesAndFailedSavesWriteNothing) {
  EXPECT_THROW(WriteTiff(TBitmap()), Error);
  test::TempDir dir;
  const std::string path = dir / "keep.tif";
  WriteFileAtomic(path, Bytes{1, 2, 3});
  EXPECT_THROW(WriteTiffFile(path, TBitmap()), Error);
  EXPECT_EQ(ReadWholeFile(path), (Bytes{1, 2, 3}));
  EXPECT_THROW(WriteTiffFile(dir / "no/such/folder.tif", TBitmap(2, 2)), Error);
}

std::string RunShell(const std::string& command) {
  std::string out;
  if (FILE* p = ::popen(command.c_str(), "r")) {
    char buffer[4096];
    while (std::size_t n = std::fread(buffer, 1, sizeof buffer, p)) out.append(buffer, n);
    if (::pclose(p) != 0) out += "\n(exit status not 0)";
  }
  return out;
}

// The bytes of strip 0 as "tiffinfo -d" prints them.
Bytes StripBytes(const std::string& info) {
  const std::size_t at = info.find("Strip 0:");
  return at == std::string::npos ? Bytes{} : FromHex(info.substr(at + 8));
}

// libtiff reads our files and decodes their pixels to the source's colours.
TEST(TiffWriter, LibtiffReadsOurFiles) {
  if (RunShell("command -v tiff2rgba tiffinfo").empty())
    GTEST_SKIP() << "libtiff-tools (tiffinfo, tiff2rgba) is not installed; scripts/setup.sh installs it";
  test::TempDir dir;
  for (TPixelFormat pf : {pf24bit, pf32bit, pf16bit, pf8bit, pf4bit, pf1bit}) {
    TBitmap b = test::Pattern(7, 3);
    b.SetPixelFormat(pf);
    const std::string in = dir / "in.tif", out = dir / "rgb.tif";
    WriteTiffFile(in, b);
    const std::string info = RunShell("tiffinfo '" + in + "' 2>&1");
    EXPECT_NE(info.find("Image Width: 7 Image Length: 3"), std::string::npos) << info;
    EXPECT_EQ(info.find("Error"), std::string::npos) << info;
    EXPECT_EQ(info.find("(exit status"), std::string::npos) << info;
    const Bytes rgb = StripBytes(RunShell("tiff2rgba -c none -n '" + in + "' '" + out + "' 2>/dev/null && tiffinfo -d '" + out + "' 2>/dev/null"));
    ASSERT_EQ(rgb.size(), 7u * 3 * 3) << PixelFormatName(pf);
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 7; ++x) {
        const std::size_t i = 3 * static_cast<std::size_t>(y * 7 + x);
        EXPECT_EQ(RGB(rgb[i], rgb[i + 1], rgb[i + 2]), b.GetPixel(x, y)) << PixelFormatName(pf) << " " << x << "," << y;
      }
  }
}

}  // namespace
}  // namespace kroma
