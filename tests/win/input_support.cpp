#include "input_support.h"

#include <cstdint>

#include "gui/application.h"
#include "gui/handle.h"
#include "gui/timer.h"
#include "test_support.h"

namespace ss::test {

TestForm::TestForm() {
  setBorderStyle(BorderStyle::None);
  setColor(kFormColor);
  setOuterBounds(100, 100, 400, 160);
}

void TestForm::showActive() {
  show();
  SetForegroundWindow(handle());
  PumpUntil([&] { return GetActiveWindow() == handle() && GetFocus() != nullptr; });
}

POINT TestForm::screenPoint(const Control& control, int x, int y) const {
  POINT point{control.left() + x, control.top() + y};
  ClientToScreen(handle(), &point);
  return point;
}

LRESULT TestForm::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == NotifyMouseEnter || message == NotifyMouseLeave) {
    forwarded.emplace_back(message, lParam);
  }
  return Form::handleMessage(message, wParam, lParam);
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  for (;;) {
    Application::Instance().processMessages();
    if (done()) return true;
    if (GetTickCount64() > end) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

void PumpTicks(int ticks, int intervalMs) {
  int count = 0;
  Timer reference;
  reference.OnTimer = [&] { ++count; };
  reference.setInterval(intervalMs);
  reference.setEnabled(true);
  PumpUntil([&] { return count >= ticks; }, 10000 + static_cast<DWORD>(ticks * intervalMs));
}

Picture SolidPicture(int width, int height, COLORREF color) {
  return SolidPicture(width, height, color, color);
}

Picture SolidPicture(int width, int height, COLORREF color, COLORREF corner) {
  Bitmap bitmap;
  bitmap.setSize(width, height);
  {
    BitmapDc dc(bitmap.handle());
    BrushHandle brush(CreateSolidBrush(color));
    const RECT all{0, 0, width, height};
    FillRect(dc.get(), &all, brush.get());
    SetPixel(dc.get(), 0, 0, corner);
  }
  Picture picture;
  picture.setBitmap(bitmap);
  return picture;
}

Picture IconPicture() {
  TempDir dir;
  WriteFileBytes(dir.file("p.ico"), SampleIconFile());
  Picture picture;
  picture.loadFromFile(dir.file("p.ico"));
  return picture;
}

Picture SplitPicture(int width, int height, int split, COLORREF left, COLORREF right) {
  Picture picture = SolidPicture(width, height, right);
  Bitmap bitmap = *picture.bitmap();
  {
    BitmapDc dc(bitmap.handle());
    BrushHandle brush(CreateSolidBrush(left));
    const RECT part{0, 0, split, height};
    FillRect(dc.get(), &part, brush.get());
  }
  picture.setBitmap(bitmap);
  return picture;
}

namespace {
Bitmap ClientBitmap(HWND window, const std::function<void(HDC)>& fill) {
  RECT client;
  GetClientRect(window, &client);
  Bitmap bitmap;
  bitmap.setSize(client.right, client.bottom);
  if (!bitmap.empty()) {
    BitmapDc dc(bitmap.handle());
    fill(dc.get());
  }
  return bitmap;
}
}  // namespace

Bitmap Composed(HWND window) {
  return ClientBitmap(window, [&](HDC dc) {
    SendMessageA(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  });
}

Bitmap OnScreen(HWND window) {
  return ClientBitmap(window, [&](HDC dc) {
    WindowDc source(window);
    BitBlt(dc, 0, 0, 4096, 4096, source.get(), 0, 0, SRCCOPY);
  });
}

int CountPixels(const Bitmap& bitmap, const RECT& area, COLORREF color) {
  const std::vector<std::uint32_t> pixels = bitmap.pixels();
  int count = 0;
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) {
      if (x >= 0 && y >= 0 && x < bitmap.width() && y < bitmap.height() &&
          pixels[static_cast<size_t>(y * bitmap.width() + x)] == color) {
        ++count;
      }
    }
  }
  return count;
}

bool AllPixels(const Bitmap& bitmap, const RECT& area, COLORREF color) {
  return CountPixels(bitmap, area, color) == (area.right - area.left) * (area.bottom - area.top);
}

void MouseTo(POINT screen) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  // Normalised to 0..65535, rounded up so the pixel comes back exactly.
  input.mi.dx = (screen.x * 65536 + width - 1) / width;
  input.mi.dy = (screen.y * 65536 + height - 1) / height;
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &input, sizeof input);
}

void MouseButton(DWORD flags) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  SendInput(1, &input, sizeof input);
}

namespace {
void Key(WORD key, DWORD flags) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.dwFlags = flags;
  SendInput(1, &input, sizeof input);
}
}  // namespace

void KeyDown(WORD key) {
  Key(key, 0);
}
void KeyUp(WORD key) {
  Key(key, KEYEVENTF_KEYUP);
}
void KeyTap(WORD key) {
  KeyDown(key);
  KeyUp(key);
}

void ReleaseInput() {
  for (WORD key : {VK_SHIFT, VK_CONTROL, VK_MENU, VK_SPACE, VK_RETURN}) {
    if (GetAsyncKeyState(key) < 0) KeyUp(key);
  }
  if (GetAsyncKeyState(VK_LBUTTON) < 0) MouseButton(MOUSEEVENTF_LEFTUP);
  MouseTo(POINT{5, 5});
  Application::Instance().processMessages();
}

}  // namespace ss::test
