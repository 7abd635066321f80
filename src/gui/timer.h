// Window-message timers: ticks arrive as WM_TIMER through the GUI thread's message loop.
#pragma once

#include <windows.h>

#include <functional>

namespace ss {

// A timer that starts when enabled; an interval of 0 or less never ticks. Every timer of the
// process ticks through one hidden message-only window, made at the first start, so starting a
// timer (as every press of an image button does) creates no window.
class Timer {
 public:
  Timer() = default;
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;
  ~Timer();

  int interval() const { return interval_; }
  // Restarts the count when the timer runs.
  void setInterval(int milliseconds);
  bool enabled() const { return enabled_; }
  void setEnabled(bool value);
  // Whether ticks are due: enabled with a positive interval.
  bool running() const { return id_ != 0; }

  // Runs on every tick; it may destroy the timer.
  std::function<void()> OnTimer;

 private:
  void update();
  void stop();

  int interval_ = 1000;
  bool enabled_ = false;
  // The system timer's identifier on the shared window while the timer runs, else 0.
  UINT_PTR id_ = 0;
};

}  // namespace ss
