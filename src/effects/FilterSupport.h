#pragma once
// Internal plumbing of the filters: 24-bit access and row-band threading.
#include <cstdint>
#include <functional>

#include "core/Bitmap.h"

namespace kroma::detail {

// Converts to 24 bit when the bitmap is in another format.
inline void Ensure24Bit(TBitmap& bitmap) { bitmap.SetPixelFormat(pf24bit); }

// The source itself when it is 24 bit, else a converted copy held in scratch.
const TBitmap& View24Bit(const TBitmap& source, TBitmap& scratch);

// Bytes of pixel data in one 24-bit row (the padding is not touched).
inline std::size_t RowBytes(const TBitmap& bitmap) { return static_cast<std::size_t>(bitmap.Width()) * 3; }

// Calls fn(y0, y1) for contiguous bands that together cover rows
// [0, height), one band per thread (FilterThreadCount). Jobs below about
// 64K units of work (height * workPerRow) stay on the calling thread. The
// callback must compute each row only from data that no band writes. If
// bands throw, the exception of the topmost failing band is rethrown after
// all have finished.
void ForEachRowBand(int height, std::int64_t workPerRow, const std::function<void(int y0, int y1)>& fn);

}  // namespace kroma::detail
