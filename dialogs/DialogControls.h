#pragma once
// How every dialog is put together in code, one pattern for all:
//
//  - the controls are members named as the system names them (`TxtCat`,
//    `BtnAdd`, ...), made with NewControl, which gives each the owner as its
//    parent and its member name as object name (tests and accessibility tools
//    find them by it);
//  - the constructor runs CreateControls (controls and their texts, in tab
//    order), LayoutControls (Qt layouts only, no fixed coordinates) and
//    ConnectEvents (each signal to a handler named after the control and the
//    event: BtnAddClick, TxtCatChange);
//  - a fixed-size dialog ends LayoutControls with FixDialogSize;
//  - dialogs are created when opened, shown modally and destroyed when closed.
#include <QDialog>
#include <QLayout>
#include <QString>
#include <utility>

namespace lumivane {

// A control owned by `owner`; the arguments before the parent come first, as
// in new QPushButton(text, owner).
template <class Control, class... Args>
Control* NewControl(QWidget* owner, const char* name, Args&&... args) {
  auto* control = new Control(std::forward<Args>(args)..., owner);
  control->setObjectName(QString::fromLatin1(name));
  return control;
}

// The frame of a fixed-size dialog: only the title and the close box (no
// minimising, no maximising, no resizing).
inline void SetFixedDialogFrame(QDialog* dialog) {
  dialog->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
}

// The dialog keeps the size its layout asks for, in a fixed-size frame.
inline void FixDialogSize(QDialog* dialog) {
  SetFixedDialogFrame(dialog);
  if (QLayout* layout = dialog->layout()) layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace lumivane
