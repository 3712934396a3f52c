#include "editor/StageHints.h"

#include <array>
#include <utility>

#include "editor/KromaF.h"

namespace kroma {
namespace {

struct THint {
  std::string_view Key;
  std::string_view Text;
};

// After the last stage ("chord3", "skewrect2") the next press starts a new
// figure, so those stages ask for the first gesture again.
constexpr std::array kHints = {
    THint{"bezier", "Bezier: drag from the start to the end point"},
    THint{"bezier1", "Bezier: drag the first control point"},
    THint{"bezier2", "Bezier: drag the second control point"},
    THint{"arc", "Arc: drag the bounding box"},
    THint{"arc1", "Arc: click the start point"},
    THint{"arc2", "Arc: click the end point"},
    THint{"arc3", "Arc: drag the bounding box"},
    THint{"chord", "Chord: drag the bounding box"},
    THint{"chord1", "Chord: click the start point"},
    THint{"chord2", "Chord: click the end point"},
    THint{"chord3", "Chord: drag the bounding box"},
    THint{"pie", "Pie: drag the bounding box"},
    THint{"pie1", "Pie: click the start point"},
    THint{"pie2", "Pie: click the end point"},
    THint{"pie3", "Pie: drag the bounding box"},
    THint{"skewrect", "Skew Rectangle: drag the first side"},
    THint{"skewrect1", "Skew Rectangle: drag the third corner"},
    THint{"skewrect2", "Skew Rectangle: drag the first side"},
    THint{"triangle", "Triangle: drag the first side"},
    THint{"triangle1", "Triangle: drag the third corner"},
    THint{"triangle2", "Triangle: drag the first side"},
    THint{"polygon", "Polygon: click the corners, right click to close"},
    THint{"polyline", "PolyLine: click the corners, right click to end"},
    THint{"polybezier", "PolyBezier: press for each segment, Ctrl/Shift fix the controls, Alt+right click to end"},
};

bool IsHint(std::string_view text) {
  for (const THint& h : kHints)
    if (h.Text == text) return true;
  return false;
}

}  // namespace

std::string_view StageHint(std::string_view key) {
  for (const THint& h : kHints)
    if (h.Key == key) return h.Text;
  return {};
}

void EnterStage(TKromaF& editor, std::string key) {
  editor.FToolKey = std::move(key);
  ShowStageHint(editor);
}

void ShowStageHint(TKromaF& editor) {
  std::string_view hint = StageHint(editor.FToolKey);
  if (!hint.empty() || IsHint(editor.Status(kStageHintPanel))) editor.SetStatus(kStageHintPanel, std::string(hint));
}

}  // namespace kroma
