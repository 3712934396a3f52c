#include "ui/MainWindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QFile>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QTextBrowser>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <tuple>

#include "core/Bitmap.h"
#include "editor/Commands.h"
#include "editor/KromaF.h"
#include "editor/Modules.h"
#include "editor/QueuedPrompts.h"
#include "editor/WorkImage.h"
#include "ui/ColorListWidget.h"
#include "ui/GammaPanel.h"
#include "ui/Icons.h"
#include "editor/windows/ToolWindow.h"
#include "ui/ImageWidget.h"
#include "ui/QtPorts.h"
#include "ui/RangeOverlays.h"
#include "ui/ScriptWindow.h"
#include "ui/ScrollBoxResize.h"
#include "ui/ToolWindowView.h"

namespace kroma {
namespace {

QString Q(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

// The menu bar's order; roots it does not name come before Help.
constexpr std::array<std::string_view, 8> kRootOrder = {"File",    "Edit",    "View",    "Image",
                                                       "Range",   "Options", "Gadgets", "Help"};

std::size_t RootRank(const std::string& root) {
  std::string caption = CaptionOf(root);
  auto it = std::find(kRootOrder.begin(), kRootOrder.end(), caption);
  if (it == kRootOrder.end()) return kRootOrder.size() - 1;  // before Help (stable sort keeps Help last)
  return static_cast<std::size_t>(it - kRootOrder.begin());
}

// The tool bar, left to right: drop-down buttons with their menus, then
// the plain buttons. A button whose command no module provides yet is
// shown disabled.
struct TToolSlot {
  const char* name;
  const char* menuRoot;      // drop-down menu, or nullptr
  const char* commandId;     // click command, or nullptr
  const char* startCommand;  // whose image the button shows at start
  const char* hint;
};
constexpr std::array kToolSlots = {
    TToolSlot{"setshape", "@shapes", nullptr, "Line1Click", "Line"},
    TToolSlot{"setbrushstyle", "@brushstyle", nullptr, "BrushClear1Click", "Brush style"},
    TToolSlot{"setwidth", "@linewidth", nullptr, "N1pixel1Click", "Line width"},
    TToolSlot{"setpenmode", "@penmodes", nullptr, "PenCopy1Click", "Pen mode"},
    TToolSlot{"selectcopy", "@copymodes", "selectcopyClick", "Paste1Click", "Copy Selection"},
    TToolSlot{"seteffects", "@effects", nullptr, nullptr, "Effects"},
    TToolSlot{"btnturn", nullptr, "btnturnClick", nullptr, "Turn"},
    TToolSlot{"ToolButton2", nullptr, "ToolButton2Click", nullptr, "Select Range"},
    TToolSlot{"ToolButton5", nullptr, "ToolButton5Click", nullptr, "Pick Brush"},
    TToolSlot{"Floodfill1", nullptr, "Floodfill1Click", nullptr, "Floodfill"},
    TToolSlot{"ToolButton14", "@floodrange", "ToolButton14Click", "ToolButton14Click", "FloodFill Range"},
    TToolSlot{"ToolButton12", nullptr, "ToolButton12Click", nullptr, "Clear Image"},
    TToolSlot{"goUndo", nullptr, "goUndoClick", nullptr, "Undo"},
};

// Status panels and their widths.
constexpr std::array<int, 4> kPanelWidths = {150, 100, 200, 200};

}  // namespace

TMainWindow::TMainWindow(TAppPaths paths, IPrompts* prompts) {
  if (!prompts) {
    ownPrompts_ = std::make_unique<TQtPrompts>(this);
    prompts = ownPrompts_.get();
  }
  prompts_ = prompts;
  editorPrompts_ = std::make_unique<TQueuedPrompts>(*prompts_);
  desktop_ = std::make_unique<TQtDesktop>([this](TPoint p) { return image_->mapToGlobal(QPoint(p.x, p.y)); },
                                          [this](const std::exception& e) { ShowError(e); });
  desktop_->Background().BusyChanged = [this](bool busy) {
    for (auto& [name, view] : toolViews_) view->SetBusy(busy);
  };
  editor_ = std::make_unique<TKromaF>(*editorPrompts_, *desktop_, *this, std::move(paths));

  setWindowTitle(Q(kAppTitle));
  BuildCentral();
  BuildMenus();
  BuildToolBar();
  BuildStatusBar();
  BuildOverlays();
  editor_->FormCreate();
  RefreshActions();
}

TMainWindow::~TMainWindow() {
  // No render may finish into a window that is gone.
  desktop_->Background().Stop();
  for (auto& [name, view] : toolViews_) delete view;
  delete help_;
}

void TMainWindow::BuildCentral() {
  image_ = new TImageWidget(*editor_, [this](const std::exception& e) { ShowError(e); });
  scrollBox_ = new QScrollArea;
  scrollBox_->setObjectName("ScrollBox1");
  scrollBox_->setBackgroundRole(QPalette::Dark);
  scrollBox_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  scrollBox_->setWidget(image_);
  new TScrollBoxResize(*editor_, scrollBox_->viewport(), image_, [this](const std::exception& e) { ShowError(e); });

  // The colour list scrolls in its own page; the colour panel sits below.
  auto* side = new QWidget;
  side->setFixedWidth(124);
  auto* sideLayout = new QVBoxLayout(side);
  sideLayout->setContentsMargins(4, 4, 4, 4);
  colorList_ = new TColorListWidget(*editor_);
  auto* listPage = new QScrollArea;
  listPage->setObjectName("colorlistPage");
  listPage->setWidget(colorList_);
  listPage->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  listPage->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  sideLayout->addWidget(listPage, 1);
  gamma_ = new TGammaPanel(*editor_);
  sideLayout->addWidget(gamma_);

  auto* central = new QWidget;
  auto* layout = new QHBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(side);
  layout->addWidget(scrollBox_, 1);
  setCentralWidget(central);
}

QMenu* TMainWindow::MenuFor(const std::vector<std::string>& parts) {
  std::string key;
  QMenu* menu = nullptr;
  for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
    key += (i ? "/" : "") + parts[i];
    auto it = menus_.find(key);
    if (it != menus_.end()) {
      menu = it->second;
      continue;
    }
    QMenu* created = nullptr;
    if (i == 0) {
      created = parts[0].front() == '@' ? new QMenu(this) : menuBar()->addMenu(Q(parts[0]));
    } else {
      created = menu->addMenu(Q(parts[i]));
    }
    created->setObjectName(Q(key));
    connect(created, &QMenu::aboutToShow, this, [this] { RefreshActions(); });
    menus_[key] = created;
    menu = created;
  }
  return menu;
}

void TMainWindow::BuildMenus() {
  const auto& rows = EditorCommands().Rows();
  // Menu bar roots first, in their order.
  std::vector<std::string> roots;
  for (const TCommand& c : rows) {
    std::string root = SplitPath(c.Path).front();
    if (root.front() != '@' && std::find(roots.begin(), roots.end(), root) == roots.end()) roots.push_back(root);
  }
  std::stable_sort(roots.begin(), roots.end(),
                   [](const std::string& a, const std::string& b) { return RootRank(a) < RootRank(b); });
  for (const std::string& root : roots) MenuFor({root, ""});
  for (const TCommand& c : rows) {
    std::vector<std::string> parts = SplitPath(c.Path);
    if (parts.size() < 2) continue;
    QMenu* menu = MenuFor(parts);
    if (c.SeparatorBefore && !menu->isEmpty()) menu->addSeparator();
    QAction* action = menu->addAction(Q(parts.back()));
    action->setObjectName(Q(c.Id));
    if (!c.Shortcut.empty()) {
      action->setShortcut(QKeySequence(Q(c.Shortcut)));
      // Drop-down menus are not in the menu bar; the window takes their
      // shortcuts, and those that must work while their menu is disabled.
      if (parts.front().front() == '@' || c.ShortcutOutsideMenu) addAction(action);
    }
    action->setCheckable(static_cast<bool>(c.Checked));
    std::string id = c.Id;
    connect(action, &QAction::triggered, this, [this, id] { Run(id); });
    actions_.emplace_back(action, &c);
  }
}

void TMainWindow::BuildToolBar() {
  QToolBar* bar = addToolBar(tr("Tools"));
  bar->setObjectName("ToolBar1");
  bar->setMovable(false);
  bar->setIconSize(QSize(24, 24));
  std::vector<std::string> placed;
  auto addButton = [&](const TToolSlot& slot) {
    auto* button = new QToolButton;
    button->setObjectName(slot.name);
    QAction* action = slot.commandId ? CommandAction(slot.commandId) : nullptr;
    auto menu = slot.menuRoot ? menus_.find(slot.menuRoot) : menus_.end();
    if (action && menu == menus_.end()) {
      // A plain button runs its command and shows the command's image,
      // also after the action changes (its check mark).
      action->setIcon(CommandIcon(slot.commandId, slot.hint));
      button->setDefaultAction(action);
    } else if (menu != menus_.end()) {
      button->setMenu(menu->second);
      if (action) {
        button->setPopupMode(QToolButton::MenuButtonPopup);
        connect(button, &QToolButton::clicked, action, &QAction::trigger);
      } else {
        button->setPopupMode(QToolButton::InstantPopup);
      }
    } else {
      button->setEnabled(false);  // its command is not there yet
    }
    std::string shown = slot.startCommand ? slot.startCommand : (slot.commandId ? slot.commandId : slot.name);
    button->setIcon(CommandIcon(shown, slot.hint));
    button->setToolTip(tr(slot.hint));
    bar->addWidget(button);
    buttons_[slot.name] = button;
    if (slot.commandId) placed.push_back(slot.commandId);
  };
  for (std::size_t i = 0; i < kToolSlots.size(); ++i) {
    if (i == 6) bar->addSeparator();
    addButton(kToolSlots[i]);
  }
  // The size spin button: two arrows, one above the other.
  auto* spin = new QWidget;
  spin->setObjectName("SizeSpin");
  auto* spinLayout = new QVBoxLayout(spin);
  spinLayout->setContentsMargins(0, 0, 0, 0);
  spinLayout->setSpacing(0);
  for (auto [id, arrow, hint] : {std::tuple{"SizeSpinUpClick", Qt::UpArrow, "Larger image"},
                                 std::tuple{"SizeSpinDownClick", Qt::DownArrow, "Smaller image"}}) {
    QAction* action = CommandAction(id);
    if (!action) continue;
    auto* half = new QToolButton;
    half->setObjectName(id);
    half->setDefaultAction(action);
    half->setArrowType(arrow);
    half->setToolTip(tr(hint));
    half->setFixedSize(20, 13);
    spinLayout->addWidget(half);
    buttons_[id] = half;
    placed.push_back(id);
  }
  bar->addWidget(spin);
  // Tool-bar commands that the slots above do not name go at the end.
  for (const TCommand& c : EditorCommands().Rows()) {
    if (c.Path.rfind("@toolbar/", 0) != 0) continue;
    if (std::find(placed.begin(), placed.end(), c.Id) != placed.end()) continue;
    std::string caption = CaptionOf(c.Path);
    auto* button = new QToolButton;
    button->setObjectName(Q(c.Id));
    button->setDefaultAction(CommandAction(c.Id));
    button->setIcon(CommandIcon(c.Id, caption));
    bar->addWidget(button);
    buttons_[c.Id] = button;
  }
}

void TMainWindow::BuildStatusBar() {
  QStatusBar* bar = statusBar();
  bar->setObjectName("StatusBar1");
  bar->setSizeGripEnabled(true);
  for (std::size_t i = 0; i < panels_.size(); ++i) {
    auto* label = new QLabel;
    label->setObjectName(QString("panel%1").arg(i));
    label->setFrameShape(QFrame::StyledPanel);
    if (i + 1 < panels_.size()) {
      label->setFixedWidth(kPanelWidths[i]);
      bar->addWidget(label);
    } else {
      // The last panel takes the rest of the bar: tool hints can be long.
      label->setMinimumWidth(kPanelWidths[i]);
      bar->addWidget(label, 1);
    }
    panels_[i] = label;
  }
}

void TMainWindow::BuildOverlays() {
  QWidget* viewport = scrollBox_->viewport();
  frame_ = new TRangeFrameWidget(*editor_, image_, viewport);
  auto popup = menus_.find("@imgpop");
  float_ = new TFloatImageWidget(*editor_, image_, viewport, popup == menus_.end() ? nullptr : popup->second);
  // They are placed through the image widget: follow it when it scrolls.
  for (QScrollBar* bar : {scrollBox_->horizontalScrollBar(), scrollBox_->verticalScrollBar()})
    connect(bar, &QScrollBar::valueChanged, this, [this] { SyncOverlays(); });
}

QAction* TMainWindow::CommandAction(const std::string& id) const {
  for (const auto& [action, command] : actions_)
    if (command->Id == id) return action;
  return nullptr;
}

QToolButton* TMainWindow::ToolButton(const std::string& name) const {
  auto it = buttons_.find(name);
  return it == buttons_.end() ? nullptr : it->second;
}

TScriptWindow& TMainWindow::ScriptWindow() {
  if (!script_) {
    IPrompts* dialogs = ownPrompts_ ? nullptr : prompts_;
    script_ = std::make_unique<TScriptWindow>(*editor_, *editorPrompts_, dialogs, editor_->FAppFolder + "scripts");
  }
  return *script_;
}

void TMainWindow::OpenImage(const std::string& path) {
  try {
    OpenWorkImage(*editor_, path);
  } catch (const std::exception& e) {
    ShowError(e);
  }
}

void TMainWindow::Run(const std::string& commandId) {
  try {
    RunCommand(*editor_, commandId);
  } catch (const std::exception& e) {
    ShowError(e);
  }
  RefreshActions();
}

void TMainWindow::RefreshActions() {
  for (const auto& [action, command] : actions_) {
    if (command->Checked) action->setChecked(command->Checked(*editor_));
    if (command->Enabled) action->setEnabled(command->Enabled(*editor_));
  }
  if (auto range = menus_.find("&Range"); range != menus_.end())
    range->second->menuAction()->setEnabled(editor_->FRangeMenuEnabled);
}

void TMainWindow::ShowError(const std::exception& e) { prompts_->ShowMessage(e.what()); }

void TMainWindow::ShowAsPlaced() {
  const TWindowPlacement& p = editor_->StartPlacement();
  switch (p.State) {
    case TWindowState::Maximized:
      // Without a window manager "maximised" means nothing: fill the screen.
      if (QScreen* s = screen()) setGeometry(s->availableGeometry());
      showMaximized();
      return;
    case TWindowState::Normal:
      // A settings file may hold anything: keep the window on a sane scale.
      resize(std::clamp(p.Width, 200, 16384), std::clamp(p.Height, 150, 16384));
      move(std::clamp(p.Left, -16384, 16384), std::clamp(p.Top, -16384, 16384));
      show();
      return;
    case TWindowState::AsDesigned:
    case TWindowState::Minimized:
      resize(900, 650);
      show();
      return;
  }
}

TWindowPlacement TMainWindow::CurrentPlacement() const {
  TWindowPlacement p;
  if (isMinimized()) {
    p.State = TWindowState::Minimized;
  } else if (isMaximized()) {
    p.State = TWindowState::Maximized;
  } else {
    p.State = TWindowState::Normal;
    p.Left = pos().x();
    p.Top = pos().y();
    p.Width = width();
    p.Height = height();
  }
  return p;
}

void TMainWindow::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (shown_) return;
  shown_ = true;
  try {
    editor_->FormShow();
  } catch (const std::exception& e) {
    ShowError(e);
  }
}

void TMainWindow::closeEvent(QCloseEvent* event) {
  if (!closed_) {
    closed_ = true;
    desktop_->StopTimer();
    try {
      editor_->FormClose(CurrentPlacement());
    } catch (const std::exception& e) {
      ShowError(e);
    }
    if (help_) help_->close();
    // Stopped and hidden, not destroyed: this may run inside a script's
    // own call (app.command("Exit1Click")), which the script waits for.
    if (script_) {
      script_->cmdScriptStopClick();
      script_->close();
    }
  }
  event->accept();
}

void TMainWindow::InvalidateImage(const TRect& r) {
  image_->update(QRect(r.Left, r.Top, static_cast<int>(r.Width()), static_cast<int>(r.Height())));
}

void TMainWindow::ImageReplaced() { image_->FollowImageSize(); }

void TMainWindow::SetStatusText(int panel, const std::string& text) {
  if (panel >= 0 && panel < static_cast<int>(panels_.size())) panels_[static_cast<std::size_t>(panel)]->setText(Q(text));
}

void TMainWindow::SetToolButton(const std::string& button, const std::string& commandId) {
  QToolButton* b = ToolButton(button);
  const TCommand* command = EditorCommands().Find(commandId);
  if (!b || !command) return;
  std::string caption = CaptionOf(command->Path);
  b->setIcon(CommandIcon(commandId, caption));
  b->setToolTip(Q(caption));
}

void TMainWindow::ShowHelp(const std::string& file, const std::string&) {
  QFile source(Q(file));
  if (!source.open(QIODevice::ReadOnly)) {
    prompts_->ShowMessage("The help file \"" + file + "\" cannot be opened.");
    return;
  }
  if (!help_) {
    auto* browser = new QTextBrowser;
    browser->setObjectName("help");
    browser->setOpenExternalLinks(true);
    browser->setWindowTitle(Q(kAppTitle) + " - " + tr("Help"));
    browser->resize(720, 640);
    help_ = browser;
  }
  static_cast<QTextBrowser*>(help_)->setMarkdown(QString::fromUtf8(source.readAll()));
  help_->show();
  help_->raise();
}

void TMainWindow::RequestClose() { close(); }

void TMainWindow::ShowScriptWindow() { ScriptWindow().ShowOver(this); }

void TMainWindow::ToolWindowMade(TToolWindow& window) {
  auto* view = new TToolWindowView(window, [this](const std::exception& e) { ShowError(e); }, this);
  toolViews_[window.ClassName()] = view;
}

TToolWindowView* TMainWindow::ToolWindowView(const std::string& className) const {
  auto it = toolViews_.find(className);
  return it == toolViews_.end() ? nullptr : it->second;
}

void TMainWindow::SyncOverlays() {
  if (frame_) frame_->Sync();
  if (float_) float_->Sync();
  // Tools end themselves (Pick Brush, Select Range): the buttons follow.
  RefreshActions();
}

}  // namespace kroma
