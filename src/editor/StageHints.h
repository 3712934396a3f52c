#pragma once
// What a multi-click tool expects next, shown in status panel 3 while the
// tool is chosen ("Chord: click the start point"). The stage machines
// change their key through EnterStage, and choosing a tool shows its first
// hint, so the panel always follows the key.
#include <string>
#include <string_view>

namespace kroma {

class TKromaF;

// The status panel that shows the hints.
inline constexpr int kStageHintPanel = 3;

// The hint for a key; empty for keys without stages.
std::string_view StageHint(std::string_view key);
// FToolKey := key, and the key's hint in the panel.
void EnterStage(TKromaF& editor, std::string key);
// Shows the hint of the current key. A key without one clears the panel if
// it still shows a hint, and leaves any other text there alone.
void ShowStageHint(TKromaF& editor);

}  // namespace kroma
