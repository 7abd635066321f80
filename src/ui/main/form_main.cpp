#include "ui/main/form_main.h"

#include <tuple>

#include "config/config_file.h"
#include "config/global_vars.h"
#include "config/language.h"
#include "core/wide.h"
#include "gui/application.h"
#include "gui/cursors.h"
#include "gui/dpi.h"
#include "shell/paths.h"
#include "gui/start_file.h"
#include "shell/shell.h"
#include "ui/about/form_about.h"
#include "ui/main/launcher_texts.h"
#include "ui/main/settings_folder.h"

namespace ss {

using namespace main_window;

namespace {
FontSpec LauncherFont(Color color, int dpi) {
  FontSpec font;
  font.name = kFontName;
  font.height = Scaled(kFontHeight, dpi);
  font.color = color;
  return font;
}

// The first `count` skin files in their loading order: the glyph, keyed, then three pictures
// a button.
std::vector<SkinRequest> SkinRequests(int count = kSkinFileCount) {
  std::vector<SkinRequest> requests{{kGlyphFile, kTransparentColor, true}};
  for (const ButtonLayout& layout : kButtons) {
    for (const char* file : layout.skinFiles) requests.push_back({file, std::nullopt, false});
  }
  requests.resize(static_cast<size_t>(count));
  return requests;
}

// The tags whose picture folders in the skin come first: the chosen language and its parents, as
// its texts; none for the built-in English.
std::vector<std::string> PictureLanguages() {
  return LauncherLanguage.builtIn() ? std::vector<std::string>()
                                    : LanguageTagChain(LauncherLanguage.tag());
}

std::string SkinFolderPath(const std::string& resFolder) {
  return WithTrailingBackslash(ExeFolder() + kSkinRoot + resFolder);
}

Bitmap SkinBitmap(const PixelImage& image) {
  Bitmap bitmap;
  bitmap.setPixels(image.width, image.height, image.pixels);
  return bitmap;
}

bool DirectoryExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(Wide(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool FileExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(Wide(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}
}  // namespace

TFormMain::TFormMain(std::unique_ptr<SkinPreparation> prepared)
    : SkinFormMain(*this),
      LabelInfo2(*this),
      LabelInfo1(*this),
      ButtonMin(*this),
      ButtonClose(*this),
      Button1(*this),
      Button2(*this),
      Button3(*this),
      ButtonMoreTools(*this),
      ButtonHelp(*this),
      ButtonAbout(*this),
      ButtonHome(*this),
      ButtonMoreFreeTools(*this),
      PopupMenuMoreTools(*this),
      PopupMenuAudioCD(*this),
      buttons_{&ButtonMin,       &ButtonClose, &Button1,     &Button2,    &Button3,
               &ButtonMoreTools, &ButtonHelp,  &ButtonAbout, &ButtonHome, &ButtonMoreFreeTools},
      prepared_(std::move(prepared)),
      halo_(*this) {
  setRightToLeft(LauncherLanguage.rightToLeft());
  buildControls();
  try {
    FormCreate();
  } catch (...) {
    Application::Instance().handleCurrentException();
  }
  // Mirrored once the skin has sized the window, as far as the creation step came.
  endLayout();
}

std::unique_ptr<SkinPreparation> TFormMain::PrepareSkin(const ConfigStore& store) {
  if (WindowDpi(nullptr) == kDesignDpi) return nullptr;
  try {
    return std::make_unique<SkinPreparation>(
        SkinPreparationKey{SkinFolderPath(ReadSetting(store, SettingOf(&TGlobalVars::ResFolder),
                                                      SystemLegacyDecoder())),
                           WindowDpi(nullptr), SkinRequests(), PictureLanguages()});
  } catch (...) {
    // Nothing prepared: the creation step does it all, and reports what fails.
    return nullptr;
  }
}

TImageButton& TFormMain::button(ButtonId id) {
  return *buttons_[static_cast<size_t>(id)];
}

void TFormMain::placeDesignLayout() {
  // Design lengths at the window's DPI; the form's button-face colour shows where the skin does
  // not paint.
  beginLayout();
  const int dpi = this->dpi();
  setClientSize(Scaled(kDesignClientWidth, dpi), Scaled(kDesignClientHeight, dpi));
  setFont(LauncherFont(kColorWindowText, dpi));
  SkinFormMain.setBounds(0, 0, Scaled(kDesignClientWidth, dpi), Scaled(kDesignClientHeight, dpi));
  for (auto [label, layout] :
       {std::pair{&LabelInfo2, kLabelInfo2}, std::pair{&LabelInfo1, kLabelInfo1}}) {
    label->setVisible(true);
    label->setWordWrap(false);
    label->setAutoSize(true);
    label->setBounds(Scaled(layout.left, dpi), Scaled(layout.top, dpi), Scaled(layout.width, dpi),
                     Scaled(layout.height, dpi));
    label->setFont(LauncherFont(layout.color, dpi));
  }
  for (const ButtonLayout& layout : kButtons) {
    button(layout.id).setBounds(Scaled(layout.left, dpi), Scaled(layout.top, dpi),
                                Scaled(layout.width, dpi), Scaled(layout.height, dpi));
  }
}

void TFormMain::buildControls() {
  setPosition(Position::PrimaryMonitorCenter);
  placeDesignLayout();
  for (Label* label : {&LabelInfo2, &LabelInfo1}) label->setCaption(kDesignInfoCaption);
  // The white copy only draws the line's relief: readers find and hear the line once.
  LabelInfo2.setHiddenFromReaders(true);

  for (const ButtonLayout& layout : kButtons) {
    TImageButton& b = button(layout.id);
    b.setCursor(kCursorHandPoint);
    b.setUIStyle(TUIStyle::FromThemeFile);
    b.setTabOrder(layout.tabOrder);
    b.setAccessibleName(ButtonReaderName(layout));
    // Assigned while the pictures are still empty, so the design size stays.
    b.setAutoSize(true);
  }

  ButtonMin.OnClick = [this](Control&) { ButtonMinClick(); };
  ButtonClose.OnClick = [this](Control&) { ButtonCloseClick(); };
  Button1.OnClick = [this](Control&) { Button1Click(); };
  Button2.OnClick = [this](Control&) { Button2Click(); };
  Button3.OnClick = [this](Control&) { Button3Click(); };
  ButtonMoreTools.OnClick = [this](Control&) { ButtonMoreToolsClick(); };
  ButtonHelp.OnClick = [this](Control&) { ButtonHelpClick(); };
  ButtonAbout.OnClick = [this](Control&) { ButtonAboutClick(); };
  ButtonHome.OnClick = [this](Control&) { ButtonHomeClick(); };
  ButtonMoreFreeTools.OnClick = [this](Control&) { ButtonMoreFreeToolsClick(); };

  applyLanguageTexts();
  for (auto& [b, text] : infoTexts_) {
    b->OnMouseEnter = [this, b = b](Control&) {
      underPointer_ = b;
      UpdateInfoText();
    };
    b->OnMouseExit = [this, b = b](Control&) {
      if (underPointer_ == b) underPointer_ = nullptr;
      UpdateInfoText();
    };
    // The keyboard's focus shows the same texts as the pointer does, while the cues show.
    b->OnEnter = [this](Control&) { UpdateInfoText(); };
    b->OnExit = [this](Control&) { UpdateInfoText(); };
  }
  Button3.setOpensMenu(true);
  ButtonMoreTools.setOpensMenu(true);

  for (const MenuItem& item : kMoreToolsMenu) {
    PopupMenuMoreTools.addItem(
        {item.name, item.caption, item.shortcut,
         item.program ? std::function<void()>([this, p = item.program] { startProgram(p); })
                      : std::function<void()>()});
  }
  for (const MenuItem& item : kAudioCdMenu) {
    PopupMenuAudioCD.addItem(
        {item.name, item.caption, item.shortcut, [this, p = item.program] { startProgram(p); }});
  }
  translateMenus();
}

void TFormMain::applyLanguageTexts() {
  // The big buttons' info texts, keyed by their controls' names; also what readers hear of them.
  const std::tuple<TImageButton*, main_window::ButtonId, const char*> hovers[] = {
      {&Button1, ButtonId::One, kButton1Hover},
      {&Button2, ButtonId::Two, kButton2Hover},
      {&Button3, ButtonId::Three, kButton3Hover},
      {&ButtonMoreTools, ButtonId::MoreTools, kMoreToolsHover}};
  for (size_t i = 0; i < infoTexts_.size(); ++i) {
    const auto [b, id, english] = hovers[i];
    infoTexts_[i] = {b, LauncherText(kButtons[static_cast<size_t>(id)].name, english)};
    b->setAccessibleDescription(infoTexts_[i].second);
  }
}

void TFormMain::translateMenus() {
  const auto translate = [](PopupMenu& menu, const auto& items) {
    for (size_t i = 0; i < items.size(); ++i) {
      if (items[i].program) menu.setCaption(i, LauncherText(items[i].name, items[i].caption));
    }
  };
  translate(PopupMenuMoreTools, kMoreToolsMenu);
  translate(PopupMenuAudioCD, kAudioCdMenu);
}

std::string TFormMain::welcomeText() const {
  return LauncherText(kWelcomeText);
}

void TFormMain::UpdateInfoText() {
  std::optional<std::string_view> underPointer;
  std::optional<std::string_view> focused;
  for (const auto& [b, text] : infoTexts_) {
    if (b == underPointer_) underPointer = text;
    // Asked at the focus change itself: the system's focus has moved already.
    if (b->focused()) focused = text;
  }
  const std::string welcome = welcomeText();
  SetInfoText(std::string(InfoLineText(underPointer, focused, focusCuesShown(), welcome)));
}

void TFormMain::focusCuesChanged() {
  Form::focusCuesChanged();
  UpdateInfoText();
}

void TFormMain::SetInfoText(const std::string& text) {
  LabelInfo1.setCaption(text);
  LabelInfo2.setCaption(text);
}

void TFormMain::FormCreate() {
  setCaption(Application::Instance().title());
  ApplySkin();
  // Again with the settings read: a translation may show the version or the copyright.
  applyLanguageTexts();
  translateMenus();
  SetInfoText(welcomeText());
  resolveSettingsFolder();
  PostMessageW(handle(), WM_LAUNCHER_STARTED, 0, 0);
}

void TFormMain::ApplySkin() {
  // Taken out first: when the settings stop the creation step, the work is dropped with it.
  std::unique_ptr<SkinPreparation> prepared = std::move(prepared_);
  LoadGlobalVars();
  for (const ButtonLayout& layout : kButtons) {
    button(layout.id).setAccessibleName(ButtonReaderName(layout));
  }
  skinFolder_ = SkinFolderPath(GlobalVars.ResFolder);
  loadSkinFiles(kSkinFileCount, std::move(prepared));
  if (GlobalVars.Skin == kAlternativeSkin) applyAlternativeLayout();
}

void TFormMain::loadSkinFiles(int count, std::unique_ptr<SkinPreparation> prepared) {
  const int dpi = this->dpi();
  skinFilesLoaded_ = 0;
  if (count <= 0) return;
  // The files are prepared side by side and taken here in their order, each once it is ready
  // (at 96 DPI each on this thread as it is taken); work for another folder, DPI or set of files
  // is dropped. Leaving this function, by an error too, drops what is not taken.
  const std::unique_ptr<SkinPreparation> skin = TakeOrPrepare(
      std::move(prepared), {skinFolder_, dpi, SkinRequests(count), PictureLanguages()},
      dpi == kDesignDpi ? 0 : SkinPreparation::DefaultThreads());
  // Loading the pixels triggers nothing; setting the colour cuts and sizes the window.
  SkinFormMain.Glyph() = SkinBitmap(skin->take(0));
  SkinFormMain.setTransparentColor(kTransparentColor);
  ++skinFilesLoaded_;
  loadHalo(*skin);
  for (const ButtonLayout& layout : kButtons) {
    TImageButton& b = button(layout.id);
    // The pictures take the bitmaps as they are: the buttons keep their size and are not
    // repainted.
    Picture* pictures[] = {&b.PicNormal(), &b.PicMouseOn(), &b.PicMouseDown()};
    for (size_t look = 0; look < 3; ++look) {
      if (skinFilesLoaded_ == count) return;
      pictures[look]->setBitmap(SkinBitmap(skin->take(static_cast<size_t>(skinFilesLoaded_))));
      ++skinFilesLoaded_;
    }
  }
}

void TFormMain::loadHalo(SkinPreparation& skin) {
  const int dpi = this->dpi();
  bool shown = false;
  // Decoration only: a halo that is missing, damaged or refused leaves the window as without.
  try {
    // The skin's file asked for first: whether the system composes costs a library's loading,
    // which a skin without a halo spares.
    if (!keepsFrame() && FileExists(skinFolder_ + kHaloFile) && HaloWanted(GlobalVars.Halo)) {
      // The folders as the skin's files were listed: the same skin, DPI and language.
      const std::optional<HaloPicture> halo =
          PrepareHalo(skinFolder_, skin.variants(), kGlyphFile, dpi, skin.languages());
      shown = halo && halo_.setPicture(*halo);
    }
  } catch (...) {
    shown = false;
  }
  if (!shown) halo_.remove();
}

void TFormMain::applyAlternativeLayout() {
  const int dpi = this->dpi();
  alternative_ = true;
  for (const ButtonLayout& layout : kButtons) {
    TImageButton& b = button(layout.id);
    b.setLeft(Scaled(layout.altLeft, dpi));
    b.setTop(Scaled(layout.altTop, dpi));
    // Sizes the button to its normal picture.
    b.setAutoSize(true);
  }
  LabelInfo2.setVisible(false);
  LabelInfo1.setLeft(Scaled(kAltLabelInfo1.left, dpi));
  LabelInfo1.setTop(Scaled(kAltLabelInfo1.top, dpi));
  LabelInfo1.setAutoSize(false);
  LabelInfo1.setWidth(Scaled(kAltLabelInfo1.width, dpi));
  LabelInfo1.setHeight(Scaled(kAltLabelInfo1.height, dpi));
  LabelInfo1.setWordWrap(true);
  FontSpec font = LabelInfo1.font();
  font.color = kAltLabelInfo1.color;
  LabelInfo1.setFont(font);
}

void TFormMain::resolveSettingsFolder() {
  const std::string appData = WithTrailingBackslash(ReadShellFolder("AppData"));
  GlobalVars.SettingsFolder =
      WithTrailingBackslash(appData + SettingsFolderName(Application::Instance().title()));
  if (!DirectoryExists(GlobalVars.SettingsFolder) &&
      !CreateDirectoryW(Wide(GlobalVars.SettingsFolder).c_str(), nullptr)) {
    GlobalVars.SettingsFolder = appData;
  }
}

void TFormMain::popupBelow(PopupMenu& menu, const TImageButton& below) {
  // The window has no frame: its outer position is where its client area starts.
  const int x = rightToLeft() ? below.left() + below.width() : below.left();
  menu.popup(x + left(), below.top() + top() + below.height());
}

void TFormMain::startProgram(const char* fileName) {
  StartFile(ExeFolder() + fileName);
}

void TFormMain::ButtonMinClick() {
  Application::Instance().minimize();
}
void TFormMain::ButtonCloseClick() {
  close();
}
void TFormMain::Button1Click() {
  startProgram(kButton1Program);
}
void TFormMain::Button2Click() {
  startProgram(kButton2Program);
}
void TFormMain::Button3Click() {
  popupBelow(PopupMenuAudioCD, Button3);
}
void TFormMain::ButtonMoreToolsClick() {
  popupBelow(PopupMenuMoreTools, ButtonMoreTools);
}
void TFormMain::ButtonHelpClick() {
  StartFile(GlobalVars.HelpHowTosTutorialVideosLink);
}
void TFormMain::ButtonAboutClick() {
  ShowAboutDialog();
}
void TFormMain::ButtonHomeClick() {
  StartFile(GlobalVars.HelpHomePageLink);
}
void TFormMain::ButtonMoreFreeToolsClick() {
  StartFile(GlobalVars.HelpMoreFreeToolsLink);
}

void TFormMain::LauncherStarted() {
  // Started minimised, the launcher stays on its taskbar button until the user restores it.
  if (!IsIconic(Application::Instance().handle())) {
    show();
    SetForegroundWindow(handle());
    BringWindowToTop(handle());
    // Painted now, window and buttons: this message runs ahead of the first WM_PAINT, and
    // starting the companion through the shell would otherwise keep the window blank (tens of
    // milliseconds under Wine, which loads the COM libraries for it).
    RedrawWindow(handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    // Under Wine that paint takes the window system's events first, and the halo's first
    // exposure among them raises it above the window with no message to either: directly
    // below it again at once (the halo checks again later for an exposure still to come).
    halo_.follow();
  }
  // The companion starts with the main window as owner and without the busy cursor.
  OpenWithShell(handle(), ExeFolder() + kCompanionProgram, SW_SHOW);
}

void TFormMain::dpiChanged(int, const RECT& suggested) {
  // Everything the creation step had laid out and loaded, again at the new DPI; the settings
  // stay as they were read.
  Form::dpiChanged(dpi(), suggested);
  placeDesignLayout();
  try {
    if (skinFilesLoaded_ > 0) loadSkinFiles(skinFilesLoaded_);
    if (alternative_) applyAlternativeLayout();
  } catch (...) {
    Application::Instance().handleCurrentException();
  }
  endLayout();
  InvalidateRect(handle(), nullptr, FALSE);
}

LRESULT TFormMain::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_LAUNCHER_STARTED) {
    LauncherStarted();
    return 0;
  }
  if (message == WM_WINDOWPOSCHANGING) halo_.formShowing(*reinterpret_cast<WINDOWPOS*>(lParam));
  if (message == WM_WINDOWPOSCHANGED) halo_.follow();
  return Form::handleMessage(message, wParam, lParam);
}

}  // namespace ss
