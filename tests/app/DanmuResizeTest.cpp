// The danmaku window is resized from its edges and corners; the list
// follows it, and it never gets smaller than 200 x 120.

#include <gtest/gtest.h>

#include "tests/app/AppTestSupport.h"
#include "tests/app/OpenDanmuTest.h"
#include "ui/testing/Simulate.h"

using namespace DuiLib;

namespace {

class DanmuResizeTest : public OpenDanmuTest {
protected:
    void SetUp() override
    {
        OpenDanmuTest::SetUp();
        SetWindowPos(hwnd, nullptr, 100, 100, 300, 250, 0);
    }
    simulate::WindowState State() const { return simulate::StateOf(hwnd); }

};

} // namespace

TEST_F(DanmuResizeTest, EachEdgeAndCornerResizesFromItsOwnSide)
{
    struct Case {
        int x, y, dx, dy;
        int left, top, width, height;
    } cases[] = {
        {299, 125, 40, 0, 100, 100, 340, 250},   // right edge
        {150, 249, 0, 30, 100, 100, 300, 280},   // bottom edge
        {0, 125, -20, 0, 80, 100, 320, 250},     // left edge
        {150, 0, 0, -10, 100, 90, 300, 260},     // top edge, above the title bar
        {299, 249, 100, 50, 100, 100, 400, 300}, // bottom right corner
        {0, 0, 10, 10, 110, 110, 290, 240},      // top left corner
    };
    for (const Case& c : cases) {
        SetWindowPos(hwnd, nullptr, 100, 100, 300, 250, 0);
        simulate::Drag(hwnd, c.x, c.y, c.dx, c.dy);
        const simulate::WindowState s = State();
        EXPECT_EQ(s.x, c.left) << c.x << "," << c.y;
        EXPECT_EQ(s.y, c.top) << c.x << "," << c.y;
        EXPECT_EQ(s.width, c.width) << c.x << "," << c.y;
        EXPECT_EQ(s.height, c.height) << c.x << "," << c.y;
    }
}

TEST_F(DanmuResizeTest, ItNeverGetsSmallerThan200By120)
{
    simulate::Drag(hwnd, 299, 249, -1000, -1000);
    EXPECT_EQ(State().width, 200);
    EXPECT_EQ(State().height, 120);
    SetWindowPos(hwnd, nullptr, 100, 100, 300, 250, 0);
    simulate::Drag(hwnd, 0, 0, 1000, 1000); // the opposite sides stay put
    EXPECT_EQ(State().x, 200);
    EXPECT_EQ(State().y, 230);
    EXPECT_EQ(State().width, 200);
    EXPECT_EQ(State().height, 120);
}

TEST_F(DanmuResizeTest, TheListFillsTheResizedWindow)
{
    danmu.Feed({Item(u"a:", u"hi", 1)}, 3);
    simulate::ProcessPending();
    const RECT list = simulate::ControlRect(simulate::FindControl(hwnd, u"danmu"));
    const RECT msg = simulate::ControlRect(danmu.Cell(0, u"msg"));
    simulate::Drag(hwnd, 299, 249, 200, 100);
    simulate::ProcessPending();
    const RECT biggerList = simulate::ControlRect(simulate::FindControl(hwnd, u"danmu"));
    EXPECT_EQ(biggerList.right - biggerList.left, list.right - list.left + 200);
    EXPECT_EQ(biggerList.bottom - biggerList.top, list.bottom - list.top + 100);
    const RECT widerMsg = simulate::ControlRect(danmu.Cell(0, u"msg"));
    EXPECT_EQ(widerMsg.right - widerMsg.left, msg.right - msg.left + 200);
}

TEST_F(DanmuResizeTest, TheMiddleOfTheWindowDoesNotResize)
{
    simulate::Drag(hwnd, 150, 150, 50, 50);
    EXPECT_EQ(State().width, 300);
    EXPECT_EQ(State().height, 250);
}
