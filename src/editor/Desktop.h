#pragma once
// IDesktop: what the editor needs from the desktop around the window: the
// clipboard, the one timer, the tick count, the mouse cursor, the screen
// and a place for long work. The window implements it with Qt; tests use a
// manual version.
#include <cstdint>
#include <functional>

#include "core/Types.h"

namespace kroma {

class TBitmap;
class IBackgroundWork;

class IDesktop {
 public:
  virtual ~IDesktop() = default;
  // False (and `image` untouched) when the clipboard holds no image.
  virtual bool GetClipboardImage(TBitmap& image) = 0;
  virtual void SetClipboardImage(const TBitmap& image) = 0;
  // The editor's one timer: (re)starts it with an interval; `onTick` runs
  // on the editor's thread at each tick until StopTimer.
  virtual void StartTimer(int intervalMs, std::function<void()> onTick) = 0;
  virtual void StopTimer() = 0;
  // Milliseconds from an arbitrary start, wrapping at 2^32.
  virtual std::uint32_t TickCount() = 0;
  // Moves the mouse cursor to the screen position of an image point.
  virtual void WarpCursor(TPoint imagePoint) = 0;
  // The whole screen as a 24-bit bitmap; false when no screen can be read.
  virtual bool GrabScreen(TBitmap& screen) = 0;
  // Where tool windows render their previews (editor/BackgroundWork.h).
  virtual IBackgroundWork& Background() = 0;
};

}  // namespace kroma
