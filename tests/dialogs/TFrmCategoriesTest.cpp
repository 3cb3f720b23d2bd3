#include <gtest/gtest.h>

#include <QAbstractItemModel>
#include <QCompleter>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "dialogs/ModalDriver.h"
#include "dialogs/TFrmCategories.h"

namespace lumivane {
namespace {

using Names = std::vector<std::string>;
using test::AnswerMessageBox;
using test::SeenMessage;
using test::WhenModal;

TEST(TFrmCategories, ControlsTextsAndTabOrder) {
  TFrmCategories form;
  EXPECT_EQ(form.windowTitle(), "Categories");
  EXPECT_EQ(form.BtnAdd->text(), "Add");
  EXPECT_FALSE(form.BtnAdd->isEnabled());
  EXPECT_EQ(form.BtnRemove->text(), "&Remove");
  EXPECT_EQ(form.BtnRemoveAll->text(), "&Remove All");
  EXPECT_EQ(form.BtnOk->text(), "&OK");
  EXPECT_EQ(form.BtnCancel->text(), "&Cancel");
  EXPECT_EQ(form.ListCat->selectionMode(), QAbstractItemView::SingleSelection);
  // The tab order, read along the focus chain (which also holds the list's
  // own parts).
  const QList<QWidget*> expected = {form.TxtCat,       form.BtnAdd, form.ListCat,  form.BtnRemove,
                                    form.BtnRemoveAll, form.BtnOk,  form.BtnCancel};
  QList<QWidget*> chain;
  QWidget* widget = form.TxtCat;
  do {
    if (expected.contains(widget)) chain.append(widget);
    widget = widget->nextInFocusChain();
  } while (widget != form.TxtCat && chain.size() < expected.size());
  EXPECT_EQ(chain, expected);
  form.TxtCat->setText("W");
  EXPECT_TRUE(form.BtnAdd->isEnabled());
  form.TxtCat->clear();
  EXPECT_FALSE(form.BtnAdd->isEnabled());
}

TEST(TFrmCategories, AddingANameThatDiffersOnlyInCaseShowsTheMessageAndAddsNothing) {
  TFrmCategories form;
  form.AddCategories({"work"});
  form.TxtCat->setText("Work");
  SeenMessage seen;
  AnswerMessageBox(seen, QMessageBox::Ok);
  form.BtnAdd->click();
  EXPECT_TRUE(seen.shown);
  EXPECT_EQ(seen.text, "Category is already in the list");
  EXPECT_EQ(seen.caption, "Lumivane");
  EXPECT_EQ(seen.icon, QMessageBox::Information);
  EXPECT_EQ(form.Categories(), Names{"work"});
  EXPECT_TRUE(form.TxtCat->text().isEmpty());
}

TEST(TFrmCategories, EnterInTheEditAddsAndIsConsumed) {
  TFrmCategories form;
  form.show();
  bool closed = false;
  QObject::connect(&form, &QDialog::finished, [&closed] { closed = true; });
  form.TxtCat->setFocus();
  // Names are added as typed, blanks and case kept.
  QTest::keyClicks(form.TxtCat, " Private ");
  QTest::keyClick(form.TxtCat, Qt::Key_Return);
  QTest::keyClicks(form.TxtCat, "Work");
  QTest::keyClick(form.TxtCat, Qt::Key_Enter);
  EXPECT_EQ(form.Categories(), (Names{" Private ", "Work"}));
  EXPECT_TRUE(form.TxtCat->text().isEmpty());
  // Enter in the empty edit adds nothing and shows no message.
  SeenMessage seen;
  QPointer<QTimer> answer = AnswerMessageBox(seen, QMessageBox::Ok);
  QTest::keyClick(form.TxtCat, Qt::Key_Return);
  QTest::qWait(50);
  delete answer.data();
  EXPECT_FALSE(seen.shown);
  EXPECT_EQ(form.Categories().size(), 2u);
  EXPECT_FALSE(closed);  // Enter never reached the dialog's buttons
}

TEST(TFrmCategories, RemoveTakesTheSelectedEntryOnly) {
  TFrmCategories form;
  form.AddCategories({"a", "b", "c"});
  form.BtnRemove->click();  // nothing selected
  EXPECT_EQ(form.Categories().size(), 3u);
  form.ListCat->setCurrentRow(1);
  form.BtnRemove->click();
  EXPECT_EQ(form.Categories(), (Names{"a", "c"}));
}

TEST(TFrmCategories, RemoveAllAsksFirst) {
  TFrmCategories form;
  form.AddCategories({"a", "b"});
  SeenMessage seen;
  AnswerMessageBox(seen, QMessageBox::No);
  form.BtnRemoveAll->click();
  EXPECT_EQ(seen.text, "Are you sure you want to delete the category list?");
  EXPECT_EQ(seen.caption, "Confirm");
  EXPECT_EQ(seen.icon, QMessageBox::Question);
  EXPECT_EQ(form.Categories().size(), 2u);
  AnswerMessageBox(seen, QMessageBox::Yes);
  form.BtnRemoveAll->click();
  EXPECT_TRUE(form.Categories().empty());
}

TEST(EditCategoryList, CancelAfterRemovingEverythingLeavesTheTextUnchanged) {
  std::string categories = "Work;Private";
  SeenMessage seen;
  WhenModal<TFrmCategories>([&seen](TFrmCategories* form) {
    EXPECT_EQ(form->Categories(), (Names{"Work", "Private"}));
    AnswerMessageBox(seen, QMessageBox::Yes);
    form->BtnRemoveAll->click();
    EXPECT_TRUE(form->Categories().empty());
    form->BtnCancel->click();
  });
  EXPECT_FALSE(EditCategoryList(categories, {}));
  EXPECT_TRUE(seen.shown);
  EXPECT_EQ(categories, "Work;Private");
}

TEST(EditCategoryList, ATrailingSeparatorSurvivesOkUnchanged) {
  std::string categories = "Work;";
  WhenModal<TFrmCategories>([](TFrmCategories* form) {
    EXPECT_EQ(form->Categories(), (Names{"Work", ""}));
    form->BtnOk->click();
  });
  EXPECT_TRUE(EditCategoryList(categories, {}));
  EXPECT_EQ(categories, "Work;");
}

TEST(EditCategoryList, OkWithAnEmptyListGivesTheEmptyText) {
  std::string categories = "Work";
  WhenModal<TFrmCategories>([](TFrmCategories* form) {
    form->ListCat->setCurrentRow(0);
    form->BtnRemove->click();
    form->BtnOk->click();
  });
  EXPECT_TRUE(EditCategoryList(categories, {}));
  EXPECT_EQ(categories, "");
}

TEST(EditCategoryList, TheEditCompletesFromTheGivenNamesAndStaysFree) {
  std::string categories;
  QStringList offered;
  WhenModal<TFrmCategories>([&offered](TFrmCategories* form) {
    QCompleter* completer = form->TxtCat->completer();
    ASSERT_NE(completer, nullptr);
    EXPECT_EQ(completer->caseSensitivity(), Qt::CaseInsensitive);
    completer->setCompletionPrefix("w");
    for (int i = 0; completer->setCurrentRow(i); ++i) offered << completer->currentCompletion();
    // A name the store does not carry can still be typed.
    form->TxtCat->setText("Holiday");
    form->BtnAdd->click();
    form->BtnOk->click();
  });
  EXPECT_TRUE(EditCategoryList(categories, {"Private", "Work", "work"}));
  EXPECT_EQ(offered, (QStringList{"Work", "work"}));
  EXPECT_EQ(categories, "Holiday");
}

}  // namespace
}  // namespace lumivane
