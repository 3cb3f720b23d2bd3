#pragma once
// The hot key field: takes one key with its modifiers as it is typed and
// shows it as the Refresh menu item does. A key typed without a modifier, or
// with Shift alone, is taken with Alt. Backspace or Delete alone clears it;
// Tab, Escape and Enter keep their dialog meaning.
#include <QLineEdit>
#include <cstdint>

namespace lumivane {

class THotKeyEdit : public QLineEdit {
  Q_OBJECT

 public:
  explicit THotKeyEdit(QWidget* parent = nullptr);

  // The stored shortcut code (virtual key + 0x2000 Shift, 0x4000 Ctrl,
  // 0x8000 Alt); 0 for none.
  std::uint32_t HotKey() const { return code_; }
  void SetHotKey(std::uint32_t code);

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  std::uint32_t code_ = 0;
};

}  // namespace lumivane
