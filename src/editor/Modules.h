#pragma once
// The editor's modules: each adds its command rows, its tool steps and its
// tool windows.
// Adding a module means one line in Modules.cpp.
namespace kroma {

class TCommandTable;
class TToolStepRegistry;
class TToolWindowClasses;

// Every module's commands, steps and tool window classes, built on first use.
const TCommandTable& EditorCommands();
const TToolStepRegistry& EditorToolSteps();
const TToolWindowClasses& EditorWindowClasses();

// The modules' registration functions.
void RegisterSettingsCommands(TCommandTable& commands);
void RegisterNewImageCommands(TCommandTable& commands);
void RegisterFileCommands(TCommandTable& commands);
void RegisterImageSizeCommands(TCommandTable& commands);
void RegisterToolCommands(TCommandTable& commands);
void RegisterLineTools(TToolStepRegistry& steps);
void RegisterStageTools(TToolStepRegistry& steps);
void RegisterCurveTools(TToolStepRegistry& steps);
void RegisterPolyTools(TToolStepRegistry& steps);
void RegisterAreaShapes(TToolStepRegistry& steps);
void RegisterRangeCommands(TCommandTable& commands);
void RegisterRangeTools(TToolStepRegistry& steps);
void RegisterColorBrushes(TToolStepRegistry& steps);
void RegisterEffectCommands(TCommandTable& commands);
void RegisterEffectsWindows(TToolWindowClasses& classes);

}  // namespace kroma
