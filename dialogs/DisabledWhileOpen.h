#pragma once
// Keeps the menu item that opened a dialog disabled while the dialog is open,
// so a second copy cannot be opened from the menu or the tray.
#include <QAction>
#include <QPointer>

namespace lumivane {

class DisabledWhileOpen {
 public:
  explicit DisabledWhileOpen(QAction* item) : item_(item) {
    if (item_) item_->setEnabled(false);
  }
  ~DisabledWhileOpen() {
    if (item_) item_->setEnabled(true);
  }
  DisabledWhileOpen(const DisabledWhileOpen&) = delete;
  DisabledWhileOpen& operator=(const DisabledWhileOpen&) = delete;

 private:
  QPointer<QAction> item_;
};

}  // namespace lumivane
