#include "ui/about/form_about.h"

#include <string>

#include "config/global_vars.h"
#include "config/language.h"
#include "core/text_format.h"
#include "gui/application.h"
#include "gui/cursors.h"
#include "gui/dpi.h"
#include "gui/start_file.h"
#include "ui/main/launcher_texts.h"

namespace ss {

namespace {

constexpr int kClientWidth = 385;
constexpr int kClientHeight = 159;
constexpr int kFontHeight = -11;

}  // namespace

TfrmAbout::TfrmAbout()
    : Image(*this),
      lblAppName(*this),
      LabelVersion(*this),
      LabelCopyright(*this),
      LabelWeb(*this),
      LabelSupportEmail(*this),
      Button1(*this, 0, 0, 0, 0, "OK") {
  setBorderStyle(BorderStyle::Dialog);
  setPosition(Position::MainFormMonitorCenter);
  setRightToLeft(LauncherLanguage.rightToLeft());
  // Laid out for the DPI of the main window's monitor, where the dialog opens.
  const Form* main = Application::Instance().mainForm();
  dpi_ = (main ? main : this)->dpi();
  LabelCopyright.setAutoSize(false);
  LabelCopyright.setWordWrap(true);
  layOut();
  lblAppName.setCaption("lblAppName");
  LabelVersion.setCaption("%s");
  LabelWeb.setCaption("LabelWeb");
  LabelSupportEmail.setCaption("...");
  Button1.setTabOrder(0);
  Button1.setDefault(true);

  Button1.OnClick = [this](Control&) { Button1Click(); };
  LabelWeb.OnClick = [this](Control&) { LabelWebClick(); };
  LabelSupportEmail.OnClick = [this](Control&) { LabelSupportEmailClick(); };
  LabelWeb.setTabOrder(1);
  LabelSupportEmail.setTabOrder(2);
  for (LinkLabel* label : {&LabelWeb, &LabelSupportEmail}) {
    label->OnMouseEnter = [this](Control&) { LinkMouseEnter(); };
    label->OnMouseExit = [this](Control&) { LinkMouseLeave(); };
  }
}

void TfrmAbout::layOut() {
  beginLayout();
  setClientSize(scaled(kClientWidth), scaled(kClientHeight));
  auto place = [&](Control& control, int left, int top, int width, int height) {
    control.setBounds(scaled(left), scaled(top), scaled(width), scaled(height));
  };
  place(Image, 8, 8, 33, 33);
  place(lblAppName, 50, 8, 56, 13);
  place(LabelVersion, 50, 24, 16, 13);
  place(LabelCopyright, 50, 48, 327, 32);
  place(LabelWeb, 50, 88, 60, 13);
  place(LabelSupportEmail, 50, 104, 12, 13);
  place(Button1, 152, 128, 89, 25);
  // After the places: a label sizing itself to its text measures it again in its new font.
  FontSpec font;
  font.name = "Tahoma";
  font.height = scaled(kFontHeight);
  font.charset = DEFAULT_CHARSET;
  setFont(font);
  FontSpec link = font;
  link.color = clBlue;
  link.underline = true;
  for (LinkLabel* label : {&LabelWeb, &LabelSupportEmail}) label->setFont(link);
  endLayout();
}

void TfrmAbout::dpiChanged(int dpi, const RECT& suggested) {
  Form::dpiChanged(dpi, suggested);
  dpi_ = dpi;
  layOut();
}

int TfrmAbout::scaled(int value) const {
  return Scaled(value, dpi_);
}

void TfrmAbout::FormShow() {
  Application& app = Application::Instance();
  const std::string title = app.title();
  lblAppName.setCaption(title);
  // A translated caption is held to 255 UTF-16 units, as the title is.
  setCaption(LauncherText(main_window::kAboutCaptionText, 255));
  Button1.setText(LauncherText(main_window::kAboutOkText));
  Image.setIcon(app.icon());
  LabelWeb.setCaption(GlobalVars.HelpHomePageLink);
  LabelSupportEmail.setCaption(GlobalVars.HelpSupportLink);
  LabelVersion.setCaption(FormatText(LabelVersion.caption(), {GlobalVars.Version}));
  LabelCopyright.setCaption(LauncherText(main_window::kAboutCopyrightText));
}

void TfrmAbout::Button1Click() {
  setModalResult(kModalResultOk);
}

void TfrmAbout::LabelWebClick() {
  StartFile(GlobalVars.HelpHomePageLink);
}

void TfrmAbout::LabelSupportEmailClick() {
  StartFile(GlobalVars.HelpSupportLink);
}

// The links' own cursor is the default one, so the dialog's cursor shows over them.
void TfrmAbout::LinkMouseEnter() {
  setCursor(kCursorHandPoint);
}

void TfrmAbout::LinkMouseLeave() {
  setCursor(kCursorArrow);
}

void ShowAboutDialog() {
  TfrmAbout frmAbout;
  frmAbout.showModal();
}

}  // namespace ss
