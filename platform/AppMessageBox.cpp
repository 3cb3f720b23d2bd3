#include "platform/AppMessageBox.h"

#include <QApplication>
#include <QLabel>
#include <QLayout>
#include <QPointer>
#include <QRegularExpression>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace lumivane {
namespace {

QString KindCaption(MessageKind kind) {
  switch (kind) {
    case MessageKind::Information:
      return QStringLiteral("Information");
    case MessageKind::Question:
      return QStringLiteral("Confirm");
    case MessageKind::Warning:
    case MessageKind::Error:
      return QStringLiteral("Error");
  }
  return {};
}

QMessageBox::Icon KindIcon(MessageKind kind) {
  switch (kind) {
    case MessageKind::Information:
      return QMessageBox::Information;
    case MessageKind::Question:
      return QMessageBox::Question;
    case MessageKind::Warning:
      return QMessageBox::Warning;
    case MessageKind::Error:
      return QMessageBox::Critical;
  }
  return QMessageBox::NoIcon;
}

bool errorBoxOpen = false;

bool IsPathWord(const QString& word) {
  // Quotes or brackets may come before the path itself.
  qsizetype i = 0;
  while (i < word.size() && (word[i] == u'\'' || word[i] == u'"' || word[i] == u'(')) ++i;
  const QStringView rest = QStringView(word).mid(i);
  return rest.size() > 1 && (rest.startsWith(u'/') || rest.startsWith(u"~/"));
}

// A message box wide enough for its widest word (a path has a line of its
// own), within the screen. Qt keeps a box to about half the screen and wraps
// at blanks, breaking inside a word that does not fit (and a minimum width
// given to the label beforehand turns the wrapping off, cutting lines off
// instead). So the box is widened after Qt has sized it, before it is shown.
class FittedMessageBox : public QMessageBox {
 public:
  using QMessageBox::QMessageBox;

 protected:
  void showEvent(QShowEvent* event) override {
    QMessageBox::showEvent(event);
    WidenToLines();
  }
  // Qt sizes the box again on later layout events; the width found stays.
  void resizeEvent(QResizeEvent* event) override {
    QMessageBox::resizeEvent(event);
    if (fitted_.isValid() && size() != fitted_) setFixedSize(fitted_);
  }

 private:
  QSize fitted_;

  void WidenToLines() {
    auto* label = findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
    if (label == nullptr || layout() == nullptr) return;
    layout()->activate();  // the label's width as Qt's sizing left it
    const QFontMetrics metrics(label->font());
    int widest = 0;
    for (const QString& line : label->text().split(u'\n')) {
      for (const QString& word : line.split(u' ', Qt::SkipEmptyParts)) {
        widest = std::max(widest, metrics.horizontalAdvance(word));
      }
    }
    const int frame = width() - label->width();  // the icon and the margins
    const QRect screen =
        this->screen() != nullptr ? this->screen()->availableGeometry() : QRect(0, 0, 1024, 768);
    const int labelWidth = std::min(widest + 4, screen.width() * 9 / 10 - frame);
    if (labelWidth <= label->width()) return;
    label->setWordWrap(true);  // the rest still wraps at blanks
    const int boxWidth = labelWidth + frame;
    const int boxHeight = layout()->hasHeightForWidth() ? layout()->totalHeightForWidth(boxWidth)
                                                        : layout()->totalMinimumSize().height();
    const int grown = boxWidth - width();
    fitted_ = QSize(boxWidth, boxHeight);
    setFixedSize(fitted_);
    // Placed before it was widened: kept centred where it was, on the screen.
    move(std::clamp(x() - grown / 2, screen.left(),
                    std::max(screen.left(), screen.left() + screen.width() - boxWidth)),
         y());
  }
};

}  // namespace

QString MessageBoxText(const QString& text) {
  QStringList lines;
  for (const QString& line : text.split(u'\n')) {
    // A blank line between paragraphs stays.
    if (line.trimmed().isEmpty()) {
      lines << QString();
      continue;
    }
    QString current;
    for (const QString& word : line.split(u' ', Qt::SkipEmptyParts)) {
      if (IsPathWord(word)) {
        if (!current.isEmpty()) lines << current;
        lines << word;
        current.clear();
      } else {
        current += current.isEmpty() ? word : u' ' + word;
      }
    }
    if (!current.isEmpty()) lines << current;
  }
  return lines.join(u'\n');
}

QMessageBox::StandardButton AppMessageBox(const QString& text, const QString& caption,
                                          MessageKind kind, QMessageBox::StandardButtons buttons) {
  QPointer<QWidget> focused = QApplication::focusWidget();
  FittedMessageBox box(KindIcon(kind), caption.isEmpty() ? KindCaption(kind) : caption,
                       MessageBoxText(text), buttons, QApplication::activeWindow());
  // A dialog with a title and a close button only. On top, so that a window
  // pinned above the desktop cannot hide it.
  box.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                     Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint);
  // Application-modal: every other window of the program is blocked while it
  // is up.
  box.setWindowModality(Qt::ApplicationModal);
  const auto result = static_cast<QMessageBox::StandardButton>(box.exec());
  if (focused) focused->setFocus();
  return result;
}

bool ShowApplicationError(const QString& text) {
  if (errorBoxOpen) return false;
  errorBoxOpen = true;
  AppMessageBox(text, QString(), MessageKind::Error);
  errorBoxOpen = false;
  return true;
}

}  // namespace lumivane
