#pragma once
// IPrompts: everything the editor asks of the person at the screen. The
// window implements it with dialogs; tests and the batch runner answer
// from a script (editor/ScriptedPorts.h).
#include <string>
#include <vector>

#include "core/Types.h"

namespace kroma {

struct TFont;

struct TFileFilter {
  std::string Name;      // "Bitmaps"
  std::string Patterns;  // "*.bmp;*.dib"
};

struct TFileChoice {
  std::string Title;
  std::vector<TFileFilter> Filters;
  std::string InitialPath;
  std::string DefaultExt;  // "bmp", added when the chosen name has none
};

class IPrompts {
 public:
  virtual ~IPrompts() = default;
  // The one-line input box, showing `text` at first: true with the typed
  // text in `text`, or false with `text` unchanged when it is cancelled.
  virtual bool InputQuery(const std::string& caption, const std::string& prompt, std::string& text) = 0;
  // The typed text, or `defaultText` when the box is cancelled (most
  // commands take the default as entered).
  std::string InputBox(const std::string& caption, const std::string& prompt, const std::string& defaultText) {
    std::string text = defaultText;
    InputQuery(caption, prompt, text);
    return text;
  }
  // A modal message with an OK button.
  virtual void ShowMessage(const std::string& text) = 0;
  // A question with Yes and No; true for Yes.
  virtual bool AskYesNo(const std::string& text) = 0;
  // File choices: false when cancelled; `path` holds the chosen file.
  virtual bool ChooseOpenFile(const TFileChoice& choice, std::string& path) = 0;
  virtual bool ChooseSaveFile(const TFileChoice& choice, std::string& path) = 0;
  // Colour and font dialogs starting from the given value; false when cancelled.
  virtual bool ChooseColor(TColor& color) = 0;
  virtual bool ChooseFont(TFont& font) = 0;
};

}  // namespace kroma
