#include "editor/WorkImage.h"

#include <unistd.h>

#include <filesystem>

#include "core/Bitmap.h"
#include "core/BmpCodec.h"
#include "core/Canvas.h"
#include "core/Error.h"
#include "editor/KromaF.h"

namespace kroma {
namespace {

std::string UpperExtension(const std::string& path) {
  std::string ext = std::filesystem::path(path).extension().string();
  for (char& c : ext)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return ext;
}

std::string NameOnly(const std::string& path) { return std::filesystem::path(path).filename().string(); }

[[noreturn]] void Unsupported(const std::string& path) {
  throw Error("\"" + path + "\": unsupported file type \"" + std::filesystem::path(path).extension().string() + "\"");
}

// The work image lives with its undo slots and a working copy or two:
// refuse a size whose copies would take more than half of the memory, so
// a huge size is a message rather than the end of the program.
void CheckWorkImageFits(int width, int height) {
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

}  // namespace

// BMP only for now; the image-file library takes over here when it lands.
void LoadImageByExtension(const std::string& path, TBitmap& target) {
  if (UpperExtension(path) != ".BMP") Unsupported(path);
  LoadBmpFile(path, target);
}

void SaveImageByExtension(const std::string& path, const TBitmap& bitmap) {
  if (UpperExtension(path) != ".BMP") Unsupported(path);
  SaveBmpFile(path, bitmap);
}

void NewWorkImage(TKromaF& editor, int width, int height) {
  if (width < 1 || height < 1)
    throw Error("An image needs a width and a height of at least 1 pixel, not " + std::to_string(width) + " x " +
                std::to_string(height));
  CheckImageSize(width, height);
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
  LoadImageByExtension(path, loaded);
  if (loaded.Empty()) throw Error("\"" + path + "\" holds an empty image");
  CheckWorkImageFits(loaded.Width(), loaded.Height());
  editor.Image().Assign(loaded);
  editor.SetStatus(0, NameOnly(path));
  editor.ResizeUndoSlots(loaded.Width(), loaded.Height());
  editor.FRangeRect = loaded.BoundsRect();
  editor.ImageReplaced();
}

void SaveWorkImage(TKromaF& editor, const std::string& path) {
  SaveImageByExtension(path, editor.Image());
  editor.SetStatus(0, NameOnly(path));
}

}  // namespace kroma
