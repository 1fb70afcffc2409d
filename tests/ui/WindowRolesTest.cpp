// Windows as a desktop expects them: pop-ups that close when the user leaves
// them, flags that never re-create the native window, modal dialogs, Qt's
// own texts in Chinese, tips shown as plain text, bounded image lookups and
// the platform chosen on a Wayland session.

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <string>

#include "tests/ui/TestWindow.h"
#include "ui/qt/AppCore.h"
#include "ui/testing/Simulate.h"
#include "ui/qt/Skin.h"
#include "ui/qt/Widgets.h"

using namespace DuiLib;

namespace {

class WindowRolesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // A quit honoured by an earlier test (its last window closed) is over.
        simulate::ProcessPending();
        core::ResetQuit();
        UseTestLayouts();
        ASSERT_NE(owner.Open(), nullptr);
        owner.ShowWindow(true, true);
    }
    TestWindow owner;
};

TEST_F(WindowRolesTest, APopUpClosesOnAPressOutsideItAndHearsItAsFocusLoss)
{
    TestWindow popup;
    ASSERT_NE(popup.Open(WS_POPUP, owner), nullptr);
    popup.handles = [&popup](UINT msg, WPARAM) {
        if (msg == WM_KILLFOCUS)
            popup.PostMessageW(WM_CLOSE);
        return msg == WM_KILLFOCUS;
    };
    ShowWindow(popup, SW_SHOW);
    simulate::LeftClick(popup, 10, 10); // inside: stays
    EXPECT_TRUE(simulate::StateOf(popup).visible);
    EXPECT_EQ(popup.Count(WM_KILLFOCUS), 0);

    simulate::LeftClick(popup, -40, 500); // outside: gone at once, then destroyed
    EXPECT_FALSE(simulate::StateOf(popup).visible);
    EXPECT_EQ(popup.Count(WM_KILLFOCUS), 1);
    simulate::ProcessPending();
    EXPECT_EQ(popup.GetHWND(), nullptr);
    EXPECT_EQ(popup.finalMessages, 1);
}

TEST_F(WindowRolesTest, APopUpThatKeepsItselfOpenIsStillHiddenOnFocusLoss)
{
    TestWindow popup;
    ASSERT_NE(popup.Open(WS_POPUP, owner), nullptr);
    ShowWindow(popup, SW_SHOW);
    simulate::LeftClick(popup, 900, 900);
    EXPECT_EQ(popup.Count(WM_KILLFOCUS), 1);
    EXPECT_FALSE(simulate::StateOf(popup).visible); // it no longer takes every click
    EXPECT_NE(popup.GetHWND(), nullptr);
}

TEST_F(WindowRolesTest, TopmostAndPassThroughNeverReplaceTheNativeWindow)
{
    simulate::ProcessPending();
    std::uintptr_t id = simulate::StateOf(owner).nativeId;
    ASSERT_NE(id, 0u);
    for (bool passThrough : {true, false, true}) {
        SetWindowPos(owner, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        owner.pm.SetTransparent(200, passThrough);
        simulate::WindowState s = simulate::StateOf(owner);
        EXPECT_EQ(s.nativeId, id);
        EXPECT_TRUE(s.visible);
        EXPECT_TRUE(s.topmost);
        EXPECT_EQ(s.passThrough, passThrough);
    }
}

TEST_F(WindowRolesTest, TopmostSetBeforeTheFirstShowIsPartOfThatShow)
{
    TestWindow later;
    ASSERT_NE(later.Open(), nullptr);
    SetWindowPos(later, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_FALSE(simulate::StateOf(later).visible);
    EXPECT_EQ(simulate::StateOf(later).nativeId, 0u); // not made yet: nothing to re-create
    later.ShowWindow(true, true);
    EXPECT_TRUE(simulate::StateOf(later).topmost);
}

TEST_F(WindowRolesTest, AnOwnedWindowIsModalFromItsFirstShowEvenIfShownBefore)
{
    for (bool shownFirst : {false, true}) {
        TestWindow dialog;
        ASSERT_NE(dialog.Open(2059, owner), nullptr);
        if (shownFirst)
            dialog.ShowWindow(true, true);
        simulate::WindowState during;
        dialog.onMessage = [&](UINT msg, WPARAM) {
            if (msg == WM_USER) {
                during = simulate::StateOf(dialog);
                dialog.Close(4);
            }
        };
        dialog.PostMessageW(WM_USER);
        Watchdog dog;
        EXPECT_EQ(dialog.ShowModal(), 4u);
        EXPECT_FALSE(dog.Fired());
        EXPECT_TRUE(during.visible) << shownFirst;
        EXPECT_TRUE(during.modal) << shownFirst;
        EXPECT_EQ(during.owner, owner.GetHWND());
    }
}

// What the message box showed, and the key that closed it.
struct BoxSeen {
    QString title;
    QStringList buttons;
    bool closed = false;
};

void CloseBoxWith(int key, BoxSeen& seen)
{
    QTimer::singleShot(0, [key, &seen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        seen.title = box->windowTitle();
        for (QAbstractButton* b : box->buttons())
            seen.buttons << b->text();
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(box->focusWidget() ? box->focusWidget() : box, &press);
        seen.closed = !box->isVisible();
    });
}

TEST_F(WindowRolesTest, TheMessageBoxSpeaksChineseHasABlankTitleAndClosesByKey)
{
    for (int key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter}) {
        BoxSeen seen;
        CloseBoxWith(key, seen);
        Watchdog dog;
        EXPECT_EQ(MessageBoxW(owner, u"请输入房间号", u"", MB_OK), IDOK);
        EXPECT_FALSE(dog.Fired());
        EXPECT_TRUE(seen.closed) << key;
        EXPECT_EQ(seen.buttons, QStringList{"确定"});
        EXPECT_EQ(seen.title.trimmed().remove(QChar(0x200B)), ""); // not the program's name
        EXPECT_FALSE(seen.title.isEmpty()); // Qt would put the program's name in an empty one
    }
}

TEST_F(WindowRolesTest, TipsShowTheirTextLiterally)
{
    CControlUI* control = owner.pm.FindControl(u"title");
    ASSERT_NE(control, nullptr);
    for (std::u16string tip : {u"a & b", u"<b>bold</b>", u"a &amp; b", u"&lt;", u"房间 <i>1000</i> 🎉",
                               u"שלום & مرحبا", u"", u"line\none"}) {
        control->SetAttribute(u"tooltip", tip.c_str());
        EXPECT_EQ(simulate::TipOf(control), CDuiString(tip));
    }
}

TEST_F(WindowRolesTest, TheTrayTipShowsAnAmpersandAsItself)
{
    NOTIFYICONDATAW nid{};
    nid.cbSize = sizeof(nid);
    nid.hWnd = owner;
    nid.uID = 9;
    nid.uFlags = NIF_TIP;
    std::u16string tip = u"R&D <b>room</b>";
    std::copy(tip.begin(), tip.end(), nid.szTip);
    ASSERT_TRUE(Shell_NotifyIconW(NIM_ADD, &nid));
    std::vector<CDuiString> tips = simulate::TrayTips();
    EXPECT_EQ(tips.back(), CDuiString(tip));
    Shell_NotifyIconW(NIM_DELETE, &nid);
}

TEST_F(WindowRolesTest, MissingImageNamesAreRememberedWithinTheirBound)
{
    for (int level = 0; level < 5000; ++level) {
        EXPECT_TRUE(SkinImage(QString("%1.png").arg(level - 2500)).isNull());
        ASSERT_LE(skin::RememberedNames(), skin::kRememberedMissingImages);
    }
    EXPECT_TRUE(SkinImage("-1.png").isNull()); // asked again: still missing
}

TEST(PlatformChoice, XWaylandOnlyWhenBothDisplaysAreSetAndNothingWasChosen)
{
    struct Case {
        const char* chosen;
        const char* wayland;
        const char* display;
        bool xcb;
    } cases[] = {
        {nullptr, "wayland-0", ":0", true},  {nullptr, "wayland-0", nullptr, false},
        {nullptr, nullptr, ":0", false},      {"wayland", "wayland-0", ":0", false},
        {"", "wayland-0", ":0", false},       {nullptr, "", ":0", false},
        {nullptr, "wayland-0", "", false},    {"offscreen", nullptr, nullptr, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(core::PreferXWayland(c.chosen, c.wayland, c.display), c.xcb)
            << (c.chosen ? c.chosen : "-") << " " << (c.wayland ? c.wayland : "-") << " "
            << (c.display ? c.display : "-");
}

} // namespace
