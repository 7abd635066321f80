#include "gui/timer.h"

#include "core/errors.h"
#include "core/system_error.h"

namespace ss {

namespace {
constexpr const char* kTimerClass = "SuiteStartTimer";
constexpr UINT_PTR kTimerId = 1;
}  // namespace

Timer::~Timer() {
  if (handleAllocated()) KillTimer(handle(), kTimerId);
  destroyWindow();
}

void Timer::setInterval(int milliseconds) {
  interval_ = milliseconds;
  update();
}

void Timer::setEnabled(bool value) {
  enabled_ = value;
  update();
}

void Timer::update() {
  if (handleAllocated()) KillTimer(handle(), kTimerId);
  running_ = false;
  // SetTimer would raise an interval of 0 to its minimum of 10 ms; such a timer never ticks.
  if (!enabled_ || interval_ <= 0) return;
  if (!handleAllocated()) {
    createWindow(kTimerClass, 0, 0, 0, "", 0, 0, 0, 0, HWND_MESSAGE, nullptr);
  }
  if (!SetTimer(handle(), kTimerId, static_cast<UINT>(interval_), nullptr)) {
    throw EOutOfResources(SystemErrorText(GetLastError()));
  }
  running_ = true;
}

LRESULT Timer::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_TIMER && wParam == kTimerId) {
    // A tick already queued when the timer stopped is dropped. The handler runs from a copy:
    // it may destroy this timer, so nothing of it is touched afterwards.
    if (!running_ || !OnTimer) return 0;
    const std::function<void()> handler = OnTimer;
    handler();
    return 0;
  }
  return Window::handleMessage(message, wParam, lParam);
}

}  // namespace ss
