#pragma once
// The display label as the main window and the picture of the display both
// set it up, so that the two look alike.
#include <QColor>

#include "display/Settings.h"
#include "platform/LogFont.h"

class QMenu;

namespace lumivane {

class THTMLabel;
class TImageList;

// Its design: filling the window, font Verdana 8 points (height -11) in
// white, a black shadow one pixel off, blue links, text at the top, images
// from `images`, the popup menu `menu` (may be null).
void SetUpDisplayLabel(THTMLabel& label, TImageList* images, QMenu* menu);

// What the loaded settings give it: the font, its colour and the shadow colour.
void ApplyLoadedLook(THTMLabel& label, const LogFont& font, const Settings& settings);

// The see-through key: the very colour the label paints its background in,
// a system colour (a name such as "Background") resolved as the label does.
QColor BackgroundKeyColor(const Settings& settings);

}  // namespace lumivane
