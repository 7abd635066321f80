// The process-wide cursor table and the screen cursor that overrides every window's own.
#pragma once

#include <windows.h>

#include <map>

namespace ss {

inline constexpr int crDefault = 0;
inline constexpr int crArrow = -2;
inline constexpr int crHourGlass = -11;
inline constexpr int crHandPoint = -21;

class Screen {
 public:
  static Screen& Instance();

  // The cursor handle stored under an identifier; the arrow for unknown identifiers.
  HCURSOR cursorHandle(int id);
  void setCursorHandle(int id, HCURSOR cursor);

  // The screen cursor: while it is not crDefault, every window of ours shows it.
  int cursor() const { return cursor_; }
  void setCursor(int id);

  // Answers WM_SETCURSOR for a window of ours whose own cursor is `ownCursor`.
  // Returns false when the default handling should run (non-client areas).
  bool applyCursor(int hitTest, int ownCursor);

 private:
  Screen();
  std::map<int, HCURSOR> table_;
  int cursor_ = crDefault;
};

// Nestable hourglass cursor: shown from the first BeginBusy until the matching EndBusy. Every
// BeginBusy sets it again; an EndBusy without a BeginBusy changes nothing.
void BeginBusy();
void EndBusy();
int BusyCount();

}  // namespace ss
