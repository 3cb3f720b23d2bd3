#pragma once
// The program's modal message box.
#include <QMessageBox>
#include <QString>

namespace lumivane {

enum class MessageKind { Information = 0, Question = 1, Warning = 2, Error = 3 };

// Shows a modal box with the kind's icon; an empty caption becomes the kind's
// caption ("Information", "Confirm", "Error", "Error"). While it is up the
// program's other windows take no input, and the box stays above the
// program's stay-on-top windows. It is a dialog without minimise and
// maximise buttons, wide enough for its widest word (a path) within the
// screen; its lines wrap at blanks only. Returns the button that closed it.
QMessageBox::StandardButton AppMessageBox(const QString& text, const QString& caption,
                                          MessageKind kind,
                                          QMessageBox::StandardButtons buttons = QMessageBox::Ok);

// The text as the box shows it: a path (a word starting with "/" or "~/",
// quotes and trailing punctuation included) stands on a line of its own.
QString MessageBoxText(const QString& text);

// The application's standard error report: an error box with the text. At
// most one is open at a time: a report while one is open is dropped, so that
// a timer, a store watcher or a hot key cannot stack boxes. Returns false
// when it was dropped.
bool ShowApplicationError(const QString& text);

}  // namespace lumivane
