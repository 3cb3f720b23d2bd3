#pragma once
// A program runs at full screen when the active window covers exactly the
// primary screen. Refreshes can be held back while that is so.
#include <QRect>
#include <optional>

namespace lumivane {

// True when both rectangles are known and equal in all four coordinates.
bool FullScreenAppActive(const std::optional<QRect>& activeWindow,
                         const std::optional<QRect>& screen);

}  // namespace lumivane
