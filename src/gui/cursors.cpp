#include "gui/cursors.h"

namespace ss {

namespace {
int busyCount = 0;
}  // namespace

Screen& Screen::Instance() {
  static Screen screen;
  return screen;
}

Screen::Screen() {
  // Shared system cursors: never destroyed.
  table_[crDefault] = LoadCursorA(nullptr, IDC_ARROW);
  table_[crArrow] = LoadCursorA(nullptr, IDC_ARROW);
  table_[crHourGlass] = LoadCursorA(nullptr, IDC_WAIT);
  table_[crHandPoint] = LoadCursorA(nullptr, IDC_HAND);
}

HCURSOR Screen::cursorHandle(int id) {
  const auto found = table_.find(id);
  return found != table_.end() ? found->second : table_[crArrow];
}

void Screen::setCursorHandle(int id, HCURSOR cursor) {
  table_[id] = cursor;
}

void Screen::setCursor(int id) {
  cursor_ = id;
  if (id != crDefault) {
    SetCursor(cursorHandle(id));
    return;
  }
  // Back to the windows' own cursors: ask the window under the pointer to set its cursor.
  POINT point;
  if (!GetCursorPos(&point)) return;
  HWND window = WindowFromPoint(point);
  DWORD process = 0;
  if (!window || GetWindowThreadProcessId(window, &process) != GetCurrentThreadId()) {
    SetCursor(cursorHandle(crArrow));
    return;
  }
  const LRESULT hit = SendMessageA(window, WM_NCHITTEST, 0, MAKELPARAM(point.x, point.y));
  SendMessageA(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window),
               MAKELPARAM(static_cast<WORD>(hit), WM_MOUSEMOVE));
}

bool Screen::applyCursor(int hitTest, int ownCursor) {
  if (cursor_ != crDefault) {
    SetCursor(cursorHandle(cursor_));
    return true;
  }
  if (hitTest != HTCLIENT) return false;
  SetCursor(cursorHandle(ownCursor));
  return true;
}

void BeginBusy() {
  ++busyCount;
  Screen::Instance().setCursor(crHourGlass);
}

void EndBusy() {
  if (busyCount <= 0) return;
  if (busyCount-- == 1) Screen::Instance().setCursor(crDefault);
}

int BusyCount() {
  return busyCount;
}

}  // namespace ss
