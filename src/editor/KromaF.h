#pragma once
// TKromaF: the editing model of the main window. It owns the work image,
// the canvas settings every tool shares, the tool key and gesture state,
// the shape options, the undo ring, the range and the pattern store. It
// opens no window: what it needs from the person, the desktop and the
// window goes through IPrompts, IDesktop and IEditorView.
//
// Tools and commands of every module work on this state directly; the
// fields keep the names the tools know them by.
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "core/Bitmap.h"
#include "core/Canvas.h"
#include "core/Types.h"
#include "editor/ColorPanel.h"
#include "editor/Mouse.h"
#include "editor/Settings.h"
#include "editor/ranges/RangeState.h"

namespace kroma {

class IPrompts;
class IDesktop;
class IEditorView;
class TToolWindows;

// The program's title, as windows and messages show it.
inline constexpr std::string_view kAppTitle = "Kroma 25";
// The caption of the input boxes.
inline constexpr std::string_view kPromptCaption = "Kroma";
// Slots of the undo ring.
inline constexpr int kUndoSlots = 10;
// Vertices the polygon and polyline keep.
inline constexpr int kMaxPolyPoints = 100;

struct TSinCos {
  long double Sin = 0;
  long double Cos = 0;
};

class TKromaF {
 public:
  TKromaF(IPrompts& prompts, IDesktop& desktop, IEditorView& view, TAppPaths paths);
  ~TKromaF();
  TKromaF(const TKromaF&) = delete;
  TKromaF& operator=(const TKromaF&) = delete;

  // ---- Start-up and shut-down ----
  // Reads the settings, builds the tables, loads the pattern store and
  // makes the white 256 x 256 start image. Never fails for a missing or
  // broken data file: those are reported through IPrompts.
  void FormCreate();
  // Pushes the start image, so the first undo returns to it.
  void FormShow();
  // Writes the pattern store back (unless it failed to load) and the
  // settings file with the window's placement at close.
  void FormClose(const TWindowPlacement& window);
  // The placement read from the settings file by FormCreate.
  const TWindowPlacement& StartPlacement() const { return FStartPlacement; }
  const std::string& SettingsFile() const { return FSettingsFile; }

  // ---- The work image ----
  TBitmap& Image() { return FImage; }
  const TBitmap& Image() const { return FImage; }
  TCanvas& Canvas() { return FImage.Canvas(); }
  // Tells the view about pixels changed since the last call (the canvas's
  // changed rectangle) and forgets them. Every entry point ends with it.
  void FlushChanges();
  // The image was replaced or resized: the view shows all of it.
  void ImageReplaced();
  // Tools and pixel commands work on 24-bit rows: a work image in another
  // format (a palette BMP opens in its own) is widened, colours unchanged.
  void WidenImageTo24();

  // ---- Tool windows (editor/windows/ToolWindows.h) ----
  TToolWindows& Windows() { return *FWindows; }

  // ---- Undo ring ----
  void PushImage();
  void goUndoClick();
  // Gives all slots the image's new size after a command changed it.
  void ResizeUndoSlots(int width, int height);
  const TBitmap& UndoSlot(int i) const { return FUndoSlots[static_cast<std::size_t>(i)]; }

  // ---- Mouse phases on the image ----
  void mypaintMouseDown(TMouseButton button, TShiftState shift, int x, int y);
  void mypaintMouseMove(TShiftState shift, int x, int y);
  void mypaintMouseUp(TMouseButton button, TShiftState shift, int x, int y);
  void RightClick(int x, int y, TShiftState shift);
  // The step of the timer tools; runs the current key's timer step while
  // the button is down.
  void Timer1Timer();

  // ---- Resizing by dragging in the scroll box around the image ----
  // (editor/ImageDrag.cpp) Points are in scroll-box pixels, the image's
  // top-left corner at (0, 0). A press with Ctrl or Shift arms the drag
  // and keeps the image as it is; each move resamples that image to the
  // pointer (Ctrl: width x - 3 and height y - 3; Shift: width x - 3 and the
  // height of the press's aspect ratio); the release disarms.
  void ScrollBox1MouseDown(TShiftState shift);
  void ScrollBox1MouseMove(TShiftState shift, int x, int y);
  void ScrollBox1MouseUp();

  // ---- Helpers the tools share ----
  // The rubber band: with pmNotXor, draws the figure from FStartPoint to
  // FLastPoint (removing the earlier copy) and to (x, y); FLastPoint := (x, y).
  void RubberBand(int x, int y, const std::function<void(TPoint from, TPoint to)>& figure);
  // A release draws its final figure again unless the user's mode is pmNotXor.
  bool DrawsFinalFigure() const { return FSavedPenMode != pmNotXor; }
  // Pen mode and the status panel text that names it.
  void SetPenMode(TPenMode mode);
  void SetStatus(int panel, const std::string& text);
  const std::string& Status(int panel) const { return FStatus[static_cast<std::size_t>(panel)]; }
  // An input box with the program's caption.
  std::string InputBox(const std::string& prompt, const std::string& defaultText,
                       std::string_view caption = kPromptCaption);
  // The same box: false when it was cancelled, `text` (the default at
  // first) holding the typed text otherwise.
  bool InputQuery(const std::string& prompt, std::string& text, std::string_view caption = kPromptCaption);
  // Tool selection from the shapes drop-down: key, then the button image.
  void SelectShape(std::string_view key, const std::string& commandId);
  // Pixels written through rows rather than the canvas are reported here,
  // so the view repaints them.
  void ImageChanged(const TRect& r);

  // ---- Range and clip (editor/ranges/RangeClip.cpp) ----
  // The range is FRangeRect as dragged; the pixels it covers are
  // RangeArea (editor/ranges/RangeArea.h). These throw Error for a range
  // that covers no pixel of the image.
  // clip := the size of the range, filled with `color`; the colour stays
  // the brush of clip's canvas (the pattern of copy modes that use one).
  void setclip(TColor color);
  // clip := the range of the image, combined with what clip holds by
  // FClipCopyMode; 24-bit afterwards.
  void copyclip();
  // Draws clip on the image at the range's top-left corner, with the
  // canvas copy mode.
  void pasteclip();
  // Copies each row of clip's upper half over its mirror row below.
  void clipmirror();
  // The range becomes the whole image and clip a copy of it.
  void ClipWholeImage();
  // clip := a cmSrcCopy copy of `rect` (normalised, not clipped: parts
  // outside the image are white).
  void CopyRectToClip(const TRect& rect);

  // ---- Colour panel (editor/ColorPanelModel.cpp) ----
  // gamma's listener: pen := first colour, brush and airbrush := second.
  void gammaChange();

  IPrompts& Prompts;
  IDesktop& Desktop;
  IEditorView& View;

  // ---- Files and folders ----
  TAppPaths FPaths;
  std::string FAppFolder;  // folder of the executable, ending in '/'
  std::string FHelpFile;
  std::string FLastFile;
  bool FGifTransparent = false;  // Options > GIF Image > Transparent

  // ---- Tool key and gesture state ----
  std::string FToolKey = "line";
  TPoint FStartPoint{};
  TPoint FLastPoint{};
  TPoint FMousePoint{};
  bool FMouseDown = false;
  TPenMode FSavedPenMode = pmCopy;
  TColor FDownPenColor = clBlack;
  TColor FDownBrushColor = clWhite;
  TPoint FClonePoint{};
  std::string FLineDirection = "none";
  std::array<TPoint, 4> FBezierPoints{};
  bool FBezierLock1 = false;
  bool FBezierLock2 = false;
  std::array<TPoint, 4> FCorners{};
  TPoint FDepthPoint{};
  std::array<TPoint, 2> FArcRect{};
  TPoint FArcStart{};
  TPoint FArcEnd{};
  std::array<TPoint, kMaxPolyPoints + 1> FPolyPoints{};
  int FPolyCount = 0;

  // ---- Shape options ----
  int FRounding = 10;
  int FBlockCount = 32;
  int FShapeCount = 1;
  int FStarPoints = 5;
  int FLineTolerance = 5;
  int FSpiralTurns = 3;
  double FSpiralFactor = 0.99;
  int FSpiralDirection = 1;
  int FSpiroTurns = 40;
  bool FPolygonChecked = false;  // Options > Polygon

  // ---- Range, paste and work bitmaps ----
  TRect FRangeRect{};
  // The Range menu: enabled once a range is chosen, disabled by Deselect.
  bool FRangeMenuEnabled = false;
  TBitmap clip;
  TCopyMode FClipCopyMode = cmSrcCopy;
  std::string FPasteKey = "paste";
  TRangeFrame selector;
  TFloatingRange FloatImage1;
  bool FDragResizeArmed = false;  // the scroll box's drag resize, press to release
  TBitmap FZoomSource;
  TRect FZoomRect{0, 0, 50, 50};

  // ---- Colours ----
  TColorPanel gamma{clBlack, clWhite};
  TColor FAirBrushColor = clWhite;

  // ---- Pattern store ----
  TBitmap FPatterns;
  bool FPatternsLoaded = false;  // a store that failed to load is never written back
  TBitmap FPatternsAsLoaded;     // written back only when the store differs from this
  TBitmap FPatternCell;

  // ---- Undo ring ----
  std::array<TBitmap, kUndoSlots> FUndoSlots;
  int FUndoIndex = 1;  // slot FUndoIndex - 1 is written next

  // ---- Tables built at start ----
  std::array<TSinCos, 181> FTurnTable{};  // angle a = -90..90 at index a + 90
  std::array<std::uint8_t, 256> FSineRamp{};

  // ---- Start values of other tools ----
  TColor FTransStartColor = clBlack;
  TColor FTransEndColor = 0x800000;
  int FTransBands = 20;
  int FTransXStep = 0;
  int FTransYStep = 0;
  double FProjectionFactor = 0.75;
  std::uint8_t FTraceColorByte = 0;
  int FTraceIntensity = 1;
  int FSplitOffset = 20;
  int FSplitCount = 2;
  int FFrameCount = 1;
  TColor FTransparentCopyColor = clWhite;
  int FLabelTextStyle = 1;
  TColor FLabelHighlight = clWhite;
  TColor FLabelShadow = clGray;
  int FLabelShadowOffset = 1;
  int FButtonTextStyle = 1;
  TColor FButtonHighlight = clWhite;
  TColor FButtonShadow = clGray;
  int FButtonPaintStyle = 1;
  TColor FOvalHighlight = clWhite;
  TColor FOvalShadow = clGray;

 private:
  void LoadPatterns();
  void SavePatterns();
  void BuildTables();

  TBitmap FImage;
  std::unique_ptr<TToolWindows> FWindows;
  std::string FSettingsFile;
  TWindowPlacement FStartPlacement;
  std::array<std::string, 4> FStatus;
};

}  // namespace kroma
