// The warps against the plain formulas of effects/Warps.h, pixel by pixel
// and byte for byte: with every instruction set and thread count, on sizes
// where row and column edges, the lens edge and the wrap-around come into
// play, in place and with a destination of another size.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <limits>
#include <numbers>

#include "TestImages.h"
#include "VectorTargets.h"
#include "core/Numeric.h"
#include "effects/FilterThreads.h"
#include "effects/PixelHelpers.h"
#include "effects/Warps.h"

namespace kroma {
namespace {

constexpr float kLimit = 1073741824.0f;

int Wrap(int i, int size) {
  if (i < 0) return size - (-i) % size - 1;
  if (i > size - 1) return i % size;
  return i;
}

void Weights(float f, int i, float w[2]) {
  const float fi = static_cast<float>(i);
  if (f >= 0.0f) {
    w[1] = f - fi;
    w[0] = 1.0f - w[1];
  } else {
    w[0] = fi - f;
    w[1] = 1.0f - w[0];
  }
}

void Sample(const TBitmap& src, float fx, float fy, std::uint8_t* bgr) {
  fx = std::clamp(fx, -kLimit, kLimit);
  fy = std::clamp(fy, -kLimit, kLimit);
  int ix = SaturateTrunc(fx), iy = SaturateTrunc(fy);
  float wx[2], wy[2];
  Weights(fx, ix, wx);
  Weights(fy, iy, wy);
  const int w = src.Width(), h = src.Height();
  ix = Wrap(ix, w);
  iy = Wrap(iy, h);
  const int cols[2] = {ix * 3, (ix + 1 >= w ? w - ix - 1 : ix + 1) * 3};
  const std::uint8_t* rows[2] = {src.ScanLine(iy), src.ScanLine(iy + 1 >= h ? h - iy - 1 : iy + 1)};
  for (int c = 0; c < 3; ++c) {
    float sum = 0.0f;
    for (int i = 0; i < 2; ++i)
      for (int j = 0; j < 2; ++j) sum += wx[i] * wy[j] * static_cast<float>(rows[j][cols[i] + c]);
    bgr[c] = ClampByte(SaturateRound(sum));
  }
}

template <typename Position>
TBitmap Warp(const TBitmap& src, int width, int height, Position position) {
  TBitmap out(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      float fx, fy;
      position(x, y, fx, fy);
      Sample(src, fx, fy, out.ScanLine(y) + 3 * x);
    }
  return out;
}

TBitmap FishEye(const TBitmap& src, int width, int height, double factor) {
  const float m = static_cast<float>(factor) * static_cast<float>(width);
  const float mx = static_cast<float>(src.Width()) / 2.0f, my = static_cast<float>(src.Height()) / 2.0f;
  return Warp(src, width, height, [&](int x, int y, float& fx, float& fy) {
    const float dx = static_cast<float>(x) - mx, dy = static_cast<float>(y) - my;
    const float r = std::sqrt(dx * dx + dy * dy);
    if (r == 0.0f) {
      fx = mx;
      fy = my;
      return;
    }
    const float q = 1.0f - r / m;
    const float nr = q == 0.0f ? std::numeric_limits<float>::infinity() : (1.0f / q - 1.0f) * (m / 2.0f);
    const float px = mx + dx * nr / r, py = my + dy * nr / r;
    fx = std::isnan(px) ? mx : std::clamp(px, -kLimit, kLimit);
    fy = std::isnan(py) ? my : std::clamp(py, -kLimit, kLimit);
  });
}

TBitmap Twist(const TBitmap& src, int width, int height, int amount) {
  const float a = static_cast<float>(amount);
  const float cx = static_cast<float>(src.Width() - 1) / 2.0f, cy = static_cast<float>(src.Height() - 1) / 2.0f;
  return Warp(src, width, height, [&](int x, int y, float& fx, float& fy) {
    const float dx = static_cast<float>(x) - cx, dy = static_cast<float>(y) - cy;
    const float r = std::sqrt(dx * dx + dy * dy);
    if (r == 0.0f) {
      fx = cx;
      fy = cy;
      return;
    }
    float angle;
    if (dx == 0.0f) {
      angle = dy > 0.0f ? 1.5707964f : -1.5707964f;
    } else {
      angle = std::atan(dy / dx);
      if (dx < 0.0f) angle += std::numbers::pi_v<float>;
    }
    const float theta = angle - r / a + 1.5707964f;
    fx = cx + r * std::cos(theta);
    fy = cy + r * std::sin(theta);
  });
}

struct Size {
  int w, h;
};

TEST(WarpReference, FishEyeAndTwistGiveThePlainFormulasBytes) {
  testing::TThreadCountScope restoreThreads;
  // (source, destination): odd and even, thin, wider and narrower.
  const std::pair<Size, Size> sizes[] = {{{1, 1}, {1, 1}},     {{2, 3}, {2, 3}},      {{100, 100}, {100, 100}},
                                         {{161, 97}, {161, 97}}, {{64, 200}, {70, 150}}, {{301, 5}, {250, 9}}};
  testing::ForEachVectorTarget([&] {
    for (const auto& [from, to] : sizes) {
      const TBitmap src = testing::Noise(from.w, from.h, static_cast<unsigned>(from.w * 31 + from.h));
      for (int threads : {1, 3}) {
        SetFilterThreadCount(threads);
        // 0.55 on 100 puts a pixel exactly on the lens edge; 0.3 and -0.3
        // send most positions far off the picture.
        for (double factor : {0.55, 0.5501, 0.3, -0.3, 2.0}) {
          TBitmap dst(to.w, to.h);
          FxFishEye(src, dst, factor);
          ASSERT_TRUE(SameImage(dst, FishEye(src, to.w, to.h, factor)))
              << "fisheye " << factor << " on " << from.w << "x" << from.h << " to " << to.w << "x" << to.h
              << ", threads " << threads;
        }
        for (int amount : {1, -7, 40, 300, INT_MAX, INT_MIN}) {
          TBitmap dst(to.w, to.h);
          FxTwist(src, dst, amount);
          ASSERT_TRUE(SameImage(dst, Twist(src, to.w, to.h, amount)))
              << "twist " << amount << " on " << from.w << "x" << from.h << " to " << to.w << "x" << to.h
              << ", threads " << threads;
        }
      }
      // In place: the warp reads the picture as it was.
      TBitmap inPlace = src;
      FxTwist(inPlace, inPlace, 40);
      ASSERT_TRUE(SameImage(inPlace, Twist(src, from.w, from.h, 40))) << from.w << "x" << from.h;
    }
  });
}

}  // namespace
}  // namespace kroma
