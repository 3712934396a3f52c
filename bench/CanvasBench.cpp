// The canvas on a 4000 x 3000 24-bit image, with memcpy of the same image
// as the memory-bandwidth reference.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "core/Bitmap.h"
#include "core/Canvas.h"

namespace {

constexpr int kWidth = 4000, kHeight = 3000;

void SetImageBytes(benchmark::State& state, const kroma::TBitmap& image) {
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * image.Stride() * image.Height());
}

void BM_Memcpy(benchmark::State& state) {
  kroma::TBitmap image(kWidth, kHeight);
  const std::size_t bytes = static_cast<std::size_t>(image.Stride() * image.Height());
  std::vector<std::uint8_t> copy(bytes);
  for (auto _ : state) {
    std::memcpy(copy.data(), image.ScanLine(0), bytes);
    benchmark::DoNotOptimize(copy.data());
  }
  SetImageBytes(state, image);
}
BENCHMARK(BM_Memcpy)->Unit(benchmark::kMillisecond);

void BM_FillRect(benchmark::State& state) {
  kroma::TBitmap image(kWidth, kHeight);
  kroma::TCanvas& c = image.Canvas();
  c.Brush.SetColor(kroma::RGB(12, 34, 56));
  for (auto _ : state) benchmark::DoNotOptimize(c.FillRect(image.BoundsRect()));
  SetImageBytes(state, image);
}
BENCHMARK(BM_FillRect)->Unit(benchmark::kMillisecond);

void BM_LongLine(benchmark::State& state) {
  kroma::TBitmap image(kWidth, kHeight);
  kroma::TCanvas& c = image.Canvas();
  c.Pen.Mode = kroma::pmXor;
  for (auto _ : state) {
    // Far beyond the image at both ends, crossing it corner to corner.
    c.MoveTo(-kWidth * 1000, -kHeight * 1000);
    benchmark::DoNotOptimize(c.LineTo(kWidth * 1001, kHeight * 1001));
  }
}
BENCHMARK(BM_LongLine)->Unit(benchmark::kMicrosecond);

void BM_FilledEllipse(benchmark::State& state) {
  kroma::TBitmap image(kWidth, kHeight);
  kroma::TCanvas& c = image.Canvas();
  c.Brush.SetColor(kroma::clRed);
  for (auto _ : state) benchmark::DoNotOptimize(c.Ellipse(0, 0, kWidth, kHeight));
  SetImageBytes(state, image);
}
BENCHMARK(BM_FilledEllipse)->Unit(benchmark::kMillisecond);

void BM_FilledPolygon(benchmark::State& state) {
  kroma::TBitmap image(kWidth, kHeight);
  kroma::TCanvas& c = image.Canvas();
  c.Brush.SetColor(kroma::clBlue);
  const kroma::TPoint star[] = {{2000, 0}, {3200, 2999}, {0, 1100}, {3999, 1100}, {800, 2999}};
  for (auto _ : state) benchmark::DoNotOptimize(c.Polygon(star));
  SetImageBytes(state, image);
}
BENCHMARK(BM_FilledPolygon)->Unit(benchmark::kMillisecond);

void BM_FloodFill(benchmark::State& state) {
  kroma::TBitmap image(kWidth, kHeight);
  kroma::TCanvas& c = image.Canvas();
  kroma::TColor current = kroma::clWhite;
  for (auto _ : state) {
    const kroma::TColor next = current == kroma::clWhite ? kroma::clLime : kroma::clWhite;
    c.Brush.SetColor(next);
    benchmark::DoNotOptimize(c.FloodFill(kWidth / 2, kHeight / 2, current, kroma::fsSurface));
    current = next;
  }
  SetImageBytes(state, image);
}
BENCHMARK(BM_FloodFill)->Unit(benchmark::kMillisecond);

void BM_CopyRect(benchmark::State& state) {
  kroma::TBitmap image(kWidth, kHeight), source(kWidth, kHeight);
  source.Fill(kroma::clNavy);
  kroma::TCanvas& c = image.Canvas();
  for (auto _ : state) benchmark::DoNotOptimize(c.CopyRect(image.BoundsRect(), source, source.BoundsRect()));
  SetImageBytes(state, image);
}
BENCHMARK(BM_CopyRect)->Unit(benchmark::kMillisecond);

}  // namespace
