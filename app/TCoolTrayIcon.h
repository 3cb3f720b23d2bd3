#pragma once
// The notification-area icon: a hint, a picture from an image list and the
// popup menu on the right button; a left click is reported. Where the desktop has no tray host, Qt
// keeps the icon hidden until one appears, and nothing is reported.
#include <QObject>
#include <QPointer>
#include <QString>

class QMenu;
class QSystemTrayIcon;

namespace lumivane {

class TImageList;

class TCoolTrayIcon : public QObject {
  Q_OBJECT

 public:
  explicit TCoolTrayIcon(QObject* parent = nullptr);

  QString Hint() const { return hint_; }
  void SetHint(const QString& hint);
  void SetIcons(TImageList* icons);
  void SetIconIndex(int index);
  int IconIndex() const { return iconIndex_; }
  void SetPopupMenu(QMenu* menu);
  void Show();
  void Hide();
  bool IsShown() const { return shown_; }

 signals:
  // A left click on the icon.
  void Clicked();

 private:
  void UpdatePicture();

  QSystemTrayIcon* icon_;
  QPointer<TImageList> icons_;
  QString hint_;
  int iconIndex_ = 0;
  bool shown_ = false;
};

}  // namespace lumivane
