// The system's push button, as a control of a form.
#pragma once

#include "gui/control.h"

namespace ss {

class PushButton : public WinControl {
 public:
  explicit PushButton(Form& parent, int left, int top, int width, int height,
                      const std::string& caption);

  // Return clicks the default button; Escape the cancel button.
  void setDefault(bool value);
  bool cancel() const { return cancel_; }
  void setCancel(bool value) { cancel_ = value; }
  // Copied into the form's modal result on every click when not 0.
  int modalResult = 0;

  void click() override;
  LRESULT notify(UINT code, WPARAM wParam, LPARAM lParam) override;

 protected:
  LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  bool default_ = false;
  bool cancel_ = false;
};

}  // namespace ss
