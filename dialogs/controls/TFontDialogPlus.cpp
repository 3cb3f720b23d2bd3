#include "dialogs/controls/TFontDialogPlus.h"

#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QVBoxLayout>
#include <algorithm>

#include "dialogs/DialogControls.h"
#include "display/markup/QtColor.h"

namespace lumivane {

namespace {

constexpr std::array<const char*, 16> kStandardColorNames = {
    "Black",  "Maroon", "Green", "Olive",  "Navy", "Purple",  "Teal", "Gray",
    "Silver", "Red",    "Lime",  "Yellow", "Blue", "Fuchsia", "Aqua", "White"};
constexpr int kCustomIndex = 16;

QIcon Swatch(Color color) {
  QPixmap pixmap(16, 12);
  pixmap.fill(ToQColor(color));
  return QIcon(pixmap);
}

}  // namespace

TFontDialogPlusForm::TFontDialogPlusForm(TFontDialogPlus& owner, QWidget* parent)
    : QDialog(parent), owner_(owner) {
  CreateControls();
  LayoutControls();
  fontChooser_->setCurrentFont(owner.Font());
  const Color color = owner.FontColor();
  const auto standard = std::find(kStandardFontColors.begin(), kStandardFontColors.end(), color);
  if (standard != kStandardFontColors.end()) {
    colorList_->setCurrentIndex(static_cast<int>(standard - kStandardFontColors.begin()));
  } else {
    SetCustomColor(color);
    colorList_->setCurrentIndex(kCustomIndex);
  }
  previousIndex_ = colorList_->currentIndex();
  connect(colorList_, &QComboBox::activated, this, &TFontDialogPlusForm::ColorListChange);
}

void TFontDialogPlusForm::CreateControls() {
  setWindowTitle(tr("Font"));
  fontChooser_ = NewControl<QFontDialog>(this, "FontChooser");
  // The system's font choices, without their own buttons, as part of this window.
  fontChooser_->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
  fontChooser_->setWindowFlags(Qt::Widget);
  colorList_ = NewControl<QComboBox>(this, "ColorList");
  for (std::size_t i = 0; i < kStandardFontColors.size(); ++i) {
    colorList_->addItem(Swatch(kStandardFontColors[i]), tr(kStandardColorNames[i]),
                        QVariant::fromValue(kStandardFontColors[i]));
  }
  colorList_->addItem(tr("Custom..."), QVariant::fromValue(clBlack));
}

void TFontDialogPlusForm::LayoutControls() {
  auto* colorLabel = NewControl<QLabel>(this, "ColorLabel", tr("&Color:"));
  colorLabel->setBuddy(colorList_);
  auto* buttons = NewControl<QDialogButtonBox>(this, "Buttons",
                                               QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* colorRow = new QHBoxLayout;
  colorRow->addWidget(colorLabel);
  colorRow->addWidget(colorList_);
  colorRow->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(fontChooser_);
  layout->addLayout(colorRow);
  layout->addWidget(buttons);
}

QFont TFontDialogPlusForm::SelectedFont() const {
  return fontChooser_->currentFont();
}

Color TFontDialogPlusForm::SelectedColor() const {
  return colorList_->currentData().value<Color>();
}

void TFontDialogPlusForm::SetCustomColor(Color color) {
  colorList_->setItemData(kCustomIndex, QVariant::fromValue(color));
  colorList_->setItemIcon(kCustomIndex, Swatch(color));
}

void TFontDialogPlusForm::ColorListChange(int index) {
  if (index == kCustomIndex) {
    const Color start = colorList_->itemData(kCustomIndex).value<Color>();
    const std::optional<Color> chosen = owner_.PickCustomColor(start, this);
    if (!chosen) {
      // Cancelled: the colour chosen before stays.
      colorList_->setCurrentIndex(previousIndex_);
      return;
    }
    SetCustomColor(*chosen);
  }
  previousIndex_ = index;
}

std::unique_ptr<TFontDialogPlusForm> TFontDialogPlus::CreateForm(QWidget* parent) {
  return std::make_unique<TFontDialogPlusForm>(*this, parent);
}

bool TFontDialogPlus::Execute(QWidget* parent) {
  const std::unique_ptr<TFontDialogPlusForm> form = CreateForm(parent);
  if (form->exec() != QDialog::Accepted) return false;
  font_ = form->SelectedFont();
  color_ = form->SelectedColor();
  return true;
}

std::optional<Color> TFontDialogPlus::PickCustomColor(Color start, QWidget* parent) {
  // The colour dialog keeps one set of custom colours for the whole program;
  // each font dialog brings its own and takes them back.
  for (int i = 0; i < static_cast<int>(customColors_.size()); ++i) {
    QColorDialog::setCustomColor(i, customColors_[static_cast<std::size_t>(i)].isValid()
                                        ? customColors_[static_cast<std::size_t>(i)]
                                        : QColor(Qt::white));
  }
  QColorDialog dialog(ToQColor(start), parent);
  dialog.setOption(QColorDialog::DontUseNativeDialog);
  const bool accepted = dialog.exec() == QDialog::Accepted;
  for (int i = 0; i < static_cast<int>(customColors_.size()); ++i) {
    customColors_[static_cast<std::size_t>(i)] = QColorDialog::customColor(i);
  }
  if (!accepted) return std::nullopt;
  return FromQColor(dialog.currentColor());
}

}  // namespace lumivane
