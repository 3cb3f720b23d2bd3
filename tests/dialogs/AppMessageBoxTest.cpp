#include <gtest/gtest.h>

#include <QLabel>

#include "dialogs/ModalDriver.h"
#include "platform/AppMessageBox.h"

namespace lumivane {
namespace {

struct Shown {
  bool wraps = false;
  int labelWidth = 0;
  int labelRight = 0;
  int boxWidth = 0;
  int labelHeight = 0;
  int heightNeeded = 0;
  int widestLine = 0;
  int widestWord = 0;
};

// The error box's label as it was laid out for this text.
Shown ShowBox(const QString& text) {
  Shown shown;
  test::WhenModal<QMessageBox>([&shown](QMessageBox* box) {
    auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
    if (label != nullptr) {
      const QFontMetrics metrics(label->font());
      for (const QString& line : label->text().split(u'\n')) {
        shown.widestLine = std::max(shown.widestLine, metrics.horizontalAdvance(line));
        for (const QString& word : line.split(u' ', Qt::SkipEmptyParts)) {
          shown.widestWord = std::max(shown.widestWord, metrics.horizontalAdvance(word));
        }
      }
      shown.wraps = label->wordWrap();
      shown.labelWidth = label->width();
      shown.labelRight = label->mapTo(box, QPoint(label->width(), 0)).x();
      shown.boxWidth = box->width();
      shown.labelHeight = label->height();
      shown.heightNeeded = label->heightForWidth(label->width());
    }
    box->done(QMessageBox::Ok);
  });
  AppMessageBox(text, QString(), MessageKind::Error);
  return shown;
}

// Every line is shown whole: the label is as wide as its widest line, or it
// wraps at blanks inside the box, wide enough for its widest word (a path)
// and as high as the wrapped text.
TEST(AppMessageBox, ShowsEveryLineWhole) {
  const QString missingStore = QStringLiteral(
      "This program requires the calendar store\n\nThe calendar store is expected at "
      "/home/someone/.local/share/a-calendar-store-folder-with-a-rather-long-name/"
      "and-below-it-another-folder (a folder, or a single .ics file; "
      "LUMIVANE_OUTLOOK_STORE names another).");
  const Shown fits = ShowBox(missingStore);
  EXPECT_TRUE(fits.wraps || fits.labelWidth >= fits.widestLine);
  EXPECT_GE(fits.labelWidth, fits.widestWord);
  EXPECT_GE(fits.labelHeight, fits.heightNeeded);
  EXPECT_LE(fits.labelRight, fits.boxWidth);

  QString longLine;
  for (int i = 0; i < 80; ++i) longLine += QStringLiteral("several words ");
  const Shown wrapped = ShowBox(longLine);
  EXPECT_TRUE(wrapped.wraps);
  EXPECT_LE(wrapped.labelRight, wrapped.boxWidth);
  EXPECT_GE(wrapped.labelHeight, wrapped.heightNeeded);
}

}  // namespace
}  // namespace lumivane
