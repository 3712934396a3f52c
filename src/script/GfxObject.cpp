// gfx: the drawing object. Every member draws at once on the work image
// with the canvas's current pen, brush and font, which it may also change.
// Scripted drawing is not recorded for undo.
#include "core/Bitmap.h"
#include "core/Canvas.h"
#include "core/Error.h"
#include "editor/KromaF.h"
#include "script/GfxEffects.h"
#include "script/GfxRules.h"
#include "script/ScriptObjects.h"

namespace kroma {
namespace {

using TDraw = std::function<void(TCanvas&, const TScriptCall&)>;

class TGfxBuilder {
 public:
  explicit TGfxBuilder(TKromaF& editor) : editor_(editor) { object_ = {"gfx", true, {}}; }

  // A method that works on the canvas and shows what it changed.
  void Method(std::string name, std::vector<std::string> params, TDraw draw) {
    std::size_t count = params.size();
    TKromaF& f = editor_;
    object_.Members.push_back({.Name = std::move(name),
                               .Kind = TMemberKind::Method,
                               .Params = std::move(params),
                               .Required = count,
                               .Call = OnEditor([&f, draw = std::move(draw)](const TScriptCall& c) {
                                 Flushed(f, [&] { draw(f.Canvas(), c); });
                                 return TScriptResult{};
                               })});
  }

  void WriteOnly(std::string name, TDraw put) {
    TKromaF& f = editor_;
    object_.Members.push_back({.Name = std::move(name),
                               .Kind = TMemberKind::WriteOnly,
                               .Put = OnEditorPut([&f, put = std::move(put)](const TScriptCall& c) {
                                 Flushed(f, [&] { put(f.Canvas(), c); });
                               })});
  }

  void ReadOnly(std::string name, std::function<Variant(TKromaF&)> get) {
    TKromaF& f = editor_;
    object_.Members.push_back({.Name = std::move(name),
                               .Kind = TMemberKind::ReadOnly,
                               .Call = OnEditor([&f, get = std::move(get)](const TScriptCall&) {
                                 return TScriptResult::Of(get(f));
                               })});
  }

  void Add(TScriptMember member) { object_.Members.push_back(std::move(member)); }
  TKromaF& Editor() { return editor_; }
  TScriptObject Take() { return std::move(object_); }

  // Runs `work` and reports the changed pixels also when it fails, so
  // drawing done before a failure shows.
  template <typename Work>
  static void Flushed(TKromaF& f, Work work) {
    struct Flush {
      TKromaF& f;
      ~Flush() { f.FlushChanges(); }
    } flush{f};
    work();
  }

 private:
  TKromaF& editor_;
  TScriptObject object_;
};

const std::vector<std::string> kBox = {"x1", "y1", "x2", "y2"};
const std::vector<std::string> kArcParams = {"x1", "y1", "x2", "y2", "x3", "y3", "x4", "y4"};

std::array<int, 8> EightInts(const TScriptCall& c) {
  std::array<int, 8> v{};
  for (std::size_t i = 0; i < v.size(); ++i) v[i] = c.Int(i);
  return v;
}

void AddFigures(TGfxBuilder& b) {
  b.Method("Line", kBox, [](TCanvas& canvas, const TScriptCall& c) {
    int x1 = c.Int(0), y1 = c.Int(1), x2 = c.Int(2), y2 = c.Int(3);
    canvas.MoveTo(x1, y1);
    canvas.LineTo(x2, y2);
  });
  b.Method("Polygon", {"points"},
           [](TCanvas& canvas, const TScriptCall& c) { canvas.Polygon(c.Points(0)); });
  b.Method("Rectangle", kBox, [](TCanvas& canvas, const TScriptCall& c) {
    canvas.Rectangle(c.Int(0), c.Int(1), c.Int(2), c.Int(3));
  });
  b.Method("Ellipse", kBox, [](TCanvas& canvas, const TScriptCall& c) {
    canvas.Ellipse(c.Int(0), c.Int(1), c.Int(2), c.Int(3));
  });
  b.Method("RoundRect", {"x1", "y1", "x2", "y2", "x3", "y3"}, [](TCanvas& canvas, const TScriptCall& c) {
    canvas.RoundRect(c.Int(0), c.Int(1), c.Int(2), c.Int(3), c.Int(4), c.Int(5));
  });
  b.Method("Pie", kArcParams, [](TCanvas& canvas, const TScriptCall& c) {
    auto v = EightInts(c);
    canvas.Pie(v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7]);
  });
  b.Method("Chord", kArcParams, [](TCanvas& canvas, const TScriptCall& c) {
    auto v = EightInts(c);
    canvas.Chord(v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7]);
  });
  b.Method("PolyLine", {"points"},
           [](TCanvas& canvas, const TScriptCall& c) { canvas.Polyline(c.Points(0)); });
  b.Method("PolyBezier", {"points"}, [](TCanvas& canvas, const TScriptCall& c) {
    std::vector<TPoint> points = c.Points(0);
    // A first point and three per segment, or nothing at all.
    if (points.size() % 3 == 1) canvas.PolyBezier(points);
  });
  b.Method("EllipseRotate", {"x", "y", "a", "b", "angle", "filled"}, [](TCanvas& canvas, const TScriptCall& c) {
    std::array<TPoint, 25> points =
        RotatedEllipsePoints(c.Real(0), c.Real(1), c.Real(2), c.Real(3), c.Real(4));
    bool filled = c.Bool(5);
    canvas.BeginPath();
    canvas.PolyBezier(points);
    canvas.EndPath();
    if (filled)
      canvas.StrokeAndFillPath();
    else
      canvas.StrokePath();
  });
  b.Method("Clear", {}, [](TCanvas& canvas, const TScriptCall&) {
    canvas.Brush.SetColor(clWhite);
    canvas.FillRect(canvas.Bitmap().BoundsRect());
  });
}

void AddText(TGfxBuilder& b) {
  b.Method("Text", {"x", "y", "Text"}, [](TCanvas& canvas, const TScriptCall& c) {
    int x = c.Int(0), y = c.Int(1);
    canvas.TextOut(x, y, c.String(2));
  });
  b.Method("TextRotate", {"x", "y", "Text", "angle"}, [](TCanvas& canvas, const TScriptCall& c) {
    int x = c.Int(0), y = c.Int(1);
    std::string text = c.String(2);
    TFont rotated = RotatedTextFont(canvas.Font, c.Real(3));
    // Written with a transparent background; the canvas keeps its font and brush.
    TFont saved = canvas.Font;
    TBrushStyle brush = canvas.Brush.Style();
    struct Restore {
      TCanvas& canvas;
      TFont& font;
      TBrushStyle brush;
      ~Restore() {
        canvas.Font = font;
        canvas.Brush.SetStyle(brush);
      }
    } restore{canvas, saved, brush};
    canvas.Font = rotated;
    canvas.Brush.SetStyle(bsClear);
    canvas.TextOut(x, y, text);
  });
}

void AddSettings(TGfxBuilder& b) {
  b.WriteOnly("PenColor", [](TCanvas& canvas, const TScriptCall& c) { canvas.Pen.Color = HtmlToColor(c.String(0)); });
  b.WriteOnly("BrushColor",
              [](TCanvas& canvas, const TScriptCall& c) { canvas.Brush.SetColor(HtmlToColor(c.String(0))); });
  b.WriteOnly("FontColor", [](TCanvas& canvas, const TScriptCall& c) { canvas.Font.Color = HtmlToColor(c.String(0)); });
  b.WriteOnly("FontName", [](TCanvas& canvas, const TScriptCall& c) { canvas.Font.Name = c.String(0); });
  b.WriteOnly("FontSize", [](TCanvas& canvas, const TScriptCall& c) { canvas.Font.Size = c.Int(0); });
  b.WriteOnly("FontStyle", [](TCanvas& canvas, const TScriptCall& c) {
    canvas.Font.Style = ApplyFontStyle(canvas.Font.Style, c.String(0));
  });
  b.WriteOnly("PenWidth", [](TCanvas& canvas, const TScriptCall& c) { canvas.Pen.Width = c.Int(0); });
  b.Method("PenSolid", {}, [](TCanvas& canvas, const TScriptCall&) { canvas.Pen.Style = psSolid; });
  b.Method("PenClear", {}, [](TCanvas& canvas, const TScriptCall&) { canvas.Pen.Style = psClear; });
  b.Method("BrushClear", {}, [](TCanvas& canvas, const TScriptCall&) { canvas.Brush.SetStyle(bsClear); });
  b.Method("BrushSolid", {}, [](TCanvas& canvas, const TScriptCall&) { canvas.Brush.SetStyle(bsSolid); });
  b.ReadOnly("Width", [](TKromaF& f) { return Variant(f.Image().Width()); });
  b.ReadOnly("Height", [](TKromaF& f) { return Variant(f.Image().Height()); });
}

// The filter runs on a copy, off the editor's thread, so a long filter can
// be stopped while the window stays usable. The copy replaces the work
// image only when the filter succeeded and the image is still the one it
// started from: a failing filter changes nothing, and an edit the user
// made meanwhile is never overwritten.
void AddEffect(TGfxBuilder& b) {
  TKromaF& f = b.Editor();
  b.Add({.Name = "Effect",
         .Kind = TMemberKind::Method,
         .Params = {"EffectName", "Value"},
         .Required = 1,
         .Call = [&f](const TScriptCall& c) {
           std::string name = c.String(0);
           const Variant* value = c.Has(1) ? &c.Value(1) : nullptr;
           TBitmap before;
           c.Editor.Run([&] { before = f.Image(); });
           TBitmap copy = before;
           RunGfxEffect(copy, name, value, &c.Cancel);
           c.Editor.Run([&] {
             if (!SameImage(f.Image(), before))
               throw Error("the image was changed while the effect ran; the effect was not applied");
             f.Image().Assign(copy);
             f.ImageReplaced();
           });
           return TScriptResult{};
         }});
}

}  // namespace

TScriptObject MakeGfxObject(TKromaF& editor) {
  TGfxBuilder b(editor);
  AddFigures(b);
  AddSettings(b);
  AddText(b);
  AddEffect(b);
  return b.Take();
}

}  // namespace kroma
