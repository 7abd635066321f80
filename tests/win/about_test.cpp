// The About dialog in the test process: its texts, links, cursor, and modal running.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include <oleacc.h>

#include "config/global_vars.h"
#include "core/wide.h"
#include "gui/application.h"
#include "gui/cursors.h"
#include "gui/form.h"
#include "gui/icon.h"
#include "gui/start_file.h"
#include "input_support.h"
#include "test_support.h"
#include "ui/about/form_about.h"

namespace ss {
namespace {

std::function<void()> onTick;

// Runs `action` once from the message loop, shortly after the modal loop has started.
void RunSoon(std::function<void()> action) {
  onTick = std::move(action);
  SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    if (onTick) onTick();
  });
}

// IAccessible's identifier (MinGW's import library has a jump to it in its place).
constexpr GUID kAccessibleInterface = {
    0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

std::string LocalYear() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return std::to_string(now.wYear);
}

class AboutTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    // The first form is the application's main form; the dialog runs over it.
    mainForm_ = new Form();
    mainForm_->setClientSize(300, 200);
    mainForm_->setPosition(Form::Position::PrimaryMonitorCenter);
    mainForm_->show();
    test::WriteFileBytes(iconDir_.file("icon.ico"), test::SampleIconFile());
    Application::Instance().setIcon(LoadIconFile(iconDir_.file("icon.ico")));
  }
  void SetUp() override {
    Application::Instance().setTitle("Kestrel Suite");
    GlobalVars = TGlobalVars();
    GlobalVars.Version = "Version 2.5";
    GlobalVars.Copyright = "Example Software Ltd.";
    GlobalVars.HelpHomePageLink = "https://example.com/";
    GlobalVars.HelpSupportLink = "mailto:help@example.com";
    SetShellOpenFunction(
        [this](void*, const std::string& target, int) { opened_.push_back(target); });
  }
  void TearDown() override { SetShellOpenFunction(nullptr); }

  // Clicks a point of a control of the dialog with real input.
  static void ClickAt(Form& form, const Control& control, int x, int y) {
    POINT p{control.left() + x, control.top() + y};
    ClientToScreen(form.handle(), &p);
    SetCursorPos(p.x, p.y);
    INPUT input[2] = {};
    input[0].type = input[1].type = INPUT_MOUSE;
    input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, input, sizeof(INPUT));
  }

  static Form* mainForm_;
  static test::TempDir iconDir_;
  std::vector<std::string> opened_;
};
Form* AboutTest::mainForm_ = nullptr;
test::TempDir AboutTest::iconDir_;

TEST_F(AboutTest, ShowsTitleVersionCopyrightAndLinks) {
  TfrmAbout about;
  about.show();
  EXPECT_EQ(about.caption(), "About Kestrel Suite");
  EXPECT_EQ(about.lblAppName.caption(), "Kestrel Suite");
  EXPECT_EQ(about.LabelVersion.caption(), "Version 2.5");
  EXPECT_EQ(about.LabelCopyright.caption(),
            "Copyright (C) " + LocalYear() + " Example Software Ltd.");
  EXPECT_EQ(about.LabelWeb.caption(), "https://example.com/");
  EXPECT_EQ(about.LabelSupportEmail.caption(), "mailto:help@example.com");
  EXPECT_EQ(about.Image.picture().kind(), Picture::Kind::Icon);
  EXPECT_EQ(about.clientWidth(), 385);
  EXPECT_EQ(about.clientHeight(), 159);
  about.hide();
}

TEST_F(AboutTest, EmptyTitleAndCopyrightLeaveTheirFixedWords) {
  Application::Instance().setTitle("");
  GlobalVars.Copyright = "";
  TfrmAbout about;
  about.show();
  EXPECT_EQ(about.caption(), "About ");
  EXPECT_EQ(about.LabelCopyright.caption(), "Copyright (C) " + LocalYear() + " ");
  about.hide();
}

TEST_F(AboutTest, VersionIsInsertedAsTextEvenWithPercentSigns) {
  GlobalVars.Version = "100% %s %d";
  TfrmAbout about;
  about.show();
  EXPECT_EQ(about.LabelVersion.caption(), "100% %s %d");
  about.hide();
}

TEST_F(AboutTest, EmptySupportLinkIsAOneSpaceLabelThatStillCallsTheShell) {
  GlobalVars.HelpSupportLink = "";
  TfrmAbout about;
  about.show();
  LinkLabel& label = about.LabelSupportEmail;
  SIZE space{};
  {
    WindowDc dc(about.handle());
    HFONT font = label.fontHandle();
    SelectObjectScope select(dc.get(), font);
    GetTextExtentPoint32A(dc.get(), " ", 1, &space);
  }
  EXPECT_EQ(label.width(), space.cx);
  EXPECT_EQ(label.height(), space.cy);
  ClickAt(about, label, label.width() / 2, label.height() / 2);
  ASSERT_TRUE(test::WaitUntil([&] {
    Application::Instance().processMessages();
    return !opened_.empty();
  }));
  EXPECT_EQ(opened_, std::vector<std::string>{""});
  about.hide();
}

TEST_F(AboutTest, LinksHandTheStoredTextToTheShellAndShowTheHand) {
  GlobalVars.HelpHomePageLink = "https://example.com/a&b";
  TfrmAbout about;
  about.show();
  // "&" is a mnemonic prefix on the label, but the click hands over the stored text.
  EXPECT_EQ(about.LabelWeb.caption(), "https://example.com/a&b");
  ClickAt(about, about.LabelWeb, 3, 3);
  ASSERT_TRUE(test::WaitUntil([&] {
    Application::Instance().processMessages();
    return !opened_.empty();
  }));
  EXPECT_EQ(opened_, std::vector<std::string>{"https://example.com/a&b"});
  EXPECT_EQ(about.cursor(), kCursorHandPoint);
  EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_HAND));
  // Away from the links the dialog shows the arrow again.
  POINT away{about.Button1.left() - 20, about.Button1.top()};
  ClientToScreen(about.handle(), &away);
  SetCursorPos(away.x, away.y);
  ASSERT_TRUE(test::WaitUntil([&] {
    Application::Instance().processMessages();
    return about.cursor() == kCursorArrow;
  }));
  EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_ARROW));
  about.hide();
}

TEST_F(AboutTest, RunsModallyOverTheDisabledMainFormUntilOk) {
  TfrmAbout about;
  bool mainDisabled = false;
  bool visibleCentred = false;
  RunSoon([&] {
    mainDisabled = !IsWindowEnabled(mainForm_->handle());
    MONITORINFO info{};
    info.cbSize = sizeof info;
    GetMonitorInfoA(MonitorFromWindow(mainForm_->handle(), MONITOR_DEFAULTTOPRIMARY), &info);
    const int width = info.rcMonitor.right - info.rcMonitor.left;
    visibleCentred =
        about.visible() && about.left() == info.rcMonitor.left + (width - about.width()) / 2;
    PostMessageA(about.Button1.handle(), BM_CLICK, 0, 0);
  });
  EXPECT_EQ(about.showModal(), kModalResultOk);
  EXPECT_TRUE(mainDisabled);
  EXPECT_TRUE(visibleCentred);
  EXPECT_TRUE(IsWindowEnabled(mainForm_->handle()));
  EXPECT_FALSE(about.visible());
}

TEST_F(AboutTest, ReturnPressesOkAndEscapeDoesNothing) {
  TfrmAbout about;
  bool openAfterEscape = false;
  RunSoon([&] {
    PostMessageA(about.Button1.handle(), WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    RunSoon([&] {
      openAfterEscape = about.visible() && about.modalResult() == kModalResultNone;
      PostMessageA(about.Button1.handle(), WM_KEYDOWN, VK_RETURN, 0x001C0001);
    });
  });
  EXPECT_EQ(about.showModal(), kModalResultOk);
  EXPECT_TRUE(openAfterEscape);
}

TEST_F(AboutTest, CloseBoxEndsTheDialogWithCancel) {
  TfrmAbout about;
  RunSoon([&] { PostMessageA(about.handle(), WM_SYSCOMMAND, SC_CLOSE, 0); });
  EXPECT_EQ(about.showModal(), kModalResultCancel);
  EXPECT_TRUE(IsWindowEnabled(mainForm_->handle()));
}

TEST_F(AboutTest, TabReachesBothLinksAfterOkAndReturnOpensEach) {
  TfrmAbout about;
  about.show();
  Application::Instance().processMessages();
  EXPECT_TRUE(about.Button1.focused());  // OK keeps the first focus
  const auto press = [&](WORD key) {
    PostMessageW(GetFocus(), WM_KEYDOWN, key, 1);
    PostMessageW(GetFocus(), WM_KEYUP, key, 0xC0000001);
    Application::Instance().processMessages();
  };
  const Bitmap plain = test::Composed(about.LabelWeb.handle());
  press(VK_TAB);
  EXPECT_TRUE(about.LabelWeb.focused());
  // Reached by the keyboard, the link shows a focus frame.
  EXPECT_NE(test::Composed(about.LabelWeb.handle()).pixels(), plain.pixels());
  press(VK_RETURN);
  press(VK_TAB);
  EXPECT_TRUE(about.LabelSupportEmail.focused());
  press(VK_SPACE);
  EXPECT_EQ(opened_, (std::vector<std::string>{"https://example.com/", "mailto:help@example.com"}));
  EXPECT_EQ(about.modalResult(), kModalResultNone);  // Return opened the link, not OK
  press(VK_TAB);
  EXPECT_TRUE(about.Button1.focused());

  // A reader hears a link named by its text, with the action "Jump".
  IAccessible* link = nullptr;
  ASSERT_EQ(
      AccessibleObjectFromWindow(about.LabelSupportEmail.handle(), static_cast<DWORD>(OBJID_CLIENT),
                                 kAccessibleInterface, reinterpret_cast<void**>(&link)),
      S_OK);
  VARIANT self{};
  self.vt = VT_I4;
  VARIANT role{};
  link->get_accRole(self, &role);
  EXPECT_EQ(role.lVal, ROLE_SYSTEM_LINK);
  BSTR text = nullptr;
  link->get_accName(self, &text);
  EXPECT_EQ(Narrow(text ? text : L""), "mailto:help@example.com");
  SysFreeString(text);
  text = nullptr;
  link->get_accDefaultAction(self, &text);
  EXPECT_EQ(Narrow(text ? text : L""), "Jump");
  SysFreeString(text);
  link->Release();
  about.hide();
}

}  // namespace
}  // namespace ss
