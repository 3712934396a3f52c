#pragma once
// What the WMF and EMF players share besides the device: their error
// messages and the checked size of the bitmap a drawing gets.
#include <cstdint>
#include <string>

namespace kroma {

// Throws Error("Invalid <format> file: <why>").
[[noreturn]] void FailMetafile(const char* format, const std::string& why);

// A drawing's width or height in pixels from a size in pixels that may be
// fractional, huge or not a number: rounded, at least 1; Error when it is
// not a size the program accepts or gives more than `maxPixels` pixels.
struct TDrawingSize {
  int width = 0, height = 0;
};
TDrawingSize CheckedDrawingSize(const char* format, double width, double height, std::int64_t maxPixels);

}  // namespace kroma
