#include "dialogs/THotKeyEdit.h"

#include <QKeyEvent>

#include "dialogs/OptionsRules.h"
#include "platform/HotKeyCode.h"

namespace lumivane {

THotKeyEdit::THotKeyEdit(QWidget* parent) : QLineEdit(parent) {
  setReadOnly(true);
  setPlaceholderText(QStringLiteral("None"));
  // Read-only edits hide their caret; the field still takes the focus.
  setFocusPolicy(Qt::StrongFocus);
}

void THotKeyEdit::SetHotKey(std::uint32_t code) {
  code_ = code;
  setText(HotKeyToKeySequence(code).toString(QKeySequence::NativeText));
}

void THotKeyEdit::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  const Qt::KeyboardModifiers modifiers =
      event->modifiers() &
      (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
  switch (key) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (modifiers == Qt::NoModifier || key == Qt::Key_Backtab) {
        event->ignore();
        return;
      }
      break;
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
      if (modifiers == Qt::NoModifier) {
        SetHotKey(0);
        event->accept();
        return;
      }
      break;
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_Meta:
    case Qt::Key_AltGr:
    case Qt::Key_unknown:
      // A modifier alone is no key yet.
      event->accept();
      return;
    default:
      break;
  }
  const std::uint32_t typed =
      HotKeyFromKeySequence(QKeySequence(QKeyCombination(modifiers, Qt::Key(key))));
  // A key without a code of its own leaves the field as it was.
  if (typed != 0) SetHotKey(HotKeyFieldCode(typed));
  event->accept();
}

}  // namespace lumivane
