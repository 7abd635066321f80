// The halo window: the skin's smooth rim and soft shadow, shown with per-pixel alpha in a
// window of its own directly below the shaped main form.
#pragma once

#include <windows.h>

#include "config/global_vars.h"
#include "gui/form.h"
#include "gui/window.h"
#include "skin/halo.h"

namespace ss {

// Whether a halo shows under `mode`: always, never, or (auto) where the system composes windows
// and high contrast is off. Without composition a per-pixel-alpha window is drawn opaque.
bool HaloWanted(HaloMode mode);

class HaloWindow : public Window {
 public:
  // Makes no window yet: a form without a halo has only its own.
  explicit HaloWindow(Form& form);
  ~HaloWindow() override;

  // Shows `halo` around the form from now on, made when first needed; false, with no halo
  // window left, when the system refuses the layered window.
  bool setPicture(const HaloPicture& halo);
  // No halo from now on: the form stands alone.
  void remove();

  // Places the halo around the form's rectangle, directly below it in the z-order, visible as
  // the form is. The form calls it whenever its place, z-order or visibility changed.
  void follow();
  // The form is about to show: the halo shows first, so that both appear in one frame.
  void formShowing(const WINDOWPOS& pos);

 protected:
  LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void place(int formLeft, int formTop, bool visible);

  Form& form_;
  int left_ = 0;
  int top_ = 0;
  // Which of the checks after a show comes next.
  size_t nextCheck_ = 0;
};

}  // namespace ss
