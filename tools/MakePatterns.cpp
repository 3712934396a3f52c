// Writes the pattern store data/patterns.bmp: 32 cells of 8 x 8 pixels
// side by side (256 x 8, 24-bit). Run by hand when the patterns change:
//   build/tools/kroma_make_patterns data/patterns.bmp
#include <array>
#include <cstdio>
#include <cstdlib>
#include <exception>

#include "core/Bitmap.h"
#include "core/BmpCodec.h"
#include "core/Types.h"

namespace {

using kroma::RGB;
using kroma::TColor;
using Cell = TColor (*)(int x, int y);

constexpr TColor kInk = kroma::clBlack;
constexpr TColor kPaper = kroma::clWhite;

TColor Pick(bool ink, TColor a = kInk, TColor b = kPaper) { return ink ? a : b; }
int Dist2(int x, int y, int cx, int cy) { return (x - cx) * (x - cx) + (y - cy) * (y - cy); }

constexpr std::array<Cell, 32> kCells = {
    [](int, int y) { return Pick(y % 2 == 0); },                        // fine horizontal stripes
    [](int x, int) { return Pick(x % 2 == 0); },                        // fine vertical stripes
    [](int x, int y) { return Pick((x + y) % 4 == 0); },                // diagonal lines
    [](int x, int y) { return Pick((x - y + 8) % 4 == 0); },            // other diagonal
    [](int x, int y) { return Pick((x + y) % 2 == 0); },                // fine checks
    [](int x, int y) { return Pick((x / 4 + y / 4) % 2 == 0); },        // big checks
    [](int x, int y) { return Pick(x % 4 == 1 && y % 4 == 1); },        // small dots
    [](int x, int y) { return Pick(Dist2(x, y, 3, 3) <= 5); },          // one big dot
    [](int x, int y) {                                                  // bricks
      int shift = (y / 4) % 2 ? 4 : 0;
      return Pick(y % 4 == 3 || (x + shift) % 8 == 0, RGB(120, 40, 30), RGB(200, 90, 60));
    },
    [](int x, int y) { return Pick(x % 4 == 0 || y % 4 == 0); },        // grid
    [](int x, int) { return RGB(x * 32, x * 32, x * 32); },            // grey ramp across
    [](int, int y) { return RGB(y * 32, y * 32, y * 32); },            // grey ramp down
    [](int, int y) { return Pick(y % 4 < 2, kroma::clRed); },           // red stripes
    [](int x, int y) { return Pick((x / 2 + y / 2) % 2 == 0, kroma::clBlue); },  // blue checks
    [](int x, int y) { return Pick((x + 2 * y) % 5 == 0, kroma::clGreen); },      // green dots
    [](int x, int y) { return Pick(y == (x % 4 < 2 ? x % 4 : 4 - x % 4) + 2); },  // zigzag
    [](int x, int y) { return Pick(std::abs(x - 3) + std::abs(y - 3) <= 3, kroma::clPurple); },  // diamond
    [](int x, int y) {                                                  // plaid
      if (x == 2 || x == 5) return kroma::clRed;
      if (y == 2 || y == 5) return kroma::clNavy;
      return RGB(240, 230, 200);
    },
    [](int x, int y) { return Pick(((x / 2) % 2 == 0) == ((y / 2) % 2 == 0) ? y % 2 == 0 : x % 2 == 0); },  // weave
    [](int x, int y) { return Pick((x == 3 && y >= 1 && y <= 5) || (y == 3 && x >= 1 && x <= 5), kroma::clOlive); },
    [](int x, int y) { int d = Dist2(x, y, 3, 3); return RGB(255 - d * 7, 255 - d * 7, 255); },  // radial blue
    [](int x, int y) { return Pick((x + y) % 3 == 0 && x % 2 == 0); },  // dense dots
    [](int, int y) { return Pick(y % 4 < 2, kroma::clTeal); },          // thick stripes across
    [](int x, int) { return Pick(x % 4 < 2, kroma::clMaroon); },        // thick stripes down
    [](int x, int y) { return Pick(y % 4 == 0 || (x + (y / 4) * 4) % 8 == 0, RGB(110, 80, 20), kroma::clYellow); },
    [](int x, int y) { int d = Dist2(x, y, 3, 3); return Pick(d >= 5 && d <= 10, kroma::clNavy); },  // ring
    [](int x, int y) { return Pick(x <= y, RGB(0, 120, 0), RGB(180, 230, 180)); },  // triangles
    [](int x, int y) { return Pick(Dist2(x % 4, y, 2, 4) <= 4 && Dist2(x % 4, y, 2, 4) >= 2, kroma::clTeal); },
    [](int x, int) {                                                    // rainbow columns
      constexpr std::array<TColor, 8> c = {kroma::clRed, RGB(255, 128, 0), kroma::clYellow, kroma::clLime,
                                           kroma::clAqua, kroma::clBlue, kroma::clPurple, kroma::clFuchsia};
      return c[static_cast<std::size_t>(x)];
    },
    [](int, int y) { return RGB(255, y * 32, 0); },                     // orange ramp down
    [](int x, int y) { return Pick(((x * 5 + y * 3) ^ (x * y)) % 3 == 0, kroma::clGray, kroma::clSilver); },
    [](int, int) { return kroma::clSilver; },                           // plain grey
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT.bmp\n", argv[0]);
    return 2;
  }
  try {
    kroma::TBitmap store(8 * static_cast<int>(kCells.size()), 8);
    for (int y = 0; y < 8; ++y) {
      std::uint8_t* row = store.ScanLine(y);
      for (int cell = 0; cell < static_cast<int>(kCells.size()); ++cell)
        for (int x = 0; x < 8; ++x) {
          TColor c = kCells[static_cast<std::size_t>(cell)](x, y);
          std::uint8_t* p = row + 3 * (8 * cell + x);
          p[0] = kroma::GetBValue(c);
          p[1] = kroma::GetGValue(c);
          p[2] = kroma::GetRValue(c);
        }
    }
    kroma::SaveBmpFile(argv[1], store);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "kroma_make_patterns: %s\n", e.what());
    return 1;
  }
  return 0;
}
