#pragma once
// The pictures of the welcome and About windows, JPEG files compiled into the
// program and decoded by Qt's image reader.
#include <QPixmap>

class QToolButton;
class QWidget;

namespace lumivane {

QPixmap LogoPicture();
QPixmap DonatePicture();

// The donation picture as a flat button with the hand cursor.
QToolButton* MakeDonateButton(QWidget* parent);

}  // namespace lumivane
