// gfx through `kroma --batch`: colour text, argument conversion, the font
// style words, effects, point arrays, the rotated ellipse and the image
// size, each as a table run in one batch.
#include <gtest/gtest.h>

#include "KromaRun.h"
#include "core/Bitmap.h"
#include "core/BmpCodec.h"

namespace kroma::test {
namespace {

// The pen colour a string sets, read back from a drawn pixel. The pen is
// set to another colour first, so black shows the rule, not a default.
TEST(GfxBatch, HtmlToColor) {
  auto pen = [](const std::string& value) {
    return "gfx.PenColor = '#123456'; gfx.PenColor = " + value + "; gfx.Line(0, 0, 1, 0); return app.pixel(0, 0);";
  };
  ExpectCases("", {
                      {pen("'#00FF00'"), "#00FF00"},
                      {pen("'#00ff00'"), "#00FF00"},
                      {pen("'#a1B2c3'"), "#A1B2C3"},
                      {pen("'#FF8000'"), "#FF8000"},  // red first
                      {pen("'00FF00'"), "#000000"},   // no hash sign
                      {pen("'#0F0'"), "#000000"},     // too short
                      {pen("'#00FF000'"), "#000000"}, // too long
                      {pen("'#00FG00'"), "#000000"},  // not hexadecimal
                      {pen("'#-1FF00'"), "#000000"},
                      {pen("''"), "#000000"},
                      {pen("1234567"), "#000000"},  // a number is text of seven digits, no hash
                  });
}

// Reals round ties to even, number text is read, true is -1, and the rest
// is a script error that names the operation and the parameter.
TEST(GfxBatch, ArgumentConversion) {
  auto width = [](const std::string& value) { return "app.newImage(" + value + ", 5); return gfx.Width;"; };
  ExpectCases("", {
                      {width("7"), "7"},
                      {width("2.5"), "2"},
                      {width("3.5"), "4"},
                      {width("4.4999"), "4"},
                      {width("'12'"), "12"},
                      {width("' 9 '"), "9"},
                      {width("'2.5'"), "2"},
                      {width("'1e1'"), "10"},
                      {width("true"), "error: newImage: An image needs a width and a height of at least 1 pixel, not -1 x 5"},
                      {width("'abc'"), "error: newImage: width: Could not convert the text 'abc' to an integer"},
                      {width("'0x10'"), "error: width: Could not convert"},
                      {width("NaN"), "error: newImage: width:"},
                      {width("Infinity"), "error: newImage: width:"},
                      {width("4294967296"), "error: newImage: width:"},
                      {width("null"), "error: newImage: width: null is not a number"},
                      {width("[5]"), "error: width: an array is not a single value"},
                      {"app.newImage(5); return 1;", "error: newImage: takes 2 arguments (width, height), not 1"},
                      {"gfx.Line(1, 2, 3, 4, 5); return 1;", "error: Line: takes 4 arguments"},
                      {"gfx.EllipseRotate(1, 2, 3, 4, NaN, false); return 1;",
                       "error: EllipseRotate: angle: the number NAN is not finite"},
                      {"gfx.EllipseRotate(1e300, 2, 3, 4, 0, false); return 1;", "error: EllipseRotate:"},
                      {"gfx.TextRotate(1, 1, 'x', 1e300); return 1;", "error: TextRotate:"},
                  });
}

// Member names ignore case; the property kinds hold: write-only colours,
// read-only sizes, and a name that is not there is an error.
TEST(GfxBatch, MemberNamesAndKinds) {
  ExpectCases("app.newImage(40, 30);",
              {
                  {"return gfx.width + ' ' + gfx.HEIGHT + ' ' + gfx.Width;", "40 30 40"},
                  {"gfx.pencolor = '#0000FF'; gfx.LINE(0, 1, 1, 1); return app.pixel(0, 1);", "#0000FF"},
                  {"return gfx.PenColor;", "error: PenColor: can only be assigned, not read"},
                  {"gfx.Width = 5; return 1;", "error: Width: can only be read, not assigned"},
                  {"gfx.Lien(0, 0, 1, 1); return 1;", "error: gfx has no member \"Lien\""},
                  {"gfx.PenColour = '#FF0000'; return 1;", "error: gfx has no member \"PenColour\""},
                  {"return typeof gfx.Rectangle;", "function"},
              });
}

// "" clears all four styles; otherwise each word (case-sensitive) sets or
// clears its style and strike-out stays.
TEST(GfxBatch, FontStyle) {
  auto style = [](const std::string& value) {
    return "app.fontStyle = ['fsBold', 'fsItalic', 'fsUnderline', 'fsStrikeOut']; gfx.FontStyle = " + value +
           "; return app.fontStyle.join(' ') || 'none';";
  };
  ExpectCases("", {
                      {style("''"), "none"},
                      {style("'italic'"), "fsItalic fsStrikeOut"},
                      {style("'bold underline'"), "fsBold fsUnderline fsStrikeOut"},
                      {style("'underlined, bolder and italics'"), "fsBold fsItalic fsUnderline fsStrikeOut"},
                      {style("'Bold'"), "fsStrikeOut"},
                      {style("'normal'"), "fsStrikeOut"},
                      {"app.fontStyle = []; gfx.FontStyle = 'bold'; return app.fontStyle.join(' ');", "fsBold"},
                  });
}

// A 16 x 16 picture and a short signature of all its pixels, so a case can
// tell whether an effect changed the image. Each case starts from picture().
const char* const kPictureSetup = R"JS(
function picture() {
  app.newImage(16, 16);
  gfx.PenClear();
  gfx.BrushColor = '#204080'; gfx.Rectangle(0, 0, 8, 17);
  gfx.BrushColor = '#F0C010'; gfx.Rectangle(8, 0, 17, 9);
  gfx.PenSolid();
  gfx.PenColor = '#FFFFFF'; gfx.Line(0, 12, 16, 3);
}
function sig() {
  var h = 0;
  for (var y = 0; y < 16; y++) for (var x = 0; x < 16; x++) {
    var p = app.pixel(x, y);
    for (var i = 1; i < 7; i++) h = (h * 31 + p.charCodeAt(i)) % 1000000007;
  }
  return h;
}
picture();
var start = sig();
function same() { return sig() === start ? 'same' : 'changed'; }
)JS";

TEST(GfxBatch, EffectNames) {
  ExpectCases(kPictureSetup,
              {
                  {"picture(); gfx.Effect('nosuch', 3); return same();", "same"},
                  {"picture(); gfx.Effect('INVERT'); return app.pixel(0, 0) + ' ' + same();", "#DFBF7F changed"},
                  {"picture(); gfx.Effect('iNvErT', 'not read'); gfx.Effect('invert'); return same();", "same"},
                  // BLUR with 0 is one pass: the same as blur 0, not blur 1.
                  {"picture(); gfx.Effect('BLUR', 0); var upper = sig(); picture(); gfx.Effect('blur', 0); "
                   "var lower = sig(); picture(); gfx.Effect('blur', 1); "
                   "return (upper === lower) + ' ' + (upper !== start) + ' ' + (sig() !== upper);",
                   "true true true"},
                  {"gfx.Effect('lighter'); return 1;", "error: Effect: the effect \"lighter\" needs a Value"},
                  {"gfx.Effect('darker', 'x'); return 1;", "error: Effect: Could not convert the text 'x'"},
                  {"gfx.Effect('fisheye', Infinity); return 1;", "error: Effect:"},
              });
}

// A failing filter leaves the image as it was, and the script may go on.
TEST(GfxBatch, FailingEffectsChangeNothing) {
  auto failing = [](const std::string& name) {
    return "picture(); try { gfx.Effect('" + name +
           "', 0); } catch (e) { return same() + ': ' + e.message.split(':')[0]; } return 'no error';";
  };
  ExpectCases(kPictureSetup, {
                                 {failing("twist"), "same: Effect"},
                                 {failing("posterize"), "same: Effect"},
                                 {failing("fisheye"), "same: Effect"},
                             });
}

// Odd and empty arrays draw nothing; arrays over the cap and items that are
// no numbers are errors; items are read by length and index.
TEST(GfxBatch, PointArrays) {
  ExpectCases("app.newImage(60, 50); gfx.BrushColor = '#FF0000';",
              {
                  {"gfx.Polygon([0, 0, 50, 0, 25, 40]); return app.pixel(25, 10) + app.pixel(5, 30);", "#FF0000#FFFFFF"},
                  {"app.newImage(60, 50); gfx.PenColor = '#0000FF'; gfx.Polygon([0, 0, 50, 0, 25, 40, 7]); return app.pixel(25, 10) + app.pixel(10, 0);",
                   "#FFFFFF#FFFFFF"},
                  {"app.newImage(60, 50); gfx.PenColor = '#0000FF'; gfx.PolyLine([2, 45, 20, 45, 30]); return app.pixel(10, 45);", "#FFFFFF"},
                  {"app.newImage(60, 50); gfx.PenColor = '#0000FF'; gfx.PolyBezier([0, 48, 10, 48, 20, 48, 30, 48, 40]); return app.pixel(10, 48);",
                   "#FFFFFF"},
                  {"gfx.Polygon([]); gfx.PolyLine([]); return 'nothing';", "nothing"},
                  {"gfx.Polygon([0, 0, 'a', 0, 25, 40]); return 1;", "error: Polygon: points: point array item 2: Could not convert the text 'a'"},
                  {"gfx.Polygon(5); return 1;", "error: Polygon: points: an array of numbers is needed"},
                  {"gfx.Polygon({length: 1000001}); return 1;", "error: Polygon: an array of 1000001 items is longer than the 1000000 allowed"},
                  {"gfx.Polygon({length: -1}); return 1;", "error: Polygon: an array's length must be a whole number"},
                  {"gfx.PenColor = '#0000FF'; gfx.PolyLine({length: 4, 0: 2, 1: 45, 2: 20, 3: 45}); return app.pixel(10, 45);",
                   "#0000FF"},
                  // Not 3n + 1 points: nothing is drawn.
                  {"gfx.PenColor = '#0000FF'; gfx.PolyBezier([0, 48, 10, 48, 20, 48, 30, 48, 40, 48]); return app.pixel(10, 48);",
                   "#FFFFFF"},
                  {"gfx.PenColor = '#0000FF'; gfx.PolyBezier([0, 48, 10, 48, 20, 48, 30, 48]); return app.pixel(10, 48);",
                   "#0000FF"},
              });
}

// The outline of the turned ellipse: 100 x 40 at angle 0, 40 x 100 at pi/2.
TEST(GfxBatch, EllipseRotateBounds) {
  const char* setup = R"JS(
function bounds() {
  var l = 1e9, t = 1e9, r = -1, b = -1;
  for (var y = 30; y < 170; y++) for (var x = 30; x < 170; x++) {
    if (app.pixel(x, y) === '#FFFFFF') continue;
    l = Math.min(l, x); t = Math.min(t, y); r = Math.max(r, x); b = Math.max(b, y);
  }
  return (r - l + 1) + ' x ' + (b - t + 1) + ' at ' + l + ',' + t;
}
)JS";
  ExpectCases(setup, {
                         {"gfx.Clear(); gfx.EllipseRotate(100, 100, 50, 20, 0, false); return bounds();", "101 x 41 at 50,80"},
                         {"gfx.Clear(); gfx.EllipseRotate(100, 100, 50, 20, Math.PI / 2, false); return bounds();",
                          "41 x 101 at 80,50"},
                         {"gfx.Clear(); gfx.BrushColor = '#00FF00'; gfx.EllipseRotate(100, 100, 50, 20, 0, true); "
                          "return app.pixel(100, 100) + ' ' + app.pixel(100, 80);",
                          "#00FF00 #000000"},
                         {"gfx.Clear(); gfx.EllipseRotate(100, 100, 50, 20, 0, false); return app.pixel(100, 100);",
                          "#FFFFFF"},
                     });
}

// Rotated text runs the way its angle says, in tenths of a degree, on a
// transparent background, and leaves the canvas's font and brush as they were.
TEST(GfxBatch, TextRotate) {
  const char* setup = R"JS(
app.newImage(120, 120);
gfx.FontName = 'Arial'; gfx.FontSize = 16; gfx.FontColor = '#000000';
function scan() {
  var l = 1e9, t = 1e9, r = -1, b = -1, yellow = 0, h = 0;
  for (var y = 0; y < 120; y++) for (var x = 0; x < 120; x++) {
    var p = app.pixel(x, y);
    if (p === '#FFFF00') yellow++;
    if (p === '#FFFFFF') continue;
    l = Math.min(l, x); t = Math.min(t, y); r = Math.max(r, x); b = Math.max(b, y);
    h = (h * 31 + x * 977 + y) % 1000000007;
  }
  return {w: r - l + 1, h: b - t + 1, yellow: yellow, sig: h};
}
function rotated(text, angle) { gfx.Clear(); gfx.TextRotate(50, 110, text, angle); return scan(); }
)JS";
  ExpectCases(setup, {
                         {"var s = rotated('Upward', 90); return s.h > 2 * s.w;", "true"},
                         {"var s = rotated('Across', 0); return s.w > 2 * s.h;", "true"},
                         {"return (rotated('Slant', 45.04).sig === rotated('Slant', 45).sig) + ' ' + "
                          "(rotated('Slant', 46).sig !== rotated('Slant', 45).sig);",
                          "true true"},
                         {"gfx.Clear(); gfx.BrushColor = '#FFFF00'; gfx.FontStyle = 'bold'; gfx.TextRotate(5, 60, 'Clear', 30); "
                          "var s = scan(); gfx.Text(5, 5, 'Solid'); "
                          "return s.yellow + ' ' + (scan().yellow > 0) + ' ' + app.brushStyle + ' ' + app.fontStyle.join(' ');",
                          "0 true bsSolid fsBold"},
                     });
}

// Clear paints white even after BrushClear, and leaves the brush solid white.
TEST(GfxBatch, ClearAfterBrushClear) {
  ExpectCases("app.newImage(20, 20);",
              {
                  {"gfx.BrushColor = '#FF0000'; gfx.Rectangle(0, 0, 20, 20); gfx.BrushClear(); gfx.Clear(); "
                   "return app.pixel(10, 10) + ' ' + app.brushStyle;",
                   "#FFFFFF bsSolid"},
              });
}

// Width and Height follow the image through a new image and an open.
TEST(GfxBatch, SizeFollowsNewAndOpen) {
  TScratch scratch;
  SaveBmpFile(scratch.File("small.bmp"), TBitmap(17, 9));
  TKromaResult r = scratch.Batch(
      "print(gfx.Width, gfx.Height);\n"
      "app.newImage(300, 200); print(gfx.Width, gfx.Height);\n"
      "app.open('small.bmp'); print(gfx.Width, gfx.Height, app.range.join(','));\n");
  ASSERT_EQ(r.Exit, 0) << r.Err;
  EXPECT_EQ(r.OutLines(), (std::vector<std::string>{"256 256", "300 200", "17 9 0,0,17,9"}));
}

}  // namespace
}  // namespace kroma::test
