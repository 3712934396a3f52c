#include "editor/WorkImage.h"

#include <unistd.h>

#include <filesystem>

#include "core/Bitmap.h"
#include "core/Canvas.h"
#include "core/Error.h"
#include "editor/KromaF.h"
#include "files/ImageFiles.h"

namespace kroma {
namespace {

std::string NameOnly(const std::string& path) { return std::filesystem::path(path).filename().string(); }

}  // namespace

// The work image lives with its undo slots and a working copy or two:
// refuse a size whose copies would take more than half of the memory, so
// a huge size is a message rather than the end of the program.
void CheckWorkImageFits(int width, int height) {
  if (width < 1 || height < 1)
    throw Error("An image needs a width and a height of at least 1 pixel, not " + std::to_string(width) + " x " +
                std::to_string(height));
  CheckImageSize(width, height);
  constexpr std::int64_t kCopies = kUndoSlots + 3;
  std::int64_t bytes = kCopies * RowStride(width, pf24bit) * height;
  long pages = ::sysconf(_SC_PHYS_PAGES);
  long pageSize = ::sysconf(_SC_PAGESIZE);
  if (pages <= 0 || pageSize <= 0) return;
  std::int64_t budget = static_cast<std::int64_t>(pages) * pageSize / 2;
  if (bytes > budget)
    throw Error("An image of " + std::to_string(width) + " x " + std::to_string(height) + " pixels needs about " +
                std::to_string(bytes >> 20) + " MB with its undo steps; this computer has room for " +
                std::to_string(budget >> 20) + " MB");
}

void NewWorkImage(TKromaF& editor, int width, int height) {
  CheckWorkImageFits(width, height);
  TBitmap& work = editor.Image();
  work.SetSize(width, height);
  work.SetPixelFormat(pf24bit);
  TCanvas& canvas = editor.Canvas();
  canvas.Pen.Style = psSolid;
  canvas.Brush.SetColor(clWhite);
  canvas.FillRect(work.BoundsRect());
  editor.SetStatus(0, "");
  editor.ResizeUndoSlots(width, height);
  editor.ImageReplaced();
}

void OpenWorkImage(TKromaF& editor, const std::string& path) {
  editor.FLastFile = path;
  TBitmap loaded;
  LoadImageFile(path, loaded);
  if (loaded.Empty()) throw Error("\"" + path + "\" holds an empty image");
  CheckWorkImageFits(loaded.Width(), loaded.Height());
  editor.Image().Assign(loaded);
  editor.SetStatus(0, NameOnly(path));
  editor.ResizeUndoSlots(loaded.Width(), loaded.Height());
  editor.FRangeRect = loaded.BoundsRect();
  // The colour panel's colours become the pen and the brush again.
  editor.Canvas().Pen.Color = editor.gamma.FirstColor();
  editor.Canvas().Brush.SetColor(editor.gamma.SecondColor());
  editor.ImageReplaced();
}

void SaveWorkImage(TKromaF& editor, const std::string& path) {
  SaveImageFile(path, editor.Image(), editor.FGifTransparent);
  editor.SetStatus(0, NameOnly(path));
}

}  // namespace kroma
