#include "gui/timer.h"

#include <map>

#include "core/errors.h"
#include "core/system_error.h"
#include "gui/window.h"

namespace ss {

namespace {

constexpr const char* kTimerClass = "SuiteStartTimer";

// The one window whose WM_TIMER messages carry every timer's ticks, each timer under an
// identifier of its own. Identifiers are never reused, so a tick that was already queued when
// its timer stopped finds no timer and is dropped.
class TimerWindow : public Window {
 public:
  static TimerWindow& Instance() {
    static TimerWindow window;
    return window;
  }

  UINT_PTR start(Timer* timer, int interval) {
    if (!handleAllocated()) {
      createWindow(kTimerClass, 0, 0, 0, "", 0, 0, 0, 0, HWND_MESSAGE, nullptr);
    }
    const UINT_PTR id = ++lastId_;
    if (!SetTimer(handle(), id, static_cast<UINT>(interval), nullptr)) {
      throw EOutOfResources(SystemErrorText(GetLastError()));
    }
    timers_[id] = timer;
    return id;
  }

  void stop(UINT_PTR id) {
    if (handleAllocated()) KillTimer(handle(), id);
    timers_.erase(id);
  }

 protected:
  LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message != WM_TIMER) return Window::handleMessage(message, wParam, lParam);
    const auto found = timers_.find(static_cast<UINT_PTR>(wParam));
    if (found == timers_.end() || !found->second->OnTimer) return 0;
    // The handler runs from a copy: it may destroy its timer, so nothing of it is touched
    // afterwards.
    const std::function<void()> handler = found->second->OnTimer;
    handler();
    return 0;
  }

 private:
  TimerWindow() = default;
  std::map<UINT_PTR, Timer*> timers_;
  UINT_PTR lastId_ = 0;
};

}  // namespace

Timer::~Timer() {
  stop();
}

void Timer::setInterval(int milliseconds) {
  interval_ = milliseconds;
  update();
}

void Timer::setEnabled(bool value) {
  enabled_ = value;
  update();
}

void Timer::stop() {
  if (id_ == 0) return;
  TimerWindow::Instance().stop(id_);
  id_ = 0;
}

void Timer::update() {
  stop();
  // SetTimer would raise an interval of 0 to its minimum of 10 ms; such a timer never ticks.
  if (!enabled_ || interval_ <= 0) return;
  id_ = TimerWindow::Instance().start(this, interval_);
}

}  // namespace ss
