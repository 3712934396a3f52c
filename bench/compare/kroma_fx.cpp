// kroma_fx IN.bmp OP OUT.bmp [ARGS...]: runs one filter of the effects
// library on a BMP file, for timing the whole process against other
// command-line image tools. Operations take the names of the script's
// effect table; "ring" is the 5 x 5 ring-kernel blur and "convolve" takes
// 25 kernel coefficients.
#include <charconv>
#include <cstdio>
#include <cstring>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "core/Bitmap.h"
#include "core/BmpCodec.h"
#include "core/Error.h"
#include "effects/FlipMirror.h"
#include "effects/PixelHelpers.h"
#include "effects/SmoothFilters.h"
#include "effects/ToneFilters.h"
#include "effects/Warps.h"

namespace {

using kroma::Error;
using kroma::TBitmap;
using Args = std::vector<std::string>;

template <typename T>
T Number(const Args& args, std::size_t i, const char* what) {
  if (i >= args.size()) throw Error(std::string("missing ") + what);
  const std::string& s = args[i];
  T value{};
  auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
  if (ec != std::errc() || end != s.data() + s.size()) throw Error(std::string("not a valid ") + what + ": " + s);
  return value;
}

// From a copy, as the script's effects do for source-to-destination filters.
void FromCopy(TBitmap& image, const std::function<void(const TBitmap&, TBitmap&)>& filter) {
  const TBitmap source = image;
  filter(source, image);
}

using Operation = std::function<void(TBitmap&, const Args&)>;

const std::map<std::string, std::pair<Operation, const char*>>& Operations() {
  static const std::map<std::string, std::pair<Operation, const char*>> ops = {
      {"invert", {[](TBitmap& b, const Args&) { kroma::FxInvert(b); }, ""}},
      {"grayscale", {[](TBitmap& b, const Args&) { kroma::FxGrayScale(b); }, ""}},
      {"antialias", {[](TBitmap& b, const Args&) { kroma::FxAntiAlias(b); }, ""}},
      {"lighter", {[](TBitmap& b, const Args& a) { kroma::FxLighter(b, Number<int>(a, 0, "amount")); }, "AMOUNT"}},
      {"darker", {[](TBitmap& b, const Args& a) { kroma::FxDarker(b, Number<int>(a, 0, "amount")); }, "AMOUNT"}},
      {"contrast", {[](TBitmap& b, const Args& a) { kroma::FxContrast(b, Number<int>(a, 0, "amount")); }, "AMOUNT"}},
      {"saturation",
       {[](TBitmap& b, const Args& a) { kroma::FxSaturation(b, Number<int>(a, 0, "amount")); }, "AMOUNT"}},
      {"emboss", {[](TBitmap& b, const Args&) { kroma::FxEmboss(b); }, ""}},
      {"blur", {[](TBitmap& b, const Args& a) { kroma::FxBlur(b, Number<std::int64_t>(a, 0, "pass count")); }, "N"}},
      {"flipdown", {[](TBitmap& b, const Args&) { kroma::FxFlipDown(b); }, ""}},
      {"flipright", {[](TBitmap& b, const Args&) { kroma::FxFlipRight(b); }, ""}},
      {"mirrordown", {[](TBitmap& b, const Args&) { kroma::FxMirrorDown(b); }, ""}},
      {"mirrorright", {[](TBitmap& b, const Args&) { kroma::FxMirrorRight(b); }, ""}},
      {"ring", {[](TBitmap& b, const Args&) { kroma::Convolve5x5(b, kroma::RingKernel); }, ""}},
      {"convolve",
       {[](TBitmap& b, const Args& a) {
          kroma::TKernel5x5 k{};
          for (std::size_t i = 0; i < k.size(); ++i) k[i] = Number<int>(a, i, "kernel coefficient");
          kroma::Convolve5x5(b, k);
        },
        "K1 ... K25"}},
      {"fisheye",
       {[](TBitmap& b, const Args& a) {
          double factor = Number<double>(a, 0, "factor");
          FromCopy(b, [factor](const TBitmap& s, TBitmap& d) { kroma::FxFishEye(s, d, factor); });
        },
        "FACTOR"}},
      {"solarize",
       {[](TBitmap& b, const Args& a) {
          int t = Number<int>(a, 0, "threshold");
          FromCopy(b, [t](const TBitmap& s, TBitmap& d) { kroma::FxSolarize(s, d, t); });
        },
        "THRESHOLD"}},
      {"posterize",
       {[](TBitmap& b, const Args& a) {
          int step = Number<int>(a, 0, "step");
          FromCopy(b, [step](const TBitmap& s, TBitmap& d) { kroma::FxPosterize(s, d, step); });
        },
        "STEP"}},
      {"twist",
       {[](TBitmap& b, const Args& a) {
          int amount = Number<int>(a, 0, "amount");
          FromCopy(b, [amount](const TBitmap& s, TBitmap& d) { kroma::FxTwist(s, d, amount); });
        },
        "AMOUNT"}},
  };
  return ops;
}

int Usage() {
  std::fprintf(stderr, "usage: kroma_fx IN.bmp OP OUT.bmp [ARGS...]\noperations:\n");
  for (const auto& [name, op] : Operations()) std::fprintf(stderr, "  %s %s\n", name.c_str(), op.second);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) return Usage();
  auto found = Operations().find(argv[2]);
  if (found == Operations().end()) {
    std::fprintf(stderr, "kroma_fx: unknown operation \"%s\"\n", argv[2]);
    return Usage();
  }
  try {
    TBitmap image;
    kroma::LoadBmpFile(argv[1], image);
    image.SetPixelFormat(kroma::pf24bit);
    found->second.first(image, Args(argv + 4, argv + argc));
    kroma::SaveBmpFile(argv[3], image);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "kroma_fx: %s\n", e.what());
    return 1;
  }
  return 0;
}
