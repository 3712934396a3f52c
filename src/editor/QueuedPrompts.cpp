#include "editor/QueuedPrompts.h"

#include "core/Canvas.h"
#include "editor/ScriptedPorts.h"

namespace kroma {

void TQueuedPrompts::Answer(std::string answer) {
  std::lock_guard lock(mutex_);
  answers_.push_back(std::move(answer));
}

void TQueuedPrompts::ClearAnswers() {
  std::lock_guard lock(mutex_);
  answers_.clear();
}

std::vector<std::string> TQueuedPrompts::TakeMessages() {
  std::lock_guard lock(mutex_);
  std::vector<std::string> out(messages_.begin(), messages_.end());
  messages_.clear();
  return out;
}

bool TQueuedPrompts::Next(std::string& answer) {
  std::lock_guard lock(mutex_);
  if (answers_.empty()) return false;
  answer = std::move(answers_.front());
  answers_.pop_front();
  return true;
}

bool TQueuedPrompts::InputQuery(const std::string& caption, const std::string& prompt, std::string& text) {
  std::string answer;
  if (!Next(answer)) return inner_.InputQuery(caption, prompt, text);
  text = std::move(answer);
  return true;
}

void TQueuedPrompts::ShowMessage(const std::string& text) {
  {
    std::lock_guard lock(mutex_);
    messages_.push_back(text);
    if (messages_.size() > kKeptMessages) messages_.pop_front();
  }
  inner_.ShowMessage(text);
}

bool TQueuedPrompts::AskYesNo(const std::string& text) {
  std::string answer;
  return Next(answer) ? IsYesAnswer(answer) : inner_.AskYesNo(text);
}

bool TQueuedPrompts::ChooseOpenFile(const TFileChoice& choice, std::string& path) {
  std::string answer;
  if (!Next(answer)) return inner_.ChooseOpenFile(choice, path);
  path = answer;
  return true;
}

bool TQueuedPrompts::ChooseSaveFile(const TFileChoice& choice, std::string& path) {
  std::string answer;
  if (!Next(answer)) return inner_.ChooseSaveFile(choice, path);
  path = answer;
  return true;
}

// Colour and font answers are read by the scripted prompts' rules, so both
// kinds of prompts take the same text.
bool TQueuedPrompts::ChooseColor(TColor& color) {
  std::string answer;
  if (!Next(answer)) return inner_.ChooseColor(color);
  TScriptedPrompts reader;
  reader.Answer(answer);
  return reader.ChooseColor(color);
}

bool TQueuedPrompts::ChooseFont(TFont& font) {
  std::string answer;
  if (!Next(answer)) return inner_.ChooseFont(font);
  TScriptedPrompts reader;
  reader.Answer(answer);
  return reader.ChooseFont(font);
}

}  // namespace kroma
