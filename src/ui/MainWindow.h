#pragma once
// The main window: menu bar and tool bar built from the command table, the
// work image in a scroll box, the colour panels and the status bar. It
// owns the editor and shows what the editor tells it (IEditorView).
#include <QMainWindow>
#include <array>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "editor/EditorView.h"
#include "editor/Settings.h"

class QLabel;
class QMenu;
class QAction;
class QToolButton;
class QScrollArea;

namespace kroma {

class IPrompts;
class TKromaF;
class TQueuedPrompts;
class TScriptWindow;
class TImageWidget;
class TQtDesktop;
class TColorListWidget;
class TGammaPanel;
class TRangeFrameWidget;
class TToolWindow;
class TToolWindowView;
class TFloatImageWidget;
struct TCommand;

class TMainWindow : public QMainWindow, public IEditorView {
 public:
  // `prompts`: answers for the editor's questions; nullptr uses Qt dialogs.
  explicit TMainWindow(TAppPaths paths, IPrompts* prompts = nullptr);
  ~TMainWindow() override;

  // Shows the window as the settings file placed it.
  void ShowAsPlaced();

  TKromaF& Editor() { return *editor_; }
  TImageWidget& ImageWidget() { return *image_; }
  // The QAction of a command (nullptr when the table has none).
  QAction* CommandAction(const std::string& id) const;
  QToolButton* ToolButton(const std::string& name) const;
  // The script window (View > Script), made on first use.
  TScriptWindow& ScriptWindow();
  // Opens an image file as the work image; a failure is shown as a message.
  void OpenImage(const std::string& path);

  // IEditorView
  void InvalidateImage(const TRect& r) override;
  void ImageReplaced() override;
  void SetStatusText(int panel, const std::string& text) override;
  void SetToolButton(const std::string& button, const std::string& commandId) override;
  void ShowHelp(const std::string& file, const std::string& topic) override;
  void RequestClose() override;
  void ShowScriptWindow() override;
  void SyncOverlays() override;
  void ToolWindowMade(TToolWindow& window) override;
  // The window of a tool window that was made (nullptr before).
  TToolWindowView* ToolWindowView(const std::string& className) const;

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildMenus();
  void BuildToolBar();
  void BuildCentral();
  void BuildStatusBar();
  void BuildOverlays();
  QMenu* MenuFor(const std::vector<std::string>& parts);
  void Run(const std::string& commandId);
  void RefreshActions();
  void ShowError(const std::exception& e);
  TWindowPlacement CurrentPlacement() const;

  std::unique_ptr<IPrompts> ownPrompts_;
  IPrompts* prompts_;
  std::unique_ptr<TQueuedPrompts> editorPrompts_;  // prompts_ with the answers scripts queue
  std::unique_ptr<TQtDesktop> desktop_;
  std::unique_ptr<TKromaF> editor_;
  std::unique_ptr<TScriptWindow> script_;  // after editor_: destroyed, its script stopped, before the editor
  TImageWidget* image_ = nullptr;
  QScrollArea* scrollBox_ = nullptr;
  TColorListWidget* colorList_ = nullptr;
  TGammaPanel* gamma_ = nullptr;
  TRangeFrameWidget* frame_ = nullptr;
  TFloatImageWidget* float_ = nullptr;
  std::array<QLabel*, 4> panels_{};
  std::map<std::string, QMenu*> menus_;  // by path prefix, accelerators kept
  std::vector<std::pair<QAction*, const TCommand*>> actions_;
  std::map<std::string, QToolButton*> buttons_;
  QWidget* help_ = nullptr;
  // The tool windows' windows, by class name; deleted before the editor.
  std::map<std::string, TToolWindowView*> toolViews_;
  bool shown_ = false;
  bool closed_ = false;
};

}  // namespace kroma
