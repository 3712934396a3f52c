#include <gtest/gtest.h>

#include <limits>

#include "EditorFixture.h"
#include "core/Canvas.h"
#include "core/Error.h"
#include "editor/Commands.h"
#include "editor/ranges/RangeArea.h"
#include "editor/ranges/RangeFrame.h"
#include "editor/ranges/RangeOps.h"

namespace kroma::test {
namespace {

constexpr int kMin = std::numeric_limits<int>::min();
constexpr int kMax = std::numeric_limits<int>::max();

class RangeTest : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    Image().SetSize(100, 80);
    Image().Fill(clWhite);
  }
  void FillRect(const TRect& r, TColor color) {
    for (int y = r.Top; y < r.Bottom; ++y)
      for (int x = r.Left; x < r.Right; ++x) Image().SetPixel(x, y, color);
  }
  // Pixels of `color` inside and outside a rectangle.
  int CountIn(const TRect& r, TColor color) {
    int n = 0;
    for (int y = r.Top; y < r.Bottom; ++y)
      for (int x = r.Left; x < r.Right; ++x) n += Image().GetPixel(x, y) == color;
    return n;
  }
};

struct AreaCase {
  const char* name;
  TRect range;
  TRect area;
};

// The one rule behind every range command: normalise, clip, right and
// bottom exclusive.
TEST(RangeArea, NormalisesAndClips) {
  const AreaCase cases[] = {
      {"normal", {10, 10, 20, 20}, {10, 10, 20, 20}},
      {"dragged up and left", {20, 20, 10, 10}, {10, 10, 20, 20}},
      {"one pixel", {3, 4, 4, 5}, {3, 4, 4, 5}},
      {"partly outside", {-5, 70, 3, 200}, {0, 70, 3, 80}},
      {"whole int range", {kMax, kMax, kMin, kMin}, {0, 0, 100, 80}},
      {"no width", {5, 5, 5, 9}, {}},
      {"outside", {300, 10, 400, 20}, {}},
  };
  for (const AreaCase& c : cases) EXPECT_EQ(RangeArea(c.range, 100, 80), c.area) << c.name;
}

TEST_F(RangeTest, EraseFillsExactlyTheRangeWhicheverWayItWasDragged) {
  const AreaCase cases[] = {
      {"normal", {10, 10, 20, 20}, {10, 10, 20, 20}},
      {"dragged up and left", {20, 20, 10, 10}, {10, 10, 20, 20}},
      {"one pixel", {3, 4, 4, 5}, {3, 4, 4, 5}},
      {"partly outside", {90, -7, 130, 5}, {90, 0, 100, 5}},
  };
  F().Canvas().Brush.SetColor(clRed);
  for (const AreaCase& c : cases) {
    SCOPED_TRACE(c.name);
    Image().Fill(clWhite);
    F().FRangeRect = c.range;
    RunCommand(F(), "Erase1Click");
    EXPECT_EQ(CountIn(c.area, clRed), c.area.Width() * c.area.Height());
    EXPECT_EQ(CountColor(Image(), clRed), c.area.Width() * c.area.Height()) << "nothing outside the range";
    EXPECT_EQ(F().clip.Width(), c.area.Width());
    EXPECT_EQ(F().clip.Height(), c.area.Height());
  }
}

TEST_F(RangeTest, AnEmptyRangeIsAnErrorAndChangesNothing) {
  FillRect({0, 0, 50, 80}, clBlue);
  const TBitmap before = Image();
  const char* commands[] = {"Erase1Click", "Invert2Click", "Float1Click", "FloatTight1Click", "FloatTight241Click",
                            "CopyRange1Click", "Crop1Click", "ToolButton14Click", "MaskClip1Click"};
  for (TRect empty : {TRect{}, TRect{30, 30, 30, 60}, TRect{200, 0, 300, 50}}) {
    for (const char* id : commands) {
      F().FRangeRect = empty;
      EXPECT_THROW(RunCommand(F(), id), Error) << id;
      EXPECT_TRUE(SamePixels(Image(), before)) << id;
    }
  }
  EXPECT_FALSE(F().FloatImage1.Visible);
  EXPECT_FALSE(desktop.GetClipboardImage(F().clip));
}

TEST_F(RangeTest, InvertTurnsTheRangeOnly) {
  FillRect({0, 0, 100, 40}, RGB(10, 200, 30));
  F().FRangeRect = {50, 60, 30, 20};  // dragged up and left
  RunCommand(F(), "Invert2Click");
  EXPECT_EQ(CountIn({30, 20, 50, 40}, RGB(245, 55, 225)), 400);
  EXPECT_EQ(CountIn({30, 40, 50, 60}, clBlack), 400);
  EXPECT_EQ(Image().GetPixel(29, 20), RGB(10, 200, 30));
  EXPECT_EQ(Image().GetPixel(50, 59), clWhite);
}

TEST_F(RangeTest, SelectAllAndClipWholeImageAgreeOnTheEdges) {
  RunCommand(F(), "SelectAll2Click");
  const TRect all = F().FRangeRect;
  F().FRangeRect = {1, 2, 3, 4};
  F().ClipWholeImage();
  EXPECT_EQ(F().FRangeRect, all);
  EXPECT_EQ(all, Image().BoundsRect());
  FillRect({99, 79, 100, 80}, clRed);
  F().FClipCopyMode = cmSrcCopy;
  F().setclip(clWhite);
  F().copyclip();
  EXPECT_TRUE(SamePixels(F().clip, Image())) << "the clip ends at the image's last column and row";
}

TEST_F(RangeTest, ClipRoutinesCombineMirrorAndPasteBack) {
  FillRect({10, 10, 20, 15}, RGB(0x30, 0x0F, 0xF0));
  F().FRangeRect = {10, 10, 20, 20};
  F().FClipCopyMode = cmMergeCopy;  // brush & source: setclip's colour is the pattern
  F().setclip(RGB(0xFF, 0x0F, 0x0F));
  F().copyclip();
  EXPECT_EQ(F().clip.GetPixel(0, 0), RGB(0x30, 0x0F, 0x00));
  EXPECT_EQ(F().clip.GetPixel(0, 9), RGB(0xFF, 0x0F, 0x0F));
  F().clipmirror();
  EXPECT_EQ(F().clip.GetPixel(3, 9), RGB(0x30, 0x0F, 0x00)) << "row 0 copied over row 9";
  F().Canvas().CopyMode = cmSrcCopy;
  F().pasteclip();
  EXPECT_EQ(Image().GetPixel(10, 19), RGB(0x30, 0x0F, 0x00));
  EXPECT_EQ(Image().GetPixel(20, 19), clWhite);

  FillRect({0, 0, 3, 3}, clBlack);
  F().CopyRectToClip({3, 3, -2, -2});
  EXPECT_EQ(F().clip.Width(), 5);
  EXPECT_EQ(F().clip.GetPixel(0, 0), clWhite) << "outside the image is white";
  EXPECT_EQ(F().clip.GetPixel(4, 4), clBlack);
}

TEST_F(RangeTest, FloodFillRangeUsesTheBrush) {
  F().Canvas().Brush.SetColor(clGreen);
  F().Canvas().Brush.SetStyle(bsHorizontal);
  F().FRangeRect = {0, 0, 16, 16};
  RunCommand(F(), "ToolButton14Click");
  EXPECT_EQ(CountColor(Image(), clGreen), 32) << "rows 0 and 8 of the hatch";
}

TEST_F(RangeTest, TightFloatKeepsTheDifferingPixels) {
  FillRect({30, 40, 33, 42}, clBlack);
  Image().SetPixel(31, 41, clRed);
  F().FRangeRect = {10, 10, 90, 70};
  RunCommand(F(), "FloatTight1Click");
  EXPECT_EQ(F().FRangeRect, (TRect{30, 40, 33, 42}));
  const TFloatingRange& fl = F().FloatImage1;
  ASSERT_TRUE(fl.Visible);
  EXPECT_EQ(fl.Pos, (TPoint{30, 40}));
  EXPECT_EQ(fl.Picture.Width(), 3);
  EXPECT_EQ(fl.Picture.Height(), 2);
  EXPECT_EQ(fl.Picture.GetPixel(1, 1), clRed);

  // A range of one colour has nothing to tighten to.
  F().FloatImage1.Visible = false;
  F().FRangeRect = {50, 50, 60, 60};
  EXPECT_THROW(RunCommand(F(), "FloatTight1Click"), Error);
  EXPECT_EQ(F().FRangeRect, (TRect{50, 50, 60, 60}));
  EXPECT_FALSE(F().FloatImage1.Visible);
}

TEST_F(RangeTest, FloatTight24WidensAroundTheMiddleAndStaysInside) {
  FillRect({40, 30, 45, 60}, clBlue);  // 5 wide, 30 high
  F().FRangeRect = {0, 0, 100, 80};
  RunCommand(F(), "FloatTight241Click");
  EXPECT_EQ(F().FRangeRect, (TRect{45 + 9 - 24, 30, 45 + 9, 60}));
  EXPECT_EQ(F().FloatImage1.Picture.Width(), 24);
  EXPECT_EQ(F().FloatImage1.Picture.PixelFormat(), pf4bit);

  Image().Fill(clWhite);
  FillRect({1, 78, 3, 80}, clBlue);  // a corner dot: the 24 x 24 frame moves inside
  F().FRangeRect = {0, 0, 100, 80};
  RunCommand(F(), "FloatTight241Click");
  EXPECT_EQ(F().FRangeRect, (TRect{0, 56, 24, 80}));
}

TEST_F(RangeTest, FloatFullCopyAndPasteThroughTheClipboard) {
  FillRect({10, 10, 20, 20}, clRed);
  F().FRangeRect = {10, 10, 20, 20};
  const TBitmap before = Image();
  RunCommand(F(), "Float1Click");
  EXPECT_EQ(F().FloatImage1.Picture.Width(), 10);
  EXPECT_EQ(F().FloatImage1.Pos, (TPoint{10, 10}));
  EXPECT_TRUE(SamePixels(Image(), before)) << "floating leaves the image alone";

  RunCommand(F(), "CopyRange1Click");
  RunCommand(F(), "FloatImg1Click");
  EXPECT_FALSE(F().FloatImage1.Visible);
  RunCommand(F(), "PasteFloating1Click");
  EXPECT_TRUE(F().FloatImage1.Visible);
  EXPECT_EQ(F().FloatImage1.Pos, (TPoint{5, 5}));
  EXPECT_EQ(CountColor(F().FloatImage1.Picture, clRed), 100);

  desktop.ClearClipboard();
  F().FloatImage1.Pos = {1, 1};
  RunCommand(F(), "PasteFloating1Click");
  EXPECT_EQ(F().FloatImage1.Pos, (TPoint{1, 1})) << "no image on the clipboard: nothing";
}

TEST_F(RangeTest, CropKeepsTheRange) {
  FillRect({20, 10, 30, 15}, clRed);
  F().FRangeRect = {30, 15, 20, 5};
  RunCommand(F(), "Crop1Click");
  EXPECT_EQ(Image().Width(), 10);
  EXPECT_EQ(Image().Height(), 10);
  EXPECT_EQ(CountColor(Image(), clRed), 50);
  EXPECT_EQ(F().FRangeRect, Image().BoundsRect());
  EXPECT_EQ(F().UndoSlot(0).Width(), 10);
  EXPECT_EQ(F().gamma.SecondColor(), clWhite);
}

TEST_F(RangeTest, GlueAddsTheFloatingPictureWhenItFits) {
  F().FloatImage1 = {TBitmap(7, 80), {0, 0}, true};
  F().FloatImage1.Picture.Fill(clRed);
  RunCommand(F(), "Bottom1Click");
  EXPECT_EQ(Image().Height(), 80) << "widths differ: nothing";
  RunCommand(F(), "Right3Click");
  EXPECT_EQ(Image().Width(), 107);
  EXPECT_EQ(CountIn({100, 0, 107, 80}, clRed), 7 * 80);
  EXPECT_EQ(F().UndoSlot(3).Width(), 107);
}

struct CombineCase {
  TCombineOp op;
  int a, b, result;
};

TEST(CombineBytes, FollowsTheCombineTable) {
  const CombineCase cases[] = {
      {TCombineOp::Average, 255, 2, 128}, {TCombineOp::Exclude, 7, 7, 255},  {TCombineOp::Exclude, 6, 9, 7},
      {TCombineOp::Intersect, 6, 9, 255}, {TCombineOp::Intersect, 9, 9, 9}, {TCombineOp::Add, 200, 100, 44},
      {TCombineOp::Sub, 5, 10, 251},      {TCombineOp::And, 12, 10, 8},     {TCombineOp::Or, 12, 10, 14},
      {TCombineOp::Xor, 12, 10, 6},       {TCombineOp::NotXor, 12, 10, 249},
  };
  for (const CombineCase& c : cases)
    EXPECT_EQ(CombineBytes(c.op, static_cast<std::uint8_t>(c.a), static_cast<std::uint8_t>(c.b)), c.result)
        << static_cast<int>(c.op) << ": " << c.a << ", " << c.b;
}

TEST_F(RangeTest, CombineNeedsTheImageSize) {
  Image().Fill(RGB(5, 100, 200));
  F().FloatImage1 = {TBitmap(100, 79), {0, 0}, true};
  const TBitmap before = Image();
  RunCommand(F(), "Sub1Click");
  EXPECT_TRUE(SamePixels(Image(), before));
  F().FloatImage1.Picture.SetSize(100, 80);
  F().FloatImage1.Picture.Fill(RGB(10, 10, 10));
  RunCommand(F(), "Sub1Click");
  EXPECT_EQ(CountColor(Image(), RGB(251, 90, 190)), 8000);
}

TEST_F(RangeTest, MaskClipMarksThePanelsSecondColour) {
  FillRect({10, 10, 15, 20}, clRed);
  F().gamma.SetSecondColor(clRed);
  F().FRangeRect = {10, 10, 20, 20};
  RunCommand(F(), "MaskClip1Click");
  EXPECT_EQ(CountIn({10, 10, 15, 20}, clWhite), 50);
  EXPECT_EQ(CountIn({15, 10, 20, 20}, clBlack), 50);
  EXPECT_EQ(Image().GetPixel(20, 10), clWhite);
}

// The range's copy follows the pointer, combined with cmSrcInvert: over
// white it shows the range's colours, and drawing it again removes it.
TEST_F(RangeTest, MoveCarriesOneCopySmearLeavesATrail) {
  FillRect({10, 10, 20, 20}, clRed);
  F().FRangeRect = {10, 10, 20, 20};
  RunCommand(F(), "Move1Click");
  Press(50, 50);
  Move(60, 40);
  Release(60, 40);
  EXPECT_EQ(CountColor(Image(), clRed), 200);
  EXPECT_EQ(CountIn({60, 40, 70, 50}, clRed), 100);
  EXPECT_EQ(F().Canvas().CopyMode, cmSrcInvert) << "the copy mode stays until a command sets it";

  Image().Fill(clWhite);
  FillRect({10, 10, 20, 20}, clRed);
  F().Canvas().CopyMode = cmSrcCopy;
  RunCommand(F(), "Smear1Click");
  Press(50, 50);
  Move(52, 50);
  EXPECT_EQ(Image().GetPixel(50, 50), clRed);
  EXPECT_EQ(Image().GetPixel(61, 50), clRed);
  EXPECT_EQ(Image().GetPixel(55, 50), clWhite) << "where two copies overlap they cancel";
}

TEST_F(RangeTest, MoveWithAnEmptyRangeFailsAndItsDragDrawsNothing) {
  F().FRangeRect = {5, 5, 5, 5};
  F().clip = TBitmap(10, 10);
  F().clip.Fill(clBlack);
  RunCommand(F(), "Move1Click");
  EXPECT_THROW(Press(50, 50), Error);
  Move(60, 60);
  EXPECT_EQ(CountColor(Image(), clWhite), 8000);
}

TEST_F(RangeTest, TransparentCopyPaintsTheKeyColourWithTheBrush) {
  FillRect({10, 10, 15, 20}, clRed);
  F().FRangeRect = {10, 10, 20, 20};
  F().Canvas().Brush.SetColor(clBlue);
  RunCommand(F(), "Copy4Click");
  Press(90, 75);
  Release(90, 75);
  EXPECT_EQ(CountIn({90, 75, 95, 80}, clRed), 25);
  EXPECT_EQ(CountIn({95, 75, 100, 80}, clBlue), 25) << "white, the key colour, became the brush";
  EXPECT_EQ(CountIn({10, 10, 20, 20}, clRed), 50);
}

TEST_F(RangeTest, SelectRangeDraggedUpAndLeft) {
  RunCommand(F(), "ToolButton2Click");
  Press(30, 40);
  Move(20, 25);
  EXPECT_TRUE(F().selector.Visible);
  EXPECT_EQ(F().selector.Bounds, (TRect{30, 40, 20, 25}));
  Release(10, 20);
  EXPECT_EQ(F().FRangeRect, (TRect{30, 40, 10, 20}));
  EXPECT_EQ(F().FToolKey, "");
  F().Canvas().Brush.SetColor(clRed);
  RunCommand(F(), "Erase1Click");
  EXPECT_EQ(CountColor(Image(), clRed), 400);
  RunCommand(F(), "Deselect1Click");
  EXPECT_FALSE(F().selector.Visible);
  EXPECT_EQ(F().FRangeRect, (TRect{30, 40, 10, 20})) << "deselect keeps the range";
}

TEST(RangeFrame, HandlesByEighths) {
  struct Case {
    int x, y;
    TFrameHandle handle;
  };
  // An 80 x 40 frame: a = 10, b = 5.
  const Case cases[] = {
      {10, 5, TFrameHandle::Move},      {9, 20, TFrameHandle::Left},   {9, 4, TFrameHandle::TopLeft},
      {0, 35, TFrameHandle::BottomLeft}, {70, 20, TFrameHandle::Right}, {79, 0, TFrameHandle::TopRight},
      {70, 35, TFrameHandle::BottomRight}, {40, 4, TFrameHandle::Top}, {40, 35, TFrameHandle::Bottom},
  };
  for (const Case& c : cases)
    EXPECT_EQ(PickFrameHandle(80, 40, c.x, c.y), c.handle) << c.x << "," << c.y;
}

TEST_F(RangeTest, DraggingTheFrameSetsTheRangeInsideTheImage) {
  F().selector = {.Bounds = {10, 10, 90, 50}, .Visible = true};
  SelectorMouseDown(F(), 40, 20);  // the middle: move
  SelectorMouseMove(F(), 50 + 30, 30 + 40);
  SelectorMouseUp(F());
  EXPECT_EQ(F().selector.Bounds, (TRect{40, 50, 120, 90}));
  EXPECT_EQ(F().FRangeRect, (TRect{40, 50, 100, 80}));

  // The right edge dragged left past the left edge: the frame turns over.
  EXPECT_EQ(SelectorMouseDown(F(), 79, 20), TFrameHandle::Right);
  SelectorMouseMove(F(), 9, 70);
  SelectorMouseUp(F());
  EXPECT_EQ(F().selector.Bounds, (TRect{10, 50, 40, 90}));
  EXPECT_EQ(F().FRangeRect, (TRect{10, 50, 40, 80}));
}

}  // namespace
}  // namespace kroma::test
