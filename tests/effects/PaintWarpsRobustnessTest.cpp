#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "TestImages.h"
#include "core/Error.h"
#include "effects/PaintFX.h"

namespace kroma {
namespace {

constexpr double kNan = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
const int kInts[] = {0, 1, -1, 2, 7, INT_MAX, INT_MIN};
const double kReals[] = {0.0, -0.0, 1.0, -1.0, 0.55, 1e-300, 1e300, -1e300, kNan, kInf, -kInf, 1e38, 3.5e38};

struct Warp {
  std::string name;
  // source, target (the same bitmap for the in-place routines)
  std::function<void(const TBitmap&, TBitmap&)> apply;
  bool mayThrow = false;  // the lens and the swirl report a factor or an amount without a picture
};

std::vector<Warp> AllWarps() {
  std::vector<Warp> warps;
  for (double f : kReals)
    warps.push_back(
        {"FishEye " + std::to_string(f), [f](const TBitmap& s, TBitmap& t) { TkelPaintFX::FishEye(s, t, f); }, true});
  for (int a : kInts)
    warps.push_back(
        {"Twist " + std::to_string(a), [a](const TBitmap& s, TBitmap& t) { TkelPaintFX::Twist(s, t, a); }, true});
  for (int c : kInts)
    for (double angle : kReals)
      warps.push_back(
          {"SmoothRotate " + std::to_string(c) + " " + std::to_string(angle),
           [c, angle](const TBitmap& s, TBitmap& t) { TkelPaintFX::SmoothRotate(s, t, c, c / -2, angle); }});
  for (int mode : {0, 1, 2, 3})
    for (int a : kInts)
      for (int n : {0, -3, INT_MAX})
        warps.push_back({"Wave " + std::to_string(a) + " " + std::to_string(mode) + " " + std::to_string(n),
                         [=](const TBitmap&, TBitmap& t) { TkelPaintFX::Wave(t, a, mode, n); }});
  using MarbleFn = void (*)(const TBitmap&, TBitmap&, int, double);
  const MarbleFn family[] = {TkelPaintFX::Marble,  TkelPaintFX::Marble2, TkelPaintFX::Marble3, TkelPaintFX::Marble4,
                             TkelPaintFX::Marble5, TkelPaintFX::Marble6, TkelPaintFX::Marble7, TkelPaintFX::Marble8};
  for (int k = 0; k < 8; ++k)
    for (int s : kInts)
      for (double t : kReals)
        warps.push_back({"Marble" + std::to_string(k + 1) + " " + std::to_string(s) + " " + std::to_string(t),
                         [fn = family[k], s, t](const TBitmap& src, TBitmap& dst) { fn(src, dst, s, t); }});
  for (int style = 6; style <= 16; ++style)
    for (int a : kInts) {
      warps.push_back({"Squeeze " + std::to_string(style) + " " + std::to_string(a),
                       [=](const TBitmap& s, TBitmap& t) { TkelPaintFX::Squeeze(s, t, style, a); }});
      warps.push_back({"SplitMorph " + std::to_string(style) + " " + std::to_string(a),
                       [=](const TBitmap& s, TBitmap& t) { TkelPaintFX::SplitMorph(s, t, style, a); }});
    }
  for (double a : kReals)
    for (double b : kReals)
      warps.push_back({"Plasma " + std::to_string(a) + " " + std::to_string(b),
                       [=](const TBitmap& s, TBitmap& t) { TkelPaintFX::Plasma(s, s, a, b, t); }});
  for (int a : kInts) {
    warps.push_back(
        {"HeightMap " + std::to_string(a), [a](const TBitmap&, TBitmap& t) { TkelPaintFX::HeightMap(t, a); }});
    warps.push_back(
        {"RippleTooth " + std::to_string(a), [a](const TBitmap&, TBitmap& t) { TkelPaintFX::RippleTooth(t, a); }});
    warps.push_back(
        {"RippleRandom " + std::to_string(a), [a](const TBitmap&, TBitmap& t) { TkelPaintFX::RippleRandom(t, a); }});
  }
  return warps;
}

// Every routine with every argument above on degenerate pictures: it
// returns (only the lens and the swirl may report an Error) and the target
// keeps its size. Reads and writes outside a bitmap are the sanitizers'
// to find.
TEST(PaintWarps, DegenerateSizesAndExtremeArguments) {
  struct Size {
    int width, height;
  } sizes[] = {{1, 1}, {1, 7}, {7, 1}, {2, 2}, {0, 0}, {3, 0}};
  const std::vector<Warp> warps = AllWarps();
  for (const Size& size : sizes) {
    const TBitmap src = testing::Noise(size.width, size.height);
    for (const Warp& w : warps) {
      TBitmap dst = testing::Noise(size.width, size.height, 2);
      try {
        w.apply(src, dst);
      } catch (const Error& e) {
        EXPECT_TRUE(w.mayThrow) << w.name << ": " << e.what();
      }
      EXPECT_EQ(dst.Width(), size.width) << w.name;
      EXPECT_EQ(dst.Height(), size.height) << w.name;
    }
  }
}

// Targets of another size than the source, and sources in other formats.
TEST(PaintWarps, MismatchedTargetsAndFormats) {
  const std::vector<Warp> warps = AllWarps();
  const TBitmap src = testing::Noise(5, 3);
  const TBitmap paletted = [] {
    TBitmap b = testing::Noise(4, 6);
    b.SetPixelFormat(pf8bit);
    return b;
  }();
  for (const Warp& w : warps) {
    for (const TBitmap* source : {&src, &paletted}) {
      TBitmap dst = testing::Noise(3, 5, 2);
      try {
        w.apply(*source, dst);
      } catch (const Error& e) {
        EXPECT_TRUE(w.mayThrow) << w.name << ": " << e.what();
      }
      // The target keeps its size, or takes the source's where the
      // routine first makes it a copy of the source.
      const bool kept = dst.Width() == 3 && dst.Height() == 5;
      const bool copied = dst.Width() == source->Width() && dst.Height() == source->Height();
      EXPECT_TRUE(kept || copied) << w.name;
    }
  }
}

}  // namespace
}  // namespace kroma
