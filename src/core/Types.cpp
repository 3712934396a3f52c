#include "core/Types.h"

namespace kroma {

TColor ColorToRGB(TColor color) {
  if (color == clNone) return clBlack;
  if (color & kSystemColorBit) {
    // A fixed light desktop theme: the program draws the same everywhere.
    switch (color & 0xFF) {
      case 0: return RGB(200, 200, 200);    // scroll bar
      case 1: return RGB(58, 110, 165);     // desktop
      case 2: return RGB(0, 84, 227);       // active caption
      case 3: return RGB(122, 150, 223);    // inactive caption
      case 4: return RGB(255, 255, 255);    // menu
      case 5: return RGB(255, 255, 255);    // window
      case 6: return RGB(100, 100, 100);    // window frame
      case 7: return RGB(0, 0, 0);          // menu text
      case 8: return RGB(0, 0, 0);          // window text
      case 9: return RGB(255, 255, 255);    // caption text
      case 10: return RGB(212, 208, 200);   // active border
      case 11: return RGB(212, 208, 200);   // inactive border
      case 12: return RGB(128, 128, 128);   // application workspace
      case 13: return RGB(49, 106, 197);    // highlight
      case 14: return RGB(255, 255, 255);   // highlight text
      case 15: return RGB(212, 208, 200);   // button face
      case 16: return RGB(128, 128, 128);   // button shadow
      case 17: return RGB(128, 128, 128);   // grey text
      case 18: return RGB(0, 0, 0);         // button text
      case 19: return RGB(0, 0, 0);         // inactive caption text
      case 20: return RGB(255, 255, 255);   // button highlight
      case 21: return RGB(64, 64, 64);      // 3D dark shadow
      case 22: return RGB(212, 208, 200);   // 3D light
      case 23: return RGB(0, 0, 0);         // info text
      case 24: return RGB(255, 255, 225);   // info background
      default: return clBlack;
    }
  }
  return color & 0xFFFFFF;
}

}  // namespace kroma
