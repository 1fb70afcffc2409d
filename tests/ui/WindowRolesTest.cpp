// Windows as a desktop expects them: pop-ups that close when the user leaves
// them, opacity, modal dialogs, Qt's own texts in Chinese, tips shown as
// plain text, bounded image lookups and the platform chosen on Wayland.

#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <string>

#include "tests/ui/TestWindow.h"
#include "ui/qt/AppCore.h"
#include "ui/qt/Skin.h"
#include "ui/qt/Widgets.h"
#include "ui/testing/Simulate.h"

using namespace DuiLib;

namespace {

// The owner window is shown, as a program's main window is.
class WindowRolesTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        w.ShowWindow(true, true);
    }
};

// A press outside a pop-up hides it at once and reaches it as focus loss;
// the pop-up decides whether it then closes.
TEST_F(WindowRolesTest, APopUpIsHiddenOnAPressOutsideItAndHearsItAsFocusLoss)
{
    for (bool closes : {true, false}) {
        TestWindow popup;
        ASSERT_NE(popup.Open(WS_POPUP, w), nullptr);
        popup.handles = [&popup, closes](UINT msg, WPARAM) {
            if (msg == WM_KILLFOCUS && closes)
                popup.PostMessageW(WM_CLOSE);
            return msg == WM_KILLFOCUS && closes;
        };
        ShowWindow(popup, SW_SHOW);
        simulate::LeftClick(popup, 10, 10); // inside: stays
        EXPECT_TRUE(simulate::StateOf(popup).visible);
        EXPECT_EQ(popup.Count(WM_KILLFOCUS), 0);

        simulate::LeftClick(popup, -40, 500);
        EXPECT_FALSE(simulate::StateOf(popup).visible) << closes; // it no longer takes every click
        EXPECT_EQ(popup.Count(WM_KILLFOCUS), 1);
        simulate::ProcessPending();
        EXPECT_EQ(popup.GetHWND() == nullptr, closes);
        EXPECT_EQ(popup.finalMessages, closes ? 1 : 0);
    }
}

// The alpha channel is chosen when the native window is made: a window shown
// before it asked for one fades as a whole.
TEST_F(WindowRolesTest, OpacityIsClampedAndAShownWindowFadesAsAWhole)
{
    using Fade = CPaintManagerUI::Fade;
    const struct {
        int alpha;
        Fade fade;
        double opacity;
    } rows[] = {{300, Fade::Window, 1.0}, {51, Fade::Window, 0.2}, {100, Fade::Background, 100 / 255.0}};
    for (const auto& r : rows) {
        w.pm.SetTransparent(r.alpha, false, r.fade);
        const simulate::WindowState s = simulate::StateOf(w);
        EXPECT_NEAR(s.opacity, r.opacity, 0.01) << r.alpha;
        EXPECT_EQ(s.backgroundAlpha, 255) << r.alpha;
        EXPECT_TRUE(s.visible) << r.alpha;
    }
}

// A dialog is modal from its first show, even if shown before; ShowModal
// returns its close code once it is gone, also when the close came first.
TEST_F(WindowRolesTest, AnOwnedWindowIsModalUntilItClosesWithItsCode)
{
    const struct {
        const char* row;
        bool shownFirst;
        bool closedFirst;
    } rows[] = {{"hidden", false, false}, {"shown first", true, false}, {"closed first", false, true}};
    for (const auto& r : rows) {
        TestWindow dialog;
        ASSERT_NE(dialog.Open(2059, w), nullptr);
        if (r.shownFirst)
            dialog.ShowWindow(true, true);
        simulate::WindowState during;
        dialog.onMessage = [&](UINT msg, WPARAM) {
            if (msg == WM_USER) {
                during = simulate::StateOf(dialog);
                dialog.Close(4);
            }
        };
        if (r.closedFirst)
            dialog.Close(4);
        else
            dialog.PostMessageW(WM_USER);
        Watchdog dog;
        EXPECT_EQ(dialog.ShowModal(), 4u) << r.row;
        EXPECT_FALSE(dog.Fired()) << r.row;
        EXPECT_EQ(dialog.finalMessages, 1) << r.row;
        EXPECT_EQ(dialog.Count(WM_DESTROY), 1) << r.row;
        if (!r.closedFirst) {
            EXPECT_TRUE(during.visible && during.modal) << r.row;
            EXPECT_EQ(during.owner, w.GetHWND()) << r.row;
        }
    }
}

// Each key closes the box; what it showed is read while it is open.
TEST_F(WindowRolesTest, TheMessageBoxSpeaksChineseHasABlankTitleAndClosesByKey)
{
    for (int key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter}) {
        QString title;
        QStringList buttons;
        bool closed = false;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            title = box->windowTitle();
            for (QAbstractButton* b : box->buttons())
                buttons << b->text();
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
            QApplication::sendEvent(box->focusWidget() ? box->focusWidget() : box, &press);
            closed = !box->isVisible();
        });
        Watchdog dog;
        EXPECT_EQ(MessageBoxW(w, u"请输入房间号", u"", MB_OK), IDOK);
        EXPECT_FALSE(dog.Fired());
        EXPECT_TRUE(closed) << key;
        EXPECT_EQ(buttons, QStringList{"确定"});
        EXPECT_EQ(title.trimmed().remove(QChar(0x200B)), ""); // not the program's name
        EXPECT_FALSE(title.isEmpty()); // Qt would put the program's name in an empty one
    }
}

// On a control and on the tray icon alike: "&" is no mnemonic, markup no markup.
TEST_F(WindowRolesTest, TipsShowTheirTextLiterally)
{
    CControlUI* control = w.pm.FindControl(u"title");
    NOTIFYICONDATAW nid{};
    nid.cbSize = sizeof(nid);
    nid.hWnd = w;
    nid.uID = 9;
    nid.uFlags = NIF_TIP;
    ASSERT_TRUE(Shell_NotifyIconW(NIM_ADD, &nid));
    for (std::u16string tip : {u"a & b", u"<b>bold</b>", u"a &amp; b", u"&lt;", u"房间 <i>1000</i> 🎉",
                               u"שלום & مرحبا", u"", u"line\none"}) {
        control->SetAttribute(u"tooltip", tip.c_str());
        EXPECT_EQ(simulate::TipOf(control), CDuiString(tip));
        std::fill(std::copy(tip.begin(), tip.end(), nid.szTip), std::end(nid.szTip), u'\0');
        ASSERT_TRUE(Shell_NotifyIconW(NIM_MODIFY, &nid));
        EXPECT_EQ(simulate::TrayTips().back(), CDuiString(tip));
    }
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
