#!/usr/bin/env python3
"""Kroma as a user runs it, against libvips and ImageMagick.

Each row runs one job as a whole process with every tool in turn (A B C,
B C A, ...), after one warm-up run each, and prints the median wall time
and the median peak memory (the maximum resident set size that
/usr/bin/time -v reports), with Kroma's ratios to each tool. Kroma runs
`kroma --batch` scripts; the other tools their own command lines. The
picture is the deterministic photo-like 4000 x 3000 image of
compare_effects.py; its JPEG and PNG files are written once by ImageMagick
(JPEG quality 90), its .v file by libvips.

Rows:
- JPEG -> invert -> JPEG, and PNG -> invert -> PNG (JPEG quality 25 for
  every tool: Kroma saves JPEG files at quality 25);
- JPEG -> PNG and BMP -> PNG, with the file sizes;
- invert and one blur pass on each tool's own uncompressed format: BMP for
  Kroma and ImageMagick, .v for libvips (Kroma's blur pass is its 5 x 5
  ring; vips gaussblur 2 and ImageMagick -blur 0x2 are the nearest);
- on the same formats, three effects of the effects dialog run as a user
  would (pick the entry, move its bar, Use): a 30-degree rotation (vips
  rotate, ImageMagick -rotate, which also grow the canvas), the twist
  (ImageMagick -swirl; vips has no such operation) and a mosaic of 15-pixel
  blocks (vips subsample then zoom, ImageMagick -sample down and up);
- Kroma alone: ten presses of a small darker brush on the photo and ten
  undos, against the same script without them (the memory they add, and
  whether the undos bring back the opened image exactly);
- Kroma alone: start to visible window on a virtual display (xdotool asked
  until it finds the window mapped, a few milliseconds a look).

The targets of the work that made these figures are printed under the
table. The tools are installed with apt-get when missing (they are not
part of the project's set-up). Python standard library only.
"""
import argparse
import filecmp
import os
import re
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from compare_effects import HEIGHT, ROOT, WIDTH, install_missing, make_photo, tool  # noqa: E402

PIXEL_MIB = WIDTH * HEIGHT * 3 / 2**20

SCRIPTS = {
    "invert.js": 'app.open(app.args[0]);\ngfx.Effect("invert", 0);\napp.save(app.args[1]);\n',
    "blur.js": 'app.open(app.args[0]);\ngfx.Effect("blur", 0);\napp.save(app.args[1]);\n',
    "convert.js": "app.open(app.args[0]);\napp.save(app.args[1]);\n",
    # The effects dialog's entry, its bar, and Use, as a user would.
    "dialog.js": """app.open(app.args[0]);
var d = app.window("TKromaEffectsF");
d.set("ETree", app.args[2]);
d.set("EBar", Number(app.args[3]));
app.window("TQuickPreviewF").click("btnUse");
app.save(app.args[1]);
""",
    "twist.js": 'app.open(app.args[0]);\ngfx.Effect("twist", 300);\napp.save(app.args[1]);\n',
    # Ten short strokes of the darker brush, then ten undos; the image is
    # saved before the first press and after the last undo.
    "brush.js": """app.open(app.args[0]);
app.save(app.args[1]);
var presses = app.args[3] === "presses";
if (presses) {
  app.tool = "darkerbrush";
  gfx.PenWidth = 10;
  for (var i = 0; i < 10; ++i) {
    var x = 200 + 350 * i, y = 300 + 230 * i;
    app.press(x, y);
    app.move(x + 20, y + 8);
    app.move(x + 40, y);
    app.release(x + 40, y);
  }
  for (var k = 0; k < 10; ++k) app.command("goUndoClick");
}
app.save(app.args[2]);
""",
}


def ensure_tools():
    install_missing(("imagemagick", "libvips-tools", "time", "xvfb", "xdotool"))


def ensure_kroma(build_dir):
    exe = os.path.join(build_dir, "kroma")
    subprocess.run(["cmake", "-S", ROOT, "-B", build_dir, "-G", "Ninja", "-DCMAKE_BUILD_TYPE=Release"], check=True,
                   stdout=subprocess.DEVNULL)
    subprocess.run(["cmake", "--build", build_dir, "-j2", "--target", "kroma"], check=True, stdout=subprocess.DEVNULL)
    return exe


def run_once(argv):
    """(wall seconds, peak MiB) of one run."""
    start = time.perf_counter()
    done = subprocess.run(["/usr/bin/time", "-v"] + argv, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE,
                          text=True)
    wall = time.perf_counter() - start
    if done.returncode != 0:
        raise RuntimeError("%s failed: %s" % (" ".join(argv), done.stderr.strip()[-400:]))
    peak = re.search(r"Maximum resident set size \(kbytes\): (\d+)", done.stderr)
    return wall, int(peak.group(1)) / 1024.0


def measure(commands, runs):
    """{tool: (median wall, median peak)} over turns of every tool."""
    commands = {t: argv for t, argv in commands.items() if argv}
    for argv in commands.values():
        run_once(argv)  # warm-up, and a check that it works
    samples = {t: [] for t in commands}
    names = list(commands)
    for r in range(runs):
        for t in names[r % len(names):] + names[:r % len(names)]:
            samples[t].append(run_once(commands[t]))
    return {t: (statistics.median(w for w, _ in s), statistics.median(m for _, m in s)) for t, s in samples.items()}


def rows_of(kroma, convert, vips, work):
    f = lambda name: os.path.join(work, name)
    js = lambda name, *args: [kroma, "--batch", f(name)] + list(args)
    return [
        ("JPEG -> invert -> JPEG",
         {"kroma": js("invert.js", f("photo.jpg"), f("k.jpg")),
          "vips": [vips, "invert", f("photo.jpg"), f("v.jpg") + "[Q=25]"],
          "magick": [convert, f("photo.jpg"), "-negate", "-quality", "25", f("m.jpg")]}, None),
        ("PNG -> invert -> PNG",
         {"kroma": js("invert.js", f("photo.png"), f("k.png")),
          "vips": [vips, "invert", f("photo.png"), f("v.png")],
          "magick": [convert, f("photo.png"), "-negate", f("m.png")]}, ("k.png", "v.png", "m.png")),
        ("JPEG -> PNG",
         {"kroma": js("convert.js", f("photo.jpg"), f("kj.png")),
          "vips": [vips, "copy", f("photo.jpg"), f("vj.png")],
          "magick": [convert, f("photo.jpg"), f("mj.png")]}, ("kj.png", "vj.png", "mj.png")),
        ("BMP -> PNG",
         {"kroma": js("convert.js", f("photo.bmp"), f("kb.png")),
          "vips": [vips, "copy", f("photo.v"), f("vb.png")],
          "magick": [convert, f("photo.bmp"), f("mb.png")]}, ("kb.png", "vb.png", "mb.png")),
        ("invert, own format (BMP; vips .v)",
         {"kroma": js("invert.js", f("photo.bmp"), f("k.bmp")),
          "vips": [vips, "invert", f("photo.v"), f("v.v")],
          "magick": [convert, f("photo.bmp"), "-negate", f("m.bmp")]}, None),
        ("rotate 30 degrees, own format",
         {"kroma": js("dialog.js", f("photo.bmp"), f("krot.bmp"), "Rotate", "30"),
          "vips": [vips, "rotate", f("photo.v"), f("vrot.v"), "30"],
          "magick": [convert, f("photo.bmp"), "-rotate", "30", f("mrot.bmp")]}, None),
        ("twist / swirl, own format",
         {"kroma": js("twist.js", f("photo.bmp"), f("ktw.bmp")),
          "vips": None,
          "magick": [convert, f("photo.bmp"), "-swirl", "180", f("mtw.bmp")]}, None),
        ("mosaic 15, own format",
         {"kroma": js("dialog.js", f("photo.bmp"), f("kmos.bmp"), "Mosaic", "15"),
          "vips": ["sh", "-c", "%s subsample %s %s 15 15 && %s zoom %s %s 15 15" % (
              vips, f("photo.v"), f("vsub.v"), vips, f("vsub.v"), f("vmos.v"))],
          "magick": [convert, f("photo.bmp"), "-sample", "267x200", "-sample", "4000x3000!", f("mmos.bmp")]}, None),
        ("one blur pass, own format",
         {"kroma": js("blur.js", f("photo.bmp"), f("kblur.bmp")),
          "vips": [vips, "gaussblur", f("photo.v"), f("vblur.v"), "2"],
          "magick": [convert, f("photo.bmp"), "-blur", "0x2", f("mblur.bmp")]}, None),
    ]


def brush_row(kroma, work, runs):
    f = lambda name: os.path.join(work, name)
    plain = [kroma, "--batch", f("brush.js"), f("photo.jpg"), f("before0.bmp"), f("after0.bmp"), "none"]
    presses = [kroma, "--batch", f("brush.js"), f("photo.jpg"), f("before.bmp"), f("after.bmp"), "presses"]
    result = measure({"plain": plain, "presses": presses}, runs)
    exact = filecmp.cmp(f("before.bmp"), f("after.bmp"), shallow=False)
    return result, exact


def startup(kroma, runs):
    """Median seconds from starting kroma to its window being mapped."""
    # The server picks a free display and names it once it takes clients.
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", "1", "-screen", "0", "1280x800x24", "-nolisten", "tcp"],
                            stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
    try:
        env = dict(os.environ, DISPLAY=":" + xvfb.stdout.readline().strip())
        env.pop("QT_QPA_PLATFORM", None)
        times = []
        failures = 0
        while len(times) < runs + 1:
            start = time.perf_counter()
            app = subprocess.Popen([kroma], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            # Asked again and again (xdotool's own --sync waits half a second between looks).
            shown = True
            while subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(app.pid)], env=env,
                                 stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).returncode != 0:
                if app.poll() is not None or time.perf_counter() - start > 30:
                    shown = False
                    break
                time.sleep(0.002)
            elapsed = time.perf_counter() - start
            app.kill()
            app.wait()
            if not shown:
                # Now and then the virtual display refuses a connection among
                # the many looks: that run is taken again.
                failures += 1
                if failures > 3:
                    raise RuntimeError("the window did not show (exit status %s)" % app.returncode)
                continue
            times.append(elapsed)
        times = times[1:]  # the first run warms the caches
        return statistics.median(times)
    finally:
        xvfb.terminate()
        xvfb.wait()


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("--runs", type=int, default=5, help="timed runs per command (medians are shown)")
    ap.add_argument("--build", default=os.path.join(ROOT, "build"), help="Release build folder of kroma")
    args = ap.parse_args()

    ensure_tools()
    kroma = ensure_kroma(args.build)
    convert, vips = "/usr/bin/convert", tool("vips")
    with tempfile.TemporaryDirectory(prefix="kroma-batch-") as work:
        for name, text in SCRIPTS.items():
            with open(os.path.join(work, name), "w") as out:
                out.write(text)
        make_photo(os.path.join(work, "photo.bmp"))
        subprocess.run([convert, os.path.join(work, "photo.bmp"), "-quality", "90", os.path.join(work, "photo.jpg")],
                       check=True)
        subprocess.run([convert, os.path.join(work, "photo.bmp"), os.path.join(work, "photo.png")], check=True)
        subprocess.run([vips, "copy", os.path.join(work, "photo.bmp"), os.path.join(work, "photo.v")], check=True)

        results = []
        for name, commands, outputs in rows_of(kroma, convert, vips, work):
            print("  %s ..." % name, file=sys.stderr)
            medians = measure(commands, args.runs)
            sizes = None
            if outputs:
                sizes = {t: os.path.getsize(os.path.join(work, o)) for t, o in zip(("kroma", "vips", "magick"), outputs)}
            results.append((name, medians, sizes))
        print("  brush presses ...", file=sys.stderr)
        brush, exact = brush_row(kroma, work, args.runs)
        print("  start-up ...", file=sys.stderr)
        start = startup(kroma, args.runs)

    print("%d x %d photo-like picture (%.1f MiB of pixels); whole processes, medians of %d runs taken in turns.\n"
          % (WIDTH, HEIGHT, PIXEL_MIB, args.runs))
    print("| job | Kroma s | vips s | IM s | Kroma/vips | Kroma/IM | Kroma MiB | vips MiB | IM MiB | sizes (MB) K / vips / IM |")
    print("|---|---|---|---|---|---|---|---|---|---|")
    for name, m, sizes in results:
        k = m["kroma"]
        cell = lambda t, i, fmt: fmt % m[t][i] if t in m else "-"
        ratio = lambda t: "%.2f" % (k[0] / m[t][0]) if t in m else "-"
        size_text = " / ".join("%.2f" % (sizes[t] / 1e6) for t in ("kroma", "vips", "magick")) if sizes else "-"
        print("| %s | %.3f | %s | %s | %s | %s | %.0f | %s | %s | %s |" % (
            name, k[0], cell("vips", 0, "%.3f"), cell("magick", 0, "%.3f"), ratio("vips"), ratio("magick"), k[1],
            cell("vips", 1, "%.0f"), cell("magick", 1, "%.0f"), size_text))
    added = brush["presses"][1] - brush["plain"][1]
    print("\nTen presses of a small brush and ten undos: %.3f s against %.3f s without them; they add %.1f MiB "
          "of peak memory (the image is %.1f MiB); after the undos the image is %s the opened one."
          % (brush["presses"][0], brush["plain"][0], added, PIXEL_MIB, "exactly" if exact else "NOT"))
    print("Start to visible window: %.0f ms." % (start * 1000))
    print("\nTargets: JPEG -> invert -> JPEG at most 1.2 x vips and %.0f MiB (2.5 x the pixels + 40 MiB); "
          "PNG saves no slower than ImageMagick and no larger; the brush presses add at most one image; "
          "start-up under 300 ms." % (2.5 * PIXEL_MIB + 40))


if __name__ == "__main__":
    main()
