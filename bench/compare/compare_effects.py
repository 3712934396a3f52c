#!/usr/bin/env python3
"""Times Kroma's filters against ImageMagick (convert) and libvips (vips).

Makes one deterministic 4000 x 3000 photo-like BMP (smooth gradients plus
noise), then runs each shared operation as a whole process, BMP in and BMP
out, with every tool in turn, and prints the median wall times side by side.
A last column gives Kroma's in-process time for the same filter, from the
Google Benchmark program (kroma_bench); --all-in-process also prints that
program's full table.

The comparison tools are installed with apt-get when missing (they are
not part of the project's set-up). Python standard library only.
"""
import argparse
import json
import os
import shutil
import statistics
import struct
import subprocess
import sys
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
WIDTH, HEIGHT = 4000, 3000

# The ring kernel of Kroma's 5 x 5 blur, row by row (sum 16).
RING = [1, 1, 1, 1, 1,
        1, 0, 0, 0, 1,
        1, 0, 0, 0, 1,
        1, 0, 0, 0, 1,
        1, 1, 1, 1, 1]


def tool(name):
    """The packaged binary when there is one, else whatever PATH finds."""
    packaged = os.path.join("/usr/bin", name)
    return packaged if os.access(packaged, os.X_OK) else shutil.which(name)


def installed(package):
    done = subprocess.run(["dpkg-query", "-W", "-f=${Status}", package], capture_output=True, text=True)
    return done.returncode == 0 and done.stdout == "install ok installed"


def install_missing(packages):
    """apt-get install of the Debian packages not yet installed."""
    missing = [pkg for pkg in packages if not installed(pkg)]
    if not missing:
        return
    sudo = [] if os.geteuid() == 0 else ["sudo"]
    env = dict(os.environ, DEBIAN_FRONTEND="noninteractive")
    print("installing " + " ".join(missing), file=sys.stderr)
    subprocess.run(sudo + ["apt-get", "update", "-q"], env=env, check=False)
    subprocess.run(sudo + ["apt-get", "install", "-y", "-q", "--no-install-recommends"] + missing, env=env, check=True)


def ensure_tools():
    install_missing(("imagemagick", "libvips-tools"))


def ensure_kroma(build_dir):
    fx = os.path.join(build_dir, "bench", "kroma_fx")
    bench = os.path.join(build_dir, "bench", "kroma_bench")
    if not (os.access(fx, os.X_OK) and os.access(bench, os.X_OK)):
        subprocess.run(["cmake", "-S", ROOT, "-B", build_dir, "-G", "Ninja", "-DCMAKE_BUILD_TYPE=Release",
                        "-DKROMA_BENCH=ON"], check=True, stdout=subprocess.DEVNULL)
        subprocess.run(["cmake", "--build", build_dir, "-j2", "--target", "kroma_fx", "kroma_bench"], check=True)
    return fx, bench


def make_photo(path):
    """Smooth colour gradients across and down the picture plus +-12 of
    noise, from a fixed-seed generator: the same bytes on every run."""
    import math
    import random
    rng = random.Random(20251)
    noise_len = WIDTH * 3 + 997  # rows start at shifting offsets of one noise strip
    noise = bytes(rng.randrange(25) for _ in range(noise_len * 2))
    sway = 600  # rows take the colour bands from a shifting window: curved, not straight stripes
    across = [int(90 + 60 * math.sin(x / 410.0 + c) + 25 * math.sin(x / 1300.0 + 3 * c))
              for x in range(WIDTH + sway) for c in range(3)]
    row_bytes = WIDTH * 3
    header = struct.pack("<2sIHHI", b"BM", 54 + row_bytes * HEIGHT, 0, 0, 54)
    header += struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 24, 0, row_bytes * HEIGHT, 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header)
        for y in range(HEIGHT - 1, -1, -1):  # BMP rows go bottom up
            down = int(60 + 45 * math.cos(y / 610.0)) - 12
            clamp = bytes(min(255, max(0, v + down)) for v in range(512))
            shift = 3 * int(sway / 2 + (sway / 2 - 1) * math.sin(y / 700.0))
            start = (y * 7919) % noise_len
            strip = noise[start:start + row_bytes]
            across_row = across[shift:shift + row_bytes]
            f.write(bytes(map(clamp.__getitem__, map(int.__add__, across_row, strip))))


def write_vips_matrix(path, kernel, scale):
    with open(path, "w") as f:
        f.write("5 5 %d 0\n" % scale)
        for j in range(5):
            f.write(" ".join(str(v) for v in kernel[j * 5:j * 5 + 5]) + "\n")


def operations(fx, convert, vips, src, work):
    """name -> {tool: argv}. The same job for each tool, as close as each
    tool's own operations come; notes say where they differ."""
    matrix = os.path.join(work, "ring.mat")
    write_vips_matrix(matrix, RING, 16)
    ring_text = "5x5:" + ",".join(str(v) for v in RING)
    out = lambda t: os.path.join(work, "out-%s.bmp" % t)
    k = lambda op, *a: [fx, src, op, out("kroma")] + [str(v) for v in a]
    m = lambda *a: [convert, src] + list(a) + [out("magick")]
    v = lambda op, *a: [vips, op, src, out("vips")] + [str(x) for x in a]
    # (name, in-process benchmark, commands); None where a tool has no such operation.
    return [
        ("invert", "BM_Invert", {"kroma": k("invert"), "magick": m("-negate"), "vips": v("invert")}),
        ("grey scale", "BM_GrayScale", {"kroma": k("grayscale"), "magick": m("-colorspace", "Gray"),
                                        "vips": v("colourspace", "b-w")}),
        ("flip (upside down)", "BM_FlipDown", {"kroma": k("flipdown"), "magick": m("-flip"),
                                               "vips": v("flip", "vertical")}),
        ("mirror (left-right)", "BM_FlipRight", {"kroma": k("flipright"), "magick": m("-flop"),
                                                 "vips": v("flip", "horizontal")}),
        ("brightness +64", "BM_Lighter",
         {"kroma": k("lighter", 64), "magick": m("-function", "Polynomial", "%.6f,%.6f" % (1 - 64 / 255, 64 / 255)),
          "vips": v("linear", 1 - 64 / 255, 64)}),
        ("blur (one pass / sigma 2)", "BM_BlurOnePass", {"kroma": k("blur", 0), "magick": m("-blur", "0x2"),
                                                         "vips": v("gaussblur", 2)}),
        ("5x5 ring convolution", "BM_ConvolveRing",
         {"kroma": k("ring"), "magick": m("-define", "convolve:scale=!", "-morphology", "Convolve", ring_text),
          "vips": v("conv", matrix, "--precision", "integer")}),
        ("emboss", "BM_Emboss", {"kroma": k("emboss"), "magick": m("-emboss", "1"), "vips": None}),
    ]


def time_once(argv):
    start = time.perf_counter()
    done = subprocess.run(argv, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    elapsed = time.perf_counter() - start
    if done.returncode != 0:
        raise RuntimeError("%s failed: %s" % (" ".join(argv), done.stderr.decode(errors="replace").strip()))
    return elapsed


def whole_process(ops, runs):
    tools = ["kroma", "magick", "vips"]
    rows = []
    for name, _, commands in ops:
        times = {}
        for t in tools:
            if not commands.get(t):
                continue
            try:
                time_once(commands[t])  # warm-up, and a check that it works
                times[t] = []
            except RuntimeError as e:
                print("  " + str(e), file=sys.stderr)
        for r in range(runs if times else 0):
            order = list(times)[r % len(times):] + list(times)[:r % len(times)]  # take turns
            for t in order:
                times[t].append(time_once(commands[t]))
        rows.append((name, {t: statistics.median(v) for t, v in times.items()}))
        print("  %-22s done" % name, file=sys.stderr)
    return rows


def in_process(bench, names):
    """Median real time in ms of each named benchmark."""
    done = subprocess.run([bench, "--benchmark_filter=^(%s)/" % "|".join(names), "--benchmark_format=json",
                           "--benchmark_min_time=0.3", "--benchmark_repetitions=3",
                           "--benchmark_report_aggregates_only=true"],
                          check=True, capture_output=True, text=True)
    times = {}
    for b in json.loads(done.stdout)["benchmarks"]:
        if b.get("aggregate_name") == "median":
            scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[b["time_unit"]]
            times[b["run_name"].split("/")[0]] = b["real_time"] * scale
    return times


def print_table(rows, inproc):
    print("| operation | Kroma (s) | ImageMagick (s) | libvips (s) | Kroma / IM | Kroma / vips "
          "| Kroma in-process (ms) |")
    print("|---|---|---|---|---|---|---|")
    for (name, bench_name, _), (_, med) in rows:
        cell = lambda t: "%.3f" % med[t] if t in med else "-"
        ratio = lambda t: "%.2f" % (med["kroma"] / med[t]) if t in med and "kroma" in med else "-"
        inner = "%.1f" % inproc[bench_name] if bench_name in inproc else "-"
        print("| %s | %s | %s | %s | %s | %s | %s |" % (name, cell("kroma"), cell("magick"), cell("vips"),
                                                       ratio("magick"), ratio("vips"), inner))


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("--runs", type=int, default=5, help="timed runs per command (median is shown)")
    ap.add_argument("--build", default=os.path.join(ROOT, "build-bench"), help="Release build folder with kroma_fx")
    ap.add_argument("--all-in-process", action="store_true", help="also print kroma_bench's full table")
    args = ap.parse_args()

    ensure_tools()
    fx, bench = ensure_kroma(args.build)
    convert, vips = tool("convert"), tool("vips")
    with tempfile.TemporaryDirectory(prefix="kroma-compare-") as work:
        src = os.path.join(work, "photo.bmp")
        make_photo(src)
        ops = operations(fx, convert, vips, src, work)
        rows = whole_process(ops, args.runs)
    inproc = in_process(bench, [bench_name for _, bench_name, _ in ops])
    print("%d x %d photo-like image; whole processes read and write BMP (median wall seconds of %d runs);"
          " in-process: median of 3 Google Benchmark repetitions.\n" % (WIDTH, HEIGHT, args.runs))
    print_table(list(zip(ops, rows)), inproc)
    if args.all_in_process:
        print("\nIn-process (Google Benchmark, same size):\n", flush=True)
        subprocess.run([bench, "--benchmark_min_time=0.3"], check=True)


if __name__ == "__main__":
    main()
