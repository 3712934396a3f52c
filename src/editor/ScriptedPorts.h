#pragma once
// Ports without a screen, for tests and for running the editor from a
// script: prompts answered from a queue, a desktop with a manual timer and
// an in-memory clipboard, and a view that records what it was told.
#include <array>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/Bitmap.h"
#include "editor/BackgroundWork.h"
#include "editor/Desktop.h"
#include "editor/EditorView.h"
#include "editor/Prompts.h"

namespace kroma {

// A queued answer to a question: "yes" in any letter case.
bool IsYesAnswer(const std::string& answer);

// Answers prompts in order from a queue. An answer of std::nullopt cancels
// the prompt; an empty queue cancels every prompt. So a cancelled input box
// gives its default text, a cancelled question "no", a cancelled file,
// colour or font choice false.
// Answers by kind: input box: the typed text; question: "yes" or "no";
// file: the path; colour: "#RRGGBB" (red first); font: "Name" or
// "Name,Size".
class TScriptedPrompts : public IPrompts {
 public:
  struct Record {
    std::string Kind;  // "input", "message", "question", "open", "save", "color", "font"
    std::string Caption;
    std::string Text;  // prompt, message or question
    std::string DefaultText;
    std::string Answer;
  };

  void Answer(std::optional<std::string> answer) { answers_.push_back(std::move(answer)); }
  std::size_t PendingAnswers() const { return answers_.size(); }
  const std::vector<Record>& Log() const { return log_; }
  // The texts of the message boxes shown so far.
  std::vector<std::string> Messages() const;
  void ClearLog() { log_.clear(); }

  using IPrompts::InputBox;
  bool InputQuery(const std::string& caption, const std::string& prompt, std::string& text) override;
  void ShowMessage(const std::string& text) override;
  bool AskYesNo(const std::string& text) override;
  bool ChooseOpenFile(const TFileChoice& choice, std::string& path) override;
  bool ChooseSaveFile(const TFileChoice& choice, std::string& path) override;
  bool ChooseColor(TColor& color) override;
  bool ChooseFont(TFont& font) override;

 private:
  std::optional<std::string> Next();
  std::deque<std::optional<std::string>> answers_;
  std::vector<Record> log_;
};

// A desktop whose timer ticks only when told, whose clock moves only when
// told, and whose clipboard is a bitmap in memory.
class TManualDesktop : public IDesktop {
 public:
  TManualDesktop();
  ~TManualDesktop() override;

  bool GetClipboardImage(TBitmap& image) override;
  void SetClipboardImage(const TBitmap& image) override;
  void StartTimer(int intervalMs, std::function<void()> onTick) override;
  void StopTimer() override;
  std::uint32_t TickCount() override { return ticks_; }
  void WarpCursor(TPoint imagePoint) override { warps_.push_back(imagePoint); }
  bool GrabScreen(TBitmap& screen) override;
  // Work runs at once, on the calling thread.
  IBackgroundWork& Background() override { return background_; }

  void ClearClipboard() { clipboard_.reset(); }
  bool TimerRunning() const { return timerRunning_; }
  int TimerInterval() const { return timerInterval_; }
  // Runs the timer's callback once if the timer is running.
  void Tick();
  void AdvanceClock(std::uint32_t ms) { ticks_ += ms; }
  const std::vector<TPoint>& Warps() const { return warps_; }
  // The bitmap GrabScreen returns; none set: GrabScreen gives false.
  void SetScreen(const TBitmap& screen);

 private:
  std::unique_ptr<TBitmap> clipboard_;
  std::unique_ptr<TBitmap> screen_;
  bool timerRunning_ = false;
  int timerInterval_ = 0;
  std::function<void()> onTick_;
  std::uint32_t ticks_ = 0;
  std::vector<TPoint> warps_;
  TImmediateWork background_;
};

// Records what the editor told its view.
class TRecordingView : public IEditorView {
 public:
  void InvalidateImage(const TRect& r) override { Invalidated = Union(Invalidated, r); }
  void ImageReplaced() override { ++Replacements; }
  void SetStatusText(int panel, const std::string& text) override;
  void SetToolButton(const std::string& button, const std::string& commandId) override;
  void ShowHelp(const std::string& file, const std::string& topic) override;
  void RequestClose() override { CloseRequested = true; }

  std::string ToolButton(const std::string& button) const;

  TRect Invalidated{};  // union of the rectangles reported since the last reset
  int Replacements = 0;
  std::array<std::string, 4> Status;
  std::vector<std::pair<std::string, std::string>> ToolButtons;  // button, command
  std::string HelpFile;
  std::string HelpTopic;
  bool CloseRequested = false;
};

}  // namespace kroma
