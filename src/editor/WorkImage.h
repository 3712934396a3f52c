#pragma once
// The work image as a whole: a new white image, opening a file into it and
// saving it. The File menu's commands and the automation object share
// these, so a new or opened image always comes with the same side effects
// (undo slots sized, range, status panel, last file).
#include <string>

namespace kroma {

class TKromaF;

// Throws Error unless the program can hold a work image of this size (at
// least 1 x 1) with its undo steps and working copies, in at most half of
// the memory.
void CheckWorkImageFits(int width, int height);

// As File > New with the size given: a white width x height 24-bit image,
// pen solid, brush white, status panel 0 cleared, undo slots resized.
// Throws Error for a size the program does not accept; the image is then
// unchanged.
void NewWorkImage(TKromaF& editor, int width, int height);

// Reads the file into a new bitmap (the format chosen by the extension;
// a BMP file keeps its own pixel format) and makes it the work image: undo
// slots take its size, the range is the whole image, the pen and brush take
// the colour panel's two colours, status panel 0 shows the file name
// without its folder. The
// last-file name is set before reading, also when reading fails. A file
// that cannot be read throws Error and leaves the image unchanged.
void OpenWorkImage(TKromaF& editor, const std::string& path);

// Writes the work image to the file (the format chosen by the extension,
// GIF transparency from the Options menu) through a temporary file and a rename, so a failed save keeps the old
// file; status panel 0 shows the file name. Throws Error for an extension
// with no writer or a file that cannot be written.
void SaveWorkImage(TKromaF& editor, const std::string& path);

}  // namespace kroma
