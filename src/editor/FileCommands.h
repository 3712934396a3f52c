#pragma once
// Opening and saving the work image: File > Open, File > Save As, the GIF
// transparency option, and opening an image named on the command line.
#include <string>

namespace kroma {

class TKromaF;

// Reads an image file into the work image, which stays 24-bit; the undo
// slots take its size, the range becomes the whole image and status panel
// 0 shows the file's name. The name becomes the last file even when the
// file cannot be read. A file that cannot be read throws Error and leaves
// the image, the undo ring and the range as they were.
void OpenImageFile(TKromaF& f, const std::string& path);

}  // namespace kroma
