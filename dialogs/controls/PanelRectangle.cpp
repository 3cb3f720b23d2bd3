#include "dialogs/controls/PanelRectangle.h"

#include <algorithm>
#include <cstdint>

#include "platform/X11.h"

namespace lumivane {

namespace {

std::int64_t Area(const Rect& b) {
  return static_cast<std::int64_t>(std::max(0, b.Width())) * std::max(0, b.Height());
}

bool Empty(const Rect& b) {
  return b.Width() <= 0 || b.Height() <= 0;
}

// The largest of the candidates, the first on a tie; nullopt when all are empty.
std::optional<Rect> Largest(std::initializer_list<Rect> boxes) {
  std::optional<Rect> best;
  for (const Rect& b : boxes) {
    if (Empty(b)) continue;
    if (!best || Area(b) > Area(*best)) best = b;
  }
  return best;
}

bool Overlaps(const Rect& a, const Rect& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

}  // namespace

std::optional<Rect> PanelFromStrut(const std::vector<std::uint32_t>& strut, int rootWidth,
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
      Rect{bottomFrom, rootHeight - bottom, bottomTo, rootHeight},
      Rect{topFrom, 0, topTo, top},
      Rect{0, leftFrom, left, leftTo},
      Rect{rootWidth - right, rightFrom, rootWidth, rightTo},
  });
}

std::optional<Rect> PanelFromWorkArea(const Rect& monitor, const Rect& workArea) {
  return Largest({
      Rect{monitor.left, workArea.bottom, monitor.right, monitor.bottom},
      Rect{monitor.left, monitor.top, monitor.right, workArea.top},
      Rect{monitor.left, monitor.top, workArea.left, monitor.bottom},
      Rect{workArea.right, monitor.top, monitor.right, monitor.bottom},
  });
}

std::optional<Rect> FindPanelRectangle(const Rect& monitor, const Rect& workArea, int rootWidth,
                                       int rootHeight) {
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
      const std::optional<Rect> panel = PanelFromStrut(strut, rootWidth, rootHeight);
      if (panel && Overlaps(*panel, monitor)) return panel;
    }
  }
  return PanelFromWorkArea(monitor, workArea);
}

}  // namespace lumivane
