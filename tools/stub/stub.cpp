// The demo's stand-in for the suite's tools: copied under every tool's file name, it records
// its start in "started.log" beside itself (in UTF-8) and shows a small note naming the tool, which
// closes on a click, a key or after a few seconds.
// SS_STUB_QUIET=1 in the environment skips the note (for tests); SS_STUB_SECONDS sets how long
// the note stays (default 5).
#include <windows.h>

#include <cstdlib>
#include <string>

#include "tools/stub/program_names.h"
#include "tools/stub/start_record.h"

namespace {

constexpr const char* kClassName = "SuitestartDemoStub";
constexpr int kWidth = 330;
constexpr int kHeight = 84;
constexpr UINT_PTR kTickTimer = 1;

struct Note {
  std::string fileName;
  std::string title;
  int secondsLeft = 5;
  HFONT titleFont = nullptr;
  HFONT textFont = nullptr;
};

void FillRect(HDC dc, RECT r, COLORREF color) {
  HBRUSH brush = CreateSolidBrush(color);
  ::FillRect(dc, &r, brush);
  DeleteObject(brush);
}

void Ellipse(HDC dc, int cx, int cy, int r, COLORREF color) {
  HBRUSH brush = CreateSolidBrush(color);
  HGDIOBJ oldBrush = SelectObject(dc, brush);
  HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
  ::Ellipse(dc, cx - r, cy - r, cx + r + 1, cy + r + 1);
  SelectObject(dc, oldPen);
  SelectObject(dc, oldBrush);
  DeleteObject(brush);
}

// Composes the note off-screen and copies it in one block, so the countdown never flickers.
void Paint(HWND window, const Note& note) {
  PAINTSTRUCT ps;
  HDC screen = BeginPaint(window, &ps);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP buffer = CreateCompatibleBitmap(screen, kWidth, kHeight);
  HGDIOBJ oldBitmap = SelectObject(dc, buffer);

  FillRect(dc, {0, 0, kWidth, kHeight}, RGB(0xFF, 0xFF, 0xFF));
  FillRect(dc, {0, 0, 5, kHeight}, RGB(0x2F, 0x86, 0xF0));
  // A small disc: the suite's emblem.
  Ellipse(dc, 36, 42, 17, RGB(0x2F, 0x86, 0xF0));
  Ellipse(dc, 36, 42, 12, RGB(0xE6, 0xEC, 0xF4));
  Ellipse(dc, 36, 42, 4, RGB(0x2F, 0x86, 0xF0));

  SetBkMode(dc, TRANSPARENT);
  HGDIOBJ oldFont = SelectObject(dc, note.titleFont);
  SetTextColor(dc, RGB(0x1E, 0x2A, 0x3B));
  RECT line{66, 14, kWidth - 12, 34};
  DrawTextA(dc, note.title.c_str(), -1, &line,
            DT_LEFT | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
  SelectObject(dc, note.textFont);
  SetTextColor(dc, RGB(0x44, 0x50, 0x62));
  const std::string started = note.fileName + " started (demo stand-in).";
  line = {66, 36, kWidth - 12, 52};
  DrawTextA(dc, started.c_str(), -1, &line,
            DT_LEFT | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
  SetTextColor(dc, RGB(0x7A, 0x86, 0x96));
  const std::string closing =
      "Closes in " + std::to_string(note.secondsLeft) + " s, or click to close.";
  line = {66, 54, kWidth - 12, 70};
  DrawTextA(dc, closing.c_str(), -1, &line, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
  SelectObject(dc, oldFont);

  HBRUSH frame = CreateSolidBrush(RGB(0xB8, 0xC3, 0xD2));
  RECT all{0, 0, kWidth, kHeight};
  FrameRect(dc, &all, frame);
  DeleteObject(frame);

  BitBlt(screen, 0, 0, kWidth, kHeight, dc, 0, 0, SRCCOPY);
  SelectObject(dc, oldBitmap);
  DeleteObject(buffer);
  DeleteDC(dc);
  EndPaint(window, &ps);
}

LRESULT CALLBACK NoteProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* note = reinterpret_cast<Note*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  switch (message) {
    case WM_NCCREATE:
      SetWindowLongPtrA(
          window, GWLP_USERDATA,
          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
      break;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      Paint(window, *note);
      return 0;
    case WM_TIMER:
      if (--note->secondsLeft <= 0) {
        DestroyWindow(window);
      } else {
        InvalidateRect(window, nullptr, FALSE);
      }
      return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_KEYDOWN:
      DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

// Notes stack upward from the bottom-right corner of the work area, like notifications, so
// several tools started in a row stay readable and the launcher stays uncovered.
POINT NotePosition() {
  RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  int others = 0;
  for (HWND w = FindWindowExA(nullptr, nullptr, kClassName, nullptr); w;
       w = FindWindowExA(nullptr, w, kClassName, nullptr)) {
    ++others;
  }
  const int y = work.bottom - 16 - (kHeight + 8) * (others % 6 + 1);
  return {work.right - 16 - kWidth, y};
}

int ShowNote(HINSTANCE instance, Note& note) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = NoteProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorA(nullptr, IDC_HAND);
  wc.lpszClassName = kClassName;
  RegisterClassA(&wc);
  note.titleFont = CreateFontA(-13, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET, 0, 0,
                               ANTIALIASED_QUALITY, 0, "Tahoma");
  note.textFont = CreateFontA(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, 0, 0,
                              ANTIALIASED_QUALITY, 0, "Tahoma");
  const POINT at = NotePosition();
  const std::string caption = note.title + " - " + note.fileName;
  HWND window =
      CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kClassName, caption.c_str(), WS_POPUP, at.x,
                      at.y, kWidth, kHeight, nullptr, nullptr, instance, &note);
  if (!window) return 1;
  // Shown without taking the focus from the launcher that started it.
  ShowWindow(window, SW_SHOWNOACTIVATE);
  SetTimer(window, kTickTimer, 1000, nullptr);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  DeleteObject(note.titleFont);
  DeleteObject(note.textFont);
  return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  const std::wstring path = ss::stub::OwnPath();
  Note note;
  // The suite's file names are ASCII, whatever the folder's name.
  note.fileName = ss::stub::Utf8(path.substr(path.find_last_of(L'\\') + 1));
  note.title = ss::stub::ToolTitle(note.fileName);
  const bool logged = ss::stub::AppendStartRecord();
  const char* quiet = std::getenv("SS_STUB_QUIET");
  if (quiet && *quiet && std::string(quiet) != "0") return logged ? 0 : 1;
  if (const char* seconds = std::getenv("SS_STUB_SECONDS")) {
    const int value = std::atoi(seconds);
    if (value > 0 && value < 600) note.secondsLeft = value;
  }
  return ShowNote(instance, note);
}
