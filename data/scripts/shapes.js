// Shapes: a framed sky, a sun, a house and a caption.
// In a batch run, the first argument names a BMP file to save:
//   kroma --batch shapes.js out.bmp
app.newImage(320, 240);

gfx.PenColor = "#000000";
gfx.BrushColor = "#CFE8FF";
gfx.Rectangle(0, 0, gfx.Width, 170);
gfx.BrushColor = "#7CC36A";
gfx.Rectangle(0, 169, gfx.Width, gfx.Height);

gfx.PenColor = "#E08000";
gfx.BrushColor = "#FFD040";
gfx.Ellipse(230, 20, 290, 80);

gfx.PenColor = "#602000";
gfx.BrushColor = "#C04830";
gfx.Polygon([60, 110, 120, 60, 180, 110]);
gfx.BrushColor = "#F0E0C0";
gfx.Rectangle(70, 110, 171, 190);
gfx.BrushColor = "#6080C0";
gfx.RoundRect(85, 125, 115, 150, 8, 8);
gfx.BrushColor = "#804020";
gfx.Rectangle(130, 140, 155, 190);

gfx.PenWidth = 3;
gfx.PenColor = "#FFFFFF";
gfx.PolyLine([10, 40, 40, 30, 70, 40, 100, 30]);
gfx.PenWidth = 1;

gfx.BrushClear();
gfx.FontName = "Arial";
gfx.FontSize = 14;
gfx.FontStyle = "bold";
gfx.FontColor = "#202060";
gfx.Text(190, 200, "Home");

if (app.args.length > 0) {
  app.save(app.args[0]);
  print("saved " + app.args[0]);
}
