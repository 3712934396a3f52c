#include <array>
#include <cstring>
#include <functional>
#include <string>

#include "EditorFixture.h"
#include "core/Canvas.h"
#include "editor/WorkImage.h"
#include "effects/ToneFilters.h"

namespace kroma::test {
namespace {

using UndoTest = EditorTest;

// A copy that shares nothing with the bitmap: its own bands, the same bytes.
TBitmap UnsharedCopy(const TBitmap& b) {
  TBitmap copy(b.Width(), b.Height(), b.PixelFormat(),
               IsPaletteFormat(b.PixelFormat()) ? b.Palette() : std::vector<TColor>{});
  for (int y = 0; y < b.Height(); ++y) std::memcpy(copy.ScanLine(y), b.ScanLine(y), static_cast<std::size_t>(b.Stride()));
  return copy;
}

// Size, format, palette and every stored byte of every row, padding included.
::testing::AssertionResult SameBytes(const TBitmap& a, const TBitmap& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height() || a.PixelFormat() != b.PixelFormat() ||
      a.Palette() != b.Palette())
    return ::testing::AssertionFailure() << a.Width() << " x " << a.Height() << " " << PixelFormatName(a.PixelFormat())
                                         << " against " << b.Width() << " x " << b.Height() << " "
                                         << PixelFormatName(b.PixelFormat());
  for (int y = 0; y < a.Height(); ++y)
    if (std::memcmp(a.ScanLine(y), b.ScanLine(y), static_cast<std::size_t>(a.Stride())) != 0)
      return ::testing::AssertionFailure() << "row " << y << " differs";
  return ::testing::AssertionSuccess();
}

// Pushes share the image's rows with the slot. Whatever happens between
// presses (strokes, a whole-image filter, a new size, a palette image,
// writes that push nothing), each undo must bring back exactly the image of
// its press, also after the ring has come round. The expected ring is kept
// as the editor documents it, in copies that share nothing.
TEST_F(UndoTest, EveryUndoRestoresItsPressByteForByte) {
  std::array<TBitmap, kUndoSlots> ring;
  for (int i = 0; i < kUndoSlots; ++i) ring[static_cast<std::size_t>(i)] = UnsharedCopy(F().UndoSlot(i));
  int index = F().FUndoIndex;
  auto resizeRing = [&](int w, int h) {
    for (TBitmap& slot : ring) slot.SetSize(w, h);
  };

  TBitmap palette(70, 50, pf8bit);
  palette.Canvas().Brush.SetColor(clNavy);
  palette.Canvas().FillRect({5, 5, 60, 30});
  palette.SaveToFile(folder.File("palette.bmp"));

  F().FToolKey = "freehand";
  F().Canvas().Pen.Width = 3;
  int stroke = 0;
  auto strokeAt = [&] {
    const int x = 10 + 17 * stroke++ % 200, y = 5 + 11 * stroke % 150;
    F().Canvas().Pen.Color = RGB(40 * stroke, 255 - 30 * stroke, 7 * stroke);
    Drag({x, y}, {x + 9, y + 4});
  };
  const std::pair<const char*, std::function<void()>> steps[] = {
      {"a stroke", [] {}},
      {"a whole-image filter after the stroke", [&] { FxInvert(Image()); }},
      {"a write that pushes nothing", [&] { Image().SetPixel(200, 100, clLime); }},
      {"a new size", [&] {
         NewWorkImage(F(), 230, 170);
         resizeRing(230, 170);
       }},
      {"a stroke on the new size", [] {}},
      {"a palette image", [&] {
         OpenWorkImage(F(), folder.File("palette.bmp"));
         resizeRing(70, 50);
       }},
      {"a stroke on the palette image", [] {}},
      {"a grown image", [&] {
         Image().SetSize(300, 64);
         F().ResizeUndoSlots(300, 64);
         resizeRing(300, 64);
       }},
      {"a filter", [&] { FxContrast(Image(), 90); }},
      {"a stroke", [] {}},
      {"a stroke", [] {}},
      {"a stroke", [] {}},
      {"a stroke, the ring come round", [] {}},
  };
  for (const auto& [what, change] : steps) {
    ring[static_cast<std::size_t>(index - 1)] = UnsharedCopy(Image());
    index = index % kUndoSlots + 1;
    strokeAt();
    change();
  }
  ASSERT_EQ(F().FUndoIndex, index);
  for (int k = 1; k <= kUndoSlots + 1; ++k) {
    F().goUndoClick();
    index = index - 1 <= 0 ? kUndoSlots : index - 1;
    EXPECT_TRUE(SameBytes(Image(), ring[static_cast<std::size_t>(index - 1)])) << "undo " << k;
  }
}

// A push costs what later differs: after a press the slot and the image
// share every band the stroke did not touch, and ten short strokes with
// their pushes hold a few bands each, far from ten images.
TEST_F(UndoTest, SlotsShareTheRowsAStrokeLeavesAlone) {
  NewWorkImage(F(), 2000, 1500);
  FxInvert(Image());  // black, every band its own
  const std::int64_t imageBytes = Image().Stride() * Image().Height();
  const std::int64_t before = LivePixelBytes();
  F().FToolKey = "freehand";
  F().Canvas().Pen.Color = clRed;
  for (int i = 0; i < 10; ++i) Drag({100 + 150 * i, 700}, {110 + 150 * i, 705});
  EXPECT_LT(LivePixelBytes() - before, imageBytes / 10) << "ten strokes copied " << LivePixelBytes() - before;

  const TBitmap& newest = F().UndoSlot(F().FUndoIndex - 2);
  for (int y : {0, 500, 1499}) EXPECT_TRUE(Image().SharesRow(newest, y)) << y;
  EXPECT_FALSE(Image().SharesRow(newest, 702)) << "the last stroke's rows are the image's own";
  for (int i = 0; i < 10; ++i) F().goUndoClick();
  EXPECT_EQ(CountColor(Image(), clBlack), 2000 * 1500) << "ten undos take every stroke back";
}

// A batch run starts like the window (FormCreate, FormShow) and opens its
// image: the ten slots take the new size but stay white, so opening holds
// the image and next to nothing more.
TEST_F(UndoTest, OpeningAnImageAllocatesNoUndoPixels) {
  TBitmap picture(1600, 1200, pf24bit, {});
  for (int y = 0; y < 1200; ++y) std::memset(picture.ScanLine(y), y & 0xFF, 1600 * 3);
  picture.SaveToFile(folder.File("photo.bmp"));
  picture = TBitmap();
  const std::int64_t before = LivePixelBytes();
  OpenWorkImage(F(), folder.File("photo.bmp"));
  const std::int64_t imageBytes = Image().Stride() * Image().Height();
  EXPECT_LE(LivePixelBytes() - before, imageBytes + kUndoSlots * (std::int64_t{64} << 10));
  for (int i = 0; i < kUndoSlots; ++i) {
    EXPECT_EQ(F().UndoSlot(i).Width(), 1600) << i;
    EXPECT_LE(F().UndoSlot(i).UnsharedBytes(), std::int64_t{64} << 10) << "slot " << i << " holds one white band";
    EXPECT_EQ(F().UndoSlot(i).GetPixel(1599, 1199), clWhite) << i;
  }
}

TEST_F(UndoTest, FirstUndoRestoresTheStartImageAndTheSecondAnUnwrittenSlot) {
  TBitmap start = Image();
  ASSERT_EQ(start.Width(), 256);
  ASSERT_EQ(CountColor(start, clWhite), 256 * 256);
  Image().SetPixel(5, 5, clRed);  // a change that pushes nothing, as scripts make

  F().goUndoClick();
  EXPECT_TRUE(SamePixels(Image(), start));
  EXPECT_GE(view.Replacements, 1);

  F().goUndoClick();  // slot 10 was never written: white, at the image's size
  EXPECT_EQ(Image().Width(), 256);
  EXPECT_EQ(Image().Height(), 256);
  EXPECT_EQ(CountColor(Image(), clWhite), 256 * 256);
}

TEST_F(UndoTest, ResizedSlotsKeepTheirPixelsAndUnwrittenOnesAreWhiteAtTheNewSize) {
  Image().SetPixel(1, 1, clBlue);
  Press(0, 0);  // pushes the blue dot
  Release(0, 0);
  F().ResizeUndoSlots(300, 40);
  F().goUndoClick();
  EXPECT_EQ(Image().Width(), 300);
  EXPECT_EQ(Image().Height(), 40);
  EXPECT_EQ(Image().GetPixel(1, 1), clBlue);
  EXPECT_EQ(Image().GetPixel(299, 39), clWhite);
  F().goUndoClick();  // the start image, cut to 300 x 40
  F().goUndoClick();  // never written
  EXPECT_EQ(Image().Width(), 300);
  EXPECT_EQ(CountColor(Image(), clWhite), 300 * 40);
}

// Each press pushes the image as it was before the press, whatever the key
// (none here, so the presses draw nothing); the ring holds the last ten.
TEST_F(UndoTest, ElevenPressesThenUndosWalkBackTenAndComeRound) {
  F().FToolKey = "";
  for (int i = 1; i <= 11; ++i) {
    Image().SetPixel(0, 0, RGB(i, 0, 0));
    Press(3, 3);
    Release(3, 3);
  }
  for (int k = 1; k <= 10; ++k) {
    F().goUndoClick();
    EXPECT_EQ(Image().GetPixel(0, 0), RGB(12 - k, 0, 0)) << "undo " << k;
  }
  F().goUndoClick();
  EXPECT_EQ(Image().GetPixel(0, 0), RGB(11, 0, 0)) << "the eleventh undo shows the newest slot";
}

TEST_F(UndoTest, PressAndReleaseAtOnePointWithTheLineToolStillPushOneImage) {
  Image().SetPixel(7, 7, clGreen);
  Press(20, 20);
  Release(20, 20);
  Image().SetPixel(7, 7, clRed);
  F().goUndoClick();
  EXPECT_EQ(Image().GetPixel(7, 7), clGreen);
  EXPECT_EQ(CountColor(Image(), clWhite), 256 * 256 - 1) << "a click with the line tool draws nothing";
}

}  // namespace
}  // namespace kroma::test
