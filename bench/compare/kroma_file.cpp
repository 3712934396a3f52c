// kroma_file IN OUT [--quality Q] [--palette MODE] [--dither METHOD] [--bits N]
//   Opens IN and saves OUT by their extensions, as File > Open and
//   File > Save As do, for timing the whole process against other image
//   tools. --quality sets the JPEG quality (the program saves with 25);
//   --palette, --dither and --bits set the GIF colour reduction.
// kroma_file --error A B
//   Prints the mean absolute channel difference of two images of one size.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>

#include "core/Bitmap.h"
#include "core/Error.h"
#include "core/FileIO.h"
#include "files/CodecSupport.h"
#include "files/GifReduction.h"
#include "files/ImageFiles.h"
#include "files/JpegCodec.h"

namespace {

using kroma::Error;
using kroma::TBitmap;

int Usage() {
  std::fprintf(stderr,
               "usage: kroma_file IN OUT [--quality Q] [--palette MODE] [--dither METHOD] [--bits N]\n"
               "       kroma_file --error A B\n"
               "palettes: none windows20 windows256 windowsgray monochrome grayscale netscape optimized "
               "optimizedwindows\n"
               "dithers: floydsteinberg nearest stucki burkes sierra jarvis stevensonarce\n");
  return 2;
}

template <class T>
T Choice(const std::map<std::string, T>& names, const std::string& name, const char* what) {
  auto it = names.find(name);
  if (it == names.end()) throw Error(std::string("unknown ") + what + " \"" + name + "\"");
  return it->second;
}

int Number(const std::string& text, const char* what) {
  char* end = nullptr;
  const long v = std::strtol(text.c_str(), &end, 10);
  if (text.empty() || *end != 0 || v < -1000000 || v > 1000000) throw Error(std::string("not a valid ") + what);
  return static_cast<int>(v);
}

double MeanError(const std::string& a, const std::string& b) {
  TBitmap x, y;
  kroma::LoadImageFile(a, x);
  kroma::LoadImageFile(b, y);
  x = kroma::To24Bit(x);
  y = kroma::To24Bit(y);
  if (x.Width() != y.Width() || x.Height() != y.Height()) throw Error("the images differ in size");
  double sum = 0;
  for (int row = 0; row < x.Height(); ++row) {
    const std::uint8_t* p = x.ScanLine(row);
    const std::uint8_t* q = y.ScanLine(row);
    long rowSum = 0;
    for (int i = 0; i < 3 * x.Width(); ++i) rowSum += std::abs(p[i] - q[i]);
    sum += static_cast<double>(rowSum);
  }
  return sum / (3.0 * x.Width() * x.Height());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return Usage();
  try {
    if (std::strcmp(argv[1], "--error") == 0) {
      if (argc != 4) return Usage();
      std::printf("%.4f\n", MeanError(argv[2], argv[3]));
      return 0;
    }
    int quality = kroma::kJpegSaveQuality;
    kroma::TGifReduction gif = kroma::GifReductionSettings();
    for (int i = 3; i + 1 < argc; i += 2) {
      const std::string option = argv[i], value = argv[i + 1];
      if (option == "--quality") {
        quality = Number(value, "quality");
      } else if (option == "--palette") {
        using M = kroma::TGifPaletteMode;
        gif.palette = Choice<M>({{"none", M::None},
                                 {"windows20", M::Windows20},
                                 {"windows256", M::Windows256},
                                 {"windowsgray", M::WindowsGray},
                                 {"monochrome", M::Monochrome},
                                 {"grayscale", M::GrayScale},
                                 {"netscape", M::Netscape},
                                 {"optimized", M::Optimized},
                                 {"optimizedwindows", M::OptimizedWindows}},
                                value, "palette");
      } else if (option == "--dither") {
        using D = kroma::TGifDither;
        gif.dither = Choice<D>({{"floydsteinberg", D::FloydSteinberg},
                                {"nearest", D::NearestColor},
                                {"stucki", D::Stucki},
                                {"burkes", D::Burkes},
                                {"sierra", D::Sierra},
                                {"jarvis", D::JarvisJudiceNinke},
                                {"stevensonarce", D::StevensonArce}},
                               value, "dithering method");
      } else if (option == "--bits") {
        gif.reductionBits = Number(value, "number of bits");
      } else {
        return Usage();
      }
    }
    if ((argc - 3) % 2 != 0) return Usage();
    kroma::SetGifReductionSettings(gif);
    TBitmap image;
    kroma::LoadImageFile(argv[1], image);
    const std::string out = argv[2];
    const std::string ext = kroma::UpperExtension(out);
    if (ext == ".JPG" || ext == ".JPEG")
      kroma::WriteFileAtomic(out, kroma::WriteJpeg(image, quality));
    else
      kroma::SaveImageFile(out, image, false);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "kroma_file: %s\n", e.what());
    return 1;
  }
  return 0;
}
