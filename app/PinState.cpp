#include "app/PinState.h"

namespace lumivane {

PinStep PinTick(bool pinnedMode, PinState state, bool desktopActive) {
  if (!pinnedMode) return {PinState::AtBottom, PinAction::StopTimer};
  if (state == PinState::AtBottom && desktopActive) return {PinState::OnTop, PinAction::Raise};
  if (state == PinState::OnTop && !desktopActive) return {PinState::AtBottom, PinAction::Drop};
  return {state, PinAction::None};
}

}  // namespace lumivane
