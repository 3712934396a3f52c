#pragma once
// Resampling kernels: each maps an offset x from the sample centre (in
// source pixels) to a weight and is zero beyond its support width. All
// compute in single precision.

namespace kroma {

using TResampleKernel = float (*)(float x);

float BoxFilter(float x);       // 1 on (-0.5, 0.5], else 0
float TriangleFilter(float x);
float HermiteFilter(float x);
float BellFilter(float x);
float SplineFilter(float x);    // cubic B-spline
float Lanczos3Filter(float x);
float MitchellFilter(float x);  // both shape parameters 1/3
// sin(pi v) / (pi v), and 1 at v = 0.
float SincValue(float v);

struct TResampleFilter {
  const char* Name;  // as shown to the user
  TResampleKernel Filter;
  float Width;       // support
};

inline constexpr int kResampleFilterCount = 7;
extern const TResampleFilter ResampleFilters[kResampleFilterCount];
// The index of "Mitchell", the kernel of the main window's resampling.
inline constexpr int kMitchellFilterIndex = 6;

}  // namespace kroma
