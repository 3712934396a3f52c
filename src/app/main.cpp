// Kroma's entry point.
#include <cstdio>
#include <cstring>
#include <exception>

#include "core/Bitmap.h"
#include "core/Canvas.h"

int main(int argc, char** argv) {
  if (argc > 1 && (std::strcmp(argv[1], "--version") == 0)) {
    std::printf("Kroma %s\n", KROMA_VERSION);
    return 0;
  }
  try {
    std::printf("Kroma %s\n", KROMA_VERSION);
    // The start image: 256 x 256 white.
    kroma::TBitmap image(256, 256);
    kroma::TCanvas& canvas = image.Canvas();
    canvas.Brush.SetColor(kroma::clWhite);
    canvas.FillRect(image.BoundsRect());
    std::printf("start image %d x %d %s\n", image.Width(), image.Height(), kroma::PixelFormatName(image.PixelFormat()));
  } catch (const std::exception& e) {
    std::fprintf(stderr, "kroma: %s\n", e.what());
    return 1;
  }
  return 0;
}
