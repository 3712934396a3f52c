#include "EditorFixture.h"

namespace kroma::test {
namespace {

using UndoTest = EditorTest;

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
