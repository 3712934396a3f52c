#pragma once
// Mouse event arguments as the image control reports them: the button,
// the keys and buttons held, and the point in image pixels (any int: a
// drag that leaves the image keeps reporting points outside it).

namespace kroma {

enum TMouseButton { mbLeft, mbRight, mbMiddle };

enum TShiftFlag : unsigned {
  ssShift = 1,
  ssAlt = 2,
  ssCtrl = 4,
  ssLeft = 8,
  ssRight = 16,
  ssMiddle = 32,
};
using TShiftState = unsigned;

constexpr bool Held(TShiftState shift, unsigned flags) { return (shift & flags) == flags; }

struct TMouseEvent {
  TMouseButton Button = mbLeft;  // for moves: mbLeft
  TShiftState Shift = 0;
  int X = 0;
  int Y = 0;
};

}  // namespace kroma
