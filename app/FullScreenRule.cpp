#include "app/FullScreenRule.h"

namespace lumivane {

bool FullScreenAppActive(const std::optional<QRect>& activeWindow,
                         const std::optional<QRect>& screen) {
  if (!activeWindow || !screen) return false;
  return activeWindow->x() == screen->x() && activeWindow->y() == screen->y() &&
         activeWindow->width() == screen->width() && activeWindow->height() == screen->height();
}

}  // namespace lumivane
