#include "editor/Modules.h"

#include "editor/Commands.h"
#include "editor/ToolSteps.h"
#include "editor/windows/ToolWindows.h"

namespace kroma {

struct TEditorModules {
  TCommandTable Commands;
  TToolStepRegistry Steps;
  TToolWindowClasses Windows;

  TEditorModules() {
    RegisterToolCommands(Commands);
    RegisterNewImageCommands(Commands);  // New and New Banner head the File menu
    RegisterFileCommands(Commands);
    RegisterSettingsCommands(Commands);
    // Choosing tools and settings, opening, saving and undoing work on no
    // pixels: these rows keep a palette image's format.
    Commands.MarkAllKeepPixelFormat();
    RegisterLineTools(Steps);
    RegisterStageTools(Steps);
    RegisterCurveTools(Steps);
    RegisterPolyTools(Steps);
    RegisterAreaShapes(Steps);
    RegisterImageSizeCommands(Commands);
    RegisterRangeCommands(Commands);
    RegisterRangeTools(Steps);
    RegisterColorBrushes(Steps);
    RegisterEffectCommands(Commands);
    RegisterEffectsWindows(Windows);
  }
};

namespace {

const TEditorModules& Modules() {
  static const TEditorModules modules;
  return modules;
}

}  // namespace

const TCommandTable& EditorCommands() { return Modules().Commands; }
const TToolStepRegistry& EditorToolSteps() { return Modules().Steps; }
const TToolWindowClasses& EditorWindowClasses() { return Modules().Windows; }

}  // namespace kroma
