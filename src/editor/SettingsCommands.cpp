// Commands that change the settings the tools share: pen width and style,
// brush style, pen mode, copy mode, the shape options, and the few
// commands of the File and Help menus and the Undo button.
#include <array>
#include <string>

#include "core/Canvas.h"
#include "core/IniFile.h"
#include "core/Numeric.h"
#include "editor/Commands.h"
#include "editor/EditorView.h"
#include "editor/KromaF.h"
#include "editor/Modules.h"
#include "editor/PenModes.h"
#include "editor/PolyTools.h"
#include "editor/Prompts.h"
#include "editor/ShapeHelpers.h"
#include "editor/StageHints.h"
#include "editor/ToolKeys.h"

#ifndef KROMA_VERSION
#define KROMA_VERSION "unknown"
#endif

namespace kroma {
namespace {

using Check = std::function<bool(const TKromaF&)>;

// The canvas settings live on the image's canvas; reading them does not
// change the editor.
TCanvas& CanvasOf(const TKromaF& f) { return const_cast<TKromaF&>(f).Canvas(); }

// An input box answered with an integer: the number, or false when the
// text is no number.
bool AskInt(TKromaF& f, const std::string& prompt, const std::string& defaultText, int& value,
            std::string_view caption = kPromptCaption) {
  return TryStrToInt(f.InputBox(prompt, defaultText, caption), value);
}

// ---- Pen width and style ----

void AddLineWidths(TCommandTable& t) {
  struct Width {
    int pixels;
    const char* caption;
    const char* id;
  };
  constexpr std::array kWidths = {
      Width{1, "1 pixel", "N1pixel1Click"},     Width{2, "2 pixels", "N2pixels1Click"},
      Width{3, "3 pixels", "N3pixels1Click"},   Width{4, "4 pixels", "N4pixels1Click"},
      Width{5, "5 pixels", "N5pixels1Click"},   Width{10, "10 pixels", "N10pixels1Click"},
      Width{30, "30 pixels", "N30pixels1Click"},
  };
  for (const Width& w : kWidths) {
    std::string id = w.id;
    int pixels = w.pixels;
    t.Add({.Id = id,
           .Path = std::string("@linewidth/") + w.caption,
           .Run =
               [id, pixels](TKromaF& f) {
                 f.Canvas().Pen.Width = pixels;
                 f.View.SetToolButton("setwidth", id);
               },
           .Checked = [pixels](const TKromaF& f) { return CanvasOf(f).Pen.Width == pixels; }});
  }
  t.Add({.Id = "OtherSize1Click", .Path = "@linewidth/Other Size...", .Run = [](TKromaF& f) {
           int width = 0;
           bool ok = AskInt(f, "Enter new line width:", "1", width);
           f.Canvas().Pen.Width = (!ok || width < 1 || width > f.Image().Height()) ? 1 : width;
         }});

  struct Style {
    const char* caption;
    TPenStyle style;
    const char* id;
  };
  constexpr std::array kStyles = {
      Style{"Solid", psSolid, "PenSolid1Click"},
      Style{"Dash", psDash, "PenDash1Click"},
      Style{"Dot", psDot, "PenDot1Click"},
      Style{"Dash Dot", psDashDot, "PenDashDot1Click"},
      Style{"Dash Dot Dot", psDashDotDot, "PenDashDotDot1Click"},
      Style{"Clear", psClear, "PenClear1Click"},
      Style{"Inside Frame", psInsideFrame, "PenInsideFrame1Click"},
  };
  bool first = true;
  for (const Style& s : kStyles) {
    TPenStyle style = s.style;
    t.Add({.Id = s.id,
           .Path = std::string("@linewidth/") + s.caption,
           .Run = [style](TKromaF& f) { f.Canvas().Pen.Style = style; },
           .Checked = [style](const TKromaF& f) { return CanvasOf(f).Pen.Style == style; },
           .SeparatorBefore = first});
    first = false;
  }
}

// ---- Brush style, pen mode, copy mode ----

void AddBrushStyles(TCommandTable& t) {
  struct Style {
    const char* caption;
    TBrushStyle style;
    const char* id;
  };
  constexpr std::array kStyles = {
      Style{"Solid", bsSolid, "BrushSolid1Click"},         Style{"Clear", bsClear, "BrushClear1Click"},
      Style{"Horizontal", bsHorizontal, "BrushHorizontal1Click"},
      Style{"Vertical", bsVertical, "BrushVertical1Click"},
      Style{"FDiagonal", bsFDiagonal, "BrushFDiagonal1Click"},
      Style{"BDiagonal", bsBDiagonal, "BrushBDiagonal1Click"},
      Style{"Cross", bsCross, "BrushCross1Click"},         Style{"DiagCross", bsDiagCross, "BrushDiagCross1Click"},
  };
  for (const Style& s : kStyles) {
    TBrushStyle style = s.style;
    std::string id = s.id;
    t.Add({.Id = id,
           .Path = std::string("@brushstyle/") + s.caption,
           .Run =
               [style, id](TKromaF& f) {
                 f.Canvas().Brush.SetStyle(style);
                 f.View.SetToolButton("setbrushstyle", id);
               },
           .Checked = [style](const TKromaF& f) { return CanvasOf(f).Brush.Style() == style; }});
  }
}

void AddPenModes(TCommandTable& t) {
  for (const TPenModeItem& item : PenModeItems()) {
    TPenMode mode = item.Mode;
    std::string id(item.Id);
    t.Add({.Id = id,
           .Path = "@penmodes/" + std::string(item.Caption),
           .Run =
               [mode, id](TKromaF& f) {
                 f.SetPenMode(mode);
                 f.View.SetToolButton("setpenmode", id);
               },
           .Checked = [mode](const TKromaF& f) { return CanvasOf(f).Pen.Mode == mode; }});
  }
}

void AddCopyModes(TCommandTable& t) {
  struct Mode {
    const char* caption;
    TCopyMode mode;
    const char* id;
  };
  constexpr std::array kModes = {
      Mode{"Copy", cmSrcCopy, "CopyModeCopy1Click"},
      Mode{"Black", cmBlackness, "CopyModeBlack1Click"},
      Mode{"Destination Invert", cmDstInvert, "CopyModeDstInvert1Click"},
      Mode{"Merge Copy", cmMergeCopy, "CopyModeMergeCopy1Click"},
      Mode{"Merge Paint", cmMergePaint, "CopyModeMergePaint1Click"},
      Mode{"Not Source Copy", cmNotSrcCopy, "CopyModeNotSrcCopy1Click"},
      Mode{"Not Source Erase", cmNotSrcErase, "CopyModeNotSrcErase1Click"},
      Mode{"Source And", cmSrcAnd, "CopyModeSrcAnd1Click"},
      Mode{"Source Erase", cmSrcErase, "CopyModeSrcErase1Click"},
      Mode{"Source Invert", cmSrcInvert, "CopyModeSrcInvert1Click"},
      Mode{"Source Paint", cmSrcPaint, "CopyModeSrcPaint1Click"},
      Mode{"White", cmWhiteness, "CopyModeWhite1Click"},
  };
  bool first = true;
  for (const Mode& m : kModes) {
    TCopyMode mode = m.mode;
    t.Add({.Id = m.id,
           .Path = std::string("@copymodes/") + m.caption,
           .Run = [mode](TKromaF& f) { f.Canvas().CopyMode = mode; },
           .Checked = [mode](const TKromaF& f) { return CanvasOf(f).CopyMode == mode; },
           .SeparatorBefore = first});
    first = false;
  }
}

// ---- Shape options ----

void AddShapeOptions(TCommandTable& t) {
  t.Add({.Id = "LineTolerance1Click", .Path = "&Options/Line &Tolerance...", .Run = [](TKromaF& f) {
           int v = 0;
           bool ok = AskInt(f, "Enter Straight Line Tolerance (5..50)", "5", v);
           f.FLineTolerance = (ok && v >= kMinLineTolerance && v <= kMaxLineTolerance) ? v : 5;
         }});
  t.Add({.Id = "Polygon1Click",
         .Path = "&Options/&Polygon",
         .Run = [](TKromaF& f) { f.FPolygonChecked = !f.FPolygonChecked; },
         .Checked = [](const TKromaF& f) { return f.FPolygonChecked; }});
  t.Add({.Id = "Rounding1Click", .Path = "&Options/&Rounding...", .Run = [](TKromaF& f) {
           int v = 0;
           f.FRounding = AskInt(f, "Enter Rounding", "10", v) ? v : 10;
         }});
  t.Add({.Id = "Blocks2Click", .Path = "&Options/&Blocks/&Blocks...", .Run = [](TKromaF& f) {
           int v = 0;
           if (AskInt(f, "Number of blocks (2..50):", std::to_string(f.FBlockCount), v) && v >= 2 && v <= 50)
             f.FBlockCount = v;
         }});
  t.Add({.Id = "BlockPen1Click", .Path = "&Options/&Blocks/Block&Pen", .Run = [](TKromaF& f) {
           f.Canvas().Pen.Width = Div(f.Image().Width(), f.FBlockCount);
         }});
  t.Add({.Id = "Shapes1Click", .Path = "&Options/&Shapes...", .Run = [](TKromaF& f) {
           int v = 0;
           bool ok = AskInt(f, "Number of Shapes(1..25)", "1", v);
           f.FShapeCount = (ok && v >= kMinShapeCount && v <= kMaxShapeCount) ? v : 1;
         }});

  t.Add({.Id = "SpiralRight1Click",
         .Path = "&Options/Spi&rals/&Right",
         .Run = [](TKromaF& f) { f.FSpiralDirection = 1; },
         .Checked = [](const TKromaF& f) { return f.FSpiralDirection == 1; }});
  t.Add({.Id = "SpiralLeft1Click",
         .Path = "&Options/Spi&rals/&Left",
         .Run = [](TKromaF& f) { f.FSpiralDirection = -1; },
         .Checked = [](const TKromaF& f) { return f.FSpiralDirection == -1; }});
  for (int turns = 1; turns <= 3; ++turns) {
    std::string n = std::to_string(turns);
    t.Add({.Id = "Spirals" + n + "Click",
           .Path = "&Options/Spi&rals/&" + n,
           .Run = [turns](TKromaF& f) { f.FSpiralTurns = turns; },
           .Checked = [turns](const TKromaF& f) { return f.FSpiralTurns == turns; },
           .SeparatorBefore = turns == 1});
  }
  t.Add({.Id = "SpiralsOther1Click", .Path = "&Options/Spi&rals/&Other...", .Run = [](TKromaF& f) {
           int v = 0;
           bool ok = AskInt(f, "Spirals (3..50)", "3", v);
           f.FSpiralTurns = (ok && v >= kMinSpiralTurns && v <= kMaxSpiralTurns) ? v : 3;
         }});

  struct Factor {
    const char* caption;
    double value;
    const char* id;
  };
  constexpr std::array kFactors = {
      Factor{"0.99", 0.99, "SpiralFactor099Click"},
      Factor{"0.97", 0.97, "SpiralFactor097Click"},
      Factor{"0.95", 0.95, "SpiralFactor095Click"},
  };
  for (const Factor& k : kFactors) {
    double value = k.value;
    t.Add({.Id = k.id,
           .Path = std::string("&Options/Spiral&factor/") + k.caption,
           .Run = [value](TKromaF& f) { f.FSpiralFactor = value; },
           .Checked = [value](const TKromaF& f) { return f.FSpiralFactor == value; }});
  }
  t.Add({.Id = "SpiralFactorOther1Click", .Path = "&Options/Spiral&factor/&Other...", .Run = [](TKromaF& f) {
           double v = 0;
           bool ok = TryStrToFloat(f.InputBox("Spiral factor (0.1..0.99)", "0.99"), v);
           f.FSpiralFactor = (ok && v >= kMinSpiralFactor && v < 1.0) ? v : kDefaultSpiralFactor;
         }});

  for (int points = kMinStarPoints; points <= kMaxStarPoints; ++points) {
    std::string n = std::to_string(points);
    t.Add({.Id = "StarPoints" + n + "Click",
           .Path = "&Options/Star&points/" + n,
           .Run = [points](TKromaF& f) { f.FStarPoints = points; },
           .Checked = [points](const TKromaF& f) { return f.FStarPoints == points; }});
  }

  t.Add({.Id = "SpiroTurns1Click", .Path = "&Options/Spiro&Graph/&Turns...", .Run = [](TKromaF& f) {
           int v = 0;
           if (!AskInt(f, "Enter Turns (1-100):", std::to_string(f.FSpiroTurns), v, "Kroma SpiroGraph")) return;
           f.FSpiroTurns = (v >= kMinSpiroTurns && v <= kMaxSpiroTurns) ? v : 20;
         }});
}

// ---- File, Help, Undo ----

void AddProgramCommands(TCommandTable& t) {
  t.Add({.Id = "Exit1Click", .Path = "&File/E&xit", .Run = [](TKromaF& f) { f.View.RequestClose(); }});
  t.Add({.Id = "Contents1Click", .Path = "&Help/&Contents", .Shortcut = "F1", .Run = [](TKromaF& f) {
           f.View.ShowHelp(f.FHelpFile, "Kroma");
         }});
  t.Add({.Id = "Script1Click", .Path = "&View/&Script", .Shortcut = "F9", .Run = [](TKromaF& f) {
           f.View.ShowScriptWindow();
         }});
  t.Add({.Id = "About1Click", .Path = "&Help/&About", .Run = [](TKromaF& f) {
           f.Prompts.ShowMessage(std::string(kAppTitle) + "\nVersion " KROMA_VERSION
                                                          "\n\nA paint program for 24-bit raster images.");
         }});
  t.Add({.Id = "goUndoClick", .Path = "@toolbar/Undo", .Shortcut = "Ctrl+Z", .Run = [](TKromaF& f) {
           // Undo ends a multi-click figure in progress: the rubber band its
           // next stage would remove is gone with the undone image.
           DropPolyFigure(f);
           EnterStage(f, std::string(FirstStageKey(f.FToolKey)));
           f.goUndoClick();
         }});
}

}  // namespace

void RegisterSettingsCommands(TCommandTable& commands) {
  AddLineWidths(commands);
  AddBrushStyles(commands);
  AddPenModes(commands);
  AddCopyModes(commands);
  AddShapeOptions(commands);
  AddProgramCommands(commands);
}

}  // namespace kroma
