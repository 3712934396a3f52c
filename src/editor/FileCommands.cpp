// File > Open, File > Save As and Options > GIF Image > Transparent.
#include "editor/Modules.h"

#include <filesystem>

#include "core/Bitmap.h"
#include "editor/Commands.h"
#include "editor/KromaF.h"
#include "editor/Prompts.h"
#include "editor/WorkImage.h"

namespace kroma {
namespace {

TFileChoice OpenChoice(const TKromaF& f) {
  TFileChoice choice;
  choice.Title = "Open";
  choice.Filters = {{"All images", "*.bmp;*.gif;*.png;*.jpg;*.jpeg;*.ico;*.wmf;*.emf"},
                    {"Bitmaps", "*.bmp"},
                    {"GIF images", "*.gif"},
                    {"PNG images", "*.png"},
                    {"JPEG images", "*.jpg;*.jpeg"},
                    {"Icons", "*.ico"},
                    {"Metafiles", "*.wmf;*.emf"}};
  std::error_code error;
  if (!f.FLastFile.empty() && std::filesystem::is_regular_file(f.FLastFile, error))
    choice.InitialPath = std::filesystem::path(f.FLastFile).parent_path().string();
  return choice;
}

TFileChoice SaveChoice() {
  TFileChoice choice;
  choice.Title = "Save As";
  choice.Filters = {{"Graphic Files (bmp,gif,ico,tif, jpg or png)", "*.bmp;*.gif;*.ico;*.tif;*.jpg;*.png"},
                    {"BMP Files", "*.bmp"}};
  return choice;
}

void Open1Click(TKromaF& f) {
  std::string path;
  if (!f.Prompts.ChooseOpenFile(OpenChoice(f), path)) return;
  OpenWorkImage(f, path);
}

// A save that fails (an extension we do not write, an icon that is not
// 32 x 32, a folder we cannot write) throws before the name is shown, and
// the old file stays as it was.
void SaveAs1Click(TKromaF& f) {
  std::string path;
  if (!f.Prompts.ChooseSaveFile(SaveChoice(), path)) return;
  SaveWorkImage(f, path);
}

}  // namespace

void RegisterFileCommands(TCommandTable& t) {
  t.Add({.Id = "Open1Click", .Path = "&File/&Open...", .Shortcut = "Ctrl+O", .Run = Open1Click});
  t.Add({.Id = "SaveAs1Click", .Path = "&File/Save &As...", .Shortcut = "Ctrl+S", .Run = SaveAs1Click});
  t.Add({.Id = "GifTransClick",
         .Path = "&Options/&GIF Image/&Transparent",
         .Run = [](TKromaF& f) { f.FGifTransparent = !f.FGifTransparent; },
         .Checked = [](const TKromaF& f) { return f.FGifTransparent; }});
}

}  // namespace kroma
