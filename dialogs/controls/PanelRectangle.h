#pragma once
// The desktop's panel (our stand-in for the taskbar's rectangle): a dock-type
// window's struts, else the part of the monitor that its work area leaves out.
#include <cstdint>
#include <optional>
#include <vector>

#include "dialogs/controls/PlaceNearTaskbar.h"

namespace lumivane {

// The panel rectangle a dock's strut describes, in root coordinates: the
// twelve values of _NET_WM_STRUT_PARTIAL, or the four of _NET_WM_STRUT
// (spanning the whole edge). The widest reserved edge wins; nullopt when the
// strut reserves nothing or is malformed.
std::optional<Rect> PanelFromStrut(const std::vector<std::uint32_t>& strut, int rootWidth,
                                   int rootHeight);

// The strip of the monitor that the work area leaves out; the largest strip
// when several edges are reserved; nullopt when the work area is the whole
// monitor.
std::optional<Rect> PanelFromWorkArea(const Rect& monitor, const Rect& workArea);

// Reads the desktop: the first dock window with a strut that touches the
// monitor, else the work area's difference. Root coordinates.
std::optional<Rect> FindPanelRectangle(const Rect& monitor, const Rect& workArea, int rootWidth,
                                       int rootHeight);

}  // namespace lumivane
