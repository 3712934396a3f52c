// The paint effects through `kroma --batch`: the image commands by
// app.command, the effects dialog and its preview by app.window, and a
// seeded generator that makes noise repeat.
#include <gtest/gtest.h>

#include "KromaRun.h"

namespace kroma::test {
namespace {

// A 30 x 20 picture: a red left half and a blue right half, a black dot.
const char* kSetup = R"JS(
function fresh() {
  app.newImage(30, 20);
  gfx.PenClear();
  gfx.BrushColor = '#FF0000'; gfx.Rectangle(0, 0, 16, 21);
  gfx.BrushColor = '#0000FF'; gfx.Rectangle(15, 0, 31, 21);
  gfx.PenSolid();
  gfx.PenColor = '#000000'; gfx.Line(5, 5, 6, 5);
  app.messages();
}
function pixels() {
  var s = '';
  for (var i = 0; i < arguments.length; i += 2) s += app.pixel(arguments[i], arguments[i + 1]);
  return s;
}
)JS";

TEST(EffectsBatch, ImageCommands) {
  ExpectCases(kSetup,
              {
                  {"fresh(); app.command('btnturnClick'); return [gfx.Width, gfx.Height, app.pixel(14, 5)].join(' ');",
                   "20 30 #000000"},
                  {"fresh(); app.command('EffectsLighter1Click'); return pixels(0, 0, 29, 0);", "#FF1414#1414FF"},
                  {"fresh(); app.command('EffectsDarker1Click'); return pixels(0, 0);", "#EB0000"},
                  {"fresh(); app.command('MoreContrast1Click'); return pixels(0, 0);", "#FF0000"},
                  {"fresh(); app.command('GaussianBlur1Click'); return app.pixel(5, 5) != '#000000';", "true"},
                  {"fresh(); app.command('NormalBlur1Click'); return app.pixel(5, 5) != '#000000';", "true"},
                  {"fresh(); app.command('AntiAlias1Click'); return app.pixel(5, 5) != '#000000';", "true"},
                  {"fresh(); app.command('EffectsPanel1Click'); return app.window('TKromaEffectsF').visible();",
                   "true"},
              });
}

// The dialog as a script drives it: pick an entry, move its bar, read the
// preview, save it, and use it on the image.
TEST(EffectsBatch, TheEffectsDialogThroughAppWindow) {
  ExpectCases(kSetup,
              {
                  {"fresh(); var d = app.window('TKromaEffectsF'); "
                   "return [d.get('cxbar'), d.get('cybar'), d.controls().join(',')].join(' ');",
                   "15 10 ETree,EBar,extrabar,cxbar,cybar"},
                  {"fresh(); var d = app.window('TKromaEffectsF'); d.set('ETree', 'Mosaic'); d.set('EBar', 10); "
                   "var p = app.window('TQuickPreviewF'); "
                   "return [d.get('ETree'), d.get('EBar'), p.visible(), p.get('Image1'), p.pixel('Image1', 5, 5), "
                   "app.pixel(5, 5)].join(' ');",
                   "Mosaic 10 true 30 x 20 #FF0000 #000000"},
                  {"fresh(); var d = app.window('TKromaEffectsF'); d.set('ETree', 'Colors/XRed'); "
                   "var p = app.window('TQuickPreviewF'); p.click('btnUse'); "
                   "return [p.visible(), pixels(0, 0, 20, 0)].join(' ');",
                   "false #000000#0000FF"},
                  {"fresh(); var d = app.window('TKromaEffectsF'); d.set('ETree', 'Blur/Split Blur'); "
                   "d.set('EBar', 999); return d.get('EBar');",
                   "30"},
                  {"fresh(); app.window('TKromaEffectsF').set('ETree', 'Twist'); "
                   "app.window('TQuickPreviewF').save('Image1', 'twist.png'); return app.window('TQuickPreviewF').get('Image1');",
                   "30 x 20"},
                  {"var p = app.window('TQuickPreviewF'); p.click('goNext'); return p.get('goNext');",
                   "0"},
                  {"app.window('TNopeF'); return 1;", "error: unknown window \"TNopeF\""},
                  {"app.window('TKromaEffectsF').set('Nope', 1); return 1;",
                   "error: TKromaEffectsF has no control \"Nope\""},
                  {"app.window('TKromaEffectsF').click('EBar'); return 1;", "error: cannot be clicked"},
                  {"app.window('TKromaEffectsF').set('ETree', 'Blur/Nope'); return 1;", "error: has no node"},
                  {"app.window('TQuickPreviewF').mouse('Image1', 'sideways', 1, 1); return 1;",
                   "error: unknown phase \"sideways\""},
              });
}

TEST(EffectsBatch, ASeededRunRepeatsItsNoise) {
  ExpectCases(kSetup,
              {
                  {"function noisy() { fresh(); var d = app.window('TKromaEffectsF'); "
                   "d.set('ETree', 'Noise/Color'); app.seed(42); d.set('EBar', 120); var p = app.window('TQuickPreviewF'); "
                   "var s = ''; for (var x = 0; x < 30; x += 7) s += p.pixel('Image1', x, 3); return s; } "
                   "var a = noisy(); return a == noisy() && a != '#FF0000#FF0000#FF0000#0000FF#0000FF';",
                   "true"},
              });
}

}  // namespace
}  // namespace kroma::test
