#include "ui/ToolWindowView.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <vector>

#include "editor/windows/ToolWindow.h"
#include "ui/ImageConvert.h"

namespace kroma {
namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

TShiftState ShiftOf(const QMouseEvent* e) {
  TShiftState s = 0;
  if (e->modifiers() & Qt::ShiftModifier) s |= ssShift;
  if (e->modifiers() & Qt::ControlModifier) s |= ssCtrl;
  if (e->modifiers() & Qt::AltModifier) s |= ssAlt;
  if (e->buttons() & Qt::LeftButton) s |= ssLeft;
  if (e->buttons() & Qt::RightButton) s |= ssRight;
  if (e->buttons() & Qt::MiddleButton) s |= ssMiddle;
  return s;
}

TMouseButton ButtonOf(Qt::MouseButton b) {
  return b == Qt::RightButton ? mbRight : b == Qt::MiddleButton ? mbMiddle : mbLeft;
}

// A picture control: its bitmap at full size, mouse phases to the model.
class TPictureLabel : public QLabel {
 public:
  explicit TPictureLabel(std::function<void(TMousePhase, QMouseEvent*)> onMouse) : onMouse_(std::move(onMouse)) {
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setMouseTracking(false);
  }

 protected:
  void mousePressEvent(QMouseEvent* e) override { onMouse_(TMousePhase::Down, e); }
  void mouseMoveEvent(QMouseEvent* e) override { onMouse_(TMousePhase::Move, e); }
  void mouseReleaseEvent(QMouseEvent* e) override { onMouse_(TMousePhase::Up, e); }

 private:
  std::function<void(TMousePhase, QMouseEvent*)> onMouse_;
};

}  // namespace

TToolWindowView::TToolWindowView(TToolWindow& model, std::function<void(const std::exception&)> onError,
                                 QWidget* parent)
    : QWidget(parent, Qt::Tool), model_(model), onError_(std::move(onError)) {
  setObjectName(Q(model.ClassName()));
  setWindowTitle(Q(model.Caption()));
  for (const auto& control : model.Controls()) widgets_[control->Name] = MakeWidget(*control);
  busy_ = new QLabel;
  busy_->setObjectName("busy");

  auto* root = new QVBoxLayout(this);
  auto take = [this](const char* name) {
    auto it = widgets_.find(name);
    return it == widgets_.end() ? nullptr : it->second;
  };
  if (model.ClassName() == "TKromaEffectsF") {
    setWindowFlag(Qt::WindowStaysOnTopHint);
    auto* top = new QHBoxLayout;
    top->addWidget(take("ETree"), 1);
    top->addWidget(take("EBar"));
    root->addLayout(top, 1);
    auto* bars = new QGridLayout;
    int row = 0;
    for (const char* name : {"extrabar", "cxbar", "cybar"}) {
      bars->addWidget(new QLabel(Q(model.Control(name).Caption)), row, 0);
      bars->addWidget(take(name), row++, 1);
    }
    root->addLayout(bars);
    resize(360, 420);
  } else if (model.ClassName() == "TQuickPreviewF") {
    auto* scroll = new QScrollArea;
    scroll->setObjectName("ScrollBox1");
    scroll->setWidget(take("Image1"));
    scroll->setWidgetResizable(false);
    root->addWidget(scroll, 1);
    auto* buttons = new QHBoxLayout;
    for (const char* name : {"btnUse", "goSave", "goNext", "trans"}) buttons->addWidget(take(name));
    buttons->addStretch(1);
    root->addLayout(buttons);
    resize(480, 400);
  } else {
    // Any other window: its controls one below the other.
    auto* form = new QFormLayout;
    QMenuBar* menu = nullptr;
    for (const auto& control : model.Controls()) {
      QWidget* w = widgets_[control->Name];
      if (control->Kind == TControlKind::MenuItem) {
        if (!menu) menu = new QMenuBar;
        continue;
      }
      form->addRow(control->Kind == TControlKind::ScrollBar ? Q(control->Caption) : QString(), w);
    }
    if (menu) {
      for (const auto& control : model.Controls())
        if (control->Kind == TControlKind::MenuItem) {
          const std::string name = control->Name;
          menu->addAction(Q(control->Caption), [this, name] { Guard([&] { model_.Click(name); }); });
        }
      root->setMenuBar(menu);
    }
    root->addLayout(form);
  }
  root->addWidget(busy_);

  for (const auto& control : model.Controls()) Show(*control);
  model.Changed = [this](const std::string& control) { Refresh(control); };
  if (model.Visible()) show();
}

TToolWindowView::~TToolWindowView() { model_.Changed = nullptr; }

QWidget* TToolWindowView::ControlWidget(const std::string& name) const {
  auto it = widgets_.find(name);
  return it == widgets_.end() ? nullptr : it->second;
}

void TToolWindowView::SetBusy(bool busy) {
  busy_->setText(busy ? "Rendering..." : "");
  if (busy)
    setCursor(Qt::BusyCursor);
  else
    unsetCursor();
}

void TToolWindowView::Guard(const std::function<void()>& action) {
  try {
    action();
  } catch (const std::exception& e) {
    onError_(e);
  }
}

QWidget* TToolWindowView::MakeWidget(TToolControl& control) {
  const std::string name = control.Name;
  QWidget* widget = nullptr;
  switch (control.Kind) {
    case TControlKind::ScrollBar: {
      auto* bar = new QScrollBar(control.Horizontal ? Qt::Horizontal : Qt::Vertical);
      connect(bar, &QScrollBar::valueChanged, this, [this, name](int value) {
        if (!updating_) Guard([&] { model_.Set(name, Variant(value)); });
      });
      widget = bar;
      break;
    }
    case TControlKind::CheckBox: {
      auto* box = new QCheckBox(Q(control.Caption));
      connect(box, &QCheckBox::toggled, this, [this, name](bool on) {
        if (!updating_) Guard([&] { model_.Set(name, Variant(on)); });
      });
      widget = box;
      break;
    }
    case TControlKind::Edit: {
      auto* edit = new QLineEdit;
      connect(edit, &QLineEdit::textEdited, this, [this, name](const QString& text) {
        if (!updating_) Guard([&] { model_.Set(name, Variant(text.toStdString())); });
      });
      widget = edit;
      break;
    }
    case TControlKind::Label: widget = new QLabel; break;
    case TControlKind::Tree: {
      auto* tree = new QTreeWidget;
      tree->setHeaderHidden(true);
      std::vector<QTreeWidgetItem*> items;
      for (std::size_t n = 0; n < control.Nodes.size(); ++n) {
        const TTreeNode& node = control.Nodes[n];
        auto* item = node.Parent < 0 ? new QTreeWidgetItem(tree)
                                     : new QTreeWidgetItem(items[static_cast<std::size_t>(node.Parent)]);
        item->setText(0, Q(node.Caption));
        item->setData(0, Qt::UserRole, static_cast<int>(n));
        items.push_back(item);
      }
      connect(tree, &QTreeWidget::itemClicked, this, [this, name](QTreeWidgetItem* item) {
        if (updating_) return;
        const int node = item->data(0, Qt::UserRole).toInt();
        Guard([&] { model_.Set(name, Variant(model_.NodePath(model_.Control(name), node))); });
      });
      widget = tree;
      break;
    }
    case TControlKind::Button: {
      auto* button = new QPushButton(Q(control.Caption));
      connect(button, &QPushButton::clicked, this, [this, name] { Guard([&] { model_.Click(name); }); });
      widget = button;
      break;
    }
    case TControlKind::Picture:
      widget = new TPictureLabel([this, name](TMousePhase phase, QMouseEvent* e) {
        const QPoint p = e->position().toPoint();
        Guard([&] { model_.Mouse(name, phase, p.x(), p.y(), ButtonOf(e->button()), ShiftOf(e)); });
      });
      break;
    case TControlKind::MenuItem: widget = new QWidget; break;  // shown in the menu bar
  }
  widget->setObjectName(Q(name));
  return widget;
}

void TToolWindowView::Show(const TToolControl& c) {
  QWidget* widget = ControlWidget(c.Name);
  if (!widget) return;
  updating_ = true;
  widget->setEnabled(c.Enabled);
  switch (c.Kind) {
    case TControlKind::ScrollBar: {
      auto* bar = static_cast<QScrollBar*>(widget);
      bar->setRange(c.Min, c.Max);
      bar->setValue(c.Position);
      break;
    }
    case TControlKind::CheckBox: static_cast<QCheckBox*>(widget)->setChecked(c.Checked); break;
    case TControlKind::Edit: static_cast<QLineEdit*>(widget)->setText(Q(c.Text)); break;
    case TControlKind::Label: static_cast<QLabel*>(widget)->setText(Q(c.Text)); break;
    case TControlKind::Tree: {
      auto* tree = static_cast<QTreeWidget*>(widget);
      for (QTreeWidgetItemIterator it(tree); *it; ++it)
        if ((*it)->data(0, Qt::UserRole).toInt() == c.Selected) tree->setCurrentItem(*it);
      break;
    }
    case TControlKind::Button: static_cast<QPushButton*>(widget)->setText(Q(c.Caption)); break;
    case TControlKind::Picture: {
      auto* label = static_cast<QLabel*>(widget);
      if (c.Picture.Empty()) {
        label->clear();
      } else {
        label->setPixmap(QPixmap::fromImage(BitmapToQImage(c.Picture)));
      }
      label->adjustSize();
      break;
    }
    case TControlKind::MenuItem: break;
  }
  updating_ = false;
}

void TToolWindowView::Refresh(const std::string& control) {
  if (control.empty()) {
    if (model_.Visible()) {
      if (!placed_ && parentWidget()) {
        // The first time beside the main window's top-left corner; the
        // preview to the right of the dialog.
        const int right = model_.ClassName() == "TQuickPreviewF" ? 420 : 60;
        move(parentWidget()->pos() + QPoint(right, 100));
        placed_ = true;
      }
      show();
      raise();
    } else {
      hide();
    }
    return;
  }
  Show(model_.Control(control));
}

void TToolWindowView::closeEvent(QCloseEvent* event) {
  // The user closed the window: the model closes as its Close would.
  if (model_.Visible()) Guard([&] { model_.Close(); });
  event->accept();
}

}  // namespace kroma
