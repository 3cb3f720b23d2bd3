#include "app/RefreshInterval.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace lumivane {

int RefreshIntervalMs(int refreshEvery, int refreshType) {
  if (refreshEvery <= 0) return 0;
  const std::int64_t unit = refreshType != 0 ? 3600000 : 60000;
  const std::int64_t ms = static_cast<std::int64_t>(refreshEvery) * unit;
  return static_cast<int>(std::min<std::int64_t>(ms, std::numeric_limits<int>::max()));
}

TimerChange RefreshTimerChange(bool active, int currentMs, int newMs) {
  if (newMs <= 0) return TimerChange::Stop;
  if (active && currentMs == newMs) return TimerChange::Keep;
  return TimerChange::Restart;
}

}  // namespace lumivane
