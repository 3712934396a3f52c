#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "TestImages.h"
#include "core/Error.h"
#include "core/Random.h"
#include "core/Types.h"
#include "effects/FilterThreads.h"
#include "effects/PaintFX.h"

namespace kroma {
namespace {

using FX = TkelPaintFX;

struct PaintStep {
  std::string name;
  std::function<void(TBitmap&)> apply;
};

// Every routine of this component, with ordinary and with extreme numbers.
// Source-to-target routines work from a copy into the bitmap, as the
// effects dialog uses them.
std::vector<PaintStep> AllPaintSteps() {
  const double inf = std::numeric_limits<double>::infinity(), nan = std::numeric_limits<double>::quiet_NaN();
  std::vector<PaintStep> steps;
  auto add = [&](std::string name, std::function<void(TBitmap&)> apply) {
    steps.push_back({std::move(name), std::move(apply)});
  };
  for (int a : {INT_MIN, -300, -1, 0, 1, 2, 3, 5, 17, 255, 256, INT_MAX}) {
    const std::string n = "(" + std::to_string(a) + ")";
    add("AddColorNoise" + n, [a](TBitmap& b) { FX::AddColorNoise(b, a); });
    add("AddMonoNoise" + n, [a](TBitmap& b) { FX::AddMonoNoise(b, a); });
    add("AntiAliasRect" + n, [a](TBitmap& b) { FX::AntiAliasRect(b, a, ~a, INT_MAX, a); });
    add("Contrast" + n, [a](TBitmap& b) { FX::Contrast(b, a); });
    add("Lightness" + n, [a](TBitmap& b) { FX::Lightness(b, a); });
    add("Darkness" + n, [a](TBitmap& b) { FX::Darkness(b, a); });
    add("Saturation" + n, [a](TBitmap& b) { FX::Saturation(b, a); });
    if (a >= -1 && a <= 256) add("GaussianBlur" + n, [a](TBitmap& b) { FX::GaussianBlur(b, a); });
    if (a >= 0) add("SplitBlur" + n, [a](TBitmap& b) { FX::SplitBlur(b, a); });
    add("FilterRed" + n, [a](TBitmap& b) { FX::FilterRed(b, a, 128); });
    add("FilterGreen" + n, [a](TBitmap& b) { FX::FilterGreen(b, ~a, a); });
    add("FilterBlue" + n, [a](TBitmap& b) { FX::FilterBlue(b, a, a); });
    add("FilterXRed" + n, [a](TBitmap& b) { FX::FilterXRed(b, 0, a); });
    add("FilterXGreen" + n, [a](TBitmap& b) { FX::FilterXGreen(b, a, INT_MAX); });
    add("FilterXBlue" + n, [a](TBitmap& b) { FX::FilterXBlue(b, INT_MIN, a); });
    add("Solarize" + n, [a](TBitmap& b) { FX::Solarize(TBitmap(b), b, a); });
    if (a != 0) add("Posterize" + n, [a](TBitmap& b) { FX::Posterize(TBitmap(b), b, a); });
    add("Mosaic" + n, [a](TBitmap& b) { FX::Mosaic(b, a); });
    add("Triangles" + n, [a](TBitmap& b) { FX::Triangles(b, a); });
    add("TexturizeTile" + n, [a](TBitmap& b) { FX::TexturizeTile(b, a); });
    add("TexturizeOverlap" + n, [a](TBitmap& b) { FX::TexturizeOverlap(b, a); });
    add("SeamlessEdges" + n, [a](TBitmap& b) { FX::SeamlessEdges(b, a); });
    add("Buttonize" + n, [a](TBitmap& b) { FX::Buttonize(b, a, a); });
    add("ButtonRound" + n, [a](TBitmap& b) { FX::ButtonRound(b, a, a); });
    add("ButtonRound strength" + n, [a](TBitmap& b) { FX::ButtonRound(b, 7, a); });
    add("MandelJulia" + n, [a](TBitmap& b) { FX::MandelJulia(b, a, a % 2 == 0, 1.5, 0.75, -1.5, -2.25); });
    add("SplitLight" + n, [a](TBitmap& b) { SplitLight(b, a); });
    add("ShearRows" + n, [a](TBitmap& b) { ShearRows(b, a); });
  }
  for (double f : {-1e308, -2.0, 0.0, 0.5, 1.0, 3.0, 1e308})
    add("Blend(" + std::to_string(f) + ")", [f](TBitmap& b) {
      const TBitmap second = testing::Noise(b.Width(), b.Height(), 9);
      FX::Blend(TBitmap(b), second, f, b);
    });
  for (double v : {0.0, 1e308, -1e308, inf, -inf, nan}) {
    add("MandelJulia view(" + std::to_string(v) + ")", [v](TBitmap& b) { FX::MandelJulia(b, 40, true, v, 1, -1, v); });
    add("Julia view(" + std::to_string(v) + ")", [v](TBitmap& b) { FX::MandelJulia(b, 40, false, 1, v, v, -1); });
  }
  add("AntiAlias", FX::AntiAlias);
  add("Emboss", FX::Emboss);
  add("KeepColor", [](TBitmap& b) { FX::KeepColor(b, clWhite); });
  add("DropColor", [](TBitmap& b) { FX::DropColor(b, clBtnFace); });
  add("ButtonOval", [](TBitmap& b) { FX::ButtonOval(b, clNone); });
  return steps;
}

// Thin, tiny and empty images are where index arithmetic goes wrong; the
// sanitizers report any access outside the pixels.
TEST(PaintFXRobustness, ThinAndEmptyImagesStayInBounds) {
  const std::vector<PaintStep> steps = AllPaintSteps();
  for (auto [w, h] : {std::pair{1, 1}, {1, 7}, {7, 1}, {2, 2}, {0, 0}, {0, 4}, {4, 0}})
    for (const PaintStep& s : steps) {
      TBitmap b = testing::Noise(w, h);
      EXPECT_NO_THROW(s.apply(b)) << s.name << " " << w << "x" << h;
      EXPECT_EQ(b.Width(), w) << s.name;
      EXPECT_EQ(b.Height(), h) << s.name;
    }
  for (auto [w, h] : {std::pair{1, 1}, {1, 7}, {7, 1}, {2, 2}, {0, 0}, {0, 4}, {4, 0}}) {
    TBitmap target;
    FX::RotateRight(testing::Noise(w, h), target);
    EXPECT_EQ(target.Width(), h);
    EXPECT_EQ(target.Height(), w);
  }
}

TEST(PaintFXRobustness, OtherPixelFormatsAreConvertedFirst) {
  for (const PaintStep& s : AllPaintSteps()) {
    TBitmap b = testing::Noise(9, 6);
    b.SetPixelFormat(pf8bit);
    TBitmap expected = b;
    expected.SetPixelFormat(pf24bit);
    RandSeed = 7;
    s.apply(b);
    RandSeed = 7;
    s.apply(expected);
    EXPECT_EQ(b.PixelFormat(), pf24bit) << s.name;
    EXPECT_TRUE(SameImage(b, expected)) << s.name;
  }
}

// Rows split across threads give the same bytes as one thread.
TEST(PaintFXRobustness, ResultsDoNotDependOnTheThreadCount) {
  testing::TThreadCountScope restore;
  const TBitmap original = testing::Noise(400, 420, 4);
  for (const PaintStep& s : AllPaintSteps()) {
    // One ordinary case of each routine; the noise draws in pixel order on
    // one thread anyway.
    const bool ordinary = s.name.find("(17)") != std::string::npos || s.name.find('(') == std::string::npos ||
                          s.name == "Blend(0.500000)";
    if (!ordinary || s.name.rfind("Add", 0) == 0) continue;
    TBitmap one = original, many = original;
    SetFilterThreadCount(1);
    s.apply(one);
    SetFilterThreadCount(4);
    s.apply(many);
    ASSERT_TRUE(SameImage(one, many)) << s.name;
  }
}

TEST(PaintFXRobustness, ErrorsLeaveTheImageAsItWas) {
  const TBitmap original = testing::Noise(8, 6);
  struct Case {
    const char* name;
    std::function<void(TBitmap&)> apply;
  } cases[] = {
      {"Posterize 0", [](TBitmap& b) { FX::Posterize(TBitmap(b), b, 0); }},
      {"SplitBlur -1", [](TBitmap& b) { FX::SplitBlur(b, -1); }},
      {"Blend NaN", [](TBitmap& b) { FX::Blend(TBitmap(b), TBitmap(b), std::nan(""), b); }},
      {"Blend sizes", [](TBitmap& b) { FX::Blend(TBitmap(b), TBitmap(3, 3), 0.5, b); }},
      {"Solarize sizes", [](TBitmap& b) { FX::Solarize(TBitmap(3, 3), b, 10); }},
  };
  for (const Case& c : cases) {
    TBitmap b = original;
    EXPECT_THROW(c.apply(b), Error) << c.name;
    EXPECT_TRUE(SameImage(b, original)) << c.name;
  }
}

}  // namespace
}  // namespace kroma
