// Helpers of the input and button tests: a shown test form, pictures, pixels read back from
// windows, real mouse and keyboard input, and waiting while the application's loop runs.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "gui/bitmap.h"
#include "gui/form.h"
#include "gui/picture.h"

namespace ss::test {

inline constexpr Color kFormColor = 0x30A040;

// A frameless form at a fixed place on the screen; it records the pointer notifications that
// its controls pass on to it.
class TestForm : public Form {
 public:
  TestForm();
  // Shows the form, makes it the active window and waits for its first control to take focus.
  void showActive();
  // The screen point of a control's client point.
  POINT screenPoint(const Control& control, int x, int y) const;

  std::vector<std::pair<UINT, LPARAM>> forwarded;

 protected:
  LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// Runs the application's message loop (with its idle step) until `done` holds; false on timeout.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 5000);
// Runs the loop until every queued message is handled and a reference timer of `intervalMs`
// has ticked `ticks` times: a bounded wait for timers that must (or must not) tick meanwhile.
void PumpTicks(int ticks, int intervalMs);

// A picture holding a bitmap filled with one colour, optionally with a differently coloured
// top-left pixel.
Picture SolidPicture(int width, int height, COLORREF color);
Picture SolidPicture(int width, int height, COLORREF color, COLORREF corner);
// A picture holding an icon.
Picture IconPicture();
// A picture whose left `split` columns have one colour and the rest another.
Picture SplitPicture(int width, int height, int split, COLORREF left, COLORREF right);

// The window's client area as its paint composes it now (WM_PRINTCLIENT into a bitmap).
Bitmap Composed(HWND window);
// What the window's client area shows on the screen now (read from its DC).
Bitmap OnScreen(HWND window);
// Every pixel of `area` has `color`.
bool AllPixels(const Bitmap& bitmap, const RECT& area, COLORREF color);
// Number of pixels of `color` in `area`.
int CountPixels(const Bitmap& bitmap, const RECT& area, COLORREF color);

// Real input through SendInput: the pointer moved to a screen point, buttons, keys.
void MouseTo(POINT screen);
void MouseButton(DWORD flags);
void KeyDown(WORD key);
void KeyUp(WORD key);
void KeyTap(WORD key);
// Releases every key and button these helpers may have left down (test teardown).
void ReleaseInput();

}  // namespace ss::test
