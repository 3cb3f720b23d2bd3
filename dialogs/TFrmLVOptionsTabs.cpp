// The controls of the options dialog, one builder per tab, and its layout.
// Texts, items and ranges are the dialog's own; Qt layouts size everything.
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "dialogs/DialogControls.h"
#include "dialogs/TFrmLVOptions.h"
#include "dialogs/THotKeyEdit.h"
#include "dialogs/controls/TColorPane.h"
#include "dialogs/controls/TColorPaneFloatWindow.h"
#include "dialogs/controls/TFontDialogPlus.h"
#include "dialogs/controls/TWinSpinEdit.h"
#include "display/markup/THTMLabel.h"

namespace lumivane {

namespace {

TWinSpinEdit* NewSpin(QWidget* owner, const char* name, int minimum, int maximum) {
  auto* spin = NewControl<TWinSpinEdit>(owner, name);
  spin->SetMinValue(minimum);
  spin->SetMaxValue(maximum);
  return spin;
}

QComboBox* NewList(QWidget* owner, const char* name, std::initializer_list<const char*> items) {
  auto* list = NewControl<QComboBox>(owner, name);
  for (const char* item : items) list->addItem(QString::fromUtf8(item));
  return list;
}

QLabel* NewNote(QWidget* owner, const QString& text) {
  auto* note = new QLabel(text, owner);
  note->setWordWrap(true);
  return note;
}

// A check box that depends on the one above it, shown indented.
QHBoxLayout* Indented(QWidget* control) {
  auto* row = new QHBoxLayout;
  row->addSpacing(18);
  row->addWidget(control, 1);
  return row;
}

QHBoxLayout* Row(std::initializer_list<QWidget*> controls, bool stretch = true) {
  auto* row = new QHBoxLayout;
  for (QWidget* control : controls) row->addWidget(control);
  if (stretch) row->addStretch();
  return row;
}

}  // namespace

QWidget* TFrmLVOptions::CreateGeneralTab() {
  auto* tab = new QWidget;
  CmbLangs = NewControl<QComboBox>(tab, "CmbLangs");
  TxtRefreshEvery = NewSpin(tab, "TxtRefreshEvery", 1, 300);
  CmbRefreshType = NewList(tab, "CmbRefreshType", {"Minutes", "Hours"});
  CmbAlign = NewList(tab, "CmbAlign", {"Left", "Right"});
  HotKey1 = NewControl<THotKeyEdit>(tab, "HotKey1");
  ChkSnapToDesktop =
      NewControl<QCheckBox>(tab, "ChkSnapToDesktop", QStringLiteral("Snap to desktop edges"));
  CkOpenOutlookItem = NewControl<QCheckBox>(
      tab, "CkOpenOutlookItem", QStringLiteral("Open Outlook Items (By clicking on the items)"));
  CkNoRefreshFullScreenApp = NewControl<QCheckBox>(
      tab, "CkNoRefreshFullScreenApp",
      QStringLiteral("Do not refresh data if a full screen application is detected"));
  CkHTMLSubject =
      NewControl<QCheckBox>(tab, "CkHTMLSubject", QStringLiteral("Item subject is HTML aware"));
  CkMaxSubjectSize =
      NewControl<QCheckBox>(tab, "CkMaxSubjectSize", QStringLiteral("Cut subject length at: "));
  EditMaxSubjectSize = NewSpin(tab, "EditMaxSubjectSize", 1, 999);

  auto* grid = new QGridLayout;
  grid->addWidget(new QLabel(QStringLiteral("Language:"), tab), 0, 0);
  grid->addLayout(Row({CmbLangs}), 0, 1);
  grid->addWidget(new QLabel(QStringLiteral("Refresh data every : "), tab), 1, 0);
  grid->addLayout(Row({TxtRefreshEvery, CmbRefreshType}), 1, 1);
  grid->addWidget(new QLabel(QStringLiteral("Align Items :"), tab), 2, 0);
  grid->addLayout(Row({CmbAlign}), 2, 1);
  grid->addWidget(new QLabel(QStringLiteral("Refresh HotKey:"), tab), 3, 0);
  grid->addLayout(Row({HotKey1}), 3, 1);
  grid->setColumnStretch(1, 1);

  auto* layout = new QVBoxLayout(tab);
  layout->addLayout(grid);
  layout->addWidget(ChkSnapToDesktop);
  layout->addLayout(Indented(NewNote(
      tab, QStringLiteral("(Uncheck if you plan to use Lumivane in a multi-monitor setup)"))));
  layout->addWidget(CkOpenOutlookItem);
  layout->addWidget(CkNoRefreshFullScreenApp);
  layout->addWidget(CkHTMLSubject);
  layout->addLayout(Row({CkMaxSubjectSize, EditMaxSubjectSize}));
  layout->addStretch(1);
  CkAutostart =
      NewControl<QCheckBox>(tab, "CkAutostart", QStringLiteral("Start Lumivane when I log in"));
  layout->addWidget(CkAutostart);
  return tab;
}

QWidget* TFrmLVOptions::CreateDisplayTab() {
  auto* tab = new QWidget;
  auto* fontGroup = new QGroupBox(QStringLiteral("Font"), tab);
  pnlFont = NewControl<QLabel>(fontGroup, "pnlFont");
  pnlFont->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  pnlFont->setAlignment(Qt::AlignCenter);
  BtnFont = NewControl<QPushButton>(fontGroup, "BtnFont", QStringLiteral("Select..."));
  CkIgnoreClearType =
      NewControl<QCheckBox>(fontGroup, "CkIgnoreClearType", QStringLiteral("Ignore ClearType"));
  auto* fontLayout = new QGridLayout(fontGroup);
  fontLayout->addWidget(pnlFont, 0, 0);
  fontLayout->addWidget(BtnFont, 0, 1);
  fontLayout->addWidget(CkIgnoreClearType, 1, 0, 1, 2);
  fontLayout->setColumnStretch(0, 1);

  auto* backGroup = new QGroupBox(QStringLiteral("Background"), tab);
  CkShowShadow = NewControl<QCheckBox>(backGroup, "CkShowShadow", QStringLiteral("Show shadow : "));
  clpaneshadow = NewControl<TColorPane>(backGroup, "clpaneshadow");
  BkColor = NewControl<TColorPane>(backGroup, "BkColor");
  Button6 = NewControl<QPushButton>(backGroup, "Button6", QStringLiteral("Pick Color"));
  auto* backLayout = new QGridLayout(backGroup);
  backLayout->addWidget(CkShowShadow, 0, 0);
  backLayout->addLayout(Row({clpaneshadow}), 0, 1);
  backLayout->addWidget(new QLabel(QStringLiteral("Transparent Color:"), backGroup), 1, 0);
  backLayout->addLayout(Row({BkColor, Button6}), 1, 1);
  backLayout->setColumnStretch(1, 1);

  auto* alphaGroup = new QGroupBox(QStringLiteral("Transparency Level"), tab);
  TrackBar1 = NewControl<QSlider>(alphaGroup, "TrackBar1", Qt::Horizontal);
  TrackBar1->setRange(0, 255);
  TrackBar1->setPageStep(255);
  TrackBar1->setTickPosition(QSlider::NoTicks);
  Label13 = NewControl<QLabel>(alphaGroup, "Label13");
  Label13->setAlignment(Qt::AlignCenter);
  auto* alphaLayout = new QGridLayout(alphaGroup);
  alphaLayout->addWidget(new QLabel(QStringLiteral("Solid"), alphaGroup), 0, 0);
  alphaLayout->addWidget(TrackBar1, 0, 1);
  alphaLayout->addWidget(new QLabel(QStringLiteral("Clear"), alphaGroup), 0, 2);
  alphaLayout->addWidget(Label13, 1, 1);

  CkIndent = NewControl<QCheckBox>(tab, "CkIndent", QStringLiteral("Indent items by"));
  txtIndent = NewSpin(tab, "txtIndent", 1, 10);
  LblSpaces = NewControl<QLabel>(tab, "LblSpaces", QStringLiteral("Spaces"));

  auto* layout = new QVBoxLayout(tab);
  layout->addWidget(fontGroup);
  layout->addWidget(backGroup);
  layout->addWidget(alphaGroup);
  layout->addLayout(Row({CkIndent, txtIndent, LblSpaces}));
  layout->addLayout(Indented(NewNote(tab, QStringLiteral("(Only applies to calendar items)"))));
  layout->addStretch(1);
  return tab;
}

QWidget* TFrmLVOptions::CreateCalendarTab() {
  auto* tab = new QWidget;
  auto box = [tab](const char* name, const char* text) {
    return NewControl<QCheckBox>(tab, name, QString::fromUtf8(text));
  };
  ChkShowCalendar = box("ChkShowCalendar", "Show Calendar");
  CkDontDisplayCalIfEmpty = box("CkDontDisplayCalIfEmpty", "Hide Calendar if no items are found");
  ChkShowCalendarDate = box("ChkShowCalendarDate", "Show appointment start time");
  ChkShowEndTime = box("ChkShowEndTime", "Show appointment end time");
  CkShowAllDay = box("CkShowAllDay", "Show All/Multi Day events");
  CkShowPreciseCalendar = box("CkShowPreciseCalendar", "Hide past items in the day");
  CkShowCurrentIndicator = box("CkShowCurrentIndicator", "Show current task indicator");
  CkIgnoreWeekends = box("CkIgnoreWeekends", "Hide appointments on weekends");
  CkShowLocation = box("CkShowLocation", "Show location");
  CkAlwaysShowDate = box("CkAlwaysShowDate", "Show header date");
  CheckUseTodayTomorrow = box("CheckUseTodayTomorrow", "Use Today/Tomorrow in header date");
  TxtDaysShowAhead = NewSpin(tab, "TxtDaysShowAhead", 1, 90);
  Button3 = NewControl<QPushButton>(tab, "Button3", QStringLiteral("Categories..."));
  CkDontShowCalCats = box("CkDontShowCalCats", "Don't show selected categories");

  auto* layout = new QVBoxLayout(tab);
  layout->addWidget(ChkShowCalendar);
  layout->addLayout(Indented(CkDontDisplayCalIfEmpty));
  layout->addWidget(ChkShowCalendarDate);
  layout->addLayout(Indented(ChkShowEndTime));
  for (QWidget* control :
       {static_cast<QWidget*>(CkShowAllDay), static_cast<QWidget*>(CkShowPreciseCalendar),
        static_cast<QWidget*>(CkShowCurrentIndicator), static_cast<QWidget*>(CkIgnoreWeekends),
        static_cast<QWidget*>(CkShowLocation), static_cast<QWidget*>(CkAlwaysShowDate),
        static_cast<QWidget*>(CheckUseTodayTomorrow)}) {
    layout->addWidget(control);
  }
  layout->addLayout(
      Row({new QLabel(QStringLiteral("Days to show ahead (1-90):"), tab), TxtDaysShowAhead}));
  layout->addLayout(Row({Button3, CkDontShowCalCats}));
  layout->addStretch(1);
  return tab;
}

QWidget* TFrmLVOptions::CreateTasksTab() {
  auto* tab = new QWidget;
  auto box = [](QWidget* owner, const char* name, const char* text) {
    return NewControl<QCheckBox>(owner, name, QString::fromUtf8(text));
  };
  ChkShowTasks = box(tab, "ChkShowTasks", "Show tasks");
  CkDontDisplayTasksIfEmpty =
      box(tab, "CkDontDisplayTasksIfEmpty", "Hide Tasks if no items are found");
  ckShowTodayTasks = box(tab, "ckShowTodayTasks", "Show today's (and older) tasks only");
  ckShowTodayTasksEmpty = box(tab, "ckShowTodayTasksEmpty", "include tasks with no due date");
  ChkShowCompletedTasks = box(tab, "ChkShowCompletedTasks", "Show completed tasks");
  cbTaskType = NewList(tab, "cbTaskType", {"Due", "Start"});
  ChkShowTaskDate = box(tab, "ChkShowTaskDate", "Also show in task text");
  cmbSortTasks = NewList(tab, "cmbSortTasks", {"Due Date", "Priority", "Start Date"});
  CmbTaskSortDirection = NewList(tab, "CmbTaskSortDirection", {"Ascending", "Descending"});
  CkImportanceIcons = box(tab, "CkImportanceIcons", "Show priority icons");
  ckTaskDateColor = box(tab, "ckTaskDateColor", "Color tasks based on selected date");
  XPGroupBox1 = NewControl<QGroupBox>(tab, "XPGroupBox1");
  ClPaneDueDate = NewControl<TColorPane>(XPGroupBox1, "ClPaneDueDate");
  ClPaneDueTodayDate = NewControl<TColorPane>(XPGroupBox1, "ClPaneDueTodayDate");
  ClPaneFutureDate = NewControl<TColorPane>(XPGroupBox1, "ClPaneFutureDate");
  CkColorAllTask = box(XPGroupBox1, "CkColorAllTask", "Colorize all task text");
  Button5 = NewControl<QPushButton>(tab, "Button5", QStringLiteral("Categories..."));
  CkDontShowTaskCats = box(tab, "CkDontShowTaskCats", "Don't show selected categories");

  // The group's caption is the check box that switches it.
  auto* groupLayout = new QVBoxLayout(XPGroupBox1);
  groupLayout->addLayout(
      Row({new QLabel(QStringLiteral("Past:"), XPGroupBox1), ClPaneDueDate,
           new QLabel(QStringLiteral("Due today:"), XPGroupBox1), ClPaneDueTodayDate,
           new QLabel(QStringLiteral("Future:"), XPGroupBox1), ClPaneFutureDate}));
  groupLayout->addWidget(CkColorAllTask);
  auto* colorGroup = new QVBoxLayout;
  colorGroup->setSpacing(0);
  colorGroup->addWidget(ckTaskDateColor);
  colorGroup->addWidget(XPGroupBox1);

  auto* layout = new QVBoxLayout(tab);
  layout->addWidget(ChkShowTasks);
  layout->addLayout(Indented(CkDontDisplayTasksIfEmpty));
  layout->addWidget(ckShowTodayTasks);
  layout->addLayout(Indented(ckShowTodayTasksEmpty));
  layout->addWidget(ChkShowCompletedTasks);
  layout->addLayout(Row({new QLabel(QStringLiteral("Work with:"), tab), cbTaskType,
                         new QLabel(QStringLiteral("date"), tab)}));
  layout->addWidget(ChkShowTaskDate);
  layout->addLayout(
      Row({new QLabel(QStringLiteral("Sort by"), tab), cmbSortTasks, CmbTaskSortDirection}));
  layout->addWidget(CkImportanceIcons);
  layout->addLayout(colorGroup);
  layout->addLayout(Row({Button5, CkDontShowTaskCats}));
  layout->addStretch(1);
  return tab;
}

QWidget* TFrmLVOptions::CreateAdvancedTab() {
  auto* tab = new QWidget;
  CkUseVistaPin = NewControl<QCheckBox>(
      tab, "CkUseVistaPin", QStringLiteral("Use alternate method to pin to the desktop (Aero)"));
  auto* layout = new QVBoxLayout(tab);
  layout->addWidget(CkUseVistaPin);
  layout->addLayout(Indented(NewNote(
      tab, QStringLiteral("(try selecting this option If you have problems with multi-monitor "
                          "setup's. Requires a restart of Lumivane)"))));
  layout->addStretch(1);
  return tab;
}

QWidget* TFrmLVOptions::CreatePreviewSide() {
  auto* side = new QWidget(this);
  auto* heading = new QLabel(QStringLiteral("Preview"), side);
  auto* rule = new QFrame(side);
  rule->setFrameStyle(QFrame::HLine | QFrame::Sunken);
  PnlPreview = NewControl<QFrame>(side, "PnlPreview");
  PnlPreview->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  PnlPreview->setAutoFillBackground(true);
  PnlPreview->setMinimumSize(231, 309);
  Sample = NewControl<THTMLabel>(PnlPreview, "Sample");
  auto* panelLayout = new QVBoxLayout(PnlPreview);
  panelLayout->setContentsMargins(8, 8, 8, 8);
  panelLayout->addWidget(Sample);
  auto* layout = new QVBoxLayout(side);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* headingRow = new QHBoxLayout;
  headingRow->addWidget(heading);
  headingRow->addWidget(rule, 1);
  layout->addLayout(headingRow);
  layout->addWidget(PnlPreview, 1);
  return side;
}

void TFrmLVOptions::CreateControls() {
  setObjectName(QStringLiteral("FrmLVOptions"));
  setWindowTitle(QStringLiteral("Options"));
  PageControl1 = NewControl<QTabWidget>(this, "PageControl1");
  PageControl1->addTab(CreateGeneralTab(), QStringLiteral("General"));
  PageControl1->addTab(CreateDisplayTab(), QStringLiteral("Display"));
  PageControl1->addTab(CreateCalendarTab(), QStringLiteral("Calendar"));
  PageControl1->addTab(CreateTasksTab(), QStringLiteral("Tasks"));
  PageControl1->addTab(CreateAdvancedTab(), QStringLiteral("Advanced"));
  BtnOk = NewControl<QPushButton>(this, "BtnOk", QStringLiteral("&OK"));
  BtnOk->setDefault(true);
  BtnCancel = NewControl<QPushButton>(this, "BtnCancel", QStringLiteral("&Cancel"));
  BtnApply = NewControl<QPushButton>(this, "BtnApply", QStringLiteral("&Apply"));
  Timer1 = NewControl<QTimer>(this, "Timer1");
  Timer1->setInterval(50);
  ColorDialog1 = NewControl<QColorDialog>(this, "ColorDialog1");
  ColorDialog1->setCurrentColor(Qt::black);
}

void TFrmLVOptions::LayoutControls() {
  auto* top = new QHBoxLayout;
  top->addWidget(PageControl1, 1);
  top->addWidget(CreatePreviewSide());

  auto* bottomRule = new QFrame(this);
  bottomRule->setFrameStyle(QFrame::HLine | QFrame::Sunken);
  auto* name = new QLabel(QStringLiteral("Lumivane"), this);
  QFont bold = name->font();
  bold.setBold(true);
  name->setFont(bold);
  auto* line = new QLabel(QStringLiteral("Display your Outlook® tasks on the desktop"), this);
  QPalette shadowText = line->palette();
  shadowText.setColor(QPalette::WindowText, shadowText.color(QPalette::Dark));
  line->setPalette(shadowText);
  auto* words = new QVBoxLayout;
  words->setSpacing(0);
  words->addWidget(name);
  words->addWidget(line);
  auto* bottom = new QHBoxLayout;
  bottom->addLayout(words);
  bottom->addStretch(1);
  bottom->addWidget(BtnOk, 0, Qt::AlignBottom);
  bottom->addWidget(BtnCancel, 0, Qt::AlignBottom);
  bottom->addWidget(BtnApply, 0, Qt::AlignBottom);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top, 1);
  layout->addWidget(bottomRule);
  layout->addLayout(bottom);
  // Fixed size: what the contents need with the system's font, and never
  // smaller than the dialog's design size.
  setFixedSize(layout->sizeHint().expandedTo(QSize(594, 385)));
}

}  // namespace lumivane
