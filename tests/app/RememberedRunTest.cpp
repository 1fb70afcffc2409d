// The remembered settings in the windows: filled in at the start, read back
// at the end, and a place that lies off every screen moved back.

#include <gtest/gtest.h>

#include "app/RememberedRun.h"
#include "app/SettingsStore.h"
#include "app/WinMain.h"
#include "app/WindowPlacement.h"
#include "app/WndDanmu.h"
#include "feed/JsonParse.h"
#include "tests/app/AppTestSupport.h"
#include "tests/common/TempFolder.h"
#include "ui/testing/Simulate.h"

using namespace DuiLib;

namespace {

RECT PrimaryWorkArea()
{
    const RECT origin{0, 0, 1, 1};
    MONITORINFO info{sizeof(MONITORINFO), {}, {}, 0};
    EXPECT_TRUE(GetMonitorInfoW(MonitorFromRect(&origin, MONITOR_DEFAULTTOPRIMARY), &info));
    return info.rcWork;
}

bool Inside(const WindowRect& r, const RECT& area)
{
    return r.x >= area.left && r.y >= area.top && r.x + r.width <= area.right && r.y + r.height <= area.bottom;
}

class RememberedRunTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        UseProgramSkin();
        MessageBoxLog::Install();
        state = RunState{};
        frame = new CMainFrame(state);
        state.feed.liveHost = state.feed.dmsHost = "127.0.0.1:1"; // nothing listens there
        ASSERT_NE(frame->CreateOver(nullptr), nullptr);
    }
    void TearDown() override { delete frame; }
    // Read by the danmaku windows the tests open, kept to the end of the run.
    inline static RunState state;
    CMainFrame* frame = nullptr;
};

} // namespace

TEST(PlaceOnScreenTest, APlaceOnAScreenIsKept)
{
    const RECT work = PrimaryWorkArea();
    const WindowRect on{static_cast<int>(work.left) + 10, static_cast<int>(work.top) + 10, 300, 250};
    EXPECT_EQ(PlaceOnScreen(on), on);
    const WindowRect halfOff{static_cast<int>(work.right) - 100, static_cast<int>(work.top) + 10, 300, 250};
    EXPECT_EQ(PlaceOnScreen(halfOff), halfOff) << "its title bar can still be reached";
}

TEST(PlaceOnScreenTest, APlaceOffEveryScreenIsCentredOnThePrimaryScreen)
{
    const RECT work = PrimaryWorkArea();
    for (const WindowRect& off : {WindowRect{9000, 9000, 300, 250}, WindowRect{-5000, 20, 300, 250},
             WindowRect{20, -240, 300, 250}, WindowRect{-100000, -100000, 16384, 16384}}) {
        const WindowRect placed = PlaceOnScreen(off);
        EXPECT_TRUE(Inside(placed, work)) << off.x << "," << off.y;
        EXPECT_LE(placed.width, off.width);
    }
}

TEST(PlaceOnScreenTest, CentringShrinksAWindowLargerThanTheArea)
{
    const WindowRect r = CentredIn(WindowRect{0, 0, 500, 100}, RECT{100, 100, 400, 400});
    EXPECT_EQ(r, (WindowRect{100, 200, 300, 100}));
}

TEST(PlaceOnScreenTest, ADialogGoesBesideItsOwnerWhereThereIsRoom)
{
    struct Case {
        const char* name;
        WindowRect owner;
        RECT area;
        int x, y;
    };
    const RECT screen{0, 0, 1000, 800};
    for (const Case& c : {Case{"right", {100, 100, 300, 250}, screen, 400, 100},
             Case{"left", {650, 100, 300, 250}, screen, 350, 100},
             Case{"no side: centred over it", {50, 100, 900, 250}, screen, 350, 88},
             Case{"kept above the bottom", {100, 700, 300, 250}, screen, 400, 525},
             Case{"owner half off the screen", {-200, -100, 300, 250}, screen, 100, 0},
             Case{"screen too small: its corner", {0, 0, 100, 100}, RECT{0, 0, 200, 200}, 0, 0}}) {
        const WindowRect placed = BesideOwner(WindowRect{0, 0, 300, 275}, c.owner, c.area);
        EXPECT_EQ(placed, (WindowRect{c.x, c.y, 300, 275})) << c.name << ": " << placed.x << "," << placed.y;
    }
}

TEST_F(RememberedRunTest, TheLastRoomFillsTheFieldAndTheOpacityIsTaken)
{
    SettingsDocument read;
    read.values.room = 4321;
    read.values.opacity = 90;
    ApplyRemembered(*frame, state, read);
    EXPECT_EQ(CDuiString(frame->m_editNum->GetText()), CDuiString(u"4321"));
    EXPECT_EQ(frame->m_opacity, 90);
    EXPECT_TRUE(MessageBoxLog::boxes.empty());
}

TEST_F(RememberedRunTest, BadValuesAreToldInOneMessageBoxAndTheDefaultsUsed)
{
    Json::Value root;
    ASSERT_TRUE(ParseJson(R"({"opacity": 999, "font_size": "big", "room": 5})", root));
    ApplyRemembered(*frame, state, ReadSettings(root));
    ASSERT_EQ(MessageBoxLog::boxes.size(), 1u);
    const std::u16string& text = MessageBoxLog::boxes[0].text;
    EXPECT_NE(text.find(u"\"opacity\": 999"), std::u16string::npos);
    EXPECT_NE(text.find(u"\"font_size\": \"big\""), std::u16string::npos);
    EXPECT_EQ(frame->m_opacity, 150);
    EXPECT_EQ(state.fontSize, 11);
    EXPECT_EQ(CDuiString(frame->m_editNum->GetText()), CDuiString(u"5"));
}

TEST_F(RememberedRunTest, TheDanmakuWindowOpensWhereItWasLeftAndIsReadBack)
{
    const RECT work = PrimaryWorkArea();
    const WindowRect left{static_cast<int>(work.left) + 30, static_cast<int>(work.top) + 40, 360, 280};
    SettingsDocument read;
    read.values.danmu = left;
    read.values.fontSize = 14;
    ApplyRemembered(*frame, state, read);
    frame->OpenRoom(77);
    ASSERT_NE(state.danmu, nullptr);
    const simulate::WindowState s = simulate::StateOf(state.danmu->GetHWND());
    EXPECT_EQ(WindowRect(left), (WindowRect{s.x, s.y, s.width, s.height}));
    EXPECT_EQ(state.danmu->GetPaintManager().GetDefaultFontSize(), 14);

    frame->m_opacity = 66;
    const RememberedSettings now = CurrentRemembered(*frame, state, read.values);
    EXPECT_EQ(now.room, 77);
    EXPECT_EQ(now.opacity, 66);
    EXPECT_EQ(now.fontSize, 14);
    EXPECT_EQ(now.danmu, left);
}

TEST_F(RememberedRunTest, AWindowLeftOffEveryScreenOpensOnThePrimaryScreen)
{
    state.danmuRect = WindowRect{20000, 20000, 300, 250};
    frame->OpenRoom(1);
    const simulate::WindowState s = simulate::StateOf(state.danmu->GetHWND());
    EXPECT_TRUE(Inside(WindowRect{s.x, s.y, s.width, s.height}, PrimaryWorkArea()));
}

TEST_F(RememberedRunTest, WithoutARoomOnlyTheOpacityCanHaveChanged)
{
    SettingsDocument read;
    read.values.room = 9;
    read.values.danmu = WindowRect{1, 2, 300, 250};
    frame->m_opacity = 10;
    const RememberedSettings now = CurrentRemembered(*frame, state, read.values);
    EXPECT_EQ(now.room, 9);
    EXPECT_EQ(now.danmu, read.values.danmu);
    EXPECT_EQ(now.opacity, 10);
}

// The whole run with a room from the command line: no start window shows,
// and what the run leaves is saved on the way out.
TEST(RoomStartTest, ARoomGivenAtTheStartSkipsTheStartWindowAndIsSavedAtTheEnd)
{
    UseProgramSkin();
    TempFolder temp;
    ProgramStart start;
    start.room = 2468;
    start.feed.liveHost = start.feed.dmsHost = "127.0.0.1:1";
    start.settingsPath = temp.Path() + "/orvel-helper/settings.json";
    PostMessageW(nullptr, WM_QUIT, 0, 0); // ends the loop as soon as it runs
    EXPECT_EQ(wWinMain(GetModuleHandleW(nullptr), start), 0);
    ASSERT_NE(g_pMainFrame, nullptr);
    EXPECT_EQ(g_pMainFrame->GetHWND(), nullptr) << "the start window closed unseen";
    const HWND danmu = FindWindowTitled(u"Orvel直播弹幕助手");
    ASSERT_NE(danmu, nullptr);
    EXPECT_TRUE(simulate::StateOf(danmu).visible);
    std::string log;
    const SettingsDocument saved = LoadSettings(start.settingsPath, log);
    EXPECT_EQ(saved.values.room, 2468);
    ASSERT_TRUE(saved.values.danmu.has_value());
    EXPECT_EQ(saved.values.danmu->width, 300);
    delete g_pMainFrame; // the program keeps it to the end; the tests that follow make their own
}
