#include "editor/Modules.h"

#include "editor/Commands.h"
#include "editor/ToolSteps.h"

namespace kroma {

struct TEditorModules {
  TCommandTable Commands;
  TToolStepRegistry Steps;

  TEditorModules() {
    RegisterToolCommands(Commands);
    RegisterSettingsCommands(Commands);
    RegisterLineTools(Steps);
    RegisterStageTools(Steps);
    RegisterCurveTools(Steps);
    RegisterPolyTools(Steps);
    RegisterAreaShapes(Steps);
    RegisterRangeCommands(Commands);
    RegisterRangeTools(Steps);
    RegisterColorBrushes(Steps);
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

}  // namespace kroma
