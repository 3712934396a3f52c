#include "editor/ScriptedPorts.h"

#include <charconv>

#include "core/Canvas.h"
#include "core/IniFile.h"

namespace kroma {
namespace {

// "#RRGGBB", red first, as colours are written in text.
bool ParseHashColor(const std::string& text, TColor& color) {
  if (text.size() != 7 || text[0] != '#') return false;
  unsigned v = 0;
  auto [end, ec] = std::from_chars(text.data() + 1, text.data() + 7, v, 16);
  if (ec != std::errc() || end != text.data() + 7) return false;
  color = RGB(static_cast<int>(v >> 16), static_cast<int>((v >> 8) & 0xFF), static_cast<int>(v & 0xFF));
  return true;
}

}  // namespace

std::optional<std::string> TScriptedPrompts::Next() {
  if (answers_.empty()) return std::nullopt;
  std::optional<std::string> a = std::move(answers_.front());
  answers_.pop_front();
  return a;
}

std::vector<std::string> TScriptedPrompts::Messages() const {
  std::vector<std::string> out;
  for (const Record& r : log_)
    if (r.Kind == "message") out.push_back(r.Text);
  return out;
}

bool TScriptedPrompts::InputQuery(const std::string& caption, const std::string& prompt, std::string& text) {
  std::optional<std::string> answer = Next();
  log_.push_back({"input", caption, prompt, text, answer.value_or(text)});
  if (!answer) return false;
  text = std::move(*answer);
  return true;
}

void TScriptedPrompts::ShowMessage(const std::string& text) { log_.push_back({"message", "", text, "", ""}); }

bool IsYesAnswer(const std::string& answer) {
  static constexpr char kYes[] = "yes";
  if (answer.size() != 3) return false;
  for (std::size_t i = 0; i < 3; ++i)
    if ((answer[i] | 0x20) != kYes[i]) return false;
  return true;
}

bool TScriptedPrompts::AskYesNo(const std::string& text) {
  std::string answer = Next().value_or("no");
  log_.push_back({"question", "", text, "", answer});
  return IsYesAnswer(answer);
}

bool TScriptedPrompts::ChooseOpenFile(const TFileChoice& choice, std::string& path) {
  std::optional<std::string> a = Next();
  log_.push_back({"open", choice.Title, "", choice.InitialPath, a.value_or("")});
  if (!a) return false;
  path = *a;
  return true;
}

bool TScriptedPrompts::ChooseSaveFile(const TFileChoice& choice, std::string& path) {
  std::optional<std::string> a = Next();
  log_.push_back({"save", choice.Title, "", choice.InitialPath, a.value_or("")});
  if (!a) return false;
  path = *a;
  return true;
}

bool TScriptedPrompts::ChooseColor(TColor& color) {
  std::optional<std::string> a = Next();
  log_.push_back({"color", "", "", "", a.value_or("")});
  return a && ParseHashColor(*a, color);
}

bool TScriptedPrompts::ChooseFont(TFont& font) {
  std::optional<std::string> a = Next();
  log_.push_back({"font", "", "", font.Name, a.value_or("")});
  if (!a || a->empty()) return false;
  std::size_t comma = a->find(',');
  int size = font.Size;
  if (comma != std::string::npos && !TryStrToInt(std::string_view(*a).substr(comma + 1), size)) return false;
  font.Name = a->substr(0, comma);
  font.Size = size;
  return true;
}

TManualDesktop::TManualDesktop() = default;
TManualDesktop::~TManualDesktop() = default;

bool TManualDesktop::GetClipboardImage(TBitmap& image) {
  if (!clipboard_) return false;
  image = *clipboard_;
  return true;
}

void TManualDesktop::SetClipboardImage(const TBitmap& image) { clipboard_ = std::make_unique<TBitmap>(image); }

void TManualDesktop::StartTimer(int intervalMs, std::function<void()> onTick) {
  timerRunning_ = true;
  timerInterval_ = intervalMs;
  onTick_ = std::move(onTick);
}

void TManualDesktop::StopTimer() { timerRunning_ = false; }

void TManualDesktop::Tick() {
  if (timerRunning_ && onTick_) onTick_();
}

bool TManualDesktop::GrabScreen(TBitmap& screen) {
  if (!screen_) return false;
  screen = *screen_;
  return true;
}

void TManualDesktop::SetScreen(const TBitmap& screen) { screen_ = std::make_unique<TBitmap>(screen); }

void TRecordingView::SetStatusText(int panel, const std::string& text) {
  if (panel >= 0 && panel < static_cast<int>(Status.size())) Status[static_cast<std::size_t>(panel)] = text;
}

void TRecordingView::SetToolButton(const std::string& button, const std::string& commandId) {
  ToolButtons.emplace_back(button, commandId);
}

std::string TRecordingView::ToolButton(const std::string& button) const {
  for (auto it = ToolButtons.rbegin(); it != ToolButtons.rend(); ++it)
    if (it->first == button) return it->second;
  return {};
}

void TRecordingView::ShowHelp(const std::string& file, const std::string& topic) {
  HelpFile = file;
  HelpTopic = topic;
}

}  // namespace kroma
