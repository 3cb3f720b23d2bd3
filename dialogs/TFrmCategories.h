#pragma once
// The category filter editor: a modal dialog in which the user edits one
// category list. It holds nothing beyond its list's entries: the caller fills
// the list before showing it and reads it after OK.
#include <QDialog>
#include <QStringList>
#include <string>
#include <vector>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace lumivane {

class TFrmCategories : public QDialog {
  Q_OBJECT

 public:
  explicit TFrmCategories(QWidget* parent = nullptr);

  // The entries in list order.
  std::vector<std::string> Categories() const;
  void AddCategories(const std::vector<std::string>& names);
  // Names offered while typing in TxtCat; typing stays free.
  void SetCompletionNames(const std::vector<std::string>& names);

  QLabel* Label1 = nullptr;
  QLineEdit* TxtCat = nullptr;
  QPushButton* BtnAdd = nullptr;
  QListWidget* ListCat = nullptr;
  QPushButton* BtnRemove = nullptr;
  QPushButton* BtnRemoveAll = nullptr;
  QPushButton* BtnOk = nullptr;
  QPushButton* BtnCancel = nullptr;

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateControls();
  void LayoutControls();
  void ConnectEvents();

  void TxtCatChange();
  void BtnAddClick();
  void BtnRemoveClick();
  void BtnRemoveAllClick();
};

// How the options dialog edits one section's working category string: the
// editor opens with its names (completion from `completionNames`) and, when
// closed with OK, the string becomes the join of the list. Any other close
// leaves it unchanged. True on OK.
bool EditCategoryList(std::string& categories, const std::vector<std::string>& completionNames,
                      QWidget* parent = nullptr);

}  // namespace lumivane
