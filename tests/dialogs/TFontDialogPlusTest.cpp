#include <gtest/gtest.h>

#include <QColorDialog>
#include <QComboBox>
#include <QFontDialog>

#include "dialogs/ModalDriver.h"
#include "dialogs/controls/TFontDialogPlus.h"

namespace lumivane {
namespace {

using test::WhenModal;

TEST(TFontDialogPlus, AStandardColourStaysSelected) {
  TFontDialogPlus dialog;
  dialog.SetFontColor(RGB(0x80, 0x00, 0x00));  // maroon
  const auto form = dialog.CreateForm();
  QComboBox* list = form->ColorList();
  ASSERT_EQ(list->count(), 17);
  EXPECT_EQ(list->itemText(16), "Custom...");
  EXPECT_EQ(list->currentIndex(), 1);
  EXPECT_EQ(form->SelectedColor(), RGB(0x80, 0x00, 0x00));
}

TEST(TFontDialogPlus, AnyOtherColourOpensWithCustomSelected) {
  TFontDialogPlus dialog;
  dialog.SetFontColor(0x123456);
  const auto form = dialog.CreateForm();
  EXPECT_EQ(form->ColorList()->currentIndex(), 16);
  EXPECT_EQ(form->SelectedColor(), 0x123456u);
}

TEST(TFontDialogPlus, ExecuteTakesTheFontAndItsColour) {
  TFontDialogPlus dialog;
  dialog.SetFont(QFont("DejaVu Sans", 10));
  dialog.SetFontColor(RGB(0, 0, 0));
  WhenModal<TFontDialogPlusForm>([](TFontDialogPlusForm* form) {
    form->FontChooser()->setCurrentFont(QFont("DejaVu Sans", 14));
    form->ColorList()->setCurrentIndex(12);  // blue
    form->accept();
  });
  ASSERT_TRUE(dialog.Execute());
  EXPECT_EQ(dialog.Font().pointSize(), 14);
  EXPECT_EQ(dialog.FontColor(), RGB(0, 0, 0xFF));

  WhenModal<TFontDialogPlusForm>([](TFontDialogPlusForm* form) { form->reject(); });
  EXPECT_FALSE(dialog.Execute());
  EXPECT_EQ(dialog.FontColor(), RGB(0, 0, 0xFF));
}

TEST(TFontDialogPlus, CustomOpensTheColourDialogAndRemembersItsCustomColours) {
  TFontDialogPlus dialog;
  dialog.SetFontColor(RGB(0x80, 0x80, 0x80));
  const auto form = dialog.CreateForm();
  QComboBox* list = form->ColorList();
  // Chosen: "Custom..." carries the colour, which the dialog returns.
  WhenModal<QColorDialog>([](QColorDialog* colours) {
    EXPECT_TRUE(colours->testOption(QColorDialog::DontUseNativeDialog));
    QColorDialog::setCustomColor(0, QColor(1, 2, 3));
    colours->setCurrentColor(QColor(0x12, 0x34, 0x56));
    colours->accept();
  });
  list->setCurrentIndex(16);
  emit list->activated(16);
  EXPECT_EQ(list->currentIndex(), 16);
  EXPECT_EQ(form->SelectedColor(), RGB(0x12, 0x34, 0x56));

  // Someone else changes the program-wide custom colours meanwhile; this
  // dialog still opens with its own, and a cancel keeps the colour before.
  QColorDialog::setCustomColor(0, QColor(Qt::white));
  QColor seen;
  WhenModal<QColorDialog>([&seen](QColorDialog* colours) {
    seen = QColorDialog::customColor(0);
    EXPECT_EQ(colours->currentColor(), QColor(0x12, 0x34, 0x56));
    colours->reject();
  });
  list->setCurrentIndex(3);
  emit list->activated(3);
  list->setCurrentIndex(16);
  emit list->activated(16);
  EXPECT_EQ(seen, QColor(1, 2, 3));
  EXPECT_EQ(list->currentIndex(), 3);
}

}  // namespace
}  // namespace lumivane
