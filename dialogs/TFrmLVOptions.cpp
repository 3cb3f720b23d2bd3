#include "dialogs/TFrmLVOptions.h"

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QCursor>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QSlider>
#include <QTabWidget>
#include <QTimer>

#include "base/AsciiCase.h"
#include "dialogs/OptionsPreview.h"
#include "dialogs/OptionsRules.h"
#include "dialogs/TFrmCategories.h"
#include "dialogs/THotKeyEdit.h"
#include "dialogs/controls/PlaceNearTaskbar.h"
#include "dialogs/controls/TColorPane.h"
#include "dialogs/controls/TColorPaneFloatWindow.h"
#include "dialogs/controls/TFontDialogPlus.h"
#include "dialogs/controls/TWinSpinEdit.h"
#include "display/markup/QtColor.h"
#include "display/markup/THTMLabel.h"
#include "i18n/LanguageNames.h"
#include "i18n/TFindFile.h"
#include "platform/AppMessageBox.h"
#include "platform/LogFont.h"

namespace lumivane {

namespace {

// The colour of one screen pixel, read from the screen under the point.
Color ScreenPixel(const QPoint& point) {
  QScreen* screen = QGuiApplication::screenAt(point);
  if (!screen) screen = QGuiApplication::primaryScreen();
  if (!screen) return clNone;
  const QPoint local = point - screen->geometry().topLeft();
  const QImage image = screen->grabWindow(0, local.x(), local.y(), 1, 1).toImage();
  if (image.isNull()) return clNone;
  return FromQColor(image.pixelColor(0, 0));
}

void SetList(QComboBox* list, int stored) {
  list->setCurrentIndex(ListIndexFor(stored, list->count()));
}

}  // namespace

TFrmLVOptions::TFrmLVOptions(OptionsContext context, QWidget* parent)
    : QDialog(parent), context_(std::move(context)) {
  if (!context_.screenPixel) context_.screenPixel = ScreenPixel;
  FontDialog1 = std::make_unique<TFontDialogPlus>();
  CreateControls();
  LayoutControls();
  LoadControls();
  ConnectEvents();
}

TFrmLVOptions::~TFrmLVOptions() {
  // Grabs are never left behind, whatever ends the dialog.
  if (picking_) {
    Timer1->stop();
    releaseMouse();
    releaseKeyboard();
  }
}

// Loading: the picking flag, the language list, each control from its
// setting, then the rules, the percentage, the category controls, the
// preview and the first tab.
void TFrmLVOptions::LoadControls() {
  picking_ = false;
  // The coupling rules below each rebuild the preview; it is built once, at the end.
  loading_ = true;
  CkUseVistaPin->setEnabled(!context_.compositionEnabled);
  CkAutostart->setVisible(static_cast<bool>(context_.autostartEnabled));
  if (context_.autostartEnabled) CkAutostart->setChecked(context_.autostartEnabled());

  const StoredSettings stored = context_.collect();
  const Settings& s = stored.settings;
  TFindFile finder;
  finder.Directory = context_.languagesFolder;
  finder.Filter = "*.lvl";
  finder.Execute();
  const std::string current = LanguageNameOf(std::string_view(stored.LanguageFile));
  int selected = -1;
  for (const std::string& name : SortedLanguageNames(finder.Files)) {
    if (selected < 0 && !current.empty() && SameTextAscii(name, current)) {
      selected = CmbLangs->count();
    }
    CmbLangs->addItem(QString::fromStdString(name));
  }
  CmbLangs->setCurrentIndex(selected);
  Language.LanguageFile = stored.LanguageFile;

  TxtRefreshEvery->SetValue(s.RefreshEvery);
  CkNoRefreshFullScreenApp->setChecked(s.NoRefreshFullScreenApp);
  CkHTMLSubject->setChecked(s.HTMLSubject);
  CkDontDisplayCalIfEmpty->setChecked(s.DontDisplayCalIfEmpty);
  CkDontDisplayTasksIfEmpty->setChecked(s.DontDisplayTasksIfEmpty);
  SetList(CmbRefreshType, s.RefreshType);
  SetList(CmbAlign, s.Align);
  ChkSnapToDesktop->setChecked(s.SnapToDesktop);
  ChkShowCalendar->setChecked(s.ShowCalendar);
  ChkShowCalendarDate->setChecked(s.ShowCalendarTime);
  TxtDaysShowAhead->SetValue(s.CalendarDaysToDisplay);
  ChkShowTasks->setChecked(s.ShowTaks);
  CkUseVistaPin->setChecked(s.UseVistaPin);
  ChkShowTaskDate->setChecked(s.ShowTaskDate);
  ChkShowCompletedTasks->setChecked(s.ShowCompletedTaks);
  ChkShowEndTime->setChecked(s.ShowEndTime);
  CkShowLocation->setChecked(s.ShowLocation);
  CkAlwaysShowDate->setChecked(s.AlwaysShowCalDate);
  CkOpenOutlookItem->setChecked(s.OpenOutlookItem);
  CalendarCategories = s.CalendarCategories;
  TasksCategories = s.TasksCategories;
  SetList(CmbTaskSortDirection, s.TaskSortDirection);
  CkImportanceIcons->setChecked(s.ShowImpIcons);
  HotKey1->SetHotKey(static_cast<std::uint32_t>(s.RefreshHotkey));
  CkIgnoreWeekends->setChecked(s.CalIgnoreWeekends);
  CkShowCurrentIndicator->setChecked(s.ShowCurrentTaskIndicator);
  CkIgnoreClearType->setChecked(s.IgnoreClearType);
  CheckUseTodayTomorrow->setChecked(s.UseTodayTomorrow);
  const BoxedNumber subject = SubjectSizeControls(s.MaxSubjectSize);
  CkMaxSubjectSize->setChecked(subject.checked);
  EditMaxSubjectSize->SetValue(subject.value);
  SetList(cmbSortTasks, s.SortTasks);
  ckTaskDateColor->setChecked(s.ShowTaskDateColor);
  CkColorAllTask->setChecked(s.ColorAllTask);
  ClPaneDueDate->SetColor(s.TaskDueColor);
  ClPaneFutureDate->SetColor(s.TaskFutureColor);
  ClPaneDueTodayDate->SetColor(s.TaskDueTodayColor);
  CkDontShowCalCats->setChecked(!s.ShowCalCategories);
  CkDontShowTaskCats->setChecked(!s.ShowTaskCategories);
  const BoxedNumber indent = IndentControls(s.Indent);
  CkIndent->setChecked(indent.checked);
  txtIndent->SetValue(indent.value);
  CkShowShadow->setChecked(s.ShowShadow);
  clpaneshadow->SetColor(s.ShadowColor);
  CkShowAllDay->setChecked(s.ShowAllDay);
  TrackBar1->setValue(SliderFromAlpha(s.AlphaLevel));
  ckShowTodayTasks->setChecked(s.ShowTodayTasks);
  ckShowTodayTasksEmpty->setChecked(s.ShowTodayTasksEmpty);
  SetList(cbTaskType, s.TaskDateType);
  CkShowPreciseCalendar->setChecked(s.ShowPreciseCalendar);
  BkColor->SetColor(s.BackGroundColor);

  // The preview label: the display's font, fixed properties, the dialog's colours.
  Sample->SetFont(FontFromLogFont(StoredDisplayFont(stored)));
  Sample->SetFontColor(s.FontColor);
  Sample->SetIgnoreClearType(true);
  Sample->SetShadowOffset(1);
  Sample->SetVAlignment(TVAlignment::tvaTop);
  Sample->SetAutoSizing(false);
  Sample->SetTransparent(false);
  Sample->SetImages(context_.images);
  Sample->SetShadowColor(s.ShadowColor);
  ColorPaneChange(BkColor);
  pnlFont->setText(QString::fromStdString(
      FontPanelText(Sample->Font().family().toStdString(), Sample->Font().pointSize())));

  ChkShowCalendarClick();
  ChkShowTasksClick();
  ChkShowCalendarDateClick();
  CkIndentClick();
  CkShowShadowClick();
  ckTaskDateColorClick();
  ckShowTodayTasksClick();
  CkMaxSubjectSizeClick();
  TrackBar1Change();
  UpdateCategoryControls();
  loading_ = false;
  BuildPreview();
  PageControl1->setCurrentIndex(0);
  // The keyboard starts at the first control of the first tab.
  CmbLangs->setFocus();
}

void TFrmLVOptions::ConnectEvents() {
  connect(BtnOk, &QPushButton::clicked, this, &TFrmLVOptions::OkClick);
  connect(BtnApply, &QPushButton::clicked, this, &TFrmLVOptions::ApplyClick);
  connect(BtnCancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(ChkShowCalendar, &QCheckBox::clicked, this, &TFrmLVOptions::ChkShowCalendarClick);
  connect(CkUseVistaPin, &QCheckBox::clicked, this, &TFrmLVOptions::ChkShowCalendarClick);
  connect(ChkShowTasks, &QCheckBox::clicked, this, &TFrmLVOptions::ChkShowTasksClick);
  connect(ChkShowCalendarDate, &QCheckBox::clicked, this, &TFrmLVOptions::ChkShowCalendarDateClick);
  connect(CkIndent, &QCheckBox::clicked, this, &TFrmLVOptions::CkIndentClick);
  connect(CkShowShadow, &QCheckBox::clicked, this, &TFrmLVOptions::CkShowShadowClick);
  connect(ckTaskDateColor, &QCheckBox::clicked, this, &TFrmLVOptions::ckTaskDateColorClick);
  connect(ckShowTodayTasks, &QCheckBox::clicked, this, &TFrmLVOptions::ckShowTodayTasksClick);
  connect(CkMaxSubjectSize, &QCheckBox::clicked, this, &TFrmLVOptions::CkMaxSubjectSizeClick);
  connect(TrackBar1, &QSlider::valueChanged, this, &TFrmLVOptions::TrackBar1Change);
  connect(CmbLangs, &QComboBox::currentIndexChanged, this, &TFrmLVOptions::CmbLangsChange);
  // The spin edit's own line edit tells of every change of the indent value.
  if (auto* indentText = txtIndent->findChild<QLineEdit*>()) {
    connect(indentText, &QLineEdit::textChanged, this, &TFrmLVOptions::BuildPreview);
  }
  connect(Button3, &QPushButton::clicked, this, &TFrmLVOptions::Button3Click);
  connect(Button5, &QPushButton::clicked, this, &TFrmLVOptions::Button5Click);
  connect(BtnFont, &QPushButton::clicked, this, &TFrmLVOptions::BtnFontClick);
  connect(Button6, &QPushButton::clicked, this, &TFrmLVOptions::Button6Click);
  connect(Timer1, &QTimer::timeout, this, &TFrmLVOptions::Timer1Timer);
  // These only rebuild the preview.
  for (QCheckBox* box :
       {CkShowAllDay, CkShowPreciseCalendar, CkShowLocation, ChkShowEndTime, CkAlwaysShowDate,
        CkIgnoreWeekends, CkShowCurrentIndicator, CheckUseTodayTomorrow, CkDontDisplayCalIfEmpty,
        ChkShowCompletedTasks, ChkShowTaskDate, CkImportanceIcons, ckShowTodayTasksEmpty,
        CkDontDisplayTasksIfEmpty, CkColorAllTask}) {
    connect(box, &QCheckBox::clicked, this, &TFrmLVOptions::BuildPreview);
  }
  for (QComboBox* list : {CmbAlign, cmbSortTasks, CmbTaskSortDirection}) {
    connect(list, &QComboBox::currentIndexChanged, this, &TFrmLVOptions::BuildPreview);
  }
  for (TColorPane* pane :
       {ClPaneDueDate, ClPaneDueTodayDate, ClPaneFutureDate, clpaneshadow, BkColor}) {
    pane->OnChange = [this](TColorPane* p) { ColorPaneChange(p); };
    pane->OnClickDefault = [this](TColorPane* p) { ColorPaneClickDefault(p); };
    pane->OnClickOtherBtn = [this](TColorPane* p) { ColorPaneClickOther(p); };
  }
}

void TFrmLVOptions::UpdateSectionBoxes() {
  CkDontDisplayCalIfEmpty->setEnabled(ChkShowCalendar->isChecked());
  CkDontDisplayTasksIfEmpty->setEnabled(ChkShowTasks->isChecked());
}

void TFrmLVOptions::ChkShowCalendarClick() {
  const SectionBoxes boxes =
      KeepOneSection({ChkShowCalendar->isChecked(), ChkShowTasks->isChecked()}, true);
  ChkShowTasks->setChecked(boxes.tasks);
  UpdateSectionBoxes();
  BuildPreview();
}

void TFrmLVOptions::ChkShowTasksClick() {
  const SectionBoxes boxes =
      KeepOneSection({ChkShowCalendar->isChecked(), ChkShowTasks->isChecked()}, false);
  ChkShowCalendar->setChecked(boxes.calendar);
  UpdateSectionBoxes();
  BuildPreview();
}

void TFrmLVOptions::ChkShowCalendarDateClick() {
  ChkShowEndTime->setEnabled(ChkShowCalendarDate->isChecked());
  BuildPreview();
}

void TFrmLVOptions::CkIndentClick() {
  txtIndent->setEnabled(CkIndent->isChecked());
  LblSpaces->setEnabled(CkIndent->isChecked());
  BuildPreview();
}

void TFrmLVOptions::CkShowShadowClick() {
  clpaneshadow->setEnabled(CkShowShadow->isChecked());
  BuildPreview();
}

void TFrmLVOptions::ckTaskDateColorClick() {
  const bool on = ckTaskDateColor->isChecked();
  XPGroupBox1->setEnabled(on);
  ClPaneDueDate->setEnabled(on);
  ClPaneFutureDate->setEnabled(on);
  CkColorAllTask->setEnabled(on);
  BuildPreview();
}

void TFrmLVOptions::ckShowTodayTasksClick() {
  // A disabled box keeps its check mark, and its value is still stored.
  ckShowTodayTasksEmpty->setEnabled(ckShowTodayTasks->isChecked());
  BuildPreview();
}

void TFrmLVOptions::CkMaxSubjectSizeClick() {
  EditMaxSubjectSize->setEnabled(CkMaxSubjectSize->isChecked());
}

void TFrmLVOptions::TrackBar1Change() {
  Label13->setText(QString::fromStdString(TransparencyText(TrackBar1->value())));
}

void TFrmLVOptions::CmbLangsChange() {
  const int index = CmbLangs->currentIndex();
  Language.LanguageFile =
      index < 0 ? std::string()
                : context_.languagesFolder + CmbLangs->itemText(index).toStdString() + ".lvl";
  BuildPreview();
}

void TFrmLVOptions::UpdateCategoryControls() {
  auto show = [](QPushButton* button, QCheckBox* box, const std::string& categories) {
    QFont font = button->font();
    font.setBold(!categories.empty());
    button->setFont(font);
    box->setEnabled(!categories.empty());
  };
  show(Button3, CkDontShowCalCats, CalendarCategories);
  show(Button5, CkDontShowTaskCats, TasksCategories);
}

void TFrmLVOptions::Button3Click() {
  EditCategoryList(CalendarCategories,
                   context_.categoryNames ? context_.categoryNames() : std::vector<std::string>{},
                   this);
  UpdateCategoryControls();
}

void TFrmLVOptions::Button5Click() {
  EditCategoryList(TasksCategories,
                   context_.categoryNames ? context_.categoryNames() : std::vector<std::string>{},
                   this);
  UpdateCategoryControls();
}

void TFrmLVOptions::BtnFontClick() {
  FontDialog1->SetFont(Sample->Font());
  FontDialog1->SetFontColor(Sample->FontColor());
  if (!FontDialog1->Execute(this)) return;
  Sample->SetFont(FontDialog1->Font());
  Sample->SetFontColor(FontDialog1->FontColor());
  pnlFont->setText(QString::fromStdString(
      FontPanelText(Sample->Font().family().toStdString(), Sample->Font().pointSize())));
  BuildPreview();
}

void TFrmLVOptions::ColorPaneChange(TColorPane* pane) {
  if (pane == BkColor) {
    Sample->SetColor(BkColor->Color());
    QPalette palette = PnlPreview->palette();
    palette.setColor(QPalette::Window, ToQColor(BkColor->Color()));
    PnlPreview->setPalette(palette);
  } else if (pane == clpaneshadow) {
    Sample->SetShadowColor(clpaneshadow->Color());
  }
  BuildPreview();
}

void TFrmLVOptions::ColorPaneClickDefault(TColorPane* pane) {
  if (pane == ClPaneDueDate) pane->SetColor(RGB(255, 0, 0));
  if (pane == ClPaneDueTodayDate) pane->SetColor(RGB(255, 188, 121));
  if (pane == ClPaneFutureDate) pane->SetColor(RGB(0, 255, 0));
  if (pane == clpaneshadow) pane->SetColor(clBlack);
  if (pane == BkColor) pane->SetColor(context_.defaultBackground);
}

void TFrmLVOptions::ColorPaneClickOther(TColorPane* pane) {
  if (ColorDialog1->exec() != QDialog::Accepted) return;
  pane->SetColor(FromQColor(ColorDialog1->selectedColor()));
}

void TFrmLVOptions::BuildPreview() {
  if (loading_) return;
  PreviewChoices c;
  c.showShadow = CkShowShadow->isChecked();
  c.alignRight = CmbAlign->currentIndex() != 0;
  c.indentOn = CkIndent->isChecked();
  c.indent = ClampedValue(txtIndent->Value(), 1, 10);
  c.fontPointSize = Sample->Font().pointSize();
  c.showCalendar = ChkShowCalendar->isChecked();
  c.showStartTime = ChkShowCalendarDate->isChecked();
  c.showEndTime = ChkShowEndTime->isChecked();
  c.showAllDay = CkShowAllDay->isChecked();
  c.useTodayTomorrow = CheckUseTodayTomorrow->isChecked();
  c.showTasks = ChkShowTasks->isChecked();
  c.sortTasks = cmbSortTasks->currentIndex();
  c.showImpIcons = CkImportanceIcons->isChecked();
  c.showCompleted = ChkShowCompletedTasks->isChecked();
  c.showTaskDate = ChkShowTaskDate->isChecked();
  c.taskDateColor = ckTaskDateColor->isChecked();
  c.colorAllTask = CkColorAllTask->isChecked();
  c.pastColor = ClPaneDueDate->Color();
  c.futureColor = ClPaneFutureDate->Color();
  PreviewWords w;
  w.calendar = Language.LookupMessage("Calendar");
  w.tasks = Language.LookupMessage("Tasks");
  w.allDay = Language.LookupMessage("All Day");
  w.today = Language.LookupMessage("Today");
  w.tomorrow = Language.LookupMessage("Tomorrow");
  // 12, 13 and 14 May 2004: a Wednesday, a Thursday and a Friday.
  w.day1 = context_.formats.longDayNames[3];
  w.day2 = context_.formats.longDayNames[4];
  w.day3 = context_.formats.longDayNames[5];

  Sample->BeginUpdate();
  THTMLStrings& markup = Sample->HTMLText();
  markup.Clear();
  for (std::string& line : BuildPreviewMarkup(c, w)) markup.Add(std::move(line));
  Sample->EndUpdate();
}

// OK and Apply write the controls in this order, each value taken clamped.
void TFrmLVOptions::WriteControls(StoredSettings& stored) {
  Settings& s = stored.settings;
  s.RefreshEvery = ClampedValue(TxtRefreshEvery->Value(), 1, 300);
  s.NoRefreshFullScreenApp = CkNoRefreshFullScreenApp->isChecked();
  s.HTMLSubject = CkHTMLSubject->isChecked();
  s.DontDisplayCalIfEmpty = CkDontDisplayCalIfEmpty->isChecked();
  s.DontDisplayTasksIfEmpty = CkDontDisplayTasksIfEmpty->isChecked();
  s.RefreshType = CmbRefreshType->currentIndex();
  s.Align = CmbAlign->currentIndex();
  s.SnapToDesktop = ChkSnapToDesktop->isChecked();
  s.ShowCalendar = ChkShowCalendar->isChecked();
  s.ShowCalendarTime = ChkShowCalendarDate->isChecked();
  s.CalendarDaysToDisplay = ClampedValue(TxtDaysShowAhead->Value(), 1, 90);
  s.ShowTaks = ChkShowTasks->isChecked();
  s.UseVistaPin = CkUseVistaPin->isChecked();
  s.ShowTaskDate = ChkShowTaskDate->isChecked();
  s.ShowCompletedTaks = ChkShowCompletedTasks->isChecked();
  // The display label takes the preview's font, by the main window's rule.
  StoreDisplayFont(stored, Sample->Font(), StoredDisplayFont(stored), stored.DisplayFontDamaged);
  s.FontColor = Sample->FontColor();
  s.ShowEndTime = ChkShowEndTime->isChecked();
  s.ShowLocation = CkShowLocation->isChecked();
  s.AlwaysShowCalDate = CkAlwaysShowDate->isChecked();
  s.OpenOutlookItem = CkOpenOutlookItem->isChecked();
  s.CalendarCategories = CalendarCategories;
  s.TasksCategories = TasksCategories;
  s.TaskSortDirection = CmbTaskSortDirection->currentIndex();
  s.ShowImpIcons = CkImportanceIcons->isChecked();
  s.RefreshHotkey = static_cast<int>(HotKey1->HotKey());
  s.CalIgnoreWeekends = CkIgnoreWeekends->isChecked();
  s.ShowCurrentTaskIndicator = CkShowCurrentIndicator->isChecked();
  s.IgnoreClearType = CkIgnoreClearType->isChecked();
  s.UseTodayTomorrow = CheckUseTodayTomorrow->isChecked();
  s.MaxSubjectSize = SubjectSizeSetting(CkMaxSubjectSize->isChecked(), EditMaxSubjectSize->Value());
  const int language = CmbLangs->currentIndex();
  stored.LanguageFile =
      language < 0 ? std::string()
                   : context_.languagesFolder + CmbLangs->itemText(language).toStdString() + ".lvl";
  s.SortTasks = cmbSortTasks->currentIndex();
  s.ShowTaskDateColor = ckTaskDateColor->isChecked();
  s.ColorAllTask = CkColorAllTask->isChecked();
  s.TaskDueColor = ClPaneDueDate->Color();
  s.TaskFutureColor = ClPaneFutureDate->Color();
  s.TaskDueTodayColor = ClPaneDueTodayDate->Color();
  s.ShowCalCategories = !CkDontShowCalCats->isChecked();
  s.ShowTaskCategories = !CkDontShowTaskCats->isChecked();
  s.Indent = IndentSetting(CkIndent->isChecked(), txtIndent->Value());
  s.ShowShadow = CkShowShadow->isChecked();
  s.ShadowColor = clpaneshadow->Color();
  s.ShowAllDay = CkShowAllDay->isChecked();
  s.AlphaLevel = AlphaFromSlider(TrackBar1->value());
  s.ShowTodayTasks = ckShowTodayTasks->isChecked();
  s.ShowTodayTasksEmpty = ckShowTodayTasksEmpty->isChecked();
  s.TaskDateType = cbTaskType->currentIndex();
  s.ShowPreciseCalendar = CkShowPreciseCalendar->isChecked();
  s.BackGroundColor = BkColor->Color();
}

void TFrmLVOptions::ApplyClick() {
  StoredSettings stored = context_.collect();
  WriteControls(stored);
  // The door applies the font, colours, language, interval and hot key, then
  // recomposes the display.
  context_.apply(stored);
  // The autostart entry is switched only when the box differs from it, so an
  // entry the user edited by hand is left alone otherwise.
  if (context_.autostartEnabled && context_.setAutostart &&
      CkAutostart->isChecked() != context_.autostartEnabled()) {
    try {
      context_.setAutostart(CkAutostart->isChecked());
    } catch (const std::exception& e) {
      ShowApplicationError(QString::fromStdString(e.what()));
    }
  }
}

void TFrmLVOptions::OkClick() {
  ApplyClick();
  accept();
}

void TFrmLVOptions::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  PlaceNearTaskbar(this);
}

// The screen colour picker: a pointer grab with the cross-hair cursor (the
// cursor belongs to the grab, so nothing system-wide is changed), the pixel
// under the pointer read every 50 ms, any button ending it, Escape putting
// the colour back.
void TFrmLVOptions::Button6Click() {
  if (picking_) return;
  colorBeforePicking_ = BkColor->Color();
  picking_ = true;
  Button6->setEnabled(false);
  grabMouse(Qt::CrossCursor);
  grabKeyboard();
  Timer1->start();
}

void TFrmLVOptions::Timer1Timer() {
  if (!picking_) return;
  const Color color = context_.screenPixel(QCursor::pos());
  if (color != clNone) BkColor->SetColor(color);
}

void TFrmLVOptions::StopPicking(bool keep) {
  picking_ = false;
  Timer1->stop();
  releaseMouse();
  releaseKeyboard();
  if (!keep) BkColor->SetColor(colorBeforePicking_);
  Button6->setEnabled(true);
  show();
  raise();
  activateWindow();
}

void TFrmLVOptions::mousePressEvent(QMouseEvent* event) {
  if (picking_) {
    StopPicking(true);
    event->accept();
    return;
  }
  QDialog::mousePressEvent(event);
}

void TFrmLVOptions::keyPressEvent(QKeyEvent* event) {
  if (picking_) {
    if (event->key() == Qt::Key_Escape) StopPicking(false);
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

}  // namespace lumivane
