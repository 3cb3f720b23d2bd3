#include "app/DisplayLabelSetup.h"

#include "display/markup/QtColor.h"
#include "display/markup/THTMLabel.h"

namespace lumivane {

void SetUpDisplayLabel(THTMLabel& label, TImageList* images, QMenu* menu) {
  label.SetAlign(TAlign::alClient);
  label.SetColor(RGB(1, 1, 1));
  label.SetTransparent(false);
  label.SetFont(FontFromLogFont(BuiltInDisplayFont()));
  label.SetFontColor(clWhite);
  label.SetShadowColor(clBlack);
  label.SetShadowOffset(1);
  label.SetURLColor(clBlue);
  label.SetVAlignment(TVAlignment::tvaTop);
  label.SetImages(images);
  label.SetPopupMenu(menu);
}

void ApplyLoadedLook(THTMLabel& label, const LogFont& font, const Settings& settings) {
  label.SetFont(FontFromLogFont(font));
  label.SetFontColor(settings.FontColor);
  label.SetShadowColor(settings.ShadowColor);
  label.SetColor(settings.BackGroundColor);
}

QColor BackgroundKeyColor(const Settings& settings) {
  return ToQColor(settings.BackGroundColor);
}

}  // namespace lumivane
