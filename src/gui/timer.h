// Window-message timers: ticks arrive as WM_TIMER through the GUI thread's message loop.
#pragma once

#include <windows.h>

#include <functional>

#include "gui/window.h"

namespace ss {

// A timer with a hidden message-only window of its own; it starts when enabled. An interval of 0
// or less never ticks.
class Timer : private Window {
 public:
  Timer() = default;
  ~Timer() override;

  int interval() const { return interval_; }
  // Restarts the count when the timer runs.
  void setInterval(int milliseconds);
  bool enabled() const { return enabled_; }
  void setEnabled(bool value);
  // Whether ticks are due: enabled with a positive interval.
  bool running() const { return running_; }

  // Runs on every tick; it may destroy the timer.
  std::function<void()> OnTimer;

 protected:
  LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void update();

  int interval_ = 1000;
  bool enabled_ = false;
  bool running_ = false;
};

}  // namespace ss
