#include "files/Metafile.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <vector>

#include "core/Bitmap.h"
#include "core/Error.h"
#include "core/FileIO.h"
#include "files/EmfPlayer.h"
#include "files/WmfPlayer.h"

namespace kroma {

void LoadMetafile(std::span<const std::uint8_t> data, bool enhanced, TBitmap& target) {
  TBitmap drawing = enhanced ? PlayEmf(data) : PlayWmf(data);
  drawing.Transparent = target.Transparent;
  drawing.SetTransparentMode(target.TransparentMode());
  if (target.TransparentMode() == tmFixed) drawing.SetTransparentColor(target.TransparentColor());
  target = std::move(drawing);
}

void LoadMetafileFile(const std::string& path, TBitmap& target) {
  std::string ext = std::filesystem::path(path).extension().string();
  std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::toupper(c); });
  if (ext != ".WMF" && ext != ".EMF") throw Error("Cannot open \"" + path + "\" as a metafile: the name must end in .wmf or .emf");
  const std::vector<std::uint8_t> data = ReadWholeFile(path);
  try {
    LoadMetafile(data, ext == ".EMF", target);
  } catch (const Error& e) {
    throw Error("Cannot open \"" + path + "\": " + e.what());
  }
}

}  // namespace kroma
