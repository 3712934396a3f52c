// Effects: four bands of colour, then the effects one after another.
// A failing effect (twist 0) is caught and leaves the image as it was.
// In a batch run, the first argument names a BMP file to save.
gfx.Clear();
var bands = ["#FF0000", "#00FF00", "#0000FF", "#FFFF00"];
var h = gfx.Height / bands.length;
gfx.PenClear();
for (var i = 0; i < bands.length; i++) {
  gfx.BrushColor = bands[i];
  gfx.Rectangle(0, i * h, gfx.Width + 1, (i + 1) * h + 1);
}
gfx.PenSolid();
gfx.Effect("Twist", 40);
gfx.Effect("fisheye", 0.8);
try {
  gfx.Effect("twist", 0);
} catch (e) {
  print("as expected: " + e.message);
}
print("centre pixel: " + app.pixel(gfx.Width / 2, gfx.Height / 2));

if (app.args.length > 0) {
  app.save(app.args[0]);
  print("saved " + app.args[0]);
}
