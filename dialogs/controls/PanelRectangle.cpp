#include "dialogs/controls/PanelRectangle.h"

#include <algorithm>
#include <cstdint>

#include "platform/X11.h"

namespace lumivane {

namespace {

std::int64_t Area(const ScreenBox& b) {
  return static_cast<std::int64_t>(std::max(0, b.right - b.left)) * std::max(0, b.bottom - b.top);
}

bool Empty(const ScreenBox& b) {
  return b.right <= b.left || b.bottom <= b.top;
}

// The largest of the candidates, the first on a tie; nullopt when all are empty.
std::optional<ScreenBox> Largest(std::initializer_list<ScreenBox> boxes) {
  std::optional<ScreenBox> best;
  for (const ScreenBox& b : boxes) {
    if (Empty(b)) continue;
    if (!best || Area(b) > Area(*best)) best = b;
  }
  return best;
}

bool Overlaps(const ScreenBox& a, const ScreenBox& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

}  // namespace

std::optional<ScreenBox> PanelFromStrut(const std::vector<std::uint32_t>& strut, int rootWidth,
                                        int rootHeight) {
  if (strut.size() != 4 && strut.size() != 12) return std::nullopt;
  // Values beyond the root size are clamped: a strut never reaches past the screen.
  auto v = [&](std::size_t i, int limit) {
    return static_cast<int>(std::min<std::uint32_t>(strut[i], static_cast<std::uint32_t>(limit)));
  };
  const bool partial = strut.size() == 12;
  const int left = v(0, rootWidth), right = v(1, rootWidth);
  const int top = v(2, rootHeight), bottom = v(3, rootHeight);
  // Start and end of each edge's span are inclusive.
  auto span = [&](std::size_t start, int limit) {
    if (!partial) return std::pair{0, limit};
    return std::pair{v(start, limit), std::min(limit, v(start + 1, limit - 1) + 1)};
  };
  const auto [leftFrom, leftTo] = span(4, rootHeight);
  const auto [rightFrom, rightTo] = span(6, rootHeight);
  const auto [topFrom, topTo] = span(8, rootWidth);
  const auto [bottomFrom, bottomTo] = span(10, rootWidth);
  return Largest({
      ScreenBox{bottomFrom, rootHeight - bottom, bottomTo, rootHeight},
      ScreenBox{topFrom, 0, topTo, top},
      ScreenBox{0, leftFrom, left, leftTo},
      ScreenBox{rootWidth - right, rightFrom, rootWidth, rightTo},
  });
}

std::optional<ScreenBox> PanelFromWorkArea(const ScreenBox& monitor, const ScreenBox& workArea) {
  return Largest({
      ScreenBox{monitor.left, workArea.bottom, monitor.right, monitor.bottom},
      ScreenBox{monitor.left, monitor.top, monitor.right, workArea.top},
      ScreenBox{monitor.left, monitor.top, workArea.left, monitor.bottom},
      ScreenBox{workArea.right, monitor.top, monitor.right, monitor.bottom},
  });
}

std::optional<ScreenBox> FindPanelRectangle(const ScreenBox& monitor, const ScreenBox& workArea,
                                            int rootWidth, int rootHeight) {
  const std::uint32_t root = x11::RootWindow();
  if (root) {
    const std::uint32_t typeAtom = x11::Atom("_NET_WM_WINDOW_TYPE");
    const std::uint32_t dockAtom = x11::Atom("_NET_WM_WINDOW_TYPE_DOCK");
    for (std::uint32_t window : x11::Property32(root, x11::Atom("_NET_CLIENT_LIST"))) {
      const std::vector<std::uint32_t> types = x11::Property32(window, typeAtom);
      if (std::find(types.begin(), types.end(), dockAtom) == types.end()) continue;
      std::vector<std::uint32_t> strut =
          x11::Property32(window, x11::Atom("_NET_WM_STRUT_PARTIAL"));
      if (strut.empty()) strut = x11::Property32(window, x11::Atom("_NET_WM_STRUT"));
      const std::optional<ScreenBox> panel = PanelFromStrut(strut, rootWidth, rootHeight);
      if (panel && Overlaps(*panel, monitor)) return panel;
    }
  }
  return PanelFromWorkArea(monitor, workArea);
}

}  // namespace lumivane
