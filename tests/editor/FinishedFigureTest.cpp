// Every rubber-banded tool, finished with the user's pen mode pmCopy and
// with pmNotXor, leaves exactly the figure drawn directly: no trace of its
// rubber bands. The image has a coloured background, so a band that is not
// drawn away, or is drawn away once too often, shows.
#include <array>
#include <functional>
#include <numbers>

#include "EditorFixture.h"
#include "core/Canvas.h"
#include "editor/Commands.h"
#include "editor/ShapeHelpers.h"

namespace kroma::test {
namespace {

// Public, so the table's gestures can drive it.
class FinishedFigureTest : public EditorTest {
 public:
  using EditorTest::F;
  using EditorTest::Move;
  using EditorTest::Press;
  using EditorTest::Release;

  // Stripes of colour, red pen, yellow brush, the pen mode under test.
  void Prepare(TPenMode mode) {
    Restart();
    for (int y = 0; y < 256; ++y)
      for (int x = 0; x < 256; ++x) Image().SetPixel(x, y, RGB(x, 255 - y, (x / 8 + y / 8) % 2 ? 200 : 60));
    TCanvas& canvas = F().Canvas();
    canvas.Pen.Color = clRed;
    canvas.Brush.SetColor(clYellow);
    F().SetPenMode(mode);
  }
  TCanvas& Canvas() { return F().Canvas(); }

  // A press, moves that wander over the figure's area, the release.
  void Drag(TPoint from, TPoint to) {
    Press(from.x, from.y);
    Move((from.x + to.x) / 2, to.y);
    Move(to.x + 13, (from.y + to.y) / 2);
    Move(from.x + 3, from.y + 4);
    Move(to.x, to.y);
    Release(to.x, to.y);
  }
  void Click(TPoint p) {
    Press(p.x, p.y);
    Release(p.x, p.y);
  }
  // The same tool with no moves: no band is ever drawn.
  void PressRelease(TPoint from, TPoint to) {
    Press(from.x, from.y);
    Release(to.x, to.y);
  }
  bool NotXor() { return Canvas().Pen.Mode == pmNotXor; }
};

constexpr TPoint A{40, 50}, B{170, 140};

struct Case {
  const char* command;
  std::function<void(FinishedFigureTest&)> gesture;
  // Draws the finished figure on the prepared image without any band.
  std::function<void(FinishedFigureTest&)> reference;
};

void Line(TCanvas& c, TPoint a, TPoint b) {
  c.MoveTo(a.x, a.y);
  c.LineTo(b.x, b.y);
}

const Case kCases[] = {
    {"Line1Click", [](auto& t) { t.Drag(A, B); }, [](auto& t) { Line(t.Canvas(), A, B); }},
    {"Rectangle1Click", [](auto& t) { t.Drag(A, B); }, [](auto& t) { t.Canvas().Rectangle(A.x, A.y, B.x, B.y); }},
    {"RoundRect1Click", [](auto& t) { t.Drag(A, B); },
     [](auto& t) { t.Canvas().RoundRect(A.x, A.y, B.x, B.y, 10, 10); }},
    {"Ellipse1Click", [](auto& t) { t.Drag(A, B); }, [](auto& t) { t.Canvas().Ellipse(A.x, A.y, B.x, B.y); }},
    // The maze's rectangle is its band; its lines come from the release.
    {"Maze1Click", [](auto& t) { t.Drag(A, B); },
     [](auto& t) {
       if (t.NotXor()) t.Canvas().Rectangle(A.x, A.y, B.x, B.y);
       t.PressRelease(A, B);
     }},
    // These draw their band away before the figure.
    {"Star1Click", [](auto& t) { t.Drag(A, B); }, [](auto& t) { t.PressRelease(A, B); }},
    // Three right turns of 36 steps, 10 degrees and a factor of 0.99 each,
    // in hundredths of a pixel, from the release point.
    {"Spiral1Click", [](auto& t) { t.Drag(A, B); },
     [](auto& t) {
       TCanvas& c = t.Canvas();
       c.MoveTo(B.x, B.y);
       const TPoint centre{A.x * 100, A.y * 100};
       TPoint p{B.x * 100, B.y * 100};
       for (int i = 0; i < 3 * 36; ++i) {
         p = reducevector(centre, rotate(centre, p, std::numbers::pi / 18), 0.99);
         c.LineTo(p.x / 100, p.y / 100);
       }
     }},
    {"SpiroGraph1Click",
     [](auto& t) {
       t.Drag({168, 128}, {198, 140});
     },
     [](auto& t) {
       t.PressRelease({168, 128}, {198, 140});
     }},
    {"Bar1Click", [](auto& t) { t.Drag(A, B); },
     [](auto& t) {
       t.Canvas().FillRect({0, A.y, 256, B.y});
     }},
    {"Border1Click",
     [](auto& t) {
       t.Drag({40, 50}, {70, 65});
     },
     [](auto& t) {
       TCanvas& c = t.Canvas();
       c.FillRect({0, 0, 256, 15});
       c.FillRect({0, 241, 256, 256});
       c.FillRect({0, 0, 30, 256});
       c.FillRect({226, 0, 256, 256});
     }},
    {"Bezier1Click",
     [](auto& t) {
       t.Drag(A, B);
       t.Drag({60, 200}, {30, 220});
       t.Drag({200, 30}, {220, 20});
     },
     [](auto& t) {
       const std::array<TPoint, 4> points{A, TPoint{30, 220}, TPoint{220, 20}, B};
       t.Canvas().PolyBezier(points);
     }},
    {"Arc1Click",
     [](auto& t) {
       t.Drag(A, B);
       t.Click({200, 60});
       t.Click({20, 160});
     },
     [](auto& t) { t.Canvas().Arc(A.x, A.y, B.x, B.y, 200, 60, 20, 160); }},
    {"Chord1Click",
     [](auto& t) {
       t.Drag(A, B);
       t.Click({200, 60});
       t.Click({20, 160});
     },
     [](auto& t) { t.Canvas().Chord(A.x, A.y, B.x, B.y, 200, 60, 20, 160); }},
    {"Pie1Click",
     [](auto& t) {
       t.Drag(A, B);
       t.Click({200, 60});
       t.Click({20, 160});
     },
     [](auto& t) { t.Canvas().Pie(A.x, A.y, B.x, B.y, 200, 60, 20, 160); }},
    {"SkewRectangle1Click",
     [](auto& t) {
       t.Drag({40, 60}, {140, 40});
       t.Drag({140, 40}, {180, 150});
     },
     [](auto& t) {
       TCanvas& c = t.Canvas();
       c.MoveTo(40, 60);
       c.LineTo(140, 40);
       c.LineTo(180, 150);
       c.LineTo(80, 170);
       c.LineTo(40, 60);
     }},
    {"Triangle1Click",
     [](auto& t) {
       t.Drag({40, 60}, {140, 40});
       t.Drag({140, 40}, {180, 150});
     },
     [](auto& t) {
       TCanvas& c = t.Canvas();
       c.MoveTo(40, 60);
       c.LineTo(140, 40);
       c.LineTo(180, 150);
       c.LineTo(40, 60);
     }},
    // Clicked vertices, the pointer wandering off before the right press
    // that closes the figure.
    {"Polygon2Click",
     [](auto& t) {
       t.Click({40, 60});
       t.Move(100, 100, 0);
       t.Move(140, 40, 0);
       t.Click({140, 40});
       t.Move(180, 150, 0);
       t.Click({180, 150});
       t.Move(20, 200, 0);
       t.Press(20, 200, 0, mbRight);
     },
     [](auto& t) {
       const std::array<TPoint, 3> points{TPoint{40, 60}, TPoint{140, 40}, TPoint{180, 150}};
       t.Canvas().Polygon(points);
     }},
};

TEST_F(FinishedFigureTest, NoBandIsLeftInEitherPenMode) {
  for (const Case& c : kCases) {
    for (TPenMode mode : {pmCopy, pmNotXor}) {
      SCOPED_TRACE(::testing::Message() << c.command << ", pen mode " << mode);
      Prepare(mode);
      RunCommand(F(), c.command);
      c.gesture(*this);
      const TBitmap drawn = Image();
      Prepare(mode);
      RunCommand(F(), c.command);
      c.reference(*this);
      EXPECT_TRUE(SamePixels(drawn, Image()));
    }
  }
}

}  // namespace
}  // namespace kroma::test
