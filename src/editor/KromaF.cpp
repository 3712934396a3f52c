#include "editor/KromaF.h"

#include <cmath>
#include <filesystem>
#include <numbers>

#include "core/BmpCodec.h"
#include "core/Error.h"
#include "core/IniFile.h"
#include "core/Numeric.h"
#include "editor/Desktop.h"
#include "editor/EditorView.h"
#include "editor/Modules.h"
#include "editor/PenModes.h"
#include "editor/Prompts.h"
#include "editor/windows/ToolWindow.h"
#include "editor/windows/ToolWindows.h"

namespace kroma {
namespace {

constexpr int kPatternCells = 32;
constexpr int kPatternCellSize = 8;

}  // namespace

TKromaF::TKromaF(IPrompts& prompts, IDesktop& desktop, IEditorView& view, TAppPaths paths)
    : Prompts(prompts),
      Desktop(desktop),
      View(view),
      FPaths(std::move(paths)),
      FWindows(std::make_unique<TToolWindows>(*this, EditorWindowClasses())) {
  gamma.Subscribe([this] { gammaChange(); });
}

TKromaF::~TKromaF() = default;

void TKromaF::FormCreate() {
  FAppFolder = WithSlash(FPaths.AppFolder);
  FHelpFile = FAppFolder + "README.md";

  // Settings: a file we cannot read is reported and the defaults are used.
  FSettingsFile = SettingsFilePath(FPaths);
  try {
    TIniFile ini = TIniFile::Load(FSettingsFile);
    FStartPlacement = ReadWindowPlacement(ini);
    FLastFile = ini.ReadString("settings", "lastfile", "");
  } catch (const Error& e) {
    Prompts.ShowMessage(std::string("The settings could not be read; Kroma starts with its defaults.\n") + e.what());
  }

  BuildTables();
  LoadPatterns();
  FPatternCell = TBitmap(kPatternCellSize, kPatternCellSize);

  FToolKey = "line";
  FRangeRect = {};

  TCanvas& canvas = Canvas();
  canvas.Font.Name = "Arial";
  canvas.Font.Size = 24;

  // The start image: white 256 x 256, pen black, brush clear.
  FImage.SetSize(256, 256);
  canvas.Brush.SetColor(clWhite);
  canvas.FillRect(FImage.BoundsRect());
  canvas.Brush.SetStyle(bsClear);
  canvas.Pen.Color = clWhite;
  canvas.MoveTo(100, 100);
  canvas.LineTo(128, 128);
  canvas.Pen.Color = clBlack;
  canvas.Pen.Width = 1;
  canvas.Pen.Style = psSolid;
  canvas.Pen.Mode = pmCopy;

  // The slots start at the image's size, so that stepping back past the
  // recorded history shows a white image without changing the image size.
  FUndoIndex = 1;
  for (TBitmap& slot : FUndoSlots) slot = TBitmap(FImage.Width(), FImage.Height());

  SetStatus(1, PenModeText(pmCopy));
  ImageReplaced();
}

void TKromaF::FormShow() { PushImage(); }

void TKromaF::FormClose(const TWindowPlacement& window) {
  // An unchanged store is not rewritten, so a program folder the user
  // cannot write to costs no message at each exit.
  if (FPatternsLoaded && !SameImage(FPatterns, FPatternsAsLoaded)) SavePatterns();
  try {
    std::filesystem::create_directories(std::filesystem::path(FSettingsFile).parent_path());
    TIniFile ini = TIniFile::Load(FSettingsFile);
    WriteWindowPlacement(ini, window);
    ini.WriteString("settings", "lastfile", FLastFile);
    ini.UpdateFile();
  } catch (const std::exception& e) {
    Prompts.ShowMessage(std::string("The settings could not be saved.\n") + e.what());
  }
}

void TKromaF::LoadPatterns() {
  std::string path = FAppFolder + "patterns.bmp";
  FPatternsLoaded = false;
  try {
    TBitmap store;
    LoadBmpFile(path, store);
    if (store.Width() != kPatternCells * kPatternCellSize || store.Height() != kPatternCellSize)
      throw Error("\"" + path + "\" is " + std::to_string(store.Width()) + " x " + std::to_string(store.Height()) +
                  " pixels; the pattern store is 256 x 8");
    store.SetPixelFormat(pf24bit);
    FPatterns = std::move(store);
    FPatternsAsLoaded = FPatterns;
    FPatternsLoaded = true;
  } catch (const std::exception& e) {
    FPatterns = TBitmap(kPatternCells * kPatternCellSize, kPatternCellSize);
    Prompts.ShowMessage(std::string("The patterns could not be loaded; they start white and will not be saved.\n") +
                        e.what());
  }
}

void TKromaF::SavePatterns() {
  try {
    SaveBmpFile(FAppFolder + "patterns.bmp", FPatterns);
    FPatternsAsLoaded = FPatterns;
  } catch (const Error& e) {
    Prompts.ShowMessage(std::string("The patterns could not be saved.\n") + e.what());
  }
}

void TKromaF::BuildTables() {
  for (int a = -90; a <= 90; ++a) {
    long double r = static_cast<long double>(a) * std::numbers::pi_v<long double> / 180.0L;
    FTurnTable[static_cast<std::size_t>(a + 90)] = {std::sin(r), std::cos(r)};
  }
  for (int i = 0; i < 256; ++i) {
    double v = 255.0 * std::sin(i / 255.0 * std::numbers::pi / 2.0);
    FSineRamp[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(RoundToInt(v, "sine ramp"));
  }
}

void TKromaF::FlushChanges() {
  TCanvas& canvas = Canvas();
  TRect changed = Intersect(canvas.Changed(), FImage.BoundsRect());
  canvas.ResetChanged();
  if (!changed.IsEmpty()) View.InvalidateImage(changed);
  View.SyncOverlays();
}

void TKromaF::ImageChanged(const TRect& r) {
  TRect changed = Intersect(r, FImage.BoundsRect());
  if (!changed.IsEmpty()) View.InvalidateImage(changed);
}

void TKromaF::WidenImageTo24() {
  if (FImage.PixelFormat() != pf24bit) FImage.SetPixelFormat(pf24bit);
}

void TKromaF::ImageReplaced() {
  Canvas().ResetChanged();
  View.ImageReplaced();
}

void TKromaF::PushImage() {
  FUndoSlots[static_cast<std::size_t>(FUndoIndex - 1)].Assign(FImage);
  FUndoIndex = FUndoIndex + 1 > kUndoSlots ? 1 : FUndoIndex + 1;
}

void TKromaF::goUndoClick() {
  FUndoIndex = FUndoIndex - 1 <= 0 ? kUndoSlots : FUndoIndex - 1;
  FImage.Assign(FUndoSlots[static_cast<std::size_t>(FUndoIndex - 1)]);
  ImageReplaced();
}

void TKromaF::ResizeUndoSlots(int width, int height) {
  for (TBitmap& slot : FUndoSlots) slot.SetSize(width, height);
}

void TKromaF::RubberBand(int x, int y, const std::function<void(TPoint from, TPoint to)>& figure) {
  Canvas().Pen.Mode = pmNotXor;
  figure(FStartPoint, FLastPoint);
  figure(FStartPoint, {x, y});
  FLastPoint = {x, y};
}

void TKromaF::SetPenMode(TPenMode mode) {
  Canvas().Pen.Mode = mode;
  SetStatus(1, PenModeText(mode));
}

void TKromaF::SetStatus(int panel, const std::string& text) {
  if (panel < 0 || panel >= static_cast<int>(FStatus.size())) throw Error("No status panel " + std::to_string(panel));
  FStatus[static_cast<std::size_t>(panel)] = text;
  View.SetStatusText(panel, text);
}

std::string TKromaF::InputBox(const std::string& prompt, const std::string& defaultText, std::string_view caption) {
  return Prompts.InputBox(std::string(caption), prompt, defaultText);
}

bool TKromaF::InputQuery(const std::string& prompt, std::string& text, std::string_view caption) {
  return Prompts.InputQuery(std::string(caption), prompt, text);
}

void TKromaF::SelectShape(std::string_view key, const std::string& commandId) {
  FToolKey = std::string(key);
  View.SetToolButton("setshape", commandId);
}

}  // namespace kroma
