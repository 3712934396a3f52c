#include "effects/ResampleFilters.h"

#include <cmath>
#include <numbers>

namespace kroma {

float BoxFilter(float x) { return (x > -0.5f && x <= 0.5f) ? 1.0f : 0.0f; }

float TriangleFilter(float x) {
  float t = std::fabs(x);
  return t < 1.0f ? 1.0f - t : 0.0f;
}

float HermiteFilter(float x) {
  float t = std::fabs(x);
  return t < 1.0f ? (2.0f * t - 3.0f) * t * t + 1.0f : 0.0f;
}

float BellFilter(float x) {
  float t = std::fabs(x);
  if (t < 0.5f) return 0.75f - t * t;
  if (t < 1.5f) {
    float u = t - 1.5f;
    return 0.5f * u * u;
  }
  return 0.0f;
}

float SplineFilter(float x) {
  float t = std::fabs(x);
  if (t < 1.0f) return t * t * t / 2.0f - t * t + 2.0f / 3.0f;
  if (t < 2.0f) {
    float u = 2.0f - t;
    return u * u * u / 6.0f;
  }
  return 0.0f;
}

float SincValue(float v) {
  if (v == 0.0f) return 1.0f;
  float a = std::numbers::pi_v<float> * v;
  return std::sin(a) / a;
}

float Lanczos3Filter(float x) {
  float t = std::fabs(x);
  return t < 3.0f ? SincValue(t) * SincValue(t / 3.0f) : 0.0f;
}

float MitchellFilter(float x) {
  float t = std::fabs(x);
  float t2 = t * t;
  if (t < 1.0f) return (7.0f * t2 * t - 12.0f * t2 + 16.0f / 3.0f) / 6.0f;
  if (t < 2.0f) return (-7.0f / 3.0f * t2 * t + 12.0f * t2 - 20.0f * t + 32.0f / 3.0f) / 6.0f;
  return 0.0f;
}

const TResampleFilter ResampleFilters[kResampleFilterCount] = {
    {"Box", BoxFilter, 0.5f},          {"Triangle", TriangleFilter, 1.0f},   {"Hermite", HermiteFilter, 1.0f},
    {"Bell", BellFilter, 1.5f},        {"B-Spline", SplineFilter, 2.0f},     {"Lanczos3", Lanczos3Filter, 3.0f},
    {"Mitchell", MitchellFilter, 2.0f},
};

}  // namespace kroma
