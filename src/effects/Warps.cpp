#include "effects/Warps.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <numbers>
#include <vector>

#include "core/Bitmap.h"
#include "core/Error.h"
#include "effects/FilterSupport.h"
#include "effects/WarpKernels.h"

namespace kroma {
namespace {

constexpr float kPi = std::numbers::pi_v<float>;
constexpr float kHalfPi = 1.5707964f;

// The most pixels of a row that RenderWarp asks positions for at once.
constexpr int kMaxRun = static_cast<int>(kernels::kSampleRunLength);

// The source of a warp in one piece of memory, as the sampling kernel
// reads it: 24-bit rows without padding, and a few bytes to spare at the end.
class SourceCopy {
 public:
  explicit SourceCopy(const TBitmap& source) {
    TBitmap scratch;
    const TBitmap& src = detail::View24Bit(source, scratch);
    const std::size_t rowBytes = detail::RowBytes(src);
    const std::size_t bytes = rowBytes * static_cast<std::size_t>(src.Height());
    // Not zeroed first: every byte is written, by both cores at once.
    pixels_.reset(new std::uint8_t[bytes + kSpare]);
    std::memset(pixels_.get() + bytes, 0, kSpare);
    detail::RunRowBands(detail::PlanRowBands(src.Height(), src.Width(), 1), [&](int y0, int y1) {
      for (int y = y0; y < y1; ++y)
        std::memcpy(pixels_.get() + rowBytes * static_cast<std::size_t>(y), src.ScanLine(y), rowBytes);
    });
    view_ = {pixels_.get(), static_cast<std::int64_t>(rowBytes), src.Width(), src.Height()};
  }
  const kernels::TSampleSource& View() const { return view_; }

 private:
  static constexpr std::size_t kSpare = 4;
  std::unique_ptr<std::uint8_t[]> pixels_;
  kernels::TSampleSource view_;
};

// Common frame of the warps: validates the source, samples a copy of it
// (so source and destination may be the same bitmap), and writes the
// destination in row bands, tile by tile: nearby pixels mostly sample
// nearby source pixels, which then stay in the cache.
// rowPositions(y, x0, x1, fx, fy, spare) gives the source positions of
// pixels x0 .. x1 - 1 of row y in fx[0..] and fy[0..]; spare is a whole row
// of floats that belongs to row y while the band's tiles pass over it,
// tiles going left to right.
template <typename RowPositions>
void RenderWarp(const TBitmap& source, TBitmap& dest, const RowPositions& rowPositions) {
  if (dest.Empty()) return;
  if (source.Empty()) throw Error("The source image is empty");
  const SourceCopy copy(source);
  detail::Ensure24Bit(dest);
  constexpr int kTileRows = 16, kTileColumns = kMaxRun;
  const int width = dest.Width();
  detail::ForEachRowBand(dest, std::int64_t{width} * 64, [&](int y0, int y1) {
    // Two tile rows at a time: while the next row's positions are worked
    // out, the memory brings in what the current row samples.
    kernels::TSampleRun runs[2];
    std::vector<float> spare(static_cast<std::size_t>(width) * kTileRows);
    for (int top = y0; top < y1; top += kTileRows) {
      const int rows = std::min(kTileRows, y1 - top);
      for (int left = 0; left < width; left += kTileColumns) {
        const int columns = std::min(kTileColumns, width - left);
        auto locate = [&](int r) {
          kernels::TSampleRun& run = runs[r & 1];
          run.count = static_cast<std::size_t>(columns);
          rowPositions(top + r, left, left + columns, run.fx, run.fy,
                       spare.data() + static_cast<std::size_t>(r) * static_cast<std::size_t>(width));
          kernels::LocateSamples(copy.View(), run);
        };
        locate(0);
        for (int r = 0; r < rows; ++r) {
          if (r + 1 < rows) locate(r + 1);
          kernels::BlendSamples(copy.View(), runs[r & 1], dest.ScanLine(top + r) + std::int64_t{left} * 3);
        }
      }
    }
  });
}

// The distance of every column from a centre, and its square.
struct ColumnOffsets {
  ColumnOffsets(int width, float centre) : dx(static_cast<std::size_t>(width)), dx2(dx.size()) {
    for (std::size_t x = 0; x < dx.size(); ++x) {
      dx[x] = static_cast<float>(x) - centre;
      dx2[x] = dx[x] * dx[x];
    }
  }
  std::vector<float> dx, dx2;
};

}  // namespace

void FxSampleBilinear(const TBitmap& source, float fx, float fy, std::uint8_t* bgr) {
  if (source.Empty() || source.PixelFormat() != pf24bit) throw Error("Sampling needs a non-empty 24-bit image");
  const SourceCopy copy(source);
  kernels::TSampleRun run;
  run.count = 1;
  run.fx[0] = fx;
  run.fy[0] = fy;
  kernels::LocateSamples(copy.View(), run);
  kernels::BlendSamples(copy.View(), run, bgr);
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
  const ColumnOffsets columns(dest.Width(), mx);
  const kernels::TLens lens{mx, my, m, m / 2.0f};
  RenderWarp(source, dest, [&](int y, int x0, int x1, float* fx, float* fy, float*) {
    const float dy = static_cast<float>(y) - my;
    const auto x = static_cast<std::size_t>(x0);
    kernels::FishEyePositions(lens, dy, dy * dy, &columns.dx[x], &columns.dx2[x], static_cast<std::size_t>(x1 - x0),
                              fx, fy);
  });
}

void FxTwist(const TBitmap& source, TBitmap& dest, int amount) {
  if (amount == 0) throw Error("Twist: the amount must not be 0");
  if (dest.Empty()) return;
  const float a = static_cast<float>(amount);
  const float cx = static_cast<float>(source.Width() - 1) / 2.0f;
  const float cy = static_cast<float>(source.Height() - 1) / 2.0f;
  const ColumnOffsets columns(dest.Width(), cx);
  // Column x and the column as far on the other side of the centre have
  // the same quotient dy / dx but for its sign, and the arctangent is odd:
  // one arctangent serves both.
  const int mirror = source.Width() - 1;
  RenderWarp(source, dest, [&](int y, int x0, int x1, float* fx, float* fy, float* arctangent) {
    const float dy = static_cast<float>(y) - cy;
    const auto count = static_cast<std::size_t>(x1 - x0);
    float r[kMaxRun], slope[kMaxRun], turn[kMaxRun], theta[kMaxRun], cosine[kMaxRun], sine[kMaxRun];
    kernels::TwistDistances(dy, dy * dy, &columns.dx[static_cast<std::size_t>(x0)],
                            &columns.dx2[static_cast<std::size_t>(x0)], a, count, r, slope, turn);
    for (std::size_t i = 0; i < count; ++i) {
      const auto x = static_cast<std::size_t>(x0) + i;
      const float dx = columns.dx[x];
      float angle = dy > 0.0f ? kHalfPi : -kHalfPi;  // on the vertical axis
      if (dx != 0.0f) {
        const auto other = static_cast<std::size_t>(mirror) - x;  // wraps when past the mirror: no such column
        arctangent[x] = other < x && columns.dx[other] == -dx ? -arctangent[other] : std::atan(slope[i]);
        angle = dx < 0.0f ? arctangent[x] + kPi : arctangent[x];
      }
      theta[i] = angle - turn[i] + kHalfPi;
    }
    // Apart from the rest, so that the processor overlaps one pixel's
    // cosine and sine with the next pixel's. sincosf gives the bits of
    // cosf and sinf (and is what the compiler makes of the two anyway).
    for (std::size_t i = 0; i < count; ++i) ::sincosf(theta[i], &sine[i], &cosine[i]);
    for (std::size_t i = 0; i < count; ++i) {
      const bool centre = r[i] == 0.0f;
      fx[i] = centre ? cx : cx + r[i] * cosine[i];
      fy[i] = centre ? cy : cy + r[i] * sine[i];
    }
  });
}

}  // namespace kroma
