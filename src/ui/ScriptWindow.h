#pragma once
// The script window "Kroma Script": edits, opens, saves and runs scripts
// that draw on the work image through gfx and app. Scripts run on a worker
// thread (every gfx and app call is carried out on this window's thread),
// so the window stays usable and Stop or Escape interrupts a runaway
// script. Errors are shown with their line in the output pane.
#include <QMainWindow>
#include <memory>
#include <string>

class QAction;
class QLabel;
class QPlainTextEdit;

namespace kroma {

class IPrompts;
class TCodeEditor;
class TKromaF;
class TQueuedPrompts;
class TScriptThread;
struct TScriptEnvironment;
struct TScriptOutcome;

class TScriptWindow : public QMainWindow {
 public:
  // `scriptPrompts`: the editor's prompts, which app.answer and
  // app.messages use. `dialogs`: where the window asks its own questions
  // (file names, saving); nullptr uses Qt dialogs.
  TScriptWindow(TKromaF& editor, TQueuedPrompts& scriptPrompts, IPrompts* dialogs, std::string scriptsFolder);
  ~TScriptWindow() override;

  // Shows the window centred on `owner` and brings it to the front.
  void ShowOver(QWidget* owner);

  TCodeEditor& Editor() { return *editor_; }
  QPlainTextEdit& Output() { return *output_; }
  QAction* Action(const char* name) const;
  bool Running() const;
  const std::string& ScriptFileName() const { return scriptFileName_; }

  // The tool-bar commands.
  void cmdScriptOpenClick();
  bool cmdScriptSaveClick();  // false when cancelled or failed
  bool cmdScriptSaveAsClick();
  void cmdScriptCloseClick();
  void cmdScriptRunClick();
  // Stop, also on Escape: interrupts the running script.
  void cmdScriptStopClick();

 private:
  void BuildToolBar();
  void Finished(const TScriptOutcome& outcome);
  void ShowRunning(bool running);
  void AppendOutput(const QString& text, const QColor& color);
  bool SaveTo(const std::string& path);
  void ShowError(const std::exception& e);

  IPrompts* dialogs_;
  std::unique_ptr<IPrompts> ownDialogs_;
  std::string scriptsFolder_;
  std::string scriptFileName_;
  std::unique_ptr<TScriptEnvironment> env_;
  TCodeEditor* editor_ = nullptr;
  QPlainTextEdit* output_ = nullptr;
  QLabel* state_ = nullptr;
  std::unique_ptr<TScriptThread> thread_;  // last: stopped first
};

}  // namespace kroma
