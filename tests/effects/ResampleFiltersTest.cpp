#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "effects/ResampleFilters.h"

namespace kroma {
namespace {

TEST(ResampleFilters, TableOrderNamesAndWidths) {
  const char* names[] = {"Box", "Triangle", "Hermite", "Bell", "B-Spline", "Lanczos3", "Mitchell"};
  const float widths[] = {0.5f, 1.0f, 1.0f, 1.5f, 2.0f, 3.0f, 2.0f};
  for (int i = 0; i < kResampleFilterCount; ++i) {
    EXPECT_EQ(std::string(ResampleFilters[i].Name), names[i]);
    EXPECT_EQ(ResampleFilters[i].Width, widths[i]);
    // Zero beyond the support, on both sides.
    EXPECT_EQ(ResampleFilters[i].Filter(widths[i] + 0.01f), 0.0f) << names[i];
    EXPECT_EQ(ResampleFilters[i].Filter(-widths[i] - 0.01f), 0.0f) << names[i];
  }
  EXPECT_EQ(std::string(ResampleFilters[kMitchellFilterIndex].Name), "Mitchell");
}

TEST(ResampleFilters, KernelValues) {
  struct Case {
    TResampleKernel f;
    float x, expected;
  } cases[] = {
      {BoxFilter, 0.5f, 1.0f},       {BoxFilter, -0.5f, 0.0f},         {BoxFilter, 0.0f, 1.0f},
      {TriangleFilter, -0.25f, 0.75f}, {HermiteFilter, 0.5f, 0.5f},    {HermiteFilter, 1.0f, 0.0f},
      {BellFilter, 0.0f, 0.75f},     {BellFilter, 1.0f, 0.125f},       {SplineFilter, 0.0f, 2.0f / 3.0f},
      {SplineFilter, 1.0f, 1.0f / 6.0f}, {Lanczos3Filter, 3.0f, 0.0f}, {Lanczos3Filter, 0.0f, 1.0f},
      {MitchellFilter, 0.0f, 16.0f / 18.0f}, {MitchellFilter, 1.0f, 1.0f / 18.0f}, {MitchellFilter, 2.0f, 0.0f},
      {SincValue, 0.0f, 1.0f},       {SincValue, 0.5f, 0.63661977f},
  };
  for (const Case& c : cases) EXPECT_NEAR(c.f(c.x), c.expected, 1e-6f) << c.x;
}

TEST(ResampleFilters, ApproximatingKernelsSumToOne) {
  // Weights at integer steps add to 1 for any phase: a wrong coefficient in
  // any piece breaks this.
  for (TResampleKernel f : {TriangleFilter, HermiteFilter, BellFilter, SplineFilter, MitchellFilter})
    for (float phase : {0.0f, 0.2f, 0.5f, 0.77f}) {
      float sum = 0.0f;
      for (int k = -4; k <= 4; ++k) sum += f(phase + static_cast<float>(k));
      EXPECT_NEAR(sum, 1.0f, 1e-5f) << phase;
    }
}

}  // namespace
}  // namespace kroma
