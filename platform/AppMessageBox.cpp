#include "platform/AppMessageBox.h"

#include <QApplication>
#include <QLabel>
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

// The box's label is made as wide as its widest line, within the screen, so
// that a line is wrapped only where it could not fit anyway (at blanks: a
// path has a line of its own). Qt sizes a message box from the label's
// minimum width and wraps its text only when that passes half the screen,
// so a minimum below the widest line would cut lines off instead.
void FitLabelToLines(QMessageBox& box) {
  auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
  if (!label) return;
  const QFontMetrics metrics(label->font());
  int widest = 0;
  for (const QString& line : box.text().split(u'\n')) {
    widest = std::max(widest, metrics.horizontalAdvance(line));
  }
  // Qt never makes a message box wider than the screen less 480 pixels (at
  // most 1,000, the whole screen up to 1,024); the icon and margins take the rest.
  const QScreen* screen = QGuiApplication::primaryScreen();
  const int screenWidth = screen ? screen->availableGeometry().width() : 1024;
  const int boxLimit = screenWidth <= 1024 ? screenWidth : std::min(screenWidth - 480, 1000);
  label->setMinimumWidth(std::min(widest + 4, std::max(boxLimit - 120, 100)));
}

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
  QMessageBox box(KindIcon(kind), caption.isEmpty() ? KindCaption(kind) : caption,
                  MessageBoxText(text), buttons, QApplication::activeWindow());
  // A dialog with a title and a close button only. On top, so that a window
  // pinned above the desktop cannot hide it.
  box.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                     Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint);
  // Application-modal: every other window of the program is blocked while it
  // is up.
  box.setWindowModality(Qt::ApplicationModal);
  FitLabelToLines(box);
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
