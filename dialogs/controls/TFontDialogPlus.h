#pragma once
// The font dialog with a colour list: the system font dialog's choices plus
// the sixteen standard colours and a "Custom..." entry that opens the colour
// dialog. The custom colours of that dialog are remembered for as long as the
// TFontDialogPlus exists.
#include <QColor>
#include <QDialog>
#include <QFont>
#include <array>
#include <memory>
#include <optional>

#include "base/ColorText.h"

class QComboBox;
class QFontDialog;

namespace lumivane {

// The sixteen standard colours of the list, in its order.
inline constexpr std::array<Color, 16> kStandardFontColors = {
    RGB(0x00, 0x00, 0x00), RGB(0x80, 0x00, 0x00), RGB(0x00, 0x80, 0x00), RGB(0x80, 0x80, 0x00),
    RGB(0x00, 0x00, 0x80), RGB(0x80, 0x00, 0x80), RGB(0x00, 0x80, 0x80), RGB(0x80, 0x80, 0x80),
    RGB(0xC0, 0xC0, 0xC0), RGB(0xFF, 0x00, 0x00), RGB(0x00, 0xFF, 0x00), RGB(0xFF, 0xFF, 0x00),
    RGB(0x00, 0x00, 0xFF), RGB(0xFF, 0x00, 0xFF), RGB(0x00, 0xFF, 0xFF), RGB(0xFF, 0xFF, 0xFF),
};

class TFontDialogPlus;

// The dialog window of one Execute: the font choices above, "Color:" and the
// colour list below, OK and Cancel.
class TFontDialogPlusForm : public QDialog {
  Q_OBJECT

 public:
  TFontDialogPlusForm(TFontDialogPlus& owner, QWidget* parent);

  QFontDialog* FontChooser() const { return fontChooser_; }
  QComboBox* ColorList() const { return colorList_; }
  QFont SelectedFont() const;
  // The colour of the selected entry ("Custom..." carries its own).
  Color SelectedColor() const;

 private:
  void CreateControls();
  void LayoutControls();
  void ColorListChange(int index);
  // Points "Custom..." at a colour, with its swatch.
  void SetCustomColor(Color color);

  TFontDialogPlus& owner_;
  QFontDialog* fontChooser_ = nullptr;
  QComboBox* colorList_ = nullptr;
  int previousIndex_ = 0;
};

class TFontDialogPlus {
 public:
  QFont Font() const { return font_; }
  void SetFont(const QFont& font) { font_ = font; }
  // The font's colour.
  lumivane::Color FontColor() const { return color_; }
  void SetFontColor(lumivane::Color color) { color_ = color; }

  // Shows the dialog modally; on OK the font and its colour are taken over.
  bool Execute(QWidget* parent = nullptr);
  // The dialog as Execute shows it, filled from Font and FontColor.
  std::unique_ptr<TFontDialogPlusForm> CreateForm(QWidget* parent = nullptr);
  // Opens the colour dialog in its full form at a colour, with the remembered
  // custom colours; remembers them again afterwards. nullopt when cancelled.
  std::optional<lumivane::Color> PickCustomColor(lumivane::Color start, QWidget* parent);

 private:
  QFont font_;
  lumivane::Color color_ = clBlack;
  std::array<QColor, 16> customColors_{};
};

}  // namespace lumivane
