#include <gtest/gtest.h>

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFile>
#include <QFontDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "ModalDriver.h"
#include "dialogs/TFrmLVOptions.h"
#include "dialogs/THotKeyEdit.h"
#include "dialogs/controls/TColorPane.h"
#include "dialogs/controls/TColorPaneFloatWindow.h"
#include "dialogs/controls/TFontDialogPlus.h"
#include "dialogs/controls/TWinSpinEdit.h"
#include "display/markup/THTMLabel.h"
#include "platform/HotKeyCode.h"

namespace lumivane {
namespace {

// The main window as the dialog sees it: a record to collect and a door that
// takes a whole record.
struct OptionsFixture : ::testing::Test {
  StoredSettings record;
  int applies = 0;
  Color pixel = RGB(10, 20, 30);
  QTemporaryDir languages;
  std::string folder;

  void SetUp() override {
    folder = languages.path().toStdString() + "/";
    WriteLanguage("English", "");
    WriteLanguage("Deutsch", "Calendar=Kalender\nTasks=Aufgaben\nAll Day=Ganztägig\n");
  }
  void WriteLanguage(const char* name, const char* messages) {
    QFile file(languages.filePath(QString::fromLatin1(name) + ".lvl"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray("[Messages]\n") + messages);
  }
  bool autostart = false;      // the entry as the file says
  std::vector<bool> switched;  // every switch asked of it
  std::unique_ptr<TFrmLVOptions> Open(bool withAutostart = true) {
    OptionsContext context;
    if (withAutostart) {
      context.autostartEnabled = [this] { return autostart; };
      context.setAutostart = [this](bool on) {
        autostart = on;
        switched.push_back(on);
      };
    }
    context.collect = [this] { return record; };
    context.apply = [this](const StoredSettings& next) {
      record = next;
      ++applies;
    };
    context.languagesFolder = folder;
    context.defaultBackground = RGB(1, 2, 3);
    context.screenPixel = [this](const QPoint&) { return pixel; };
    return std::make_unique<TFrmLVOptions>(std::move(context));
  }
  static std::vector<std::string> Preview(TFrmLVOptions& dialog) {
    return dialog.Sample->HTMLText().Lines();
  }
};

TEST_F(OptionsFixture, TheTwoSectionsAreNeverBothOff) {
  record.settings.ShowCalendar = false;
  record.settings.ShowTaks = false;
  auto dialog = Open();
  // Loading already keeps one on.
  EXPECT_TRUE(dialog->ChkShowTasks->isChecked());
  dialog->ChkShowTasks->click();
  EXPECT_FALSE(dialog->ChkShowTasks->isChecked());
  EXPECT_TRUE(dialog->ChkShowCalendar->isChecked());
  EXPECT_TRUE(dialog->CkDontDisplayCalIfEmpty->isEnabled());
  EXPECT_FALSE(dialog->CkDontDisplayTasksIfEmpty->isEnabled());
  dialog->ChkShowCalendar->click();
  EXPECT_FALSE(dialog->ChkShowCalendar->isChecked());
  EXPECT_TRUE(dialog->ChkShowTasks->isChecked());
  EXPECT_TRUE(dialog->CkDontDisplayTasksIfEmpty->isEnabled());
  EXPECT_FALSE(dialog->CkDontDisplayCalIfEmpty->isEnabled());
}

TEST_F(OptionsFixture, IndentedBoxesFollowTheirParents) {
  record.settings.ShowTodayTasks = true;
  record.settings.ShowTodayTasksEmpty = true;
  record.settings.ShowCalendarTime = false;
  auto dialog = Open();
  EXPECT_FALSE(dialog->ChkShowEndTime->isEnabled());
  dialog->ChkShowCalendarDate->click();
  EXPECT_TRUE(dialog->ChkShowEndTime->isEnabled());
  // A disabled box keeps its check mark, and OK stores it.
  dialog->ckShowTodayTasks->click();
  EXPECT_FALSE(dialog->ckShowTodayTasksEmpty->isEnabled());
  EXPECT_TRUE(dialog->ckShowTodayTasksEmpty->isChecked());
  dialog->ckTaskDateColor->setChecked(true);
  dialog->ckTaskDateColor->click();
  EXPECT_FALSE(dialog->ClPaneDueDate->isEnabled());
  EXPECT_FALSE(dialog->CkColorAllTask->isEnabled());
  dialog->OkClick();
  EXPECT_FALSE(record.settings.ShowTodayTasks);
  EXPECT_TRUE(record.settings.ShowTodayTasksEmpty);
}

TEST_F(OptionsFixture, TransparencyIsTheSliderReversed) {
  record.settings.AlphaLevel = 255;
  auto dialog = Open();
  EXPECT_EQ(dialog->TrackBar1->value(), 0);
  EXPECT_EQ(dialog->Label13->text(), QStringLiteral("0% Transparent"));
  dialog->TrackBar1->setValue(128);
  EXPECT_EQ(dialog->Label13->text(), QStringLiteral("50% Transparent"));
  dialog->OkClick();
  EXPECT_EQ(record.settings.AlphaLevel, 127);
  EXPECT_EQ(dialog->result(), QDialog::Accepted);
}

TEST_F(OptionsFixture, BoxedNumbersOpenWithTheirStandInValues) {
  record.settings.MaxSubjectSize = 0;
  record.settings.Indent = -1;
  auto dialog = Open();
  EXPECT_FALSE(dialog->CkMaxSubjectSize->isChecked());
  EXPECT_FALSE(dialog->EditMaxSubjectSize->isEnabled());
  EXPECT_EQ(dialog->EditMaxSubjectSize->text(), QStringLiteral("30"));
  EXPECT_FALSE(dialog->CkIndent->isChecked());
  EXPECT_FALSE(dialog->txtIndent->isEnabled());
  EXPECT_EQ(dialog->txtIndent->text(), QStringLiteral("3"));
  dialog->CkMaxSubjectSize->click();
  EXPECT_TRUE(dialog->EditMaxSubjectSize->isEnabled());
  dialog->OkClick();
  EXPECT_EQ(record.settings.MaxSubjectSize, 30);
  EXPECT_EQ(record.settings.Indent, -1);
}

TEST_F(OptionsFixture, EnterInsideANumericEditStoresTheClampedValue) {
  auto dialog = Open();
  dialog->show();
  dialog->activateWindow();
  dialog->TxtRefreshEvery->setFocus();
  dialog->TxtRefreshEvery->selectAll();
  QTest::keyClicks(dialog->TxtRefreshEvery, QStringLiteral("500"));
  EXPECT_EQ(dialog->TxtRefreshEvery->text(), QStringLiteral("500"));
  QTest::keyClick(dialog->TxtRefreshEvery, Qt::Key_Return);
  EXPECT_EQ(applies, 1);
  EXPECT_EQ(record.settings.RefreshEvery, 300);
  EXPECT_EQ(dialog->result(), QDialog::Accepted);
}

TEST_F(OptionsFixture, DefaultOnAPaneSetsThatPaneOnly) {
  record.settings.TaskDueTodayColor = RGB(1, 1, 1);
  auto dialog = Open();
  const Color past = dialog->ClPaneDueDate->Color();
  const Color future = dialog->ClPaneFutureDate->Color();
  dialog->ClPaneDueTodayDate->OnClickDefault(dialog->ClPaneDueTodayDate);
  EXPECT_EQ(dialog->ClPaneDueTodayDate->Color(), 0x79BCFFu);
  EXPECT_EQ(dialog->ClPaneDueDate->Color(), past);
  EXPECT_EQ(dialog->ClPaneFutureDate->Color(), future);
  dialog->BkColor->OnClickDefault(dialog->BkColor);
  EXPECT_EQ(dialog->BkColor->Color(), RGB(1, 2, 3));
  dialog->ClPaneDueDate->OnClickDefault(dialog->ClPaneDueDate);
  EXPECT_EQ(dialog->ClPaneDueDate->Color(), 0x0000FFu);
  // The past colour is part of the preview at once.
  bool coloured = false;
  for (const std::string& line : Preview(*dialog))
    coloured |= line.find("#FF0000") != std::string::npos;
  EXPECT_TRUE(coloured);
}

TEST_F(OptionsFixture, OtherColorGoesToThePaneThatAsked) {
  auto dialog = Open();
  const Color past = dialog->ClPaneDueDate->Color();
  test::WhenModal<QColorDialog>([](QColorDialog* box) {
    box->setCurrentColor(QColor(0x12, 0x34, 0x56));
    box->accept();
  });
  dialog->clpaneshadow->OnClickOtherBtn(dialog->clpaneshadow);
  EXPECT_EQ(dialog->clpaneshadow->Color(), RGB(0x12, 0x34, 0x56));
  EXPECT_EQ(dialog->ClPaneDueDate->Color(), past);
  // A cancelled colour dialog changes nothing.
  test::WhenModal<QColorDialog>([](QColorDialog* box) {
    box->setCurrentColor(QColor(0x99, 0x99, 0x99));
    box->reject();
  });
  dialog->ClPaneDueDate->OnClickOtherBtn(dialog->ClPaneDueDate);
  EXPECT_EQ(dialog->ClPaneDueDate->Color(), past);
}

TEST_F(OptionsFixture, AChosenFontReachesThePanelThePreviewAndTheRecord) {
  auto dialog = Open();
  test::WhenModal<TFontDialogPlusForm>([](TFontDialogPlusForm* form) {
    form->FontChooser()->setCurrentFont(QFont(QStringLiteral("DejaVu Serif"), 10));
    form->accept();
  });
  dialog->BtnFont->click();
  EXPECT_EQ(dialog->pnlFont->text(), QStringLiteral("DejaVu Serif, 10pt"));
  bool smaller = false;
  for (const std::string& line : Preview(*dialog)) {
    smaller |= line.find("<font size=\"9\">") != std::string::npos;
  }
  EXPECT_TRUE(smaller);
  dialog->OkClick();
  ASSERT_TRUE(record.DisplayFont.has_value());
  const LogFont font = DecodeLogFont(*record.DisplayFont);
  EXPECT_EQ(font.faceName, "DejaVu Serif");
  EXPECT_EQ(PointsFromHeight(font.height), 10);
}

// A damaged stored font shows as the built-in one. Untouched, the damaged
// value stays as stored; a font chosen over it is written and ends the
// damage, or the main window's save would drop the choice for the damaged
// value again.
TEST_F(OptionsFixture, AFontChosenOverADamagedStoredFontIsKeptAndAnUntouchedOneStaysDamaged) {
  record.DisplayFontDamaged = true;
  Open()->OkClick();
  EXPECT_FALSE(record.DisplayFont.has_value());
  EXPECT_TRUE(record.DisplayFontDamaged);

  auto dialog = Open();
  test::WhenModal<TFontDialogPlusForm>([](TFontDialogPlusForm* form) {
    form->FontChooser()->setCurrentFont(QFont(QStringLiteral("DejaVu Serif"), 10));
    form->accept();
  });
  dialog->BtnFont->click();
  dialog->OkClick();
  EXPECT_FALSE(record.DisplayFontDamaged);
  ASSERT_TRUE(record.DisplayFont.has_value());
  EXPECT_EQ(DecodeLogFont(*record.DisplayFont).faceName, "DejaVu Serif");
}

TEST_F(OptionsFixture, CancelAfterApplyKeepsWhatApplyWrote) {
  record.settings.Align = 0;
  auto dialog = Open();
  dialog->CmbAlign->setCurrentIndex(1);
  dialog->BtnApply->click();
  EXPECT_EQ(applies, 1);
  EXPECT_EQ(record.settings.Align, 1);
  EXPECT_TRUE(dialog->isVisible() || dialog->result() == 0);
  dialog->CmbAlign->setCurrentIndex(0);
  dialog->BtnCancel->click();
  EXPECT_EQ(applies, 1);
  EXPECT_EQ(record.settings.Align, 1);
  EXPECT_EQ(dialog->result(), QDialog::Rejected);
}

TEST_F(OptionsFixture, StartingAtLoginFollowsTheEntryAndIsSwitchedOnApplyOnly) {
  autostart = true;
  auto dialog = Open();
  EXPECT_TRUE(dialog->CkAutostart->isChecked());
  // Unchanged: the entry is left alone.
  dialog->BtnApply->click();
  EXPECT_TRUE(switched.empty());
  dialog->CkAutostart->setChecked(false);
  EXPECT_TRUE(autostart);  // nothing happens before Apply
  dialog->BtnApply->click();
  EXPECT_EQ(switched, std::vector<bool>{false});
  EXPECT_FALSE(autostart);
  // Cancel writes nothing.
  dialog->CkAutostart->setChecked(true);
  dialog->BtnCancel->click();
  EXPECT_EQ(switched, std::vector<bool>{false});
  // Without the two functions the box is not offered.
  auto bare = Open(false);
  EXPECT_TRUE(bare->CkAutostart->isHidden());
}

TEST_F(OptionsFixture, AStoredIndexOutsideAListSelectsNothingAndStoresMinusOne) {
  record.settings.SortTasks = 7;
  auto dialog = Open();
  EXPECT_EQ(dialog->cmbSortTasks->currentIndex(), -1);
  dialog->OkClick();
  EXPECT_EQ(record.settings.SortTasks, -1);
}

TEST_F(OptionsFixture, PickingFollowsThePointerAndEndsOnAnyButton) {
  record.settings.BackGroundColor = RGB(1, 1, 1);
  auto dialog = Open();
  dialog->show();
  dialog->Button6->click();
  EXPECT_TRUE(dialog->Picking());
  EXPECT_FALSE(dialog->Button6->isEnabled());
  QTRY_COMPARE_WITH_TIMEOUT(dialog->BkColor->Color(), RGB(10, 20, 30), 5000);
  QTest::mousePress(dialog.get(), Qt::RightButton, {}, QPoint(5, 5));
  EXPECT_FALSE(dialog->Picking());
  EXPECT_TRUE(dialog->Button6->isEnabled());
  pixel = RGB(40, 50, 60);
  QTest::qWait(120);
  EXPECT_EQ(dialog->BkColor->Color(), RGB(10, 20, 30));
  dialog->OkClick();
  EXPECT_EQ(record.settings.BackGroundColor, RGB(10, 20, 30));
}

TEST_F(OptionsFixture, EscapeWhilePickingPutsTheColourBack) {
  record.settings.BackGroundColor = RGB(1, 1, 1);
  auto dialog = Open();
  dialog->show();
  dialog->Button6->click();
  QTRY_COMPARE_WITH_TIMEOUT(dialog->BkColor->Color(), RGB(10, 20, 30), 5000);
  QTest::keyClick(dialog.get(), Qt::Key_Escape);
  EXPECT_FALSE(dialog->Picking());
  EXPECT_EQ(dialog->BkColor->Color(), RGB(1, 1, 1));
  // Escape ended the picking, not the dialog.
  EXPECT_TRUE(dialog->isVisible());
}

TEST_F(OptionsFixture, AHotKeyTypedWithoutModifierIsTakenWithAlt) {
  auto dialog = Open();
  QTest::keyClick(dialog->HotKey1, Qt::Key_F5);
  EXPECT_EQ(dialog->HotKey1->HotKey(), 0x74u | kHotKeyAlt);
  EXPECT_EQ(dialog->HotKey1->text(),
            HotKeyToKeySequence(0x74u | kHotKeyAlt).toString(QKeySequence::NativeText));
  QTest::keyClick(dialog->HotKey1, Qt::Key_R, Qt::ControlModifier);
  EXPECT_EQ(dialog->HotKey1->HotKey(), 0x52u | kHotKeyCtrl);
  QTest::keyClick(dialog->HotKey1, Qt::Key_F5);
  dialog->OkClick();
  EXPECT_EQ(record.settings.RefreshHotkey, static_cast<int>(0x74u | kHotKeyAlt));
}

TEST_F(OptionsFixture, ALanguageChoiceChangesThePreviewAtOnce) {
  record.LanguageFile = folder + "english.lvl";
  record.settings.ShowAllDay = true;
  record.settings.ShowCalendarTime = true;
  auto dialog = Open();
  // Case does not matter when the stored language is found.
  ASSERT_EQ(dialog->CmbLangs->count(), 2);
  EXPECT_EQ(dialog->CmbLangs->currentText(), QStringLiteral("English"));
  EXPECT_EQ(Preview(*dialog)[1], "<IMG src=\"idx:1\" align=\"top\"> <U><B>Calendar</B></U><BR>");
  dialog->CmbLangs->setCurrentIndex(dialog->CmbLangs->findText(QStringLiteral("Deutsch")));
  EXPECT_EQ(Preview(*dialog)[1], "<IMG src=\"idx:1\" align=\"top\"> <U><B>Kalender</B></U><BR>");
  EXPECT_EQ(Preview(*dialog)[3], "<font size=\"7\"> Ganztägig - </font>");
  dialog->OkClick();
  EXPECT_EQ(record.LanguageFile, folder + "Deutsch.lvl");
}

TEST_F(OptionsFixture, ThePreviewFollowsAlignmentAndShadow) {
  record.settings.ShowShadow = false;
  auto dialog = Open();
  const auto before = Preview(*dialog);
  EXPECT_EQ(before.front(), "<P align=\"left\">");
  dialog->CmbAlign->setCurrentIndex(1);
  EXPECT_EQ(Preview(*dialog).front(), "<P align=\"right\">");
  dialog->CkShowShadow->click();
  for (const std::string& line : Preview(*dialog)) {
    if (line.rfind("<SHAD>", 0) == 0) {
      EXPECT_EQ(line.substr(line.size() - 7), "</SHAD>");
    }
  }
  EXPECT_EQ(Preview(*dialog)[1].rfind("<SHAD>", 0), 0u);
}

// Every setting the dialog edits comes back unchanged from OK without a touch.
TEST_F(OptionsFixture, OkWithoutChangesKeepsEveryNonDefaultValue) {
  StoredSettings unusual;
  Settings& s = unusual.settings;
  // Every Boolean the other way round.
#define FLIP_BOOL(name, type, init, maximum, position) \
  if constexpr (std::is_same_v<type, bool>) s.name = !(init);
#define SKIP(name, position)
  LUMIVANE_SETTINGS_TABLE(FLIP_BOOL, SKIP)
#undef FLIP_BOOL
  s.ShowCalendar = true;  // one section stays on; the other pass turns it round
  s.RefreshEvery = 17;
  s.RefreshType = 0;
  s.Align = 1;
  s.MaxSubjectSize = 45;
  s.CalendarDaysToDisplay = 12;
  s.TaskDateType = 1;
  s.FontColor = RGB(0x11, 0x22, 0x33);
  s.TaskDueColor = RGB(0x21, 0x22, 0x23);
  s.TaskFutureColor = RGB(0x31, 0x32, 0x33);
  s.TaskDueTodayColor = RGB(0x41, 0x42, 0x43);
  s.ShadowColor = RGB(0x51, 0x52, 0x53);
  s.AlphaLevel = 200;
  s.Indent = 5;
  s.SortTasks = 1;
  s.CalendarCategories = "Work;Home";
  s.TasksCategories = "Errands";
  s.TaskSortDirection = 1;
  s.BackGroundColor = RGB(0x61, 0x62, 0x63);
  s.RefreshHotkey = static_cast<int>(0x74u | kHotKeyCtrl);
  LogFont font;
  font.faceName = "DejaVu Serif";
  font.height = HeightFromPoints(11);
  font.weight = 700;
  font.italic = 1;
  unusual.DisplayFont = EncodeLogFont(font);
  unusual.LanguageFile = folder + "Deutsch.lvl";
  unusual.LockWindow = true;
  unusual.WindowTop = 77;
  unusual.WindowLeft = 88;

  StoredSettings otherSection = unusual;
  otherSection.settings.ShowCalendar = false;
  otherSection.settings.ShowTaks = true;
  for (const StoredSettings& start : {unusual, otherSection}) {
    record = start;
    auto dialog = Open();
    // The panel names the stored font, not the built-in one.
    EXPECT_EQ(dialog->pnlFont->text(), QStringLiteral("DejaVu Serif, 11pt"));
    dialog->OkClick();
    const Settings& a = record.settings;
    const Settings& b = start.settings;
#define SAME(name, type, init, maximum, position) EXPECT_EQ(a.name, b.name) << #name;
    LUMIVANE_SETTINGS_TABLE(SAME, SKIP)
#undef SAME
    EXPECT_EQ(record.DisplayFont, start.DisplayFont);
    EXPECT_EQ(record.LanguageFile, start.LanguageFile);
    EXPECT_EQ(record.LockWindow, start.LockWindow);
    EXPECT_EQ(record.WindowTop, start.WindowTop);
    EXPECT_EQ(record.WindowLeft, start.WindowLeft);
  }
#undef SKIP
}

TEST_F(OptionsFixture, TheFixedSizeHoldsEveryText) {
  auto dialog = Open();
  EXPECT_GE(dialog->width(), 594);
  EXPECT_GE(dialog->height(), 385);
  EXPECT_EQ(dialog->minimumSize(), dialog->maximumSize());
  EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Options"));
  EXPECT_EQ(dialog->PageControl1->count(), 5);
  EXPECT_TRUE(dialog->BtnOk->isDefault());
  dialog->show();
  for (int tab = 0; tab < dialog->PageControl1->count(); ++tab) {
    dialog->PageControl1->setCurrentIndex(tab);
    for (auto* box : dialog->PageControl1->currentWidget()->findChildren<QCheckBox*>()) {
      EXPECT_GE(box->width(), box->sizeHint().width()) << box->objectName().toStdString();
    }
  }
}

}  // namespace
}  // namespace lumivane
