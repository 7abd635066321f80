// The About dialog: icon, product name, version, copyright line and two links.
#pragma once

#include "gui/form.h"
#include "gui/image.h"
#include "gui/label.h"
#include "gui/push_button.h"

namespace ss {

class TfrmAbout : public Form {
 public:
  TfrmAbout();

  Image Image;
  Label lblAppName;
  Label LabelVersion;
  Label LabelCopyright;
  Label LabelWeb;
  Label LabelSupportEmail;
  PushButton Button1;

 protected:
  void formShow() override { FormShow(); }

 private:
  // Fills the dialog from the title, the icon, the settings and the clock.
  void FormShow();
  void Button1Click();
  void LabelWebClick();
  void LabelSupportEmailClick();
  void LinkMouseEnter();
  void LinkMouseLeave();

  // Positions and sizes are laid out for 96 dots per inch and scaled to the system's.
  int scaled(int value) const;
  int dpi_;
};

// Shows a new About dialog modally over the main window and destroys it when it closes.
void ShowAboutDialog();

}  // namespace ss
