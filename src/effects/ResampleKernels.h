#pragma once
// The inner loops of the filtered resampler, in the widest vectors the
// processor offers (chosen once, at run time). Every sum is formed in
// single precision in the order of its contributor list, one multiply and
// one add per term, so the bytes are the same on every processor.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace kroma::kernels {

// Contributor lists laid out flat: list i is Index/Weight[Start[i] ..
// Start[i + 1]). Index counts pixels.
struct TFlatContributors {
  std::vector<int> Start;
  std::vector<int> Index;
  std::vector<float> Weight;
  int Size() const { return static_cast<int>(Start.size()) - 1; }
};

// Work space of ResampleRowsHorizontal, kept by the caller between calls.
struct TResampleScratch {
  std::vector<float> Columns;
  std::vector<std::uint8_t> Results;
};

// The horizontal pass over `count` rows of `sourceWidth` 24-bit pixels:
// out[r] receives columns.Size() pixels, pixel i and channel c being
// clamp(sum of Weight[k] * rows[r][3 Index[k] + c]) rounded to even. Any
// count works; several rows are computed side by side.
void ResampleRowsHorizontal(const std::uint8_t* const* rows, std::uint8_t* const* out, int count, int sourceWidth,
                            const TFlatContributors& columns, TResampleScratch& scratch);

// The vertical pass, one contributor row at a time: acc[x] = weight *
// row[x] when `first`, else acc[x] + weight * row[x], for n bytes.
void WeightRow(float* acc, const std::uint8_t* row, float weight, std::size_t n, bool first);

// out[x] = acc[x] clamped to 0 .. 255 and rounded to even.
void StoreClampedRow(const float* acc, std::uint8_t* out, std::size_t n);

}  // namespace kroma::kernels
