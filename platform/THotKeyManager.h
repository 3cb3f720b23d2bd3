#pragma once
// The system-wide hot keys: each registered shortcut code is a key grab on
// the root window, so its key press reaches the program whichever window has
// the focus. A key another program has grabbed already is refused; nothing is
// registered then and nothing is said. Without an X11 connection every call
// is a silent no-op.
#include <QAbstractNativeEventFilter>
#include <QObject>
#include <cstdint>
#include <vector>

struct _XCBKeySymbols;

namespace lumivane {

class THotKeyManager : public QObject, public QAbstractNativeEventFilter {
  Q_OBJECT

 public:
  explicit THotKeyManager(QObject* parent = nullptr);
  ~THotKeyManager() override;
  THotKeyManager(const THotKeyManager&) = delete;
  THotKeyManager& operator=(const THotKeyManager&) = delete;

  // Grabs the key of a shortcut code (see HotKeyCode.h). False when the code
  // names no key, the X server refused the grab, or there is no X11
  // connection; the code is not registered then.
  bool Register(quint32 code);
  // Releases every registered key.
  void UnregisterAll();
  bool IsRegistered(quint32 code) const;
  std::vector<quint32> Codes() const;

  bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

 signals:
  // A registered key was pressed; delivered from the event loop, never from
  // inside the X event handling.
  void HotKeyPressed(quint32 code);

 private:
  struct Grab {
    std::uint8_t keycode;
    std::uint16_t modifiers;
  };
  struct Entry {
    quint32 code;
    std::uint16_t modifiers;  // the combination's own modifiers, locks excluded
    std::vector<std::uint8_t> keycodes;
    std::vector<Grab> grabs;  // every variant with CapsLock and NumLock
  };

  bool GrabEntry(Entry& entry);
  void ReleaseGrabs(const std::vector<Grab>& grabs);
  void ReadKeyboard();
  void ScheduleRenewal();
  void RenewGrabs();

  _XCBKeySymbols* symbols_ = nullptr;
  std::vector<Entry> entries_;
  std::uint16_t numLockMask_ = 0;
  std::uint16_t altMask_ = 0;
  std::uint16_t superMask_ = 0;
  std::uint8_t xkbFirstEvent_ = 0;  // 0: no keyboard extension
  bool renewalPending_ = false;
  bool filtering_ = false;
};

}  // namespace lumivane
