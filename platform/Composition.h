#pragma once

namespace lumivane {

// True when a compositing manager runs on the display (it owns the
// _NET_WM_CM_S<screen> selection); false wherever that cannot be asked.
bool CompositionEnabled();

}  // namespace lumivane
