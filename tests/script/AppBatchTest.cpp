// app through `kroma --batch`: commands, tools and canvas settings by
// name, mouse gestures, prompt answers and messages, pixels, the range,
// and opening and saving files.
#include <gtest/gtest.h>

#include "KromaRun.h"
#include "core/Bitmap.h"
#include "core/BmpCodec.h"
#include "core/FileIO.h"

namespace kroma::test {
namespace {

TEST(AppBatch, StartStateCommandsAndSettings) {
  ExpectCases("",
              {
                  // The editor starts as the window starts it.
                  {"return [gfx.Width, gfx.Height, app.tool, app.penMode, app.penStyle, app.brushStyle, app.copyMode].join(' ');",
                   "256 256 line pmCopy psSolid bsClear cmSrcCopy"},
                  {"return app.commands().indexOf('goUndoClick') >= 0 && app.commands().indexOf('PenNotXor1Click') >= 0;",
                   "true"},
                  {"try { app.command('Nope1Click'); } catch (e) { return e.message; }", "unknown command: Nope1Click"},
                  {"app.command('PenNotXor1Click'); return app.penMode;", "pmNotXor"},
                  {"app.penMode = 'pmXor'; app.penStyle = 'psDot'; app.brushStyle = 'bsCross'; app.copyMode = 'cmSrcInvert'; "
                   "return [app.penMode, app.penStyle, app.brushStyle, app.copyMode].join(' ');",
                   "pmXor psDot bsCross cmSrcInvert"},
                  {"app.penMode = 'pmnotxor'; return 1;", "error: penMode: unknown pen mode \"pmnotxor\""},
                  {"app.copyMode = 'cmNope'; return 1;", "error: copyMode: unknown copy mode"},
                  {"app.tool = 'rectangle'; var a = app.tool; app.tool = ''; return a + '|' + app.tool + '|';", "rectangle||"},
                  {"app.tool = 'rectangel'; return 1;", "error: tool: unknown tool key \"rectangel\""},
                  {"return app.Tool;", "error: app has no member \"Tool\""},
                  {"app.args = ['x']; return 1;", "error: args: can only be read, not assigned"},
              });
}

// The three mouse phases with the line tool: a drag draws, Undo takes it
// back, and moves and releases with Ctrl and Alt held are ignored.
TEST(AppBatch, MouseGestures) {
  ExpectCases("app.penMode = 'pmCopy';",
              {
                  {"app.tool = 'line'; app.press(10, 20); app.move(40, 20); app.release(60, 20); "
                   "return app.pixel(10, 20) + app.pixel(59, 20) + app.pixel(60, 20);",
                   "#000000#000000#FFFFFF"},
                  {"app.command('goUndoClick'); return app.pixel(30, 20);", "#FFFFFF"},
                  {"app.press(10, 30); app.move(40, 30, 'Ctrl+Alt'); app.release(40, 30, 'left', 'ctrl + alt'); "
                   "return app.pixel(20, 30);",
                   "#FFFFFF"},
                  {"app.press(10, 40, 'middle'); app.release(40, 40, 'middle'); return app.pixel(20, 40);", "#000000"},
                  {"app.press(1, 1, 'left', 'ctrl+meta'); return 1;", "error: press: mods: unknown key \"meta\""},
                  {"app.press(1, 1, 'centre'); return 1;", "error: press: button: unknown button \"centre\""},
              });
}

// Queued answers serve the next input boxes; with none left a box gives
// its default. Messages are collected until app.messages() takes them.
TEST(AppBatch, AnswersAndMessages) {
  const char* setup = R"JS(
function thickness(y) {
  gfx.Clear(); gfx.PenColor = '#000000'; gfx.Line(10, y, 60, y);
  var n = 0;
  for (var v = y - 20; v < y + 20; v++) if (app.pixel(30, v) === '#000000') n++;
  return n;
}
)JS";
  ExpectCases(setup, {
                         {"app.answer('5', '3'); app.command('OtherSize1Click'); var a = thickness(50); "
                          "app.command('OtherSize1Click'); return a + ' ' + thickness(50);",
                          "5 3"},
                         {"app.command('OtherSize1Click'); return thickness(50);", "1"},
                         {"app.messages(); app.command('About1Click'); var m = app.messages(); "
                          "return m.length + ' ' + m[0].split('\\n')[0] + ' ' + app.messages().length;",
                          "1 Kroma 25 0"},
                         {"app.answer(); return 1;", "error: answer: takes at least 1 argument"},
                     });
}

TEST(AppBatch, PixelsAndRange) {
  ExpectCases("app.newImage(30, 20);",
              {
                  {"return '[' + app.pixel(-1, 0) + '][' + app.pixel(30, 0) + '][' + app.pixel(0, 20) + ']';", "[][][]"},
                  {"gfx.PenColor = '#0A0B0C'; gfx.Line(29, 19, 30, 19); return app.pixel(29, 19);", "#0A0B0C"},
                  {"return app.range.join(',');", "0,0,0,0"},
                  // The undo slots took the new size: stepping back keeps it.
                  {"app.command('goUndoClick'); return gfx.Width + ' x ' + gfx.Height + ' ' + app.pixel(29, 19);",
                   "30 x 20 #FFFFFF"},
                  {"app.range = [1, 2, 30, 4]; return app.range.join(',');", "1,2,30,4"},
                  {"app.range = [1, 2, 3]; return 1;", "error: range: the range is an array of four numbers"},
                  {"app.range = [1, 2, 3, 'x']; return 1;", "error: range: range item 3:"},
              });
}

// Saving writes a BMP the program reads back; open and save failures are
// script errors with the program's message, and a failed open keeps the image.
TEST(AppBatch, OpenAndSave) {
  TScratch scratch;
  scratch.Write("broken.bmp", "BM not really");
  TKromaResult r = scratch.Batch(R"JS(
app.newImage(40, 30);
gfx.PenColor = '#FF0000'; gfx.Line(0, 5, 40, 5);
app.save('out.bmp');
var errors = [];
for (var name of ['missing.bmp', 'broken.bmp', 'picture.xyz']) {
  try { app.open(name); } catch (e) { errors.push(e.message); }
}
try { app.save('out.xyz'); } catch (e) { errors.push(e.message); }
try { app.save('no/such/folder/out.bmp'); } catch (e) { errors.push('save: ' + (e.message.length > 0)); }
print(errors.length, gfx.Width, gfx.Height, app.pixel(3, 5));
for (var m of errors) print(m);
)JS");
  ASSERT_EQ(r.Exit, 0) << r.Err;
  std::vector<std::string> lines = r.OutLines();
  ASSERT_EQ(lines.size(), 6u) << r.Out;
  EXPECT_EQ(lines[0], "5 40 30 #FF0000");
  EXPECT_NE(lines[1].find("open: "), std::string::npos) << lines[1];
  EXPECT_NE(lines[1].find("missing.bmp"), std::string::npos) << lines[1];
  EXPECT_NE(lines[2].find("open: "), std::string::npos) << lines[2];
  EXPECT_NE(lines[3].find("open: Cannot open \"picture.xyz\""), std::string::npos) << lines[3];
  EXPECT_NE(lines[4].find("save: Cannot save \"out.xyz\""), std::string::npos) << lines[4];
  EXPECT_EQ(lines[5], "save: true");

  TBitmap saved;
  LoadBmpFile(scratch.File("out.bmp"), saved);
  ASSERT_EQ(saved.Width(), 40);
  ASSERT_EQ(saved.Height(), 30);
  EXPECT_EQ(saved.GetPixel(20, 5), clRed);
  EXPECT_EQ(saved.GetPixel(20, 6), clWhite);
}

}  // namespace
}  // namespace kroma::test
