// The launcher's main window: the skin, the info line, ten image buttons and two menus.
#pragma once

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "controls/halo_window.h"
#include "controls/image_button.h"
#include "config/config_store.h"
#include "controls/skin_form.h"
#include "gui/form.h"
#include "gui/label.h"
#include "gui/popup_menu.h"
#include "skin/skin_preparation.h"
#include "ui/main/form_main_tables.h"
#include "ui/main/info_line.h"

namespace ss {

// Posted by the creation step to the window itself; handled once the loop has shown it.
inline constexpr UINT WM_LAUNCHER_STARTED = WM_USER + 1;

class TFormMain : public Form {
 public:
  // With `prepared`, the skin PrepareSkin began: taken when it is the one the creation step
  // needs, and dropped otherwise.
  explicit TFormMain(std::unique_ptr<SkinPreparation> prepared = nullptr);

  // Starts reading, decoding and scaling the skin that the settings in `store` name, for a
  // window on the primary monitor, on other threads while the windows are being made. Reports
  // nothing (nullptr when the settings name no skin, and at 96 DPI, where the files need no
  // scaling and worker threads measured no faster): the creation step reads the settings again
  // and raises every error in its place.
  static std::unique_ptr<SkinPreparation> PrepareSkin(const ConfigStore& store);

  // Sets the text of the info line (both labels); readers hear of it only when it changes.
  void SetInfoText(const std::string& text);
  // Sets the info line by its rule (InfoLineText): run when the pointer enters or leaves a big
  // button, the focus moves to or from one, and the focus cues are shown or hidden.
  void UpdateInfoText();

  // Controls in creation order: windowless ones paint in this order, each over the previous.
  TSkinForm SkinFormMain;
  Label LabelInfo2;
  Label LabelInfo1;
  TImageButton ButtonMin;
  TImageButton ButtonClose;
  TImageButton Button1;
  TImageButton Button2;
  TImageButton Button3;
  TImageButton ButtonMoreTools;
  TImageButton ButtonHelp;
  TImageButton ButtonAbout;
  TImageButton ButtonHome;
  TImageButton ButtonMoreFreeTools;
  PopupMenu PopupMenuMoreTools;
  PopupMenu PopupMenuAudioCD;

  TImageButton& button(main_window::ButtonId id);

 protected:
  LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void dpiChanged(int dpi, const RECT& suggested) override;
  void focusCuesChanged() override;

 private:
  void buildControls();
  // The info texts and the buttons' descriptions in the launcher's language, with the product's
  // details as they stand.
  void applyLanguageTexts();
  // The menu items in the launcher's language (their handlers stay).
  void translateMenus();
  // The controls' places, sizes and fonts of the design layout at the window's DPI, left to
  // right: the layout pass ends with endLayout, once the skin has sized the window.
  void placeDesignLayout();
  // Loads the first `count` skin files in their order at the window's DPI, from `prepared`
  // when it was begun for just these.
  void loadSkinFiles(int count, std::unique_ptr<SkinPreparation> prepared = nullptr);
  // The skin's halo at the window's DPI behind the window, when the settings and the system want
  // one; none when the skin has none or it cannot be shown.
  void loadHalo(SkinPreparation& skin);
  // The creation step; an error stops it and is shown, and the window opens all the same.
  void FormCreate();
  // Reads the settings, loads the skin and applies the layout the settings choose.
  void ApplySkin();
  void applyAlternativeLayout();
  void resolveSettingsFolder();
  std::string welcomeText() const;
  // Pops a menu up with its top-left corner at the button's bottom-left corner (right to left:
  // its top-right corner at the button's bottom-right corner).
  void popupBelow(PopupMenu& menu, const TImageButton& below);
  void startProgram(const char* fileName);

  void ButtonMinClick();
  void ButtonCloseClick();
  void Button1Click();
  void Button2Click();
  void Button3Click();
  void ButtonMoreToolsClick();
  void ButtonHelpClick();
  void ButtonAboutClick();
  void ButtonHomeClick();
  void ButtonMoreFreeToolsClick();
  void LauncherStarted();

  std::array<TImageButton*, main_window::kButtons.size()> buttons_;
  // The big buttons and their info texts; the big button under the pointer, if any.
  std::array<std::pair<TImageButton*, std::string>, 4> infoTexts_;
  TImageButton* underPointer_ = nullptr;
  // The skin PrepareSkin began, until the creation step takes or drops it.
  std::unique_ptr<SkinPreparation> prepared_;
  std::string skinFolder_;
  // How far the creation step came: skin files loaded, alternative layout applied.
  int skinFilesLoaded_ = 0;
  bool alternative_ = false;
  HaloWindow halo_;
};

}  // namespace ss
