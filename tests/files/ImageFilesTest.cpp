#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>

#include "FilesTestSupport.h"
#include "core/BmpCodec.h"
#include "core/Error.h"
#include "core/FileIO.h"
#include "files/GifCodec.h"
#include "files/GifReduction.h"
#include "files/ImageFiles.h"
#include "files/JpegCodec.h"
#include "files/PngCodec.h"
#include "files/TiffWriter.h"

namespace kroma {
namespace {

using test::Bytes;

std::string ErrorOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const Error& e) {
    return e.what();
  }
  return "";
}

// Saved under each name and opened again: PNG, BMP and a GIF of few
// colours keep every pixel.
TEST(ImageFiles, SaveAndOpenRoundTrips) {
  test::TempDir dir;
  TBitmap few(9, 4, pf24bit);
  few.SetPixel(2, 1, clRed);
  few.SetPixel(8, 3, RGB(10, 20, 30));
  SetGifReductionSettings({TGifPaletteMode::None, TGifDither::NearestColor, 8});
  for (const char* name : {"a.png", "a.bmp", "a.gif", "a.PNG"}) {
    for (TBitmap source : {test::Pattern(9, 4), few}) {
      if (std::string(name) == "a.gif") source = few;
      SaveImageFile(dir / name, source, false);
      TBitmap back;
      LoadImageFile(dir / name, back);
      EXPECT_TRUE(test::SamePixels(back, source)) << name;
    }
  }
  SetGifReductionSettings({});
  TBitmap palette = test::Pattern(9, 4);
  palette.SetPixelFormat(pf4bit);
  SaveImageFile(dir / "p.bmp", palette, false);
  TBitmap back;
  LoadImageFile(dir / "p.bmp", back);
  EXPECT_EQ(back.PixelFormat(), pf4bit);  // BMP keeps its own format
  EXPECT_TRUE(test::SamePixels(back, palette));
}

TEST(ImageFiles, TheExtensionDecidesTheFormat) {
  test::TempDir dir;
  const TBitmap picture = test::Pattern(16, 8);
  const Bytes jpeg = WriteJpeg(picture, 90);
  for (const char* name : {"photo.jpeg", "PHOTO.JPG", "x.Jpg"}) {
    WriteFileAtomic(dir / name, jpeg);
    TBitmap b;
    LoadImageFile(dir / name, b);
    EXPECT_EQ(b.Width(), 16) << name;
  }
  // PNG bytes under a JPEG name go to the JPEG reader and fail there.
  WriteFileAtomic(dir / "png.jpg", WritePng(picture));
  TBitmap target = test::Pattern(3, 2);
  EXPECT_NE(ErrorOf([&] { LoadImageFile(dir / "png.jpg", target); }).find("JPEG"), std::string::npos);
  EXPECT_TRUE(test::SamePixels(target, test::Pattern(3, 2)));

  // a.jpeg saves at quality 25 like a.jpg.
  SaveImageFile(dir / "a.jpeg", picture, false);
  SaveImageFile(dir / "a.jpg", picture, false);
  EXPECT_EQ(ReadWholeFile(dir / "a.jpeg"), WriteJpeg(picture, 25));
  EXPECT_EQ(ReadWholeFile(dir / "a.jpg"), WriteJpeg(picture, 25));
  SaveImageFile(dir / "a.tif", picture, false);
  EXPECT_EQ(ReadWholeFile(dir / "a.tif"), WriteTiff(picture));
}

TEST(ImageFiles, UnknownExtensionsAreErrorsThatChangeNothing) {
  test::TempDir dir;
  const TBitmap picture = test::Pattern(4, 4);
  WriteFileAtomic(dir / "a.tiff", WriteTiff(picture));
  for (const char* name : {"a.tiff", "a.txt", "noextension", "a.tif"}) {
    TBitmap target = test::Pattern(3, 2);
    const std::string message = ErrorOf([&] { LoadImageFile(dir / name, target); });
    EXPECT_NE(message.find("Cannot open"), std::string::npos) << name;
    EXPECT_TRUE(test::SamePixels(target, test::Pattern(3, 2))) << name;
    EXPECT_FALSE(CanLoadImageFile(name)) << name;
  }
  for (const char* name : {"b.tiff", "b.txt", "b"}) {
    EXPECT_NE(ErrorOf([&] { SaveImageFile(dir / name, picture, false); }).find("does not write"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir / name)) << name;
    EXPECT_FALSE(CanSaveImageFile(name)) << name;
  }
  EXPECT_TRUE(CanSaveImageFile("x.JpEg"));
  EXPECT_TRUE(CanLoadImageFile("dir.png/x.ico"));
  EXPECT_FALSE(CanLoadImageFile("dir.png/x"));
}

TEST(ImageFiles, FailedSavesKeepTheOldFile) {
  test::TempDir dir;
  const std::string path = dir / "icon.ico";
  WriteFileAtomic(path, Bytes{7, 7, 7});
  EXPECT_EQ(ErrorOf([&] { SaveImageFile(path, TBitmap(33, 32), false); }),
            "Cannot save \"" + path + "\": icons must be 32x32");
  EXPECT_EQ(ReadWholeFile(path), (Bytes{7, 7, 7}));
  EXPECT_THROW(SaveImageFile(dir / "empty.png", TBitmap(), false), Error);
  EXPECT_FALSE(std::filesystem::exists(dir / "empty.png"));
  SaveImageFile(path, TBitmap(32, 32), false);
  EXPECT_EQ(ReadWholeFile(path).size(), 2238u);
  EXPECT_THROW(SaveImageFile(dir / "missing/a.png", TBitmap(2, 2), false), Error);
}

TEST(ImageFiles, GifTransparencyIsTheBottomLeftPixelsIndex) {
  test::TempDir dir;
  TBitmap picture(5, 3, pf24bit);  // white
  picture.SetPixel(0, 2, clBlue);
  picture.SetPixel(4, 0, clBlue);
  picture.SetPixel(2, 1, clRed);
  SaveImageFile(dir / "t.gif", picture, true);
  const Bytes gif = ReadWholeFile(dir / "t.gif");
  // The Netscape reduction keeps only the used entries (blue, red, white):
  // three colours in a table of four.
  TBitmap frame = CompactPalette(ReduceColors(picture, {}));
  const int index = frame.ScanLine(2)[0];
  const std::uint8_t control[] = {0x21, 0xF9, 4, 1, 0, 0, static_cast<std::uint8_t>(index), 0};
  EXPECT_NE(std::search(gif.begin(), gif.end(), std::begin(control), std::end(control)), gif.end());
  EXPECT_EQ(gif[10] & 7, 1);  // a table of 4 entries: 2^(1+1)
  TBitmap back;
  LoadImageFile(dir / "t.gif", back);
  EXPECT_EQ(back.GetPixel(4, 0), clWhite);  // every blue pixel is transparent
  EXPECT_EQ(back.GetPixel(2, 1), clRed);

  SaveImageFile(dir / "o.gif", picture, false);
  LoadImageFile(dir / "o.gif", back);
  EXPECT_EQ(back.GetPixel(4, 0), clBlue);
}

TEST(ImageFiles, GifSavesUseTheProgramWideReduction) {
  test::TempDir dir;
  SetGifReductionSettings({TGifPaletteMode::GrayScale, TGifDither::FloydSteinberg, 8});
  SaveImageFile(dir / "g.gif", test::Pattern(20, 20), false);
  SetGifReductionSettings({});
  TBitmap back;
  LoadImageFile(dir / "g.gif", back);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x) {
      const TColor c = back.GetPixel(x, y);
      ASSERT_TRUE(GetRValue(c) == GetGValue(c) && GetGValue(c) == GetBValue(c)) << x << "," << y;
    }
}

}  // namespace
}  // namespace kroma
