// Accessible objects (MSAA IAccessible) of our controls, for screen readers in this process and
// in others: what a control is (role), what it is called (name), what it does, its state, and
// its default action. A windowed control answers WM_GETOBJECT (OBJID_CLIENT) with its object; a
// windowless one is found through its form under an object identifier of its own.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace ss {

// Roles (the system's ROLE_SYSTEM_ values) and states (STATE_SYSTEM_) our controls take.
inline constexpr long kRolePushButton = 0x2B;
inline constexpr long kRoleButtonMenu = 0x39;
inline constexpr long kRoleLink = 0x1E;
inline constexpr long kRoleStaticText = 0x29;
inline constexpr long kRoleClient = 0xA;
inline constexpr long kStateUnavailable = 0x1;
inline constexpr long kStateFocused = 0x4;
inline constexpr long kStatePressed = 0x8;
inline constexpr long kStateInvisible = 0x8000;
inline constexpr long kStateFocusable = 0x100000;
inline constexpr long kStateReadOnly = 0x40;

// A child of an accessible object: the window and object identifier that answer for it, and
// where it is on the screen.
struct AccessibleChild {
  HWND window = nullptr;
  long objectId = 0;
  RECT screenRect{};
};

// What a control tells of itself; texts in UTF-8.
struct AccessibleFacts {
  std::function<std::string()> name;
  std::function<std::string()> description;  // may be empty
  long role = kRoleStaticText;
  std::function<long()> state;
  std::string defaultAction;         // empty: none
  std::function<void()> doDefault;   // runs the default action
  std::function<void()> takeFocus;   // may be empty
  std::function<RECT()> screenRect;  // where it is on the screen
  // Whose child it is: the window and object identifier of its parent object.
  HWND parentWindow = nullptr;
  long parentObject = 0;
  // Its children in reading order (a form's controls); empty for a control.
  std::function<std::vector<AccessibleChild>()> children;
};

// The accessible object of one control, owned by the control (which drops it when it goes:
// clients that still hold it are then told it is disconnected).
class AccessibleHandle {
 public:
  AccessibleHandle() = default;
  AccessibleHandle(const AccessibleHandle&) = delete;
  AccessibleHandle& operator=(const AccessibleHandle&) = delete;
  ~AccessibleHandle();

  // The answer to WM_GETOBJECT for this object (made at the first request from `facts`), or 0
  // when the system's accessibility library cannot be had.
  LRESULT answer(WPARAM wParam, const std::function<AccessibleFacts()>& facts);

 private:
  void* object_ = nullptr;
};

// Tells the system's listeners (screen readers) of an event of an object: EVENT_OBJECT_FOCUS,
// EVENT_OBJECT_NAMECHANGE, ...
void RaiseAccessibleEvent(DWORD event, HWND window, long objectId);

}  // namespace ss
