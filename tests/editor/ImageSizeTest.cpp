#include <optional>
#include <string>

#include "EditorFixture.h"
#include "core/Canvas.h"
#include "core/Error.h"
#include "editor/Commands.h"
#include "effects/Resample.h"

namespace kroma::test {
namespace {

using ImageSizeTest = EditorTest;

// A picture with a colour in each corner and a red dot inside.
TBitmap Picture(int w, int h) {
  TBitmap b(w, h);
  b.Fill(clYellow);
  b.SetPixel(0, 0, clRed);
  b.SetPixel(w - 1, 0, clLime);
  b.SetPixel(0, h - 1, clBlue);
  b.SetPixel(w - 1, h - 1, clBlack);
  return b;
}

void Use(TKromaF& f, const TBitmap& picture) {
  f.Image().Assign(picture);
  f.ResizeUndoSlots(picture.Width(), picture.Height());
}

void ExpectUndoSlotsSized(const TKromaF& f, int w, int h) {
  for (int i = 0; i < kUndoSlots; ++i) {
    EXPECT_EQ(f.UndoSlot(i).Width(), w) << i;
    EXPECT_EQ(f.UndoSlot(i).Height(), h) << i;
  }
}

TEST_F(ImageSizeTest, NewAsksHeightThenWidthAndTakesNoNumberAsOneHundred) {
  Use(F(), Picture(40, 30));
  prompts.Answer("abc");
  prompts.Answer("30");
  RunCommand(F(), "New1Click");
  ASSERT_EQ(prompts.Log().size(), 2u);
  EXPECT_EQ(prompts.Log()[0].Text, "Image height:");
  EXPECT_EQ(prompts.Log()[0].DefaultText, "100");
  EXPECT_EQ(prompts.Log()[1].Text, "Image width:");
  EXPECT_EQ(Image().Width(), 30);
  EXPECT_EQ(Image().Height(), 100);
  EXPECT_EQ(CountColor(Image(), clWhite), 3000);
  EXPECT_EQ(F().Status(0), "");
  ExpectUndoSlotsSized(F(), 30, 100);
}

TEST_F(ImageSizeTest, NewAndCanvasKeepTheImageWhenCancelledOrGivenABadSize) {
  struct Case {
    const char* command;
    std::optional<std::string> height, width;
    bool error;
  } cases[] = {
      {"New1Click", std::nullopt, std::nullopt, false},  // the first box cancelled
      {"New1Click", "50", std::nullopt, false},          // the second
      {"New1Click", "0", "10", true},
      {"New1Click", "10", "-4", true},
      {"New1Click", "100000", "100000", true},  // beyond the program's limit
      {"Canvas1Click", std::nullopt, std::nullopt, false},
      {"Canvas1Click", "0", "50", true},
      {"Canvas1Click", "2000000000", "2", true},
  };
  const TBitmap before = Picture(40, 30);
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.command) + " " + c.height.value_or("(cancel)") + " " + c.width.value_or("(cancel)"));
    Use(F(), before);
    F().FRangeRect = {1, 2, 3, 4};
    prompts.Answer(c.height);
    if (c.height) prompts.Answer(c.width);  // a cancelled first box asks no second
    if (c.error)
      EXPECT_THROW(RunCommand(F(), c.command), Error);
    else
      RunCommand(F(), c.command);
    EXPECT_EQ(prompts.PendingAnswers(), 0u);
    EXPECT_TRUE(SamePixels(Image(), before));
    ExpectUndoSlotsSized(F(), 40, 30);
    EXPECT_EQ(F().FRangeRect, (TRect{1, 2, 3, 4}));
  }
}

TEST_F(ImageSizeTest, CanvasCutsTheBottomAndPadsTheRightWithWhite) {
  const TBitmap before = Picture(200, 100);
  Use(F(), before);
  prompts.Answer("50");
  prompts.Answer("300");
  RunCommand(F(), "Canvas1Click");
  EXPECT_EQ(prompts.Log()[0].DefaultText, "100");
  EXPECT_EQ(prompts.Log()[1].DefaultText, "200");
  ASSERT_EQ(Image().Width(), 300);
  ASSERT_EQ(Image().Height(), 50);
  for (int y = 0; y < 50; ++y)
    for (int x = 0; x < 300; ++x)
      ASSERT_EQ(Image().GetPixel(x, y), x < 200 ? before.GetPixel(x, y) : clWhite) << x << "," << y;
  EXPECT_EQ(F().FRangeRect, (TRect{0, 0, 300, 50}));
  EXPECT_EQ(F().gamma.SecondColor(), clWhite);
  ExpectUndoSlotsSized(F(), 300, 50);
}

TEST_F(ImageSizeTest, BannerAndDefaultClearKeepTheTopLeftPixels) {
  for (auto [command, w, h] : {std::tuple{"NewBanner1Click", 468, 60}, std::tuple{"ClearDefault1Click", 256, 256}}) {
    Use(F(), Picture(40, 30));
    RunCommand(F(), command);
    EXPECT_EQ(Image().Width(), w) << command;
    EXPECT_EQ(Image().Height(), h) << command;
    EXPECT_EQ(Image().GetPixel(0, 0), clRed) << command;
    EXPECT_EQ(Image().GetPixel(39, 29), clBlack) << command;
    EXPECT_EQ(Image().GetPixel(40, 29), clWhite) << command;
    EXPECT_EQ(F().FRangeRect, (TRect{0, 0, w, h})) << command;
    ExpectUndoSlotsSized(F(), w, h);
  }
}

TEST_F(ImageSizeTest, ClearImageWhitensEverythingAndLeavesAClearBrush) {
  Use(F(), Picture(40, 30));
  F().Canvas().Pen.Style = psDot;
  RunCommand(F(), "ToolButton12Click");
  EXPECT_EQ(CountColor(Image(), clWhite), 40 * 30);
  EXPECT_EQ(F().Canvas().Brush.Style(), bsClear);
  EXPECT_EQ(F().Canvas().Pen.Style, psSolid);
  EXPECT_EQ(view.ToolButton("setbrushstyle"), "BrushClear1Click");
  EXPECT_EQ(F().FRangeRect, (TRect{0, 0, 40, 30}));
}

TEST_F(ImageSizeTest, ClipboardRoundTripAndUndoAfterAPaste) {
  const TBitmap big = Picture(40, 30);
  Use(F(), Picture(7, 5));
  RunCommand(F(), "CopytoClipboard1Click");
  Use(F(), big);
  F().PushImage();
  RunCommand(F(), "PastefromClipboard1Click");
  EXPECT_TRUE(SamePixels(Image(), Picture(7, 5)));
  // The slots keep the whole earlier image.
  ExpectUndoSlotsSized(F(), 40, 30);
  RunCommand(F(), "goUndoClick");
  EXPECT_TRUE(SamePixels(Image(), big));

  // Stretched: the image keeps its size.
  TBitmap two(2, 1);
  two.SetPixel(0, 0, clRed);
  two.SetPixel(1, 0, clBlue);
  desktop.SetClipboardImage(two);
  RunCommand(F(), "PasteStretchfromClipboard1Click");
  EXPECT_EQ(Image().Width(), 40);
  EXPECT_EQ(Image().GetPixel(19, 29), clRed);
  EXPECT_EQ(Image().GetPixel(20, 0), clBlue);

  // An empty clipboard changes nothing.
  desktop.ClearClipboard();
  const TBitmap now = Image();
  RunCommand(F(), "PastefromClipboard1Click");
  RunCommand(F(), "PasteStretchfromClipboard1Click");
  EXPECT_TRUE(SamePixels(Image(), now));
}

TEST_F(ImageSizeTest, SpinButtonScalesFromTheImageAtEachClick) {
  Use(F(), Picture(256, 128));
  RunCommand(F(), "SizeSpinUpClick");
  RunCommand(F(), "SizeSpinUpClick");
  EXPECT_EQ(Image().Width(), 400);  // 256 x 1.5625
  EXPECT_EQ(Image().Height(), 200);
  EXPECT_EQ(F().FRangeRect, (TRect{0, 0, 320, 160}));  // the image as the second click found it
  EXPECT_EQ(F().Status(3), "W=400  H=200");
  RunCommand(F(), "SizeSpinDownClick");
  EXPECT_EQ(Image().Width(), 280);
  EXPECT_EQ(Image().Height(), 140);

  // 2 x 1.25 = 2.5 rounds to even; nothing goes below one pixel.
  Use(F(), Picture(2, 1));
  RunCommand(F(), "SizeSpinUpClick");
  EXPECT_EQ(Image().Width(), 2);
  RunCommand(F(), "SizeSpinDownClick");
  RunCommand(F(), "SizeSpinDownClick");
  EXPECT_EQ(Image().Width(), 1);
  EXPECT_EQ(Image().Height(), 1);
}

TEST_F(ImageSizeTest, DragResizeResamplesTheImageOfThePress) {
  const TBitmap before = Picture(200, 100);
  Use(F(), before);
  F().ScrollBox1MouseMove(ssCtrl, 50, 50);  // not armed
  EXPECT_EQ(Image().Width(), 200);
  F().ScrollBox1MouseDown(0);  // neither key: nothing
  F().ScrollBox1MouseMove(ssCtrl, 50, 50);
  EXPECT_EQ(Image().Width(), 200);

  F().ScrollBox1MouseDown(ssCtrl);
  F().ScrollBox1MouseMove(ssCtrl, 23, 13);
  F().ScrollBox1MouseMove(ssCtrl, 103, 53);
  EXPECT_EQ(Image().Width(), 100);
  EXPECT_EQ(Image().Height(), 50);
  EXPECT_EQ(F().Status(3), "W=100  H=50");
  // Resampled once from the image at the press, not from the move before.
  TBitmap direct(100, 50);
  SmoothResize(before, direct);
  EXPECT_TRUE(SamePixels(Image(), direct));

  // Shift keeps the press's proportions, whatever the pointer's y.
  F().ScrollBox1MouseMove(ssShift, 63, 7);
  EXPECT_EQ(Image().Width(), 60);
  EXPECT_EQ(Image().Height(), 30);
  F().ScrollBox1MouseMove(ssShift | ssCtrl, 63, 900);
  EXPECT_EQ(Image().Height(), 30);
  // Past the corner: one pixel, never none.
  F().ScrollBox1MouseMove(ssCtrl, -50, 2);
  EXPECT_EQ(Image().Width(), 1);
  EXPECT_EQ(Image().Height(), 1);
  // Beyond memory: the move is left out.
  F().ScrollBox1MouseMove(ssCtrl, 2000000000, 2000000000);
  EXPECT_EQ(Image().Width(), 1);

  F().ScrollBox1MouseUp();
  F().ScrollBox1MouseMove(ssCtrl, 303, 303);
  EXPECT_EQ(Image().Width(), 1);
}

TEST_F(ImageSizeTest, StretchCommandsResizeWithoutTouchingTheUndoSlots) {
  const TBitmap before = Picture(200, 100);
  Use(F(), before);
  prompts.Answer("50");
  prompts.Answer("x");  // no number: the width stays
  RunCommand(F(), "Stretch1Click");
  TBitmap expected(200, 50);
  SmoothResize(before, expected);
  EXPECT_TRUE(SamePixels(Image(), expected));
  EXPECT_EQ(F().Status(3), "W=200  H=50");
  ExpectUndoSlotsSized(F(), 200, 100);

  prompts.Answer(std::nullopt);
  RunCommand(F(), "Stretch1Click");  // cancelled: not even a same-size resample
  EXPECT_TRUE(SamePixels(Image(), expected));

  RunCommand(F(), "ResizeDefault1Click");
  EXPECT_EQ(Image().Width(), 256);
  EXPECT_EQ(Image().Height(), 256);

  // Default > Stretch: nearest pixel, no smoothing.
  TBitmap checker(2, 2);
  checker.SetPixel(0, 0, clBlack);
  checker.SetPixel(1, 1, clBlack);
  Use(F(), checker);
  RunCommand(F(), "Stretch2Click");
  EXPECT_EQ(Image().Width(), 256);
  EXPECT_EQ(CountColor(Image(), clBlack), 2 * 128 * 128);
  EXPECT_EQ(CountColor(Image(), clWhite), 2 * 128 * 128);
}

TEST_F(ImageSizeTest, SmartCommands) {
  TBitmap wide(100, 50);
  wide.Fill(clBlack);
  Use(F(), wide);
  RunCommand(F(), "Smart32x321Click");
  ASSERT_EQ(Image().Width(), 32);
  ASSERT_EQ(Image().Height(), 32);
  EXPECT_EQ(CountColor(Image(), clBlack), 32 * 16);
  EXPECT_EQ(Image().GetPixel(31, 15), clBlack);
  EXPECT_EQ(Image().GetPixel(0, 16), clWhite);
  ExpectUndoSlotsSized(F(), 32, 32);
  EXPECT_EQ(F().FRangeRect, (TRect{0, 0, 32, 32}));

  Use(F(), Picture(200, 100));
  prompts.Answer("50");
  RunCommand(F(), "Height1Click");
  EXPECT_EQ(prompts.Log().back().Text, "Enter height:");
  EXPECT_EQ(prompts.Log().back().DefaultText, "100");
  EXPECT_EQ(Image().Width(), 100);
  EXPECT_EQ(Image().Height(), 50);

  prompts.Answer("25");
  RunCommand(F(), "Width1Click");
  EXPECT_EQ(Image().Width(), 25);
  EXPECT_EQ(Image().Height(), 12);  // 12.5, rounded to even

  prompts.Answer(std::nullopt);
  RunCommand(F(), "Square4Click");
  EXPECT_EQ(Image().Width(), 25);
  prompts.Answer("0");
  EXPECT_THROW(RunCommand(F(), "Square4Click"), Error);
  EXPECT_EQ(Image().Width(), 25);
}

}  // namespace
}  // namespace kroma::test
