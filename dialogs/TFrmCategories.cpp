#include "dialogs/TFrmCategories.h"

#include <QCompleter>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStringListModel>
#include <QVBoxLayout>

#include "base/AsciiCase.h"
#include "dialogs/CategoryList.h"
#include "dialogs/DialogControls.h"
#include "dialogs/controls/PlaceNearTaskbar.h"
#include "outlook/OutlookStore.h"
#include "outlook/ical/StoreCategories.h"
#include "platform/AppMessageBox.h"

namespace lumivane {

TFrmCategories::TFrmCategories(QWidget* parent) : QDialog(parent) {
  CreateControls();
  LayoutControls();
  ConnectEvents();
}

void TFrmCategories::CreateControls() {
  setObjectName(QStringLiteral("FrmCategories"));
  setWindowTitle(QStringLiteral("Categories"));
  Label1 = NewControl<QLabel>(this, "Label1",
                              QStringLiteral("Make sure the categories are spelled as in Outlook. "
                                             "If you do not wish to filter by category leave the "
                                             "list empty."));
  Label1->setWordWrap(true);
  TxtCat = NewControl<QLineEdit>(this, "TxtCat");
  BtnAdd = NewControl<QPushButton>(this, "BtnAdd", QStringLiteral("Add"));
  BtnAdd->setEnabled(false);
  ListCat = NewControl<QListWidget>(this, "ListCat");
  ListCat->setSelectionMode(QAbstractItemView::SingleSelection);
  ListCat->setSortingEnabled(false);
  BtnRemove = NewControl<QPushButton>(this, "BtnRemove", QStringLiteral("&Remove"));
  BtnRemoveAll = NewControl<QPushButton>(this, "BtnRemoveAll", QStringLiteral("&Remove All"));
  BtnOk = NewControl<QPushButton>(this, "BtnOk", QStringLiteral("&OK"));
  BtnCancel = NewControl<QPushButton>(this, "BtnCancel", QStringLiteral("&Cancel"));
  // Tab order as the controls were made; Escape is the dialog's own reject.
  setTabOrder(TxtCat, BtnAdd);
  setTabOrder(BtnAdd, ListCat);
  setTabOrder(ListCat, BtnRemove);
  setTabOrder(BtnRemove, BtnRemoveAll);
  setTabOrder(BtnRemoveAll, BtnOk);
  setTabOrder(BtnOk, BtnCancel);
}

void TFrmCategories::LayoutControls() {
  auto* addRow = new QHBoxLayout;
  addRow->addWidget(TxtCat, 1);
  addRow->addWidget(BtnAdd);

  auto* listButtons = new QVBoxLayout;
  listButtons->addWidget(BtnRemove);
  listButtons->addWidget(BtnRemoveAll);
  listButtons->addStretch();
  auto* listRow = new QHBoxLayout;
  listRow->addWidget(ListCat, 1);
  listRow->addLayout(listButtons);

  auto* closeRow = new QHBoxLayout;
  closeRow->addStretch();
  closeRow->addWidget(BtnOk);
  closeRow->addWidget(BtnCancel);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Label1);
  layout->addLayout(addRow);
  layout->addLayout(listRow);
  layout->addLayout(closeRow);
  Label1->setFixedWidth(Label1->fontMetrics().averageCharWidth() * 48);
  ListCat->setMinimumHeight(ListCat->fontMetrics().height() * 9);
  FixDialogSize(this);
}

void TFrmCategories::ConnectEvents() {
  connect(TxtCat, &QLineEdit::textChanged, this, &TFrmCategories::TxtCatChange);
  connect(BtnAdd, &QPushButton::clicked, this, &TFrmCategories::BtnAddClick);
  connect(BtnRemove, &QPushButton::clicked, this, &TFrmCategories::BtnRemoveClick);
  connect(BtnRemoveAll, &QPushButton::clicked, this, &TFrmCategories::BtnRemoveAllClick);
  connect(BtnOk, &QPushButton::clicked, this, &QDialog::accept);
  connect(BtnCancel, &QPushButton::clicked, this, &QDialog::reject);
  // Enter in the edit adds: caught before the dialog's buttons see it, and,
  // when it picks a completion, arriving through the edit's returnPressed.
  TxtCat->installEventFilter(this);
  connect(TxtCat, &QLineEdit::returnPressed, this, &TFrmCategories::BtnAddClick);
}

std::vector<std::string> TFrmCategories::Categories() const {
  std::vector<std::string> names;
  names.reserve(static_cast<std::size_t>(ListCat->count()));
  for (int i = 0; i < ListCat->count(); ++i)
    names.push_back(ListCat->item(i)->text().toStdString());
  return names;
}

void TFrmCategories::AddCategories(const std::vector<std::string>& names) {
  for (const std::string& name : names) ListCat->addItem(QString::fromStdString(name));
}

void TFrmCategories::SetCompletionNames(const std::vector<std::string>& names) {
  QStringList list;
  list.reserve(static_cast<qsizetype>(names.size()));
  for (const std::string& name : names) list.append(QString::fromStdString(name));
  auto* completer = new QCompleter(list, TxtCat);
  completer->setCaseSensitivity(Qt::CaseInsensitive);
  completer->setCompletionMode(QCompleter::PopupCompletion);
  delete TxtCat->completer();
  TxtCat->setCompleter(completer);
}

void TFrmCategories::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  PlaceNearTaskbar(this);
}

bool TFrmCategories::eventFilter(QObject* watched, QEvent* event) {
  if (watched == TxtCat && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      BtnAddClick();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void TFrmCategories::TxtCatChange() {
  BtnAdd->setEnabled(!TxtCat->text().isEmpty());
}

void TFrmCategories::BtnAddClick() {
  const QString text = TxtCat->text();
  if (!text.isEmpty()) {
    const std::string name = text.toStdString();
    bool listed = false;
    for (int i = 0; i < ListCat->count() && !listed; ++i) {
      listed = SameTextAscii(ListCat->item(i)->text().toStdString(), name);
    }
    if (listed) {
      AppMessageBox(QStringLiteral("Category is already in the list"), QStringLiteral("Lumivane"),
                    MessageKind::Information, QMessageBox::Ok);
    } else {
      ListCat->addItem(text);
    }
  }
  TxtCat->clear();
  TxtCat->setFocus();
}

void TFrmCategories::BtnRemoveClick() {
  const QList<QListWidgetItem*> selected = ListCat->selectedItems();
  if (selected.isEmpty()) return;
  delete ListCat->takeItem(ListCat->row(selected.front()));
}

void TFrmCategories::BtnRemoveAllClick() {
  const auto answer = AppMessageBox(
      QStringLiteral("Are you sure you want to delete the category list?"),
      QStringLiteral("Confirm"), MessageKind::Question, QMessageBox::Yes | QMessageBox::No);
  if (answer == QMessageBox::Yes) ListCat->clear();
}

bool EditCategoryList(std::string& categories, const std::vector<std::string>& completionNames,
                      QWidget* parent) {
  TFrmCategories form(parent);
  form.AddCategories(SplitCategoryList(categories));
  form.SetCompletionNames(completionNames);
  if (form.exec() != QDialog::Accepted) return false;
  categories = JoinCategoryList(form.Categories());
  return true;
}

bool EditCategoryList(std::string& categories, QWidget* parent) {
  return EditCategoryList(categories, ical::ReadStoreCategoryNames(OutlookStorePath()), parent);
}

}  // namespace lumivane
