// Rosette: twelve turned ellipses about the centre, then a soft blur.
// In a batch run, the first argument names a BMP file to save.
gfx.Clear();
var cx = gfx.Width / 2, cy = gfx.Height / 2;
var colours = ["#E04040", "#E0A040", "#40A040", "#4060E0"];
for (var i = 0; i < 12; i++) {
  gfx.PenColor = colours[i % colours.length];
  gfx.EllipseRotate(cx, cy, cx - 10, cy / 5, i * Math.PI / 12, false);
}
gfx.Effect("blur", 0);
print("rosette of 12 ellipses on " + gfx.Width + " x " + gfx.Height);

if (app.args.length > 0) {
  app.save(app.args[0]);
  print("saved " + app.args[0]);
}
