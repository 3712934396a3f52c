#!/usr/bin/env python3
"""Times Kroma's image codecs and GIF colour reduction against ImageMagick
(convert) and pngquant, with the mean colour error of each result.

Uses the same deterministic photo-like picture as compare_effects.py
(4000 x 3000, smooth gradients plus noise). Each row runs one job as a
whole process with every tool in turn and prints the median wall time,
the output size and the mean absolute channel error (0..255) of the
result against the source picture, side by side:

- decode rows: PNG, JPEG and GIF files (written once by ImageMagick) read
  and written out as BMP;
- encode rows: the BMP picture written as PNG, JPEG (quality 75 for both
  tools) and GIF (Kroma's optimised 256-colour palette with Floyd-Steinberg
  dithering; ImageMagick's -colors 256 -dither FloydSteinberg);
- GIF colour reduction rows: 256 colours with Floyd-Steinberg dithering by
  Kroma (GIF), ImageMagick (GIF) and pngquant (PNG, which takes a PNG
  input: its time includes decoding that PNG).

ImageMagick and pngquant are installed with apt-get when missing (they
are not part of the project's set-up). Python standard library only.
"""
import argparse
import os
import statistics
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from compare_effects import ROOT, WIDTH, HEIGHT, install_missing, make_photo, time_once, tool  # noqa: E402


def ensure_tools():
    install_missing(("imagemagick", "pngquant"))


def ensure_kroma(build_dir):
    exe = os.path.join(build_dir, "bench", "kroma_file")
    if not os.access(exe, os.X_OK):
        subprocess.run(["cmake", "-S", ROOT, "-B", build_dir, "-G", "Ninja", "-DCMAKE_BUILD_TYPE=Release",
                        "-DKROMA_BENCH=ON"], check=True, stdout=subprocess.DEVNULL)
        subprocess.run(["cmake", "--build", build_dir, "-j2", "--target", "kroma_file"], check=True)
    return exe


def jobs(kroma, convert, pngquant, work):
    """(row name, {tool: (argv, output file)})."""
    src = os.path.join(work, "photo.bmp")
    inputs = {ext: os.path.join(work, "photo." + ext) for ext in ("png", "jpg", "gif")}
    out = lambda t, ext: os.path.join(work, "out-%s.%s" % (t, ext))
    gif_k = ["--palette", "optimized", "--dither", "floydsteinberg", "--bits", "8"]
    gif_m = ["-dither", "FloydSteinberg", "-colors", "256"]
    rows = []
    for ext in ("png", "jpg", "gif"):
        rows.append(("decode " + ext.upper(), {
            "kroma": ([kroma, inputs[ext], out("kroma", "bmp")], out("kroma", "bmp")),
            "magick": ([convert, inputs[ext], out("magick", "bmp")], out("magick", "bmp"))}))
    rows.append(("encode PNG", {
        "kroma": ([kroma, src, out("kroma", "png")], out("kroma", "png")),
        "magick": ([convert, src, out("magick", "png")], out("magick", "png"))}))
    rows.append(("encode JPEG q75", {
        "kroma": ([kroma, src, out("kroma", "jpg"), "--quality", "75"], out("kroma", "jpg")),
        "magick": ([convert, src, "-quality", "75", out("magick", "jpg")], out("magick", "jpg"))}))
    rows.append(("GIF 256 colours, Floyd-Steinberg", {
        "kroma": ([kroma, src, out("kroma", "gif")] + gif_k, out("kroma", "gif")),
        "magick": ([convert, src] + gif_m + [out("magick", "gif")], out("magick", "gif")),
        "pngquant": ([pngquant, "--force", "--floyd=1", "--output", out("pngquant", "png"), "256", inputs["png"]],
                     out("pngquant", "png"))}))
    rows.append(("GIF Netscape 216, no dither", {
        "kroma": ([kroma, src, out("kroma", "gif"), "--palette", "netscape", "--dither", "nearest"],
                  out("kroma", "gif")),
        "magick": ([convert, src, "+dither", "-remap", "netscape:", out("magick", "gif")], out("magick", "gif"))}))
    return src, inputs, rows


def measure(kroma, src, rows, runs):
    tools = ["kroma", "magick", "pngquant"]
    table = []
    for name, commands in rows:
        cells = {}
        for t in tools:
            if t not in commands:
                continue
            argv, output = commands[t]
            try:
                time_once(argv)  # warm-up, and a check that it works
                times = [time_once(argv) for _ in range(runs)]
                error = subprocess.run([kroma, "--error", src, output], check=True, capture_output=True,
                                       text=True).stdout.strip()
                cells[t] = (statistics.median(times), os.path.getsize(output), float(error))
            except (RuntimeError, subprocess.CalledProcessError) as e:
                print("  %s: %s" % (t, e), file=sys.stderr)
        table.append((name, cells))
        print("  %-34s done" % name, file=sys.stderr)
    return table


def print_table(table):
    tools = ("kroma", "magick", "pngquant")
    print("| job | Kroma s | IM s | pngquant s | Kroma error | IM error | pngquant error | Kroma KiB | IM KiB "
          "| pngquant KiB |")
    print("|---|---|---|---|---|---|---|---|---|---|")
    for name, cells in table:
        seconds = ["%.3f" % cells[t][0] if t in cells else "-" for t in tools]
        errors = ["%.2f" % cells[t][2] if t in cells else "-" for t in tools]
        sizes = ["%.0f" % (cells[t][1] / 1024) if t in cells else "-" for t in tools]
        print("| " + " | ".join([name] + seconds + errors + sizes) + " |")


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("--runs", type=int, default=3, help="timed runs per command (median is shown)")
    ap.add_argument("--build", default=os.path.join(ROOT, "build-bench"), help="Release build folder with kroma_file")
    args = ap.parse_args()

    ensure_tools()
    kroma = ensure_kroma(args.build)
    convert, pngquant = tool("convert"), tool("pngquant")
    with tempfile.TemporaryDirectory(prefix="kroma-files-") as work:
        src, inputs, rows = jobs(kroma, convert, pngquant, work)
        make_photo(src)
        for ext, path in inputs.items():
            extra = ["-quality", "75"] if ext == "jpg" else (["-dither", "FloydSteinberg", "-colors", "256"]
                                                             if ext == "gif" else [])
            subprocess.run([convert, src] + extra + [path], check=True)
        table = measure(kroma, src, rows, args.runs)
    print("%d x %d photo-like image; whole processes, median wall seconds of %d runs; error: mean absolute "
          "channel difference from the source picture (0..255).\n" % (WIDTH, HEIGHT, args.runs))
    print_table(table)


if __name__ == "__main__":
    main()
