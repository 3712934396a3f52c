#include "ui/QtPorts.h"

#include <QClipboard>
#include <QColorDialog>
#include <QCursor>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QGuiApplication>
#include <QImage>
#include <QInputDialog>
#include <QMessageBox>
#include <QPixmap>
#include <QScreen>
#include <QStringList>

#include "core/Bitmap.h"
#include "core/Canvas.h"
#include "editor/KromaF.h"
#include "ui/ImageConvert.h"

namespace kroma {
namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

QString FilterText(const TFileChoice& choice) {
  QStringList parts;
  for (const TFileFilter& f : choice.Filters) parts << Q(f.Name) + " (" + Q(f.Patterns).replace(';', ' ') + ")";
  return parts.join(";;");
}

}  // namespace

bool TQtPrompts::InputQuery(const std::string& caption, const std::string& prompt, std::string& text) {
  QInputDialog dialog(parent_);
  dialog.setWindowTitle(Q(caption));
  dialog.setLabelText(Q(prompt));
  dialog.setTextValue(Q(text));
  if (dialog.exec() != QDialog::Accepted) return false;
  text = dialog.textValue().toStdString();
  return true;
}

void TQtPrompts::ShowMessage(const std::string& text) {
  QMessageBox::information(parent_, Q(std::string(kAppTitle)), Q(text));
}

bool TQtPrompts::AskYesNo(const std::string& text) {
  return QMessageBox::question(parent_, Q(std::string(kAppTitle)), Q(text), QMessageBox::Yes | QMessageBox::No) ==
         QMessageBox::Yes;
}

bool TQtPrompts::ChooseOpenFile(const TFileChoice& choice, std::string& path) {
  QString chosen = QFileDialog::getOpenFileName(parent_, Q(choice.Title), Q(choice.InitialPath), FilterText(choice));
  if (chosen.isEmpty()) return false;
  path = chosen.toStdString();
  return true;
}

bool TQtPrompts::ChooseSaveFile(const TFileChoice& choice, std::string& path) {
  QString chosen = QFileDialog::getSaveFileName(parent_, Q(choice.Title), Q(choice.InitialPath), FilterText(choice));
  if (chosen.isEmpty()) return false;
  if (!choice.DefaultExt.empty() && QFileInfo(chosen).suffix().isEmpty()) chosen += "." + Q(choice.DefaultExt);
  path = chosen.toStdString();
  return true;
}

bool TQtPrompts::ChooseColor(TColor& color) {
  TColor c = ColorToRGB(color);
  QColor chosen = QColorDialog::getColor(QColor(GetRValue(c), GetGValue(c), GetBValue(c)), parent_);
  if (!chosen.isValid()) return false;
  color = RGB(chosen.red(), chosen.green(), chosen.blue());
  return true;
}

bool TQtPrompts::ChooseFont(TFont& font) {
  QFont start(Q(font.Name), font.Size);
  start.setBold(font.Style & fsBold);
  start.setItalic(font.Style & fsItalic);
  start.setUnderline(font.Style & fsUnderline);
  start.setStrikeOut(font.Style & fsStrikeOut);
  bool ok = false;
  QFont chosen = QFontDialog::getFont(&ok, start, parent_);
  if (!ok) return false;
  font.Name = chosen.family().toStdString();
  if (chosen.pointSize() > 0) font.Size = chosen.pointSize();
  font.Style = (chosen.bold() ? fsBold : 0u) | (chosen.italic() ? fsItalic : 0u) |
               (chosen.underline() ? fsUnderline : 0u) | (chosen.strikeOut() ? fsStrikeOut : 0u);
  return true;
}

TQtDesktop::TQtDesktop(std::function<QPoint(TPoint)> toScreen, std::function<void(const std::exception&)> onError)
    : toScreen_(std::move(toScreen)), background_(std::move(onError)) {
  clock_.start();
}

bool TQtDesktop::GetClipboardImage(TBitmap& image) {
  QImage clipboard = QGuiApplication::clipboard()->image();
  if (clipboard.isNull() || clipboard.width() == 0 || clipboard.height() == 0) return false;
  QImageToBitmap(clipboard, image);
  return true;
}

void TQtDesktop::SetClipboardImage(const TBitmap& image) {
  QGuiApplication::clipboard()->setImage(BitmapToQImage(image));
}

void TQtDesktop::StartTimer(int intervalMs, std::function<void()> onTick) {
  QObject::disconnect(tick_);
  tick_ = QObject::connect(&timer_, &QTimer::timeout, std::move(onTick));
  timer_.start(intervalMs);
}

void TQtDesktop::StopTimer() {
  timer_.stop();
  QObject::disconnect(tick_);
}

std::uint32_t TQtDesktop::TickCount() { return static_cast<std::uint32_t>(clock_.elapsed()); }

void TQtDesktop::WarpCursor(TPoint imagePoint) { QCursor::setPos(toScreen_(imagePoint)); }

bool TQtDesktop::GrabScreen(TBitmap& screen) {
  QScreen* s = QGuiApplication::primaryScreen();
  if (!s) return false;
  QPixmap shot = s->grabWindow(0);
  if (shot.isNull()) return false;
  QImageToBitmap(shot.toImage(), screen);
  return true;
}

}  // namespace kroma
