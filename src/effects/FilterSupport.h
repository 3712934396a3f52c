#pragma once
// Internal plumbing of the filters: 24-bit access and row-band threading.
#include <cstdint>
#include <functional>
#include <vector>

#include "core/Bitmap.h"

namespace kroma::detail {

// Converts to 24 bit when the bitmap is in another format.
inline void Ensure24Bit(TBitmap& bitmap) { bitmap.SetPixelFormat(pf24bit); }

// The source itself when it is 24 bit, else a converted copy held in scratch.
const TBitmap& View24Bit(const TBitmap& source, TBitmap& scratch);

// Bytes of pixel data in one 24-bit row (the padding is not touched).
inline std::size_t RowBytes(const TBitmap& bitmap) { return static_cast<std::size_t>(bitmap.Width()) * 3; }

// Rows [y0, y1) of an image, handled by one thread.
struct RowBand {
  int y0, y1;
};

// Contiguous bands that together cover rows [0, height), one per thread
// (FilterThreadCount); jobs below about 64K units of work
// (height * workPerRow) get one band. Inner band edges fall on multiples
// of `align` (the RowsPerBand of the bitmap the bands write), so that no
// stored band of that bitmap is written by two threads.
std::vector<RowBand> PlanRowBands(int height, std::int64_t workPerRow, int align);

// Calls fn(y0, y1) for every band, each on its own thread. The callback
// must compute each row only from data that no other band writes, and
// write only its own rows (a TRowJobScope holds it to that when a shared
// stored band would have to be copied). If bands throw, the exception of
// the topmost failing band is rethrown after all have finished.
void RunRowBands(const std::vector<RowBand>& bands, const std::function<void(int y0, int y1)>& fn);

// fn(y0, y1) over the rows of `written`, the bitmap the bands write.
inline void ForEachRowBand(const TBitmap& written, std::int64_t workPerRow,
                           const std::function<void(int y0, int y1)>& fn) {
  RunRowBands(PlanRowBands(written.Height(), workPerRow, written.RowsPerBand()), fn);
}

}  // namespace kroma::detail
