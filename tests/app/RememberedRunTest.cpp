// The remembered settings in the windows: filled in at the start, saved
// while the program runs and at its end, and a place that lies off every
// screen moved back.

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>

#include "app/config/RememberedRun.h"
#include "app/config/SettingsStore.h"
#include "app/WinMain.h"
#include "app/windows/WindowPlacement.h"
#include "feed/JsonParse.h"
#include "tests/app/AppFixtures.h"
#include "tests/common/TempFolder.h"
#include "ui/RunGuard.h"

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

class RememberedRunTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        state.feed.liveHost = state.feed.dmsHost = "127.0.0.1:1"; // nothing listens there
        ASSERT_NE(frame->CreateOver(nullptr), nullptr);
    }
};

} // namespace

// Kept while a grip of its title bar (50 by 20) lies on a screen; else
// centred on the primary screen.
TEST(PlaceOnScreenTest, APlaceIsKeptOnlyWhileItsTitleBarCanBeGrabbed)
{
    const RECT work = PrimaryWorkArea();
    const int left = work.left, top = work.top, right = work.right, bottom = work.bottom;
    const struct {
        WindowRect place;
        bool kept;
    } cases[] = {{{left + 10, top + 10, 300, 250}, true}, {{right - 100, top + 10, 300, 250}, true},
        {{right - kGripWidth, top, 300, 250}, true}, {{right - kGripWidth + 1, top, 300, 250}, false},
        {{right - 1, top, 300, 250}, false}, {{left - 299, top, 300, 250}, false},
        {{left, bottom - kGripHeight, 300, 250}, true}, {{left, bottom - kGripHeight + 1, 300, 250}, false},
        {{left, top - 1, 300, 250}, false}, {{9000, 9000, 300, 250}, false}, {{-5000, 20, 300, 250}, false},
        {{-100000, -100000, 16384, 16384}, false}};
    for (const auto& c : cases) {
        const WindowRect placed = PlaceOnScreen(c.place);
        EXPECT_EQ(placed == c.place, c.kept) << c.place.x << "," << c.place.y;
        EXPECT_TRUE(c.kept || Inside(placed, work)) << c.place.x << "," << c.place.y;
    }
}

// Bad values are told in one message box, the key shown only in part; the
// good ones are taken, and the danmaku window opens where it was left.
TEST_F(RememberedRunTest, TheRememberedValuesAreTakenAndTheBadOnesTold)
{
    const RECT work = PrimaryWorkArea();
    const WindowRect left{static_cast<int>(work.left) + 30, static_cast<int>(work.top) + 40, 360, 280};
    Json::Value root;
    ASSERT_TRUE(ParseJson(R"({"opacity": 90, "font_size": 14, "room": 5, "dms_key": "s_12 34", "danmaku_window": {"x": )"
            + std::to_string(left.x) + ", \"y\": " + std::to_string(left.y) + R"(, "width": 360, "height": 280}})",
        root));
    const SettingsDocument read = ReadSettings(root);
    ApplyRemembered(*frame, state, read);
    ASSERT_EQ(MessageBoxLog::boxes.size(), 1u);
    EXPECT_NE(MessageBoxLog::boxes[0].text.find(u"\"dms_key\": \"s_12\"... holds"), std::u16string::npos);
    EXPECT_EQ(CDuiString(frame->m_editNum->GetText()), CDuiString(u"5"));
    frame->OpenRoom(77);
    ASSERT_NE(state.danmu, nullptr);
    const simulate::WindowState s = simulate::StateOf(state.danmu->GetHWND());
    EXPECT_EQ(WindowRect(left), (WindowRect{s.x, s.y, s.width, s.height}));
    EXPECT_EQ(state.danmu->GetPaintManager().GetDefaultFontSize(), 14);
    frame->m_opacity = 66;
    EXPECT_EQ(CurrentRemembered(*frame, state, read.values), (RememberedSettings{77, 66, 14, left, read.values.options, {}}));
}

// Looked at every two seconds: saved only when something changed, and then
// only what changed, over what another copy saved meanwhile.
TEST_F(RememberedRunTest, TheRunIsSavedWhenItChangesAndOnlyWhatChanged)
{
    TempFolder temp;
    const std::string path = temp.Path() + "/settings.json";
    const SettingsDocument read{RememberedSettings{9, 150, 11, WindowRect{1, 2, 300, 250}, {}, {}}, {}, {}};
    ApplyRemembered(*frame, state, read);
    CRunSaver saver(*frame, state, path, read.values);
    saver.SaveIfChanged();
    EXPECT_FALSE(std::filesystem::exists(path)) << "nothing changed";
    frame->m_opacity = 70; // without a room, only what the start window holds can change
    saver.SaveIfChanged();
    EXPECT_EQ(ReadWhole(path), "{\n  \"opacity\" : 70\n}\n") << "only what changed";
    WriteWhole(path, R"({"font_size": 12})"); // another copy
    state.options.hideGifts = true;
    saver.SaveIfChanged();
    EXPECT_EQ(ReadWhole(path), "{\n  \"font_size\" : 12,\n  \"hide_gifts\" : true\n}\n");
}

// While the program runs: the guard's timer saves, and SIGTERM ends the
// message loop (so that the run is saved on its way out) instead of the
// process.
TEST(RunGuardTest, TheTimerSavesAndSigtermEndsTheLoop)
{
    int saves = 0;
    const CRunGuard guard(1, [&saves] {
        if (++saves == 1)
            PostMessageW(nullptr, WM_QUIT, 0, 0);
    });
    CPaintManagerUI::MessageLoop(); // ended by the first save
    EXPECT_GE(saves, 1);
    ASSERT_EQ(raise(SIGTERM), 0);
    CPaintManagerUI::MessageLoop();
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
