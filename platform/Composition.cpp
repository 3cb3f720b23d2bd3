#include "platform/Composition.h"

#include <string>

#include "platform/X11.h"

namespace lumivane {

bool CompositionEnabled() {
  return x11::SelectionOwner("_NET_WM_CM_S" + std::to_string(x11::DefaultScreen())) != 0;
}

}  // namespace lumivane
