#include "ui/main/form_main.h"

#include "gui/application.h"
#include "gui/cursors.h"

namespace ss {

namespace {
// The system's hand cursor replaces the framework's own under the hand-point identifier.
const bool kHandCursorInstalled =
    (Screen::Instance().setCursorHandle(crHandPoint, LoadCursorA(nullptr, IDC_HAND)), true);

constexpr int kDesignClientWidth = 444;
constexpr int kDesignClientHeight = 217;
}  // namespace

TFormMain::TFormMain() {
  setBorderStyle(BorderStyle::None);
  setPosition(Position::PrimaryMonitorCenter);
  setClientSize(kDesignClientWidth, kDesignClientHeight);
  try {
    FormCreate();
  } catch (...) {
    Application::Instance().handleCurrentException();
  }
}

void TFormMain::FormCreate() { setCaption(Application::Instance().title()); }

}  // namespace ss
