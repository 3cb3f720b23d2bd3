#include <gtest/gtest.h>

#include <vector>

#include "app/PinState.h"

namespace lumivane {
namespace {

TEST(PinState, FollowsASequenceOfActiveWindowObservations) {
  // The user shows the desktop, stays there, works in a window, shows the
  // desktop again.
  const std::vector<bool> desktopActive = {false, true, true, false, false, true};
  const std::vector<PinStep> expected = {
      {PinState::AtBottom, PinAction::None}, {PinState::OnTop, PinAction::Raise},
      {PinState::OnTop, PinAction::None},    {PinState::AtBottom, PinAction::Drop},
      {PinState::AtBottom, PinAction::None}, {PinState::OnTop, PinAction::Raise},
  };
  PinState state = PinState::AtBottom;
  for (size_t i = 0; i < desktopActive.size(); ++i) {
    const PinStep step = PinTick(true, state, desktopActive[i]);
    EXPECT_EQ(step.state, expected[i].state) << "tick " << i;
    EXPECT_EQ(step.action, expected[i].action) << "tick " << i;
    state = step.state;
  }
}

TEST(PinState, ParentModeStopsTheTimerWhateverIsActive) {
  for (bool desktop : {false, true}) {
    for (PinState state : {PinState::AtBottom, PinState::OnTop}) {
      const PinStep step = PinTick(false, state, desktop);
      EXPECT_EQ(step.action, PinAction::StopTimer);
      EXPECT_EQ(step.state, PinState::AtBottom);
    }
  }
}

}  // namespace
}  // namespace lumivane
