// The About dialog: icon, product name, version, copyright line and two links.
#pragma once

#include "gui/form.h"
#include "gui/label.h"
#include "gui/link_label.h"
#include "gui/picture_box.h"
#include "gui/push_button.h"

namespace ss {

class TfrmAbout : public Form {
 public:
  TfrmAbout();

  PictureBox Image;
  Label lblAppName;
  Label LabelVersion;
  Label LabelCopyright;
  // Links that the keyboard reaches too: tab stops after OK.
  LinkLabel LabelWeb;
  LinkLabel LabelSupportEmail;
  PushButton Button1;

 protected:
  void aboutToShow() override { FormShow(); }
  void dpiChanged(int dpi, const RECT& suggested) override;

 private:
  // Fills the dialog from the title, the icon, the settings and the clock.
  void FormShow();
  void Button1Click();
  void LabelWebClick();
  void LabelSupportEmailClick();
  void LinkMouseEnter();
  void LinkMouseLeave();

  // Places, sizes and fonts of the design (96 DPI) at dpi_.
  void layOut();
  int scaled(int value) const;
  int dpi_ = 96;
};

// Shows a new About dialog modally over the main window and destroys it when it closes.
void ShowAboutDialog();

}  // namespace ss
