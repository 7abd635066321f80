#include "gui/cursors.h"

namespace ss {

namespace {
int busyCount = 0;
}  // namespace

CursorTable& CursorTable::Instance() {
  static CursorTable table;
  return table;
}

CursorTable::CursorTable() {
  // Shared system cursors: never destroyed. The hand is the system's own hand cursor.
  table_[kCursorDefault] = LoadCursorA(nullptr, IDC_ARROW);
  table_[kCursorArrow] = LoadCursorA(nullptr, IDC_ARROW);
  table_[kCursorHourGlass] = LoadCursorA(nullptr, IDC_WAIT);
  table_[kCursorHandPoint] = LoadCursorA(nullptr, IDC_HAND);
}

HCURSOR CursorTable::handleOf(int id) const {
  const auto found = table_.find(id);
  return found != table_.end() ? found->second : table_.at(kCursorArrow);
}

void CursorTable::setScreenCursor(int id) {
  screenCursor_ = id;
  if (id != kCursorDefault) {
    SetCursor(handleOf(id));
    return;
  }
  // Back to the windows' own cursors: ask the window under the pointer to set its cursor.
  POINT point;
  if (!GetCursorPos(&point)) return;
  HWND window = WindowFromPoint(point);
  DWORD process = 0;
  if (!window || GetWindowThreadProcessId(window, &process) != GetCurrentThreadId()) {
    SetCursor(handleOf(kCursorArrow));
    return;
  }
  const LRESULT hit = SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(point.x, point.y));
  SendMessageW(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window),
               MAKELPARAM(static_cast<WORD>(hit), WM_MOUSEMOVE));
}

bool CursorTable::applyCursor(int hitTest, int ownCursor) const {
  if (screenCursor_ != kCursorDefault) {
    SetCursor(handleOf(screenCursor_));
    return true;
  }
  if (hitTest != HTCLIENT) return false;
  SetCursor(handleOf(ownCursor));
  return true;
}

void BeginBusy() {
  ++busyCount;
  CursorTable::Instance().setScreenCursor(kCursorHourGlass);
}

void EndBusy() {
  if (busyCount <= 0) return;
  if (busyCount-- == 1) CursorTable::Instance().setScreenCursor(kCursorDefault);
}

int BusyCount() {
  return busyCount;
}

}  // namespace ss
