#include "files/DiffusionKernels.h"

#include <array>

namespace kroma {
namespace {

constexpr std::array<TDiffusionTap, 4> kFloydSteinberg = {{{1, 0, 7}, {-1, 1, 3}, {0, 1, 5}, {1, 1, 1}}};

constexpr std::array<TDiffusionTap, 12> kJarvisJudiceNinke = {{
    {1, 0, 7}, {2, 0, 5},                                      //
    {-2, 1, 3}, {-1, 1, 5}, {0, 1, 7}, {1, 1, 5}, {2, 1, 3},  //
    {-2, 2, 1}, {-1, 2, 3}, {0, 2, 5}, {1, 2, 3}, {2, 2, 1},  //
}};

constexpr std::array<TDiffusionTap, 12> kStucki = {{
    {1, 0, 8}, {2, 0, 4},                                      //
    {-2, 1, 2}, {-1, 1, 4}, {0, 1, 8}, {1, 1, 4}, {2, 1, 2},  //
    {-2, 2, 1}, {-1, 2, 2}, {0, 2, 4}, {1, 2, 2}, {2, 2, 1},  //
}};

constexpr std::array<TDiffusionTap, 7> kBurkes = {{
    {1, 0, 8}, {2, 0, 4},                                      //
    {-2, 1, 2}, {-1, 1, 4}, {0, 1, 8}, {1, 1, 4}, {2, 1, 2},  //
}};

constexpr std::array<TDiffusionTap, 10> kSierra = {{
    {1, 0, 5}, {2, 0, 3},                                      //
    {-2, 1, 2}, {-1, 1, 4}, {0, 1, 5}, {1, 1, 4}, {2, 1, 2},  //
    {-1, 2, 2}, {0, 2, 3}, {1, 2, 2},                          //
}};

constexpr std::array<TDiffusionTap, 12> kStevensonArce = {{
    {2, 0, 32},                                      //
    {-3, 1, 12}, {-1, 1, 26}, {1, 1, 30}, {3, 1, 16},  //
    {-2, 2, 12}, {0, 2, 26}, {2, 2, 12},              //
    {-3, 3, 5}, {-1, 3, 12}, {1, 3, 12}, {3, 3, 5},  //
}};

template <std::size_t N>
constexpr int WeightSum(const std::array<TDiffusionTap, N>& taps) {
  int sum = 0;
  for (const auto& t : taps) sum += t.weight;
  return sum;
}
static_assert(WeightSum(kFloydSteinberg) == 16);
static_assert(WeightSum(kJarvisJudiceNinke) == 48);
static_assert(WeightSum(kStucki) == 42);
static_assert(WeightSum(kBurkes) == 32);
static_assert(WeightSum(kSierra) == 32);
static_assert(WeightSum(kStevensonArce) == 200);

}  // namespace

TDiffusionKernel DiffusionKernel(TGifDither method) {
  switch (method) {
    case TGifDither::FloydSteinberg: return {kFloydSteinberg, 16, 2, 1};
    case TGifDither::Stucki: return {kStucki, 42, 3, 2};
    case TGifDither::Burkes: return {kBurkes, 32, 2, 2};
    case TGifDither::Sierra: return {kSierra, 32, 3, 2};
    case TGifDither::JarvisJudiceNinke: return {kJarvisJudiceNinke, 48, 3, 2};
    case TGifDither::StevensonArce: return {kStevensonArce, 200, 4, 3};
    case TGifDither::NearestColor: break;
  }
  return {{}, 1, 1, 0};
}

}  // namespace kroma
