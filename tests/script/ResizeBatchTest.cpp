// New images, resizes and the clipboard through `kroma --batch`: the
// commands by app.command with their boxes answered by app.answer, the
// filtered resampler by app.resample, the drag by app.scrollBox.
#include <gtest/gtest.h>

#include "KromaRun.h"

namespace kroma::test {
namespace {

const char* kSetup = R"JS(
function fresh(w, h) {
  app.newImage(w, h);
  gfx.PenColor = '#FF0000'; gfx.Line(0, 0, 1, 0);
  app.messages();
}
function size() { return gfx.Width + 'x' + gfx.Height; }
)JS";

TEST(ResizeBatch, CommandsWithTheirBoxes) {
  ExpectCases(kSetup,
              {
                  {"fresh(40, 30); app.answer('abc', '25'); app.command('New1Click'); "
                   "return size() + ' ' + app.pixel(0, 0);",
                   "25x100 #FFFFFF"},
                  // No answers: the boxes are cancelled and the image stays.
                  {"fresh(40, 30); app.command('New1Click'); return size() + ' ' + app.pixel(0, 0);",
                   "40x30 #FF0000"},
                  {"fresh(40, 30); app.answer('0', '5'); app.command('New1Click');", "error: at least 1 pixel"},
                  {"fresh(200, 100); app.answer('50', '300'); app.command('Canvas1Click'); "
                   "return size() + ' ' + app.pixel(0, 0) + app.pixel(250, 10) + ' ' + app.range;",
                   "300x50 #FF0000#FFFFFF 0,0,300,50"},
                  {"fresh(100, 50); app.command('Smart32x321Click'); return size();", "32x32"},
                  {"fresh(200, 100); app.answer('50'); app.command('Height1Click'); return size();", "100x50"},
                  {"fresh(200, 100); app.answer('40'); app.command('Width1Click'); return size();", "40x20"},
                  {"fresh(20, 10); app.answer('8'); app.command('Square4Click'); return size();", "8x8"},
                  {"fresh(200, 100); app.answer('30', '60'); app.command('Stretch1Click'); return size();", "60x30"},
                  {"fresh(20, 10); app.command('ResizeDefault1Click'); return size();", "256x256"},
                  {"fresh(20, 10); app.command('Stretch2Click'); return size();", "256x256"},
                  {"fresh(20, 10); app.command('ClearDefault1Click'); return size() + ' ' + app.pixel(0, 0);",
                   "256x256 #FF0000"},
                  {"fresh(20, 10); app.command('NewBanner1Click'); return size() + ' ' + app.range;",
                   "468x60 0,0,468,60"},
                  {"fresh(20, 10); app.command('ToolButton12Click'); return app.pixel(0, 0) + ' ' + app.brushStyle;",
                   "#FFFFFF bsClear"},
                  {"fresh(256, 256); app.command('SizeSpinUpClick'); app.command('SizeSpinUpClick'); return size();",
                   "400x400"},
                  {"fresh(20, 10); app.command('SizeSpinDownClick'); return size();", "14x7"},
              });
}

TEST(ResizeBatch, ClipboardResampleAndDrag) {
  ExpectCases(kSetup,
              {
                  {"fresh(7, 5); app.command('CopytoClipboard1Click'); fresh(40, 30); "
                   "app.command('PastefromClipboard1Click'); return size() + ' ' + app.pixel(0, 0);",
                   "7x5 #FF0000"},
                  {"fresh(7, 5); app.command('CopytoClipboard1Click'); fresh(40, 30); "
                   "app.command('PasteStretchfromClipboard1Click'); return size() + ' ' + app.pixel(5, 5);",
                   "40x30 #FF0000"},
                  {"fresh(40, 30); app.resample(80, 60); return size() + ' ' + app.pixel(79, 59) + ' ' + app.range;",
                   "80x60 #FFFFFF 0,0,80,60"},
                  {"fresh(40, 30); app.resample(10, 5, 'Lanczos3'); return size();", "10x5"},
                  {"fresh(40, 30); app.resample(10, 5, 'Sharp');", "error: unknown filter \"Sharp\""},
                  {"fresh(40, 30); app.resample(0, 5);", "error: at least 1 pixel"},
                  {"fresh(200, 100); app.scrollBox('down', 0, 0, 'shift'); app.scrollBox('move', 53, 900, 'shift'); "
                   "app.scrollBox('up'); app.scrollBox('move', 300, 300, 'ctrl'); return size();",
                   "50x25"},
                  {"app.scrollBox('sideways');", "error: unknown phase"},
              });
}

}  // namespace
}  // namespace kroma::test
