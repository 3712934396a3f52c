#pragma once
// The two objects every script sees: "gfx", the drawing object, and
// "app", which reaches the whole editor. Both act on one editor; their
// members run on the editor's thread (see IEditorAccess).
#include <string>
#include <vector>

#include "script/ScriptObject.h"

namespace kroma {

class TKromaF;
class TQueuedPrompts;

// What the objects act on.
struct TScriptEnvironment {
  TKromaF& Editor;
  // The editor's prompts: app.answer queues here, app.messages reads here.
  TQueuedPrompts& Prompts;
  // app.args: the arguments after the script's name in a batch run.
  std::vector<std::string> Args;
};

// The drawing object. Member names ignore case.
TScriptObject MakeGfxObject(TKromaF& editor);
// The editor object. The environment must outlive the object.
TScriptObject MakeAppObject(TScriptEnvironment& env);
// A tool window by class name, as app.window returns it.
TScriptObject MakeWindowObject(TKromaF& editor, const std::string& className);

}  // namespace kroma
