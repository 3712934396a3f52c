// The effects dialog and its preview, through the models the window shows:
// the tree, the bars of every entry, renders into the preview, Use, and
// the numbered GIF series.
#include <filesystem>
#include <string>

#include "EditorFixture.h"
#include "core/Error.h"
#include "core/Random.h"
#include "editor/Commands.h"
#include "editor/windows/DialogEffects.h"
#include "editor/windows/EffectsDialog.h"
#include "editor/windows/ToolWindows.h"
#include "effects/PaintFX.h"
#include "files/ImageFiles.h"

namespace kroma::test {
namespace {

class EffectsDialogTest : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    // A small picture with something in every channel.
    Image().SetSize(40, 60);
    for (int y = 0; y < 60; ++y)
      for (int x = 0; x < 40; ++x) Image().SetPixel(x, y, RGB(x * 6, (y * 4) & 0xFF, (x * y) & 0xFF));
    F().ResizeUndoSlots(40, 60);
    RunCommand(F(), "EffectsPanel1Click");
  }
  TKromaEffectsF& Dialog() { return static_cast<TKromaEffectsF&>(F().Windows().Get("TKromaEffectsF")); }
  TQuickPreviewF& Preview() { return static_cast<TQuickPreviewF&>(F().Windows().Get("TQuickPreviewF")); }
  TBitmap Expected(void (*routine)(TBitmap&, int), int amount) {
    TBitmap b = Image();
    routine(b, amount);
    return b;
  }
};

// The entries, their bar and the bars they read, as the dialog offers them.
struct TEntry {
  const char* path;
  int max, min, position;
  unsigned bars;
};
constexpr TEntry kEntries[] = {
    {"Contrast", 100, 0, 0, kNoBars},         {"Saturation", 255, 0, 0, kNoBars},
    {"Brightness", 100, 0, 0, kNoBars},       {"Blur/Gaussian Blur", 20, 0, 0, kNoBars},
    {"Blur/Split Blur", 30, 0, 0, kNoBars},   {"Noise/Color", 200, 0, 0, kNoBars},
    {"Noise/Mono", 200, 0, 0, kNoBars},       {"Smooth", 20, 0, 0, kNoBars},
    {"Seamless", 50, 10, 10, kNoBars},        {"Mosaic", 30, 2, 15, kNoBars},
    {"Twist", 50, 1, 10, kNoBars},            {"Fisheye", 100, 55, 60, kNoBars},
    {"Wave/Normal", 200, 1, 15, kNoBars},     {"Wave/Extra", 200, 1, 15, kNoBars},
    {"Wave/Inference", 10, 1, 1, kExtraBar},  {"Rotate", 360, 0, 0, kRotationBars},
    {"Split Light", 10, 1, 1, kNoBars},       {"Wings/Deep", 400, 1, 1, kExtraBar},
    {"Wings/Down", 400, 1, 1, kExtraBar},     {"Wings/Up", 400, 1, 1, kExtraBar},
    {"Wings/Fold", 400, 1, 1, kExtraBar},     {"Wings/Touche", 400, 1, 1, kExtraBar},
    {"Wings/Flyer", 400, 1, 1, kExtraBar},    {"Wings/Flipover", 400, 1, 1, kExtraBar},
    {"Wings/Wavy", 400, 1, 1, kExtraBar},     {"Emboss", 100, 0, 0, kNoBars},
    {"Colors/Red", 255, 0, 128, kExtraBar},   {"Colors/Green", 255, 0, 128, kExtraBar},
    {"Colors/Blue", 255, 0, 128, kExtraBar},  {"Colors/XRed", 255, 0, 128, kExtraBar},
    {"Colors/XGreen", 255, 0, 128, kExtraBar}, {"Colors/XBlue", 255, 0, 128, kExtraBar},
    {"Squeeze/Horizontal", 255, 0, 0, kNoBars}, {"Squeeze/Top", 255, 0, 0, kNoBars},
    {"Squeeze/Bottom", 255, 0, 0, kNoBars},   {"Squeeze/Diamond", 255, 0, 0, kNoBars},
    {"Squeeze/Waste", 255, 0, 0, kNoBars},    {"Squeeze/Round", 255, 0, 0, kNoBars},
    {"Squeeze/Double Round", 255, 0, 0, kNoBars}, {"Split/Round", 255, 0, 0, kNoBars},
    {"Split/Waste", 255, 0, 0, kNoBars},      {"Shear", 100, 0, 0, kNoBars},
    {"Plasma", 100, 1, 1, kExtraBar},         {"MandelBrot", 100, 0, 0, kExtraBar},
    {"Julia", 100, 0, 0, kExtraBar},          {"Triangles", 127, 5, 19, kNoBars},
    {"Ripple/Tooth", 100, 3, 3, kNoBars},     {"Ripple/Triangle", 100, 3, 3, kNoBars},
    {"Ripple/Random", 100, 3, 3, kNoBars},    {"Texturize/Tile", 100, 3, 3, kNoBars},
    {"Texturize/Overlap", 100, 3, 3, kNoBars}, {"Map", 100, 1, 1, kNoBars},
    {"Blend", 100, 0, 0, kNoBars},            {"Solarize", 255, 0, 1, kNoBars},
    {"Posterize", 255, 1, 1, kNoBars},        {"Buttonize", 50, 3, 5, kExtraBar},
    {"btnOval", 50, 3, 5, kExtraBar},
};
static_assert(std::size(kEntries) == 57);

// A click on an entry gives EBar its range and start; the entry reads
// extrabar, or the rotation centre, exactly when the table says so (a
// render with another value of that bar, and a seeded generator, differs
// only then).
TEST_F(EffectsDialogTest, EveryEntrySetsItsBarAndReadsItsBars) {
  ASSERT_EQ(DialogEffects().size(), std::size(kEntries));
  for (std::size_t i = 0; i < std::size(kEntries); ++i) {
    const TEntry& e = kEntries[i];
    SCOPED_TRACE(e.path);
    Dialog().Set("ETree", Variant(e.path));
    EXPECT_EQ(Dialog().SelectedIndex(), static_cast<int>(i));
    const TToolControl& bar = Dialog().Control("EBar");
    EXPECT_EQ(bar.Max, e.max);
    EXPECT_EQ(bar.Min, e.min);
    EXPECT_EQ(bar.Position, e.position);

    const TDialogEffect& effect = DialogEffects()[i];
    EXPECT_EQ(effect.Bars, e.bars);
    auto render = [&](TDialogBarValues values) {
      SeedRandom(7);
      TBitmap b = Image();
      effect.Run(b, values, std::nullopt);
      return b;
    };
    // A third up the bar, where every entry does something; a turn of 30
    // degrees shows the centre; Blend has no second picture.
    const int ebar = e.bars == kRotationBars ? 30 : e.min + (e.max - e.min) / 3;
    const TBitmap base = render({ebar, 11, 10, 10});
    EXPECT_EQ(!SameImage(render({ebar, 15, 10, 10}), base), (e.bars & kExtraBar) != 0) << "extrabar";
    EXPECT_EQ(!SameImage(render({ebar, 11, 25, 40}), base), (e.bars & kRotationBars) != 0) << "cxbar and cybar";
  }
}

TEST_F(EffectsDialogTest, GroupsAreNodesAndTwoOfThemSelectTheFirstEntry) {
  const TToolControl& tree = Dialog().Control("ETree");
  auto indexOf = [&](const char* path) {
    return tree.Nodes[static_cast<std::size_t>(Dialog().FindNode(tree, path))].ImageIndex;
  };
  for (const char* group : {"Blur", "Noise", "Wave", "Wings", "Colors", "Squeeze", "Split"})
    EXPECT_EQ(indexOf(group), -1) << group;
  EXPECT_EQ(indexOf("Ripple"), 0);
  EXPECT_EQ(indexOf("Texturize"), 0);
  Dialog().Set("ETree", Variant("Mosaic"));
  Dialog().Set("ETree", Variant("Ripple"));
  EXPECT_EQ(Dialog().Control("EBar").Max, 100);
  EXPECT_EQ(Dialog().Control("EBar").Position, 0) << "the Contrast settings";
  Dialog().Set("ETree", Variant("Blur"));
  EXPECT_EQ(Dialog().Control("EBar").Position, 0) << "a plain group changes nothing";
}

// Quick Effects... sets the rotation bars to the image; a click renders
// into the preview, a bar renders again; Use puts the picture on the image.
TEST_F(EffectsDialogTest, RendersIntoThePreviewAndUsePutsItOnTheImage) {
  EXPECT_TRUE(Dialog().Visible());
  EXPECT_EQ(Dialog().Control("cxbar").Max, 40);
  EXPECT_EQ(Dialog().Control("cxbar").Position, 20);
  EXPECT_EQ(Dialog().Control("cybar").Position, 30);
  const TBitmap before = Image();

  Dialog().Set("ETree", Variant("Mosaic"));
  ASSERT_TRUE(Preview().Visible());
  EXPECT_TRUE(SameImage(Preview().Picture("Image1"), Expected(TkelPaintFX::Mosaic, 15)));
  Dialog().Set("EBar", Variant(4));
  EXPECT_TRUE(SameImage(Preview().Picture("Image1"), Expected(TkelPaintFX::Mosaic, 4)));
  EXPECT_TRUE(SameImage(Image(), before)) << "the work image waits for Use";

  Preview().Click("btnUse");
  EXPECT_FALSE(Preview().Visible());
  TBitmap mosaic = before;
  TkelPaintFX::Mosaic(mosaic, 4);
  EXPECT_TRUE(SameImage(Image(), mosaic));
}

// Use draws with the canvas's copy mode.
TEST_F(EffectsDialogTest, UseDrawsWithTheCopyMode) {
  const TBitmap before = Image();
  Image().Transparent = true;
  Dialog().Set("ETree", Variant("Mosaic"));
  F().Canvas().CopyMode = cmSrcInvert;
  Preview().Click("btnUse");
  TBitmap mosaic = before;
  TkelPaintFX::Mosaic(mosaic, 15);
  for (auto [x, y] : {std::pair{0, 0}, {7, 3}, {39, 59}, {16, 44}})
    EXPECT_EQ(Image().GetPixel(x, y), (before.GetPixel(x, y) ^ mosaic.GetPixel(x, y)) & 0xFFFFFF) << x << "," << y;
  F().Canvas().CopyMode = cmSrcCopy;
  Dialog().Set("EBar", Variant(5));
  Preview().Click("btnUse");
  EXPECT_TRUE(Image().Transparent) << "the image keeps its own transparency";
}

TEST_F(EffectsDialogTest, EntryChangesRenderOnlyWhenTheBarMoves) {
  const TBitmap before = Image();
  Dialog().Set("ETree", Variant("Fisheye"));  // 0 -> 60: renders
  EXPECT_FALSE(SameImage(Preview().Picture("Image1"), before));
  Dialog().Set("ETree", Variant("Contrast"));  // 60 -> 0: contrast 0, the image unchanged
  EXPECT_TRUE(SameImage(Preview().Picture("Image1"), before));

  Dialog().Set("ETree", Variant("Split Light"));  // 0 -> 1: renders
  const TBitmap lighter = Preview().Picture("Image1");
  Dialog().Set("ETree", Variant("Wave/Inference"));  // stays at 1: nothing new
  EXPECT_TRUE(SameImage(Preview().Picture("Image1"), lighter));
  Dialog().Set("extrabar", Variant(3));
  EXPECT_FALSE(SameImage(Preview().Picture("Image1"), lighter));
}

TEST_F(EffectsDialogTest, PlasmaLiftsTheTurbulenceAndBlendNeedsAPictureOfTheImagesSize) {
  Dialog().Set("ETree", Variant("Plasma"));
  EXPECT_EQ(Dialog().Control("extrabar").Position, 10);

  Preview().Close();
  Dialog().Set("ETree", Variant("Blend"));
  Dialog().Set("EBar", Variant(50));
  EXPECT_FALSE(Preview().Visible()) << "no bitmap on the clipboard: no preview";
  desktop.SetClipboardImage(TBitmap(7, 7));
  Dialog().Set("EBar", Variant(60));
  EXPECT_FALSE(Preview().Visible()) << "a bitmap of another size: no preview";
  TBitmap black(40, 60);
  black.Fill(clBlack);
  desktop.SetClipboardImage(black);
  Dialog().Set("EBar", Variant(50));
  ASSERT_TRUE(Preview().Visible());
  EXPECT_EQ(Preview().Picture("Image1").GetPixel(0, 20), RGB(0, 40, 0)) << "half of (0, 80, 0) and black";
}

// Save... names the series; the counter button writes the next frames; a
// closed preview starts over.
TEST_F(EffectsDialogTest, SavesThePreviewsAsANumberedGifSeries) {
  Dialog().Set("ETree", Variant("Mosaic"));
  prompts.Answer(folder.File("anim.gif"));
  Preview().Click("goSave");
  EXPECT_TRUE(std::filesystem::exists(folder.File("anim1.gif")));
  for (int step : {5, 6}) {
    Dialog().Set("EBar", Variant(step));
    Preview().Click("goNext");
  }
  EXPECT_EQ(Preview().Get("goNext").ToString(), "4");
  for (const char* name : {"anim2.gif", "anim3.gif"}) {
    TBitmap frame;
    LoadImageFile(folder.File(name), frame);
    EXPECT_EQ(frame.Width(), 40) << name;
  }
  Preview().Close();
  EXPECT_EQ(Preview().Get("goNext").ToString(), "0");
  EXPECT_EQ(Preview().BaseName(), "");
  // Without a name the counter button asks for one; cancelled, nothing is written.
  Preview().Click("goNext");
  EXPECT_FALSE(std::filesystem::exists(folder.File("anim4.gif")));
}

}  // namespace
}  // namespace kroma::test
