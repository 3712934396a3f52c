#include "effects/Warps.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <numbers>
#include <vector>

#include "core/Bitmap.h"
#include "core/Error.h"
#include "core/Numeric.h"
#include "effects/FilterSupport.h"
#include "effects/PixelHelpers.h"

namespace kroma {
namespace {

constexpr float kPi = std::numbers::pi_v<float>;
constexpr float kHalfPi = 1.5707964f;
// Far enough that no ordinary position is touched, near enough that
// Trunc and the wrap arithmetic stay inside int.
constexpr float kPositionLimit = 1073741824.0f;  // 2^30

// Row pointers of a 24-bit source, fetched once per filter call.
class Sampler {
 public:
  explicit Sampler(const TBitmap& source) : width_(source.Width()), height_(source.Height()) {
    rows_.reserve(static_cast<std::size_t>(height_));
    for (int y = 0; y < height_; ++y) rows_.push_back(source.ScanLine(y));
  }

  void Sample(float fx, float fy, std::uint8_t* bgr) const {
    fx = std::clamp(fx, -kPositionLimit, kPositionLimit);
    fy = std::clamp(fy, -kPositionLimit, kPositionLimit);
    int ix = SaturateTrunc(fx), iy = SaturateTrunc(fy);
    float wx[2], wy[2];
    Weights(fx, ix, wx);
    Weights(fy, iy, wy);
    ix = Wrap(ix, width_);
    iy = Wrap(iy, height_);
    const int cols[2] = {ix * 3, (ix + 1 >= width_ ? width_ - ix - 1 : ix + 1) * 3};
    const std::uint8_t* rows[2] = {rows_[static_cast<std::size_t>(iy)],
                                   rows_[static_cast<std::size_t>(iy + 1 >= height_ ? height_ - iy - 1 : iy + 1)]};
    for (int c = 0; c < 3; ++c) {
      float sum = 0.0f;
      for (int i = 0; i < 2; ++i)
        for (int j = 0; j < 2; ++j) sum += wx[i] * wy[j] * static_cast<float>(rows[j][cols[i] + c]);
      bgr[c] = ClampByte(SaturateRound(sum));
    }
  }

 private:
  static void Weights(float f, int i, float w[2]) {
    const float fi = static_cast<float>(i);  // exact: i is a truncated float
    if (f >= 0.0f) {
      w[1] = f - fi;
      w[0] = 1.0f - w[1];
    } else {
      w[0] = fi - f;
      w[1] = 1.0f - w[0];
    }
  }
  static int Wrap(int i, int size) {
    if (i < 0) return size - (-i) % size - 1;
    if (i > size - 1) return i % size;
    return i;
  }

  int width_, height_;
  std::vector<const std::uint8_t*> rows_;
};

// Common frame of the warps: validates the source, samples a snapshot
// when source and destination are the same bitmap (it shares the bands, so
// nothing is copied until written), and writes every destination pixel
// through position(x, y, &fx, &fy) in row bands.
template <typename Position>
void RenderWarp(const TBitmap& source, TBitmap& dest, Position position) {
  if (dest.Empty()) return;
  if (source.Empty()) throw Error("The source image is empty");
  TBitmap scratch;
  const TBitmap* from = &detail::View24Bit(source, scratch);
  TBitmap snapshot;
  if (from == &dest) {
    snapshot = dest;
    from = &snapshot;
  }
  const Sampler sampler(*from);
  detail::Ensure24Bit(dest);
  const int width = dest.Width();
  detail::ForEachRowBand(dest, std::int64_t{width} * 64, [&](int y0, int y1) {
    for (int y = y0; y < y1; ++y) {
      std::uint8_t* p = dest.ScanLine(y);
      for (int x = 0; x < width; ++x, p += 3) {
        float fx, fy;
        position(x, y, fx, fy);
        sampler.Sample(fx, fy, p);
      }
    }
  });
}

}  // namespace

void FxSampleBilinear(const TBitmap& source, float fx, float fy, std::uint8_t* bgr) {
  if (source.Empty() || source.PixelFormat() != pf24bit) throw Error("Sampling needs a non-empty 24-bit image");
  Sampler(source).Sample(fx, fy, bgr);
}

float FxPolarAngle(float dx, float dy) {
  if (dx == 0.0f) return dy > 0.0f ? kHalfPi : -kHalfPi;
  float angle = std::atan(dy / dx);
  return dx < 0.0f ? angle + kPi : angle;
}

void FxFishEye(const TBitmap& source, TBitmap& dest, double factor) {
  if (dest.Empty()) return;
  // The factor must be a single-precision number (a larger one has no
  // float value) and give a finite lens radius other than 0.
  if (!(std::fabs(factor) <= std::numeric_limits<float>::max()))
    throw Error("Fisheye: the factor must be a finite number other than 0");
  const float m = static_cast<float>(factor) * static_cast<float>(dest.Width());
  if (!std::isfinite(m) || m == 0.0f) throw Error("Fisheye: the factor must be a finite number other than 0");
  const float mx = static_cast<float>(source.Width()) / 2.0f;
  const float my = static_cast<float>(source.Height()) / 2.0f;
  RenderWarp(source, dest, [&](int x, int y, float& fx, float& fy) {
    const float dx = static_cast<float>(x) - mx, dy = static_cast<float>(y) - my;
    const float r = std::sqrt(dx * dx + dy * dy);
    if (r == 0.0f) {
      fx = mx;
      fy = my;
      return;
    }
    // A pixel exactly on the lens edge (r = m, as for factor 0.55 on a
    // 100-pixel image) maps infinitely far out along its own direction;
    // near the edge positions grow without bound. Both are limited to a
    // finite range, so ordinary factors never fail.
    const float q = 1.0f - r / m;
    const float nr = q == 0.0f ? std::numeric_limits<float>::infinity() : (1.0f / q - 1.0f) * (m / 2.0f);
    const float px = mx + dx * nr / r, py = my + dy * nr / r;
    // 0 * infinity: the pixel lies on an axis through the centre.
    fx = std::isnan(px) ? mx : std::clamp(px, -kPositionLimit, kPositionLimit);
    fy = std::isnan(py) ? my : std::clamp(py, -kPositionLimit, kPositionLimit);
  });
}

void FxTwist(const TBitmap& source, TBitmap& dest, int amount) {
  if (amount == 0) throw Error("Twist: the amount must not be 0");
  if (dest.Empty()) return;
  const float a = static_cast<float>(amount);
  const float cx = static_cast<float>(source.Width() - 1) / 2.0f;
  const float cy = static_cast<float>(source.Height() - 1) / 2.0f;
  RenderWarp(source, dest, [&](int x, int y, float& fx, float& fy) {
    const float dx = static_cast<float>(x) - cx, dy = static_cast<float>(y) - cy;
    const float r = std::sqrt(dx * dx + dy * dy);
    if (r == 0.0f) {
      fx = cx;
      fy = cy;
      return;
    }
    const float theta = FxPolarAngle(dx, dy) - r / a + kHalfPi;
    fx = cx + r * std::cos(theta);
    fy = cy + r * std::sin(theta);
  });
}

}  // namespace kroma
