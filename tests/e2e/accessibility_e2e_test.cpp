// The launcher as a screen reader and a keyboard user meet it: this test program, in a process
// of its own, asks each button's accessible object for its name, role, state and action,
// presses buttons through it, and listens to the events the launcher raises.
#include <gtest/gtest.h>

#include <oleacc.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "core/wide.h"
#include "demo_launcher.h"
#include "input_support.h"
#include "test_support.h"
#include "../unit/solid_bitmap.h"

namespace ss::e2e {
namespace {

using namespace main_window;

// IAccessible's identifier: MinGW's import library has a jump to it in its place.
constexpr GUID kAccessibleInterface = {
    0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

// What a reader learns of one object.
struct Heard {
  std::string name, description, defaultAction;
  long role = 0;
  long state = 0;
};

std::string Take(BSTR text) {
  std::string result = text ? Narrow(text) : std::string();
  SysFreeString(text);
  return result;
}

Heard Ask(IAccessible* object) {
  Heard heard;
  VARIANT self{};
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  BSTR text = nullptr;
  if (SUCCEEDED(object->get_accName(self, &text))) heard.name = Take(text);
  text = nullptr;
  if (SUCCEEDED(object->get_accDescription(self, &text))) heard.description = Take(text);
  text = nullptr;
  if (SUCCEEDED(object->get_accDefaultAction(self, &text))) heard.defaultAction = Take(text);
  VARIANT value{};
  if (SUCCEEDED(object->get_accRole(self, &value))) heard.role = value.lVal;
  if (SUCCEEDED(object->get_accState(self, &value))) heard.state = value.lVal;
  return heard;
}

// The accessible object of a window's client area, as a reader gets it.
IAccessible* ObjectOf(HWND window) {
  IAccessible* object = nullptr;
  AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), kAccessibleInterface,
                             reinterpret_cast<void**>(&object));
  return object;
}

// Events of the launcher's process, with the name of their object, heard out of context.
std::vector<std::pair<DWORD, std::string>>* heardEvents = nullptr;

void CALLBACK Listen(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD,
                     DWORD) {
  IAccessible* accessible = nullptr;
  VARIANT which{};
  if (!heardEvents ||
      FAILED(AccessibleObjectFromEvent(window, static_cast<DWORD>(object),
                                       static_cast<DWORD>(child), &accessible, &which))) {
    return;
  }
  BSTR name = nullptr;
  std::string text;
  if (SUCCEEDED(accessible->get_accName(which, &name))) text = Take(name);
  accessible->Release();
  heardEvents->emplace_back(event, text);
}

class Reader : public testing::Test {
 protected:
  void SetUp() override { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
  void TearDown() override {
    test::ReleaseInput();
    launcher_.reset();
    folder_.reset();
    CoUninitialize();
  }

  bool start(const std::string& extraConfig = "") {
    DemoOptions options;
    options.extraConfig = extraConfig;
    folder_ = std::make_unique<DemoFolder>(options);
    launcher_ = std::make_unique<RunningLauncher>(*folder_);
    return launcher_->waitMainWindow() != nullptr;
  }
  static RECT rectOf(const ButtonLayout& b) {
    return RECT{b.left, b.top, b.left + b.width, b.top + b.height};
  }
  HWND buttonWindow(const ButtonLayout& b) const {
    return ChildWindowFromPoint(launcher_->mainWindow(),
                                POINT{b.left + b.width / 2, b.top + b.height / 2});
  }
  HWND waitMenu() const {
    HWND menu = nullptr;
    test::WaitUntil([&] {
      const auto menus = launcher_->process().windows("#32768");
      menu = menus.empty() ? nullptr : menus.front();
      return menu != nullptr;
    });
    return menu;
  }

  std::unique_ptr<DemoFolder> folder_;
  std::unique_ptr<RunningLauncher> launcher_;
};

TEST_F(Reader, NamesIdentifiesAndPressesEveryButton) {
  // A localised suite names Button2 in its own language.
  const std::string localised = "\xD0\x92\xD0\xB8\xD0\xB4\xD0\xB5\xD0\xBE";  // "Видео"
  ASSERT_TRUE(start(std::string("[ACCESSIBILITY]\nButton2=") + localised + "\nButtonHelp=\n"));
  const char* hovers[] = {kButton1Hover, kButton2Hover, kButton3Hover, kMoreToolsHover};
  for (size_t i = 0; i < kButtons.size(); ++i) {
    const ButtonLayout& b = kButtons[i];
    IAccessible* object = ObjectOf(buttonWindow(b));
    ASSERT_NE(object, nullptr) << b.name;
    const Heard heard = Ask(object);
    object->Release();
    EXPECT_EQ(heard.name, b.id == ButtonId::Two ? localised : std::string(b.accessibleName));
    const bool menu = b.id == ButtonId::Three || b.id == ButtonId::MoreTools;
    EXPECT_EQ(heard.role, menu ? ROLE_SYSTEM_BUTTONMENU : ROLE_SYSTEM_PUSHBUTTON) << b.name;
    EXPECT_EQ(heard.defaultAction, "Press") << b.name;
    EXPECT_TRUE(heard.state & STATE_SYSTEM_FOCUSABLE) << b.name;
    EXPECT_FALSE(heard.state & STATE_SYSTEM_UNAVAILABLE) << b.name;
    EXPECT_EQ(heard.description, i >= 2 && i < 6 ? hovers[i - 2] : "") << b.name;
  }

  // Pressing through the reader does what a click does.
  IAccessible* fileWriter = ObjectOf(buttonWindow(kButtons[2]));
  ASSERT_NE(fileWriter, nullptr);
  VARIANT self{};
  self.vt = VT_I4;
  EXPECT_EQ(fileWriter->accDoDefaultAction(self), S_OK);
  fileWriter->Release();
  EXPECT_TRUE(folder_->waitStarted(kButton1Program));
  IAccessible* moreTools = ObjectOf(buttonWindow(kButtons[5]));
  ASSERT_NE(moreTools, nullptr);
  EXPECT_EQ(moreTools->accDoDefaultAction(self), S_OK);
  moreTools->Release();
  EXPECT_NE(waitMenu(), nullptr);
  test::KeyTap(VK_ESCAPE);
}

TEST_F(Reader, HearsTheFocusMoveThroughEveryButtonAndTheInfoLineChange) {
  ASSERT_TRUE(start());
  std::vector<std::pair<DWORD, std::string>> events;
  heardEvents = &events;
  HWINEVENTHOOK hook =
      SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_NAMECHANGE, nullptr, &Listen,
                      launcher_->process().id(), 0, WINEVENT_OUTOFCONTEXT);
  ASSERT_NE(hook, nullptr);
  // From ButtonMin, which has the focus at the start, once round all ten in tab order.
  std::vector<std::string> expected;
  for (size_t i = 1; i <= kButtons.size(); ++i) {
    expected.push_back(kButtons[i % kButtons.size()].accessibleName);
    test::KeyTap(VK_TAB);
    test::WaitUntil([&] {
      for (const auto& [event, name] : events) {
        if (event == EVENT_OBJECT_FOCUS && name == expected.back()) return true;
      }
      return false;
    });
  }
  std::vector<std::string> focused;
  for (const auto& [event, name] : events) {
    if (event == EVENT_OBJECT_FOCUS && (focused.empty() || focused.back() != name)) {
      focused.push_back(name);
    }
  }
  EXPECT_EQ(focused, expected);

  // The pointer on Button2 changes the info line, and a reader hears its new text.
  events.clear();
  test::MouseTo(launcher_->centreOf(rectOf(kButtons[3])));
  EXPECT_TRUE(test::WaitUntil([&] {
    for (const auto& [event, name] : events) {
      if (event == EVENT_OBJECT_NAMECHANGE && name == kButton2Hover) return true;
    }
    return false;
  }));
  UnhookWinEvent(hook);
  heardEvents = nullptr;
}

TEST_F(Reader, FindsTheButtonsAndTheInfoLineInReadingOrder) {
  ASSERT_TRUE(start());
  IAccessible* window = ObjectOf(launcher_->mainWindow());
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(Ask(window).role, ROLE_SYSTEM_CLIENT);
  long count = 0;
  ASSERT_EQ(window->get_accChildCount(&count), S_OK);
  std::vector<VARIANT> children(static_cast<size_t>(std::max(count, 0L)));
  long got = 0;
  ASSERT_EQ(AccessibleChildren(window, 0, count, children.data(), &got), S_OK);
  window->Release();
  std::vector<std::string> names;
  for (long i = 0; i < got; ++i) {
    IAccessible* child = nullptr;
    if (children[i].vt == VT_DISPATCH && children[i].pdispVal) {
      children[i].pdispVal->QueryInterface(kAccessibleInterface, reinterpret_cast<void**>(&child));
      children[i].pdispVal->Release();
    }
    names.push_back(child ? Ask(child).name : "?");
    if (child) child->Release();
  }
  // Row by row from the top, each from the left; the info line's white copy is its relief only.
  std::vector<std::string> expected;
  for (const ButtonLayout& b : kButtons) {
    if (b.id == ButtonId::Help) expected.push_back("Welcome to " + folder_->productName() + "!");
    expected.push_back(b.accessibleName);
  }
  EXPECT_EQ(names, expected);
}

TEST_F(Reader, TheKeyboardsFocusFrameGoesWithTheNextMousePress) {
  ASSERT_TRUE(start());
  const ExpectedLook look(*folder_);
  const RECT one = rectOf(kButtons[2]);
  const Image normal =
      look.window(launcher_->desktopBefore(), ExpectedLook::AllNormal(), "").crop(one);
  test::KeyTap(VK_TAB);
  test::KeyTap(VK_TAB);
  EXPECT_TRUE(launcher_->waitShows(one, WithKeyboardFrame(normal)));
  // A press on the skin (which starts no move without a drag) hides the frame again.
  test::MouseTo(launcher_->screenPoint(10, 160));
  test::MouseButton(MOUSEEVENTF_LEFTDOWN);
  test::MouseButton(MOUSEEVENTF_LEFTUP);
  EXPECT_TRUE(launcher_->waitShows(one, normal));
}

// The launcher as a user of another language meets it, with the demo's language files.
class Translated : public Reader {
 protected:
  // What a reader finds in the main window: each child's name and description.
  std::vector<Heard> children() const {
    std::vector<Heard> heard;
    IAccessible* window = ObjectOf(launcher_->mainWindow());
    if (!window) return heard;
    long count = 0;
    window->get_accChildCount(&count);
    std::vector<VARIANT> found(static_cast<size_t>(std::max(count, 0L)));
    long got = 0;
    AccessibleChildren(window, 0, count, found.data(), &got);
    window->Release();
    for (long i = 0; i < got; ++i) {
      IAccessible* child = nullptr;
      if (found[i].vt == VT_DISPATCH && found[i].pdispVal) {
        found[i].pdispVal->QueryInterface(kAccessibleInterface, reinterpret_cast<void**>(&child));
        found[i].pdispVal->Release();
      }
      heard.push_back(child ? Ask(child) : Heard{});
      if (child) child->Release();
    }
    return heard;
  }
  // The info line's text, as a reader finds it.
  std::string infoLine() const {
    for (const Heard& h : children()) {
      if (h.role == ROLE_SYSTEM_STATICTEXT) return h.name;
    }
    return "?";
  }
  void writeLanguage(const std::string& tag, const std::string& text) {
    CreateDirectoryW(Wide(folder_->file("lang")).c_str(), nullptr);
    test::WriteFileBytes(folder_->file("lang\\" + tag + ".ini"), text);
  }
  static std::string Demo(const char* tag) {
    return test::ReadFileBytes(FromEnvironment("SS_DEMO_LANG") + "\\" + tag + ".ini");
  }
};

// Run with the user's language set to Austrian German (see the e2e.lang_de_AT test).
class LanguageDeAt : public Translated {};

TEST_F(LanguageDeAt, TheUsersLanguageWithItsParentKeyByKeyThenEnglish) {
  ASSERT_TRUE(start());
  std::string german = Demo("de");
  german.replace(german.find("Willkommen bei {title}!"), 23, "Willkommen bei {title} %s %n!");
  writeLanguage("de", german);
  writeLanguage("de-AT", "[TEXT]\nButton2=Servus, {title}!\n");
  // A German picture for Button1: its words are German.
  const ButtonLayout& one = kButtons[2];
  const std::string german1 = folder_->skinFolder() + "de\\" + one.skinFiles[0];
  CreateDirectoryW(Wide(folder_->skinFolder() + "de").c_str(), nullptr);
  test::WriteFileBytes(german1, test::SolidBitmapFile(one.width, one.height, 0x3366CC));
  launcher_.reset();
  launcher_ = std::make_unique<RunningLauncher>(*folder_);
  ASSERT_NE(launcher_->waitMainWindow(), nullptr);
  const std::vector<Heard> heard = children();
  ASSERT_EQ(heard.size(), kButtons.size() + 1);
  EXPECT_EQ(heard[0].name, "Minimieren");
  EXPECT_EQ(heard[2].name, "Daten-Disc brennen");
  EXPECT_EQ(heard[2].description.rfind("Wandelt die Titel einer Musik-CD", 0), 0u);
  EXPECT_EQ(heard[3].description, "Servus, " + folder_->productName() + "!");
  EXPECT_EQ(infoLine(), "Willkommen bei " + folder_->productName() + " %s %n!");
  const Image shown = launcher_->capture(rectOf(one));
  EXPECT_EQ(shown.at(one.width / 2, one.height / 2), 0x3366CCu);
}

TEST_F(LanguageDeAt, TheSettingsChoiceWinsAndNoFileLeavesEnglish) {
  ASSERT_TRUE(start("[LANGUAGE]\nUse=ja\n"));
  writeLanguage("de", Demo("de"));
  writeLanguage("ja", Demo("ja"));
  launcher_.reset();
  launcher_ = std::make_unique<RunningLauncher>(*folder_);
  ASSERT_NE(launcher_->waitMainWindow(), nullptr);
  EXPECT_EQ(infoLine(), folder_->productName() +
                            " \xE3\x81\xB8\xE3\x82\x88\xE3\x81\x86\xE3\x81\x93"
                            "\xE3\x81\x9D\xEF\xBC\x81");  // "へようこそ！"

  // Without a file for the user's language (nor the settings'), the launcher is as ever.
  launcher_.reset();
  folder_.reset();
  ASSERT_TRUE(start());
  writeLanguage("fr", "[TEXT]\nWelcome=Bienvenue !\n");
  launcher_.reset();
  launcher_ = std::make_unique<RunningLauncher>(*folder_);
  ASSERT_NE(launcher_->waitMainWindow(), nullptr);
  EXPECT_EQ(infoLine(), "Welcome to " + folder_->productName() + "!");
  EXPECT_EQ(children()[0].name, "Minimize");
}

// Run with the user's language set to Egyptian Arabic (see the e2e.lang_ar_EG test).
class LanguageArEg : public Translated {
 protected:
  // A design rectangle mirrored in the main window's client area.
  RECT mirrored(const RECT& r) const {
    RECT client{};
    GetClientRect(launcher_->mainWindow(), &client);
    return RECT{client.right - r.right, r.top, client.right - r.left, r.bottom};
  }
  void clickAt(const RECT& r) const {
    test::MouseTo(launcher_->centreOf(r));
    test::MouseButton(MOUSEEVENTF_LEFTDOWN);
    test::MouseButton(MOUSEEVENTF_LEFTUP);
  }
  bool waitFocusOn(const RECT& r) const {
    return test::WaitUntil([&] {
      const HWND focus = launcher_->threadInfo().hwndFocus;
      const RECT shown = focus ? launcher_->clientRectOf(focus) : RECT{};
      return focus && EqualRect(&r, &shown) != FALSE;
    });
  }
};

TEST_F(LanguageArEg, TheWindowIsMirroredAndReadsAndStepsRightToLeft) {
  folder_ = std::make_unique<DemoFolder>();
  // The welcome in Latin letters: Wine's DrawText places a line by the width of its unjoined
  // Arabic letters and then draws them joined, narrower, which leaves a gap at a right edge.
  std::string arabic = Demo("ar");
  const size_t welcome = arabic.find("\nWelcome=") + 9;
  arabic.replace(welcome, arabic.find('\n', welcome) - welcome, "{title}");
  writeLanguage("ar", arabic);
  launcher_ = std::make_unique<RunningLauncher>(*folder_);
  HWND main = launcher_->waitMainWindow();
  ASSERT_NE(main, nullptr);

  // Each button at its mirrored place; a reader meets them, and the info line, row by row from
  // the right, which is the design's order.
  const std::vector<Heard> heard = children();
  ASSERT_EQ(heard.size(), kButtons.size() + 1);
  for (size_t i = 0; i < kButtons.size(); ++i) {
    const RECT place = mirrored(rectOf(kButtons[i]));
    const POINT centre{(place.left + place.right) / 2, (place.top + place.bottom) / 2};
    HWND window = ChildWindowFromPoint(main, centre);
    ASSERT_NE(window, main) << kButtons[i].name;
    RECT shown = launcher_->clientRectOf(window);
    EXPECT_TRUE(EqualRect(&shown, &place)) << kButtons[i].name;
    IAccessible* object = ObjectOf(window);
    ASSERT_NE(object, nullptr);
    const size_t read = kButtons[i].id < ButtonId::Help ? i : i + 1;
    EXPECT_EQ(heard[read].name, Ask(object).name) << kButtons[i].name;
    object->Release();
  }
  EXPECT_EQ(heard[6].name, folder_->productName());

  // The info line reads right to left from its mirrored right edge: its dark text ends there
  // and starts well away from the left edge, where it would start left to right.
  const RECT line =
      mirrored(RECT{kLabelInfo1.left, kLabelInfo1.top, kLabelInfo1.left + kLabelInfo1.width,
                    kLabelInfo1.top + kLabelInfo1.height});
  const Image strip = launcher_->capture(RECT{0, line.top, line.right + 8, line.bottom});
  int first = strip.width, last = -1;
  for (int y = 0; y < strip.height; ++y) {
    for (int x = 0; x < strip.width; ++x) {
      if (strip.at(x, y) != kLabelInfo1.color) continue;
      first = std::min(first, x);
      last = std::max(last, x);
    }
  }
  EXPECT_LT(last, line.right);
  EXPECT_GE(last, line.right - 4);
  EXPECT_GT(first, kLabelInfo1.left + 40);

  // Left moves the focus to the button on the left, Right back.
  const RECT min = mirrored(rectOf(kButtons[0]));
  const RECT close = mirrored(rectOf(kButtons[1]));
  ASSERT_LT(close.left, min.left);
  ASSERT_TRUE(waitFocusOn(min));
  test::KeyTap(VK_LEFT);
  EXPECT_TRUE(waitFocusOn(close));
  test::KeyTap(VK_RIGHT);
  EXPECT_TRUE(waitFocusOn(min));

  // A menu opens with its top-right corner at its button's bottom-right corner.
  const RECT three = mirrored(rectOf(kButtons[4]));
  clickAt(three);
  HWND menu = waitMenu();
  ASSERT_NE(menu, nullptr);
  RECT shown{};
  GetWindowRect(menu, &shown);
  const POINT corner = launcher_->screenPoint(three.right, three.bottom);
  EXPECT_EQ(shown.right, corner.x);
  EXPECT_EQ(shown.top, corner.y);
  // Its two items show: more than a frame around nothing.
  EXPECT_GT(shown.bottom - shown.top, 2 * 13);
  test::KeyTap(VK_ESCAPE);
  EXPECT_TRUE(launcher_->waitMenuClosed());

  // A click at Button1's mirrored place starts its tool.
  clickAt(mirrored(rectOf(kButtons[2])));
  EXPECT_TRUE(folder_->waitStarted(kButton1Program));
}

}  // namespace
}  // namespace ss::e2e
