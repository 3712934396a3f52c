// The line, curve and area shape tools through `kroma --batch`: tools
// chosen by their commands, gestures with app.press, app.move and
// app.release, results read with app.pixel and app.messages.
#include <gtest/gtest.h>

#include "KromaRun.h"

namespace kroma::test {
namespace {

// Every case starts from a white 256 x 256 image, a black pen in pmCopy,
// a clear brush and one shape per release, and chooses its tool by its
// command (which also ends an open poly gesture).
const char* kSetup = R"JS(
function fresh(command) {
  app.newImage(256, 256);
  app.penMode = 'pmCopy';
  app.brushStyle = 'bsClear';
  gfx.PenColor = '#000000';
  app.answer('1'); app.command('Shapes1Click');
  app.messages();
  if (command) app.command(command);
}
function drag(x0, y0, x1, y1) {
  app.press(x0, y0); app.move((x0 + x1) >> 1, (y0 + y1) >> 1); app.move(x1, y1); app.release(x1, y1);
}
function click(x, y) { app.press(x, y); app.release(x, y); }
function pixels() {
  var s = '';
  for (var i = 0; i < arguments.length; i += 2) s += app.pixel(arguments[i], arguments[i + 1]);
  return s;
}
var K = '#000000', W = '#FFFFFF', Y = '#FFFF00', B = '#0000FF', R = '#FF0000';
)JS";

// Chord, arc and pie: a drag, a click, a click; the fourth press starts
// anew. The radials from the right to the left end of the middle row keep
// the upper half.
TEST(ShapeToolsBatch, ArcFigureStages) {
  const char* body =
      "fresh('%s'); drag(20, 20, 100, 80); var a = app.tool; click(100, 50); var b = app.tool; click(20, 50); "
      "var c = app.tool; app.press(5, 5); app.release(5, 5); "
      "return [a, b, c, app.tool, pixels(60, 20, 60, 79)].join(' ');";
  std::vector<TScriptCase> cases;
  for (std::string key : {"chord", "arc", "pie"}) {
    std::string command = key == "chord" ? "Chord1Click" : key == "arc" ? "Arc1Click" : "Pie1Click";
    char text[512];
    std::snprintf(text, sizeof text, body, command.c_str());
    cases.push_back({text, key + "1 " + key + "2 " + key + "3 " + key + "1 #000000#FFFFFF"});
  }
  ExpectCases(kSetup, cases);
}

TEST(ShapeToolsBatch, LinesAndCurves) {
  ExpectCases(
      kSetup,
      {
          // Line Straight: horizontal at the tie, vertical after 7 down in one move,
          // horizontal again after 12 across.
          {"fresh('LineStraight1Click'); app.press(50, 50); app.move(53, 53); app.move(56, 56); "
           "app.move(58, 63); app.move(70, 64); app.release(70, 64); "
           "return pixels(52, 50, 56, 60, 58, 60, 69, 63);",
           "#000000#000000#FFFFFF#000000"},
          // Polygon: the right press closes it and takes the band to the pointer away.
          {"fresh('Polygon2Click'); click(20, 20); click(120, 20); app.move(70, 90); click(70, 90); "
           "app.move(200, 200); var before = pixels(45, 55, 135, 145); app.press(200, 200, 'right'); "
           "return before + ' ' + pixels(45, 55, 135, 145);",
           "#FFFFFF#000000 #000000#FFFFFF"},
          // Setting app.tool ends an open polygon as choosing a tool does: the
          // band to the pointer goes, and the rectangle tool's moves need a
          // button again.
          {"fresh('Polygon2Click'); click(20, 20); app.move(120, 20); click(120, 20); app.move(200, 200); "
           "var before = pixels(160, 110); app.tool = 'rectangle'; app.move(230, 230); "
           "return before + ' ' + pixels(160, 110, 70, 20) + ' ' + app.tool;",
           "#000000 #FFFFFF#000000 rectangle"},
          // Polyline: no closing side.
          {"fresh('PolyLine1Click'); click(20, 20); click(120, 20); click(70, 90); app.press(0, 0, 'right'); "
           "return pixels(45, 55, 95, 55);",
           "#FFFFFF#000000"},
          // Spirograph: centred on the image, radii 60 and 20 reach from 48 to 208.
          {"fresh('SpiroGraph1Click'); drag(188, 128, 208, 128); "
           "return app.messages().length + pixels(48, 128, 208, 128, 47, 128);",
           "0#000000#000000#FFFFFF"},
          {"fresh('SpiroGraph1Click'); drag(188, 128, 188, 197); return app.messages().join('|') + pixels(188, 160);",
           "sum of radi to large#FFFFFF"},
          {"fresh('SpiroGraph1Click'); drag(132, 128, 132, 148); return app.messages().join('|');",
           "both radi must be >5"},
          {"fresh('SpiroGraph1Click'); app.newImage(300, 302); drag(190, 151, 220, 151); "
           "return app.messages().join('|');",
           "image must be square for spirographs"},
      });
}

TEST(ShapeToolsBatch, AreaShapes) {
  ExpectCases(kSetup,
              {
                  // Two concentric rectangles: the inner one inset by a quarter of the drag.
                  {"fresh('Rectangle1Click'); app.answer('2'); app.command('Shapes1Click'); drag(20, 20, 100, 60); "
                   "return pixels(40, 30, 79, 49, 60, 40);",
                   "#000000#000000#FFFFFF"},
                  // The alternate rule leaves the middle of a five-point star empty, not a hexagon's.
                  {"fresh('Star1Click'); gfx.BrushColor = Y; drag(128, 128, 128, 48); return pixels(128, 128, 128, 48, "
                   "128, 100);",
                   "#FFFFFF#000000#FFFF00"},
                  {"fresh('Star1Click'); app.command('StarPoints6Click'); gfx.BrushColor = Y; drag(128, 128, 128, 48); "
                   "app.command('StarPoints5Click'); return pixels(128, 128);",
                   "#FFFF00"},
                  // Bars: a dotted band while dragging, then a full-width band.
                  {"fresh('Bar1Click'); gfx.BrushColor = B; app.press(40, 30); app.move(100, 60); var on = 0; "
                   "for (var x = 40; x < 100; x++) if (app.pixel(x, 30) === K) on++; app.release(100, 60); "
                   "return (on >= 27 && on <= 33) + ' ' + pixels(0, 30, 255, 59, 0, 60, 0, 29, 40, 30);",
                   "true #0000FF#0000FF#FFFFFF#FFFFFF#0000FF"},
                  // Border: bands as thick as the drag, 20 wide and 10 high.
                  {"fresh('Border1Click'); gfx.BrushColor = B; drag(10, 10, 30, 20); "
                   "return pixels(19, 100, 20, 100, 236, 100, 235, 100, 100, 9, 100, 10, 100, 246, 100, 245);",
                   "#0000FF#FFFFFF#0000FF#FFFFFF#0000FF#FFFFFF#0000FF#FFFFFF"},
              });
}

// A black frame split by a green line: without Alt the fill stops at the
// line, with Alt it runs to the pen colour; a clear brush fills nothing,
// and a release outside the image is no error.
TEST(ShapeToolsBatch, FloodFill) {
  const char* setup = R"JS(
function framed(brush) {
  fresh('Rectangle1Click'); drag(20, 20, 60, 60);
  gfx.PenColor = '#00FF00'; app.command('Line1Click'); drag(21, 40, 59, 40); gfx.PenColor = '#000000';
  app.command('Floodfill1Click');
  if (brush) gfx.BrushColor = R;
}
)JS";
  ExpectCases(std::string(kSetup) + setup,
              {
                  {"framed(true); click(30, 30); return pixels(30, 30, 30, 40, 30, 50, 70, 70);",
                   "#FF0000#00FF00#FFFFFF#FFFFFF"},
                  {"framed(true); app.press(30, 30, 'left', 'alt'); app.release(30, 30, 'left', 'alt'); "
                   "return pixels(30, 30, 30, 40, 30, 50, 70, 70);",
                   "#FF0000#FF0000#FF0000#FFFFFF"},
                  {"framed(false); click(30, 30); return pixels(30, 30);", "#FFFFFF"},
                  {"framed(true); click(-5, 30); click(300, 30); return pixels(30, 30, 0, 30);", "#FFFFFF#FFFFFF"},
              });
}

// Finished in pmNotXor, a rubber-banded figure is its last band: nothing
// of the earlier bands is left.
TEST(ShapeToolsBatch, NotXorLeavesTheLastBand) {
  ExpectCases(kSetup, {
                          {"fresh('Ellipse1Click'); app.penMode = 'pmNotXor'; app.press(20, 20); app.move(200, 200); "
                           "app.move(100, 80); app.release(100, 80); return pixels(60, 20, 60, 79, 60, 50, 110, 199);",
                           "#000000#000000#FFFFFF#FFFFFF"},
                      });
}

}  // namespace
}  // namespace kroma::test
