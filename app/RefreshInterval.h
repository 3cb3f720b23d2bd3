#pragma once
// The refresh timer's period from RefreshEvery and RefreshType.

namespace lumivane {

// Milliseconds between timed refreshes: RefreshEvery hours when RefreshType is
// non-zero, else minutes; 0 (no timed refreshes) for RefreshEvery 0 or less.
// Capped at the largest timer period, about 24.8 days.
int RefreshIntervalMs(int refreshEvery, int refreshType);

enum class TimerChange {
  Keep,     // the same period: the running one goes on
  Restart,  // a new period starts now
  Stop,     // no timed refreshes
};

// What applying `newMs` does to the timer that runs (`active`) with `currentMs`.
TimerChange RefreshTimerChange(bool active, int currentMs, int newMs);

}  // namespace lumivane
