#include "app/TCoolTrayIcon.h"

#include <QMenu>
#include <QSystemTrayIcon>

#include "display/markup/TImageList.h"

namespace lumivane {

TCoolTrayIcon::TCoolTrayIcon(QObject* parent) : QObject(parent), icon_(new QSystemTrayIcon(this)) {
  connect(icon_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason why) {
    if (why == QSystemTrayIcon::Trigger) emit Clicked();
  });
}

void TCoolTrayIcon::SetHint(const QString& hint) {
  hint_ = hint;
  icon_->setToolTip(hint);
}

void TCoolTrayIcon::SetIcons(TImageList* icons) {
  if (icons_) disconnect(icons_, nullptr, this, nullptr);
  icons_ = icons;
  if (icons_) connect(icons_, &TImageList::Changed, this, &TCoolTrayIcon::UpdatePicture);
  UpdatePicture();
}

void TCoolTrayIcon::SetIconIndex(int index) {
  iconIndex_ = index;
  UpdatePicture();
}

void TCoolTrayIcon::SetPopupMenu(QMenu* menu) {
  icon_->setContextMenu(menu);
}

void TCoolTrayIcon::Show() {
  shown_ = true;
  icon_->show();
}

void TCoolTrayIcon::Hide() {
  shown_ = false;
  icon_->hide();
}

void TCoolTrayIcon::UpdatePicture() {
  if (!icons_) return;
  const QPixmap picture = icons_->Image(iconIndex_);
  if (!picture.isNull()) icon_->setIcon(QIcon(picture));
}

}  // namespace lumivane
