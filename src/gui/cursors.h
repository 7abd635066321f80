// The process-wide cursor table, the screen cursor that overrides every window's own, and the
// busy cursor.
#pragma once

#include <windows.h>

#include <map>

namespace ss {

// Cursor identifiers: keys of the cursor table.
inline constexpr int kCursorDefault = 0;
inline constexpr int kCursorArrow = -2;
inline constexpr int kCursorHourGlass = -11;
inline constexpr int kCursorHandPoint = -21;

// The mapping from cursor identifiers to the system's shared cursors, and the screen cursor.
class CursorTable {
 public:
  static CursorTable& Instance();

  // The cursor handle stored under an identifier; the arrow for unknown identifiers.
  HCURSOR handleOf(int id) const;

  // The screen cursor: while it is not kCursorDefault, every window of ours shows it.
  int screenCursor() const { return screenCursor_; }
  void setScreenCursor(int id);

  // Answers WM_SETCURSOR for a window of ours whose own cursor is `ownCursor`.
  // Returns false when the default handling should run (non-client areas).
  bool applyCursor(int hitTest, int ownCursor) const;

 private:
  CursorTable();
  std::map<int, HCURSOR> table_;
  int screenCursor_ = kCursorDefault;
};

// Nestable hourglass cursor: shown from the first BeginBusy until the matching EndBusy. Every
// BeginBusy sets it again; an EndBusy without a BeginBusy changes nothing.
void BeginBusy();
void EndBusy();
int BusyCount();

}  // namespace ss
