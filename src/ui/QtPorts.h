#pragma once
// The editor's ports on a real desktop: Qt dialogs for the prompts, and
// the clipboard, a QTimer, the cursor and the screen for the desktop.
#include <QElapsedTimer>
#include <QPoint>
#include <QTimer>
#include <functional>

#include "editor/Desktop.h"
#include "editor/Prompts.h"
#include "ui/QtBackgroundWork.h"

class QWidget;

namespace kroma {

class TQtPrompts : public IPrompts {
 public:
  explicit TQtPrompts(QWidget* parent) : parent_(parent) {}
  using IPrompts::InputBox;
  bool InputQuery(const std::string& caption, const std::string& prompt, std::string& text) override;
  void ShowMessage(const std::string& text) override;
  bool AskYesNo(const std::string& text) override;
  bool ChooseOpenFile(const TFileChoice& choice, std::string& path) override;
  bool ChooseSaveFile(const TFileChoice& choice, std::string& path) override;
  bool ChooseColor(TColor& color) override;
  bool ChooseFont(TFont& font) override;

 private:
  QWidget* parent_;
};

class TQtDesktop : public IDesktop {
 public:
  // `toScreen` maps an image point to a global screen position; `onError`
  // shows the errors of background work.
  TQtDesktop(std::function<QPoint(TPoint)> toScreen, std::function<void(const std::exception&)> onError);
  bool GetClipboardImage(TBitmap& image) override;
  void SetClipboardImage(const TBitmap& image) override;
  void StartTimer(int intervalMs, std::function<void()> onTick) override;
  void StopTimer() override;
  std::uint32_t TickCount() override;
  void WarpCursor(TPoint imagePoint) override;
  bool GrabScreen(TBitmap& screen) override;
  TQtBackgroundWork& Background() override { return background_; }

 private:
  std::function<QPoint(TPoint)> toScreen_;
  TQtBackgroundWork background_;
  QTimer timer_;
  QMetaObject::Connection tick_;
  QElapsedTimer clock_;
};

}  // namespace kroma
