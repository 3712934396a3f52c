#pragma once
// The inner loops of the warps (effects/Warps.h), in the widest vectors the
// processor offers, chosen once at run time: the bilinear samples of a run
// of positions and the lens positions of a run of pixels. Each gives
// exactly the bytes and floats of the plain formulas, on every processor.
#include <cstddef>
#include <cstdint>

namespace kroma::kernels {

// A non-empty 24-bit picture in one piece of memory: row y starts at
// pixels + y * stride, and at least one byte past the last pixel may be
// read. Its size in bytes stays below 2^31.
struct TSampleSource {
  const std::uint8_t* pixels = nullptr;
  std::int64_t stride = 0;
  int width = 0;
  int height = 0;
};

// A run of bilinear samples (as FxSampleBilinear defines them) in two
// steps: LocateSamples finds the four neighbours and weights of each
// position and asks the memory for the neighbours ahead of time;
// BlendSamples, called later, reads and weighs them.
inline constexpr std::size_t kSampleRunLength = 128;
struct TSampleRun {
  std::size_t count = 0;  // at most kSampleRunLength
  float fx[kSampleRunLength], fy[kSampleRunLength];
  // Byte offsets of the neighbours (x0 y0, x0 y1, x1 y0, x1 y1) and their weights.
  std::int32_t p00[kSampleRunLength], p01[kSampleRunLength], p10[kSampleRunLength], p11[kSampleRunLength];
  float w00[kSampleRunLength], w01[kSampleRunLength], w10[kSampleRunLength], w11[kSampleRunLength];
};
void LocateSamples(const TSampleSource& source, TSampleRun& run);
// bgr[3 i .. 3 i + 2] := sample i of the run.
void BlendSamples(const TSampleSource& source, const TSampleRun& run, std::uint8_t* bgr);

// The lens of FxFishEye for `count` pixels of one row: dx[i] and dx2[i] are
// a pixel's distance from the centre column and its square, dy and dy2 the
// row's; m the lens radius and half = m / 2. Positions go to fx and fy.
struct TLens {
  float mx, my, m, half;
};
void FishEyePositions(const TLens& lens, float dy, float dy2, const float* dx, const float* dx2, std::size_t count,
                      float* fx, float* fy);

// The twist's distances of `count` pixels of one row: r[i] = the distance
// sqrt(dx2[i] + dy2), slope[i] = dy / dx[i] and turn[i] = r[i] / amount.
void TwistDistances(float dy, float dy2, const float* dx, const float* dx2, float amount, std::size_t count, float* r,
                    float* slope, float* turn);

}  // namespace kroma::kernels
