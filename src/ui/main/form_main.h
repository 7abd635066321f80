// The launcher's main window.
#pragma once

#include "gui/form.h"

namespace ss {

class TFormMain : public Form {
 public:
  TFormMain();

 private:
  // The creation step; an error stops it and is shown, and the window opens all the same.
  void FormCreate();
};

}  // namespace ss
