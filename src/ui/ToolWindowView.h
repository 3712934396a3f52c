#pragma once
// The window of a tool window model (editor/windows/ToolWindow.h): a widget
// for each control, laid out for the window's class, that turns the user's
// moves and clicks into the model's Set, Click and Mouse and shows again
// whatever control the model reports changed. Errors of the model's
// handlers are shown as messages. While background work runs (a preview
// rendering), the window shows a busy cursor and says so.
#include <QWidget>
#include <functional>
#include <map>
#include <string>

class QLabel;

namespace kroma {

class TToolWindow;
struct TToolControl;

class TToolWindowView : public QWidget {
 public:
  // `onError` shows an error of a handler.
  TToolWindowView(TToolWindow& model, std::function<void(const std::exception&)> onError, QWidget* parent);
  ~TToolWindowView() override;

  TToolWindow& Model() { return model_; }
  // The widget of a control (nullptr for none), for tests.
  QWidget* ControlWidget(const std::string& name) const;
  // Background work started or ended.
  void SetBusy(bool busy);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  QWidget* MakeWidget(TToolControl& control);
  void Refresh(const std::string& control);
  void Show(const TToolControl& control);
  void Guard(const std::function<void()>& action);

  TToolWindow& model_;
  std::function<void(const std::exception&)> onError_;
  std::map<std::string, QWidget*> widgets_;
  QLabel* busy_ = nullptr;
  bool updating_ = false;  // widgets being set from the model: their signals are not the user's
  bool placed_ = false;
};

}  // namespace kroma
