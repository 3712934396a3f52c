// One brush step of each colour brush family, and one step of the range
// move, on a 4000 x 3000 image and on a 400 x 300 image. A step works on
// the brush's rectangle only, so both sizes must cost about the same.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>

#include "core/Canvas.h"
#include "editor/Commands.h"
#include "editor/KromaF.h"
#include "editor/ScriptedPorts.h"

namespace {

using namespace kroma;

// A headless editor on an image of the benchmark's size, its tool chosen
// and the button pressed in the middle.
struct TBrushEditor {
  TScriptedPrompts prompts;
  TManualDesktop desktop;
  TRecordingView view;
  std::unique_ptr<TKromaF> editor;

  TBrushEditor(int width, int height, const char* command) {
    std::string folder = (std::filesystem::temp_directory_path() / "kroma-brush-bench").string();
    std::filesystem::create_directories(folder);
    editor = std::make_unique<TKromaF>(prompts, desktop, view, TAppPaths{.AppFolder = folder});
    editor->FormCreate();
    TBitmap& image = editor->Image();
    image.SetSize(width, height);
    // Stripes, so that every brush has colours to work on.
    for (int y = 0; y < height; ++y) {
      std::uint8_t* row = image.ScanLine(y);
      for (int x = 0; x < 3 * width; ++x) row[x] = static_cast<std::uint8_t>(x * 7 + y * 3);
    }
    editor->ResizeUndoSlots(width, height);
    editor->Canvas().Pen.Width = 10;
    editor->FRangeRect = {width / 2 - 16, height / 2 - 16, width / 2 + 16, height / 2 + 16};
    RunCommand(*editor, command);
    editor->mypaintMouseDown(mbLeft, ssLeft, width / 2, height / 2);
  }
};

void BrushStep(benchmark::State& state, const char* command) {
  const int width = static_cast<int>(state.range(0));
  const int height = static_cast<int>(state.range(1));
  TBrushEditor b(width, height, command);
  int i = 0;
  for (auto _ : state) {
    // Back and forth over a few pixels around the middle.
    const int d = (i++ & 7) * 2;
    b.editor->mypaintMouseMove(ssLeft, width / 2 + d, height / 2 + d);
  }
  state.SetLabel(std::to_string(width) + "x" + std::to_string(height));
}

void Sizes(benchmark::internal::Benchmark* bm) {
  bm->Args({4000, 3000})->Args({400, 300})->Unit(benchmark::kMicrosecond);
}

// A press: the undo push, then the brush's own press work (the tone
// brushes take the whole image as the range), then one step and the
// release. The push shares the image's rows with the slot; the step
// copies only the bands it writes.
void BrushPress(benchmark::State& state, const char* command) {
  const int width = static_cast<int>(state.range(0));
  const int height = static_cast<int>(state.range(1));
  TBrushEditor b(width, height, command);
  b.editor->mypaintMouseUp(mbLeft, 0, width / 2, height / 2);
  int i = 0;
  for (auto _ : state) {
    const int x = 100 + (i++ % 37) * 97;
    b.editor->mypaintMouseDown(mbLeft, ssLeft, x, height / 2);
    b.editor->mypaintMouseMove(ssLeft, x + 4, height / 2 + 3);
    b.editor->mypaintMouseUp(mbLeft, 0, x + 4, height / 2 + 3);
  }
  state.SetLabel(std::to_string(width) + "x" + std::to_string(height));
}

// The push alone.
void UndoPush(benchmark::State& state) {
  TBrushEditor b(4000, 3000, "Darker1Click");
  for (auto _ : state) b.editor->PushImage();
}

BENCHMARK(UndoPush)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BrushPress, tone, "Darker1Click")->Apply(Sizes);
BENCHMARK_CAPTURE(BrushStep, channel, "Blue1Click")->Apply(Sizes);
BENCHMARK_CAPTURE(BrushStep, tone, "Darker1Click")->Apply(Sizes);
BENCHMARK_CAPTURE(BrushStep, smooth, "Smooth1Click")->Apply(Sizes);
BENCHMARK_CAPTURE(BrushStep, gradient, "GradientBrush1Click")->Apply(Sizes);
BENCHMARK_CAPTURE(BrushStep, mix, "MixBrush1Click")->Apply(Sizes);
BENCHMARK_CAPTURE(BrushStep, rangemove, "Move1Click")->Apply(Sizes);

}  // namespace
