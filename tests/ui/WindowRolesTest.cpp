// Windows as a desktop expects them: pop-ups that close when the user leaves
// them, modal dialogs, Qt's own texts in Chinese and bounded image lookups.

#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "tests/ui/TestWindow.h"
#include "ui/qt/Skin.h"
#include "ui/qt/Widgets.h"
#include "ui/testing/Simulate.h"

using namespace DuiLib;

namespace {

// The owner window is shown, as a program's main window is.
class WindowRolesTest : public WindowTest {
protected:
    void SetUp() override { WindowTest::SetUp(); w.ShowWindow(true, true); }
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

TEST_F(WindowRolesTest, MissingImageNamesAreRememberedWithinTheirBound)
{
    for (int level = 0; level < 5000; ++level) {
        EXPECT_TRUE(SkinImage(QString("%1.png").arg(level - 2500)).isNull());
        ASSERT_LE(skin::RememberedNames(), skin::kRememberedMissingImages);
    }
    EXPECT_TRUE(SkinImage("-1.png").isNull()); // asked again: still missing
}

} // namespace
