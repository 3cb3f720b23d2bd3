#pragma once
// The options dialog: every setting of the record except the window
// position, the lock state and the welcome flag, on five tabs, with a live
// preview. It keeps no settings of its own: it loads its controls from the
// record the main window collects and, on OK or Apply, hands a record back
// through the main window's one settings door.
#include <QDialog>
#include <QFont>
#include <QPoint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/SettingsStore.h"
#include "i18n/FormatSettings.h"
#include "i18n/TLanguage.h"

class QCheckBox;
class QColorDialog;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;
class QSlider;
class QTabWidget;
class QTimer;

namespace lumivane {

class THotKeyEdit;
class THTMLabel;
class TColorPane;
class TFontDialogPlus;
class TImageList;
class TWinSpinEdit;

// What the dialog is opened with.
struct OptionsContext {
  // The main window's record as it stands (read at opening and at every OK or Apply).
  std::function<StoredSettings()> collect;
  // The main window's settings door: applies a whole record and refreshes.
  std::function<void(const StoredSettings&)> apply;
  std::string languagesFolder;  // with a trailing "/"
  bool compositionEnabled = false;
  Color defaultBackground = RGB(1, 1, 1);  // the background pane's "Default"
  TImageList* images = nullptr;            // the display's images
  FormatSettings formats;                  // weekday names of the preview
  // Names offered while editing a category list.
  std::function<std::vector<std::string>()> categoryNames;
  // The colour of the screen pixel at a point; the screen itself when empty.
  std::function<Color(const QPoint&)> screenPixel;
  // Starting at login: read from the autostart entry itself (not from the
  // settings file) and switched on OK or Apply; none: the box is hidden.
  std::function<bool()> autostartEnabled;
  std::function<void(bool)> setAutostart;
};

class TFrmLVOptions : public QDialog {
  Q_OBJECT

 public:
  explicit TFrmLVOptions(OptionsContext context, QWidget* parent = nullptr);
  ~TFrmLVOptions() override;

  // Tab "General".
  QComboBox* CmbLangs = nullptr;
  TWinSpinEdit* TxtRefreshEvery = nullptr;
  QComboBox* CmbRefreshType = nullptr;
  QComboBox* CmbAlign = nullptr;
  THotKeyEdit* HotKey1 = nullptr;
  QCheckBox* ChkSnapToDesktop = nullptr;
  QCheckBox* CkOpenOutlookItem = nullptr;
  QCheckBox* CkNoRefreshFullScreenApp = nullptr;
  QCheckBox* CkHTMLSubject = nullptr;
  QCheckBox* CkMaxSubjectSize = nullptr;
  TWinSpinEdit* EditMaxSubjectSize = nullptr;
  QCheckBox* CkAutostart = nullptr;  // "Start Lumivane when I log in"
  // Tab "Display".
  QLabel* pnlFont = nullptr;
  QPushButton* BtnFont = nullptr;
  QCheckBox* CkIgnoreClearType = nullptr;
  QCheckBox* CkShowShadow = nullptr;
  TColorPane* clpaneshadow = nullptr;
  TColorPane* BkColor = nullptr;
  QPushButton* Button6 = nullptr;  // "Pick Color"
  QSlider* TrackBar1 = nullptr;
  QLabel* Label13 = nullptr;  // the transparency percentage
  QCheckBox* CkIndent = nullptr;
  TWinSpinEdit* txtIndent = nullptr;
  QLabel* LblSpaces = nullptr;
  // Tab "Calendar".
  QCheckBox* ChkShowCalendar = nullptr;
  QCheckBox* CkDontDisplayCalIfEmpty = nullptr;
  QCheckBox* ChkShowCalendarDate = nullptr;
  QCheckBox* ChkShowEndTime = nullptr;
  QCheckBox* CkShowAllDay = nullptr;
  QCheckBox* CkShowPreciseCalendar = nullptr;
  QCheckBox* CkShowCurrentIndicator = nullptr;
  QCheckBox* CkIgnoreWeekends = nullptr;
  QCheckBox* CkShowLocation = nullptr;
  QCheckBox* CkAlwaysShowDate = nullptr;
  QCheckBox* CheckUseTodayTomorrow = nullptr;
  TWinSpinEdit* TxtDaysShowAhead = nullptr;
  QPushButton* Button3 = nullptr;  // calendar "Categories..."
  QCheckBox* CkDontShowCalCats = nullptr;
  // Tab "Tasks".
  QCheckBox* ChkShowTasks = nullptr;
  QCheckBox* CkDontDisplayTasksIfEmpty = nullptr;
  QCheckBox* ckShowTodayTasks = nullptr;
  QCheckBox* ckShowTodayTasksEmpty = nullptr;
  QCheckBox* ChkShowCompletedTasks = nullptr;
  QComboBox* cbTaskType = nullptr;
  QCheckBox* ChkShowTaskDate = nullptr;
  QComboBox* cmbSortTasks = nullptr;
  QComboBox* CmbTaskSortDirection = nullptr;
  QCheckBox* CkImportanceIcons = nullptr;
  QCheckBox* ckTaskDateColor = nullptr;
  QGroupBox* XPGroupBox1 = nullptr;
  TColorPane* ClPaneDueDate = nullptr;
  TColorPane* ClPaneDueTodayDate = nullptr;
  TColorPane* ClPaneFutureDate = nullptr;
  QCheckBox* CkColorAllTask = nullptr;
  QPushButton* Button5 = nullptr;  // task "Categories..."
  QCheckBox* CkDontShowTaskCats = nullptr;
  // Tab "Advanced".
  QCheckBox* CkUseVistaPin = nullptr;
  // Around the tabs.
  QTabWidget* PageControl1 = nullptr;
  QFrame* PnlPreview = nullptr;
  THTMLabel* Sample = nullptr;
  QPushButton* BtnOk = nullptr;
  QPushButton* BtnCancel = nullptr;
  QPushButton* BtnApply = nullptr;
  // Components.
  QTimer* Timer1 = nullptr;  // the picking timer
  QColorDialog* ColorDialog1 = nullptr;
  std::unique_ptr<TFontDialogPlus> FontDialog1;
  TLanguage Language;  // the preview's own translator

  // The working category strings.
  std::string CalendarCategories;
  std::string TasksCategories;
  bool Picking() const { return picking_; }

  // OK and Apply: the controls into a record, through the settings door.
  void ApplyClick();
  void OkClick();
  // Rebuilds the preview from the controls.
  void BuildPreview();

 protected:
  void showEvent(QShowEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void CreateControls();
  QWidget* CreateGeneralTab();
  QWidget* CreateDisplayTab();
  QWidget* CreateCalendarTab();
  QWidget* CreateTasksTab();
  QWidget* CreateAdvancedTab();
  QWidget* CreatePreviewSide();
  void LayoutControls();
  void LoadControls();
  void ConnectEvents();
  void WriteControls(StoredSettings& stored);

  // Enabling and coupling rules.
  void ChkShowCalendarClick();
  void ChkShowTasksClick();
  void UpdateSectionBoxes();
  void ChkShowCalendarDateClick();
  void CkIndentClick();
  void CkShowShadowClick();
  void ckTaskDateColorClick();
  void ckShowTodayTasksClick();
  void CkMaxSubjectSizeClick();
  void TrackBar1Change();
  void CmbLangsChange();
  void UpdateCategoryControls();
  void Button3Click();
  void Button5Click();
  void BtnFontClick();
  void ColorPaneChange(TColorPane* pane);
  void ColorPaneClickDefault(TColorPane* pane);
  void ColorPaneClickOther(TColorPane* pane);
  // The screen colour picker.
  void Button6Click();
  void Timer1Timer();
  void StopPicking(bool keep);

  OptionsContext context_;
  bool picking_ = false;
  bool loading_ = false;  // while the controls are filled from the settings
  Color colorBeforePicking_ = clNone;
};

}  // namespace lumivane
