#include "ui/ScriptWindow.h"

#include <QAction>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QTextCursor>
#include <QToolBar>
#include <filesystem>

#include "core/FileIO.h"
#include "editor/Prompts.h"
#include "editor/QueuedPrompts.h"
#include "script/ScriptObjects.h"
#include "script/ScriptThread.h"
#include "ui/CodeEditor.h"
#include "ui/JsHighlighter.h"
#include "ui/QtPorts.h"

namespace kroma {
namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

// Scripts are small; anything larger is not one.
constexpr std::uint64_t kMaxScriptBytes = std::uint64_t{16} << 20;

TFileChoice ScriptChoice(const char* title, const std::string& folder) {
  return {.Title = title, .Filters = {{"Javascript files", "*.js"}}, .InitialPath = folder, .DefaultExt = "js"};
}

}  // namespace

TScriptWindow::TScriptWindow(TKromaF& editor, TQueuedPrompts& scriptPrompts, IPrompts* dialogs,
                             std::string scriptsFolder)
    : dialogs_(dialogs), scriptsFolder_(std::move(scriptsFolder)) {
  if (!dialogs_) {
    ownDialogs_ = std::make_unique<TQtPrompts>(this);
    dialogs_ = ownDialogs_.get();
  }
  env_ = std::make_unique<TScriptEnvironment>(TScriptEnvironment{editor, scriptPrompts, {}});
  setObjectName("KromaScriptF");
  setWindowTitle(tr("Kroma Script"));
  setWindowFlag(Qt::WindowStaysOnTopHint, true);
  resize(560, 480);

  editor_ = new TCodeEditor;
  editor_->setObjectName("scriptEditor");
  new TJsHighlighter(editor_->document());
  output_ = new QPlainTextEdit;
  output_->setObjectName("scriptOutput");
  output_->setReadOnly(true);
  output_->setMaximumBlockCount(10000);  // a script may print without end
  output_->setFont(editor_->font());
  auto* split = new QSplitter(Qt::Vertical);
  split->addWidget(editor_);
  split->addWidget(output_);
  split->setStretchFactor(0, 4);
  split->setStretchFactor(1, 1);
  setCentralWidget(split);
  state_ = new QLabel;
  statusBar()->addWidget(state_, 1);

  thread_ = std::make_unique<TScriptThread>(this, *env_);
  BuildToolBar();
  ShowRunning(false);
}

TScriptWindow::~TScriptWindow() = default;

void TScriptWindow::BuildToolBar() {
  QToolBar* bar = addToolBar(tr("Script"));
  bar->setObjectName("ToolBar1");
  bar->setMovable(false);
  bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
  auto add = [&](const char* name, QStyle::StandardPixmap icon, const QString& hint, auto handler) {
    QAction* action = bar->addAction(style()->standardIcon(icon), hint);
    action->setObjectName(name);
    action->setToolTip(hint);
    connect(action, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
    return action;
  };
  add("cmdScriptOpen", QStyle::SP_DialogOpenButton, tr("Open"), &TScriptWindow::cmdScriptOpenClick);
  add("cmdScriptSave", QStyle::SP_DialogSaveButton, tr("Save"), &TScriptWindow::cmdScriptSaveClick);
  add("cmdScriptSaveAs", QStyle::SP_DriveFDIcon, tr("Save As"), &TScriptWindow::cmdScriptSaveAsClick);
  add("cmdScriptClose", QStyle::SP_DialogCloseButton, tr("Close"), &TScriptWindow::cmdScriptCloseClick);
  bar->addSeparator();
  QAction* run = add("cmdScriptRun", QStyle::SP_MediaPlay, tr("Run (F5)"), &TScriptWindow::cmdScriptRunClick);
  run->setShortcut(Qt::Key_F5);
  QAction* stop = add("cmdScriptStop", QStyle::SP_MediaStop, tr("Stop (Esc)"), &TScriptWindow::cmdScriptStopClick);
  stop->setShortcut(Qt::Key_Escape);
  stop->setShortcutContext(Qt::WindowShortcut);
}

QAction* TScriptWindow::Action(const char* name) const { return findChild<QAction*>(name); }

bool TScriptWindow::Running() const { return thread_->Running(); }

void TScriptWindow::ShowOver(QWidget* owner) {
  if (!isVisible() && owner) {
    QRect frame = geometry();
    frame.moveCenter(owner->frameGeometry().center());
    move(frame.topLeft());
  }
  show();
  raise();
  activateWindow();
}

void TScriptWindow::ShowRunning(bool running) {
  Action("cmdScriptRun")->setEnabled(!running);
  Action("cmdScriptStop")->setEnabled(running);
  if (running) state_->setText(tr("Running..."));
}

void TScriptWindow::AppendOutput(const QString& text, const QColor& color) {
  QTextCursor cursor(output_->document());
  cursor.movePosition(QTextCursor::End);
  QTextCharFormat format;
  format.setForeground(color);
  if (!output_->document()->isEmpty()) cursor.insertBlock();
  cursor.insertText(text, format);
  output_->setTextCursor(cursor);
  output_->ensureCursorVisible();
}

void TScriptWindow::ShowError(const std::exception& e) { dialogs_->ShowMessage(e.what()); }

void TScriptWindow::cmdScriptRunClick() {
  if (Running()) return;
  output_->clear();
  std::string name = scriptFileName_.empty() ? "script" : std::filesystem::path(scriptFileName_).filename().string();
  QColor text = output_->palette().color(QPalette::Text);
  bool started = thread_->Start(
      editor_->toPlainText().toStdString(), name, [this, text](const std::string& line) { AppendOutput(Q(line), text); },
      [this](const TScriptOutcome& outcome) { Finished(outcome); });
  if (started) ShowRunning(true);
}

void TScriptWindow::cmdScriptStopClick() { thread_->Stop(); }

void TScriptWindow::Finished(const TScriptOutcome& outcome) {
  ShowRunning(false);
  switch (outcome.Status) {
    case TScriptOutcome::Finished:
      state_->setText(tr("Ended."));
      break;
    case TScriptOutcome::Interrupted:
      state_->setText(tr("Stopped."));
      AppendOutput(tr("Script stopped."), QColor(160, 80, 0));
      break;
    case TScriptOutcome::Failed: {
      QString where = outcome.Line > 0 ? tr("line %1: ").arg(outcome.Line) : QString();
      AppendOutput(where + Q(outcome.Message), QColor(200, 0, 0));
      state_->setText(tr("Failed."));
      if (outcome.Line > 0) editor_->GoToLine(outcome.Line);
      break;
    }
  }
}

void TScriptWindow::cmdScriptOpenClick() {
  std::string path;
  if (!dialogs_->ChooseOpenFile(ScriptChoice("Select a script", scriptsFolder_), path)) return;
  try {
    std::vector<std::uint8_t> bytes = ReadWholeFile(path, kMaxScriptBytes);
    editor_->setPlainText(QString::fromUtf8(reinterpret_cast<const char*>(bytes.data()),
                                            static_cast<qsizetype>(bytes.size())));
    scriptFileName_ = path;
  } catch (const std::exception& e) {
    ShowError(e);
  }
}

bool TScriptWindow::SaveTo(const std::string& path) {
  try {
    QByteArray bytes = editor_->toPlainText().toUtf8();
    WriteFileAtomic(path, bytes.constData(), static_cast<std::size_t>(bytes.size()));
    scriptFileName_ = path;
    editor_->document()->setModified(false);
    return true;
  } catch (const std::exception& e) {
    ShowError(e);
    return false;
  }
}

bool TScriptWindow::cmdScriptSaveAsClick() {
  std::string path;
  if (!dialogs_->ChooseSaveFile(ScriptChoice("Save script", scriptsFolder_), path)) return false;
  return SaveTo(std::filesystem::path(path).replace_extension(".js").string());
}

bool TScriptWindow::cmdScriptSaveClick() {
  if (scriptFileName_.empty()) return cmdScriptSaveAsClick();
  return SaveTo(scriptFileName_);
}

void TScriptWindow::cmdScriptCloseClick() {
  // Yes and then a cancelled or failed save keeps the script.
  if (dialogs_->AskYesNo("Do you want to save this script?") && !cmdScriptSaveClick()) return;
  editor_->clear();
  editor_->document()->setModified(false);
  scriptFileName_.clear();
}

}  // namespace kroma
