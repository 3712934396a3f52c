#pragma once
// The editor's modules: each adds its command rows and its tool steps.
// Adding a module means one line in Modules.cpp.
namespace kroma {

class TCommandTable;
class TToolStepRegistry;

// Every module's commands and steps, built on first use.
const TCommandTable& EditorCommands();
const TToolStepRegistry& EditorToolSteps();

// The modules' registration functions.
void RegisterSettingsCommands(TCommandTable& commands);
void RegisterFileCommands(TCommandTable& commands);
void RegisterToolCommands(TCommandTable& commands);
void RegisterLineTools(TToolStepRegistry& steps);
void RegisterStageTools(TToolStepRegistry& steps);
void RegisterCurveTools(TToolStepRegistry& steps);
void RegisterPolyTools(TToolStepRegistry& steps);
void RegisterAreaShapes(TToolStepRegistry& steps);
void RegisterRangeCommands(TCommandTable& commands);
void RegisterRangeTools(TToolStepRegistry& steps);
void RegisterColorBrushes(TToolStepRegistry& steps);

}  // namespace kroma
