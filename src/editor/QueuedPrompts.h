#pragma once
// Prompts that a script can answer ahead of time. Answers queued with
// Answer() serve the next prompts in order, whatever their kind (input
// box: the text; question: "yes" or "no"; file: the path; colour:
// "#RRGGBB"; font: "Name" or "Name,Size"); with the queue empty the prompt
// goes to the wrapped prompts (the dialogs in the window, the scripted
// prompts in a batch run). Every message box text is also kept until
// TakeMessages() collects it.
#include <cstddef>
#include <deque>
#include <mutex>
#include <string>
#include <vector>

#include "editor/Prompts.h"

namespace kroma {

class TQueuedPrompts : public IPrompts {
 public:
  explicit TQueuedPrompts(IPrompts& inner) : inner_(inner) {}

  // Thread-safe: a script thread may queue while the editor's thread asks.
  void Answer(std::string answer);
  void ClearAnswers();
  // The message texts shown since the last call, oldest first. At most
  // kKeptMessages are kept; older ones are dropped.
  std::vector<std::string> TakeMessages();
  static constexpr std::size_t kKeptMessages = 1000;

  using IPrompts::InputBox;
  bool InputQuery(const std::string& caption, const std::string& prompt, std::string& text) override;
  void ShowMessage(const std::string& text) override;
  bool AskYesNo(const std::string& text) override;
  bool ChooseOpenFile(const TFileChoice& choice, std::string& path) override;
  bool ChooseSaveFile(const TFileChoice& choice, std::string& path) override;
  bool ChooseColor(TColor& color) override;
  bool ChooseFont(TFont& font) override;

 private:
  bool Next(std::string& answer);

  IPrompts& inner_;
  std::mutex mutex_;
  std::deque<std::string> answers_;
  std::deque<std::string> messages_;
};

}  // namespace kroma
