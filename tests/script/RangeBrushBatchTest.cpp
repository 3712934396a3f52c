// Ranges, the colour brushes and the pick brush through `kroma --batch`:
// ranges set with app.range or dragged with Select Range, commands run
// with app.command, brush strokes made with app.press/move/release.
#include <gtest/gtest.h>

#include "KromaRun.h"

namespace kroma::test {
namespace {

// Every case starts from a white 20 x 10 image with a red brush; `paint`
// fills the image with one colour (pen clear, so the fill reaches every
// pixel).
const char* kSetup = R"JS(
function fresh() {
  app.newImage(20, 10);
  app.penMode = 'pmCopy';
  gfx.BrushColor = '#FF0000';
  app.messages();
}
function paint(colour) {
  gfx.PenClear(); gfx.BrushColor = colour; gfx.Rectangle(0, 0, 21, 11); gfx.PenSolid();
}
function stroke(x, y) { app.press(x, y); app.move(x, y); app.release(x, y); }
function pixels() {
  var s = '';
  for (var i = 0; i < arguments.length; i += 2) s += app.pixel(arguments[i], arguments[i + 1]);
  return s;
}
var W = '#FFFFFF', R = '#FF0000', K = '#000000';
)JS";

// Erase fills the range with the brush colour; right and bottom edges are
// outside the range, and a range given corner-swapped covers the same
// pixels.
TEST(RangeBrushBatch, RangeCommandsOnNormalReversedEmptyAndOnePixelRanges) {
  const std::string inside = "pixels(2, 2, 5, 4, 6, 4, 5, 5, 1, 2)";
  ExpectCases(kSetup,
              {
                  {"fresh(); app.range = [2, 2, 6, 5]; app.command('Erase1Click'); return " + inside + ";",
                   "#FF0000#FF0000#FFFFFF#FFFFFF#FFFFFF"},
                  {"fresh(); app.range = [6, 5, 2, 2]; app.command('Erase1Click'); return " + inside + ";",
                   "#FF0000#FF0000#FFFFFF#FFFFFF#FFFFFF"},
                  {"fresh(); app.range = [3, 3, 3, 8]; app.command('Erase1Click'); return 1;", "error: No selection"},
                  {"fresh(); app.range = [3, 3, 3, 8]; try { app.command('Invert2Click'); } catch (e) {} "
                   "return pixels(3, 3, 3, 7);",
                   "#FFFFFF#FFFFFF"},
                  {"fresh(); app.range = [4, 4, 5, 5]; app.command('Invert2Click'); return pixels(4, 4, 5, 4, 4, 5);",
                   "#000000#FFFFFF#FFFFFF"},
                  // A range reaching outside the image is clipped to it.
                  {"fresh(); app.range = [15, 8, 40, 30]; app.command('Erase1Click'); return pixels(19, 9, 14, 9);",
                   "#FF0000#FFFFFF"},
                  {"fresh(); app.command('SelectAll2Click'); return app.range.join(',');", "0,0,20,10"},
                  // A range of one colour has nothing to float tightly.
                  {"fresh(); app.range = [0, 0, 10, 10]; app.command('FloatTight1Click'); return 1;",
                   "error: The range is all one colour"},
              });
}

// Select Range, dragged up and to the left, leaves a normalised range and
// no tool.
TEST(RangeBrushBatch, SelectRangeDraggedUpAndLeft) {
  ExpectCases(kSetup, {
                          {"fresh(); app.command('ToolButton2Click'); app.press(12, 8); app.move(7, 5); "
                           "app.move(3, 2); app.release(3, 2); app.command('Erase1Click'); "
                           "return '[' + app.tool + '] ' + pixels(3, 2, 11, 7, 12, 8, 2, 2);",
                           "[] #FF0000#FF0000#FFFFFF#FFFFFF"},
                      });
}

// One step of each brush family at (10, 5) with pen width 1 (a circle of
// radius 5): pixels inside change exactly, pixels far away keep their colour.
TEST(RangeBrushBatch, BrushFamiliesChangeThePixelsUnderTheBrush) {
  ExpectCases(kSetup,
              {
                  {"fresh(); paint('#C86432'); app.command('Blue1Click'); stroke(10, 5); return pixels(10, 5, 0, 0);",
                   "#000032#C86432"},
                  {"fresh(); paint('#C86432'); app.command('NotRed1Click'); stroke(10, 5); return pixels(10, 5, 0, 0);",
                   "#006432#C86432"},
                  {"fresh(); paint('#C86432'); app.command('Darker1Click'); stroke(10, 5); return pixels(10, 5, 0, 0);",
                   "#B65B2D#C86432"},
                  {"fresh(); paint('#C86432'); app.command('Gray1Click'); stroke(10, 5); return pixels(10, 5, 19, 9);",
                   "#757575#C86432"},
                  {"fresh(); paint('#C86432'); app.command('Mix1Click'); stroke(10, 5); return pixels(10, 5, 19, 0);",
                   "#32C864#C86432"},
              });
}

// The pick brush takes the colour under the pointer as the brush colour
// and ends the tool; Erase then paints with it.
TEST(RangeBrushBatch, PickBrushTakesTheColourAndEnds) {
  ExpectCases(kSetup, {
                          {"fresh(); gfx.PenColor = '#12AB34'; gfx.Line(0, 3, 20, 3); "
                           "app.command('ToolButton5Click'); var before = app.tool; "
                           "app.press(7, 3); app.release(7, 3); "
                           "app.range = [0, 8, 2, 10]; app.command('Erase1Click'); "
                           "return before + ' [' + app.tool + '] ' + app.pixel(1, 9);",
                           "paintpick [] #12AB34"},
                          // Off the image: nothing picked, the tool stays.
                          {"fresh(); gfx.BrushColor = '#0000FF'; app.command('ToolButton5Click'); "
                           "app.press(-3, 3); app.release(-3, 3); app.press(3, 40); app.release(3, 40); "
                           "app.range = [0, 8, 2, 10]; app.command('Erase1Click'); "
                           "return app.tool + ' ' + app.pixel(1, 9);",
                           "paintpick #0000FF"},
                      });
}

}  // namespace
}  // namespace kroma::test
