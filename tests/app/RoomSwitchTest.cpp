// Changing rooms from the tray menu: the start window again, over the
// danmaku window, and the new room polled in the same window.

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "app/MainFrame.h"
#include "tests/app/AppTestSupport.h"
#include "tests/app/OpenDanmuTest.h"
#include "tests/common/Watchdog.h"
#include "tests/http/ScriptedServer.h"
#include "tools/DemoServices.h"
#include "ui/testing/Simulate.h"

using namespace DuiLib;

namespace {

class RoomSwitchTest : public OpenDanmuTest {
protected:
    // Chooses 切换房间…, then does `act` in the window it opens; what the
    // window showed when it opened.
    simulate::WindowState Switch(std::function<void(HWND)> act)
    {
        simulate::WindowState seen;
        danmu.step = [&] {
            HWND prompt = FindWindowTitled(u"OrvelHelper");
            ASSERT_NE(prompt, nullptr);
            seen = simulate::StateOf(prompt);
            shownRoom = simulate::FindControl(prompt, u"edit_num")->GetText().Str();
            act(prompt);
            simulate::ProcessPending();
            EXPECT_EQ(FindWindowTitled(u"OrvelHelper"), nullptr) << "it closes";
            danmu.PostMessageW(WM_TRAY_COMMAND, TRAY_CMD_EXIT, 0);
        };
        danmu.PostMessageW(WM_TRAY_COMMAND, TRAY_CMD_ROOM, 0);
        danmu.PostMessageW(QuietDanmu::WM_TEST_STEP); // runs inside the modal loop
        Watchdog dog;
        CPaintManagerUI::MessageLoop();
        EXPECT_FALSE(dog.Fired());
        return seen;
    }
    static void Enter(HWND prompt, LPCTSTR room)
    {
        CControlUI* field = simulate::FindControl(prompt, u"edit_num");
        field->SetText(u"");
        simulate::Type(field, room);
        simulate::PressEnter(field);
    }
    std::u16string shownRoom;
};

TEST_F(RoomSwitchTest, AnotherRoomClearsTheRowsAndNamesTheNewRoom)
{
    danmu.Feed({Item(u"a:", u"旧房间", 3), Item(u"b:", u"🎉", 4)}, 77);
    simulate::ProcessPending();
    ASSERT_EQ(danmu.RowCount(), 2);
    simulate::WindowState seen = Switch([](HWND prompt) { Enter(prompt, u"2024"); });
    EXPECT_TRUE(seen.visible);
    EXPECT_TRUE(seen.modal);
    EXPECT_EQ(seen.owner, hwnd) << "over the danmaku window";
    EXPECT_EQ(shownRoom, u"1000") << "the current room filled in";
    EXPECT_EQ(frame->m_roomId, 2024) << "remembered at the end of the run";
    EXPECT_EQ(danmu.RowCount(), 0);
    EXPECT_EQ(danmu.m_members->GetText(), u"0");
    EXPECT_EQ(danmu.m_room->GetText(), u"Orvel直播-2024");
    EXPECT_EQ(simulate::TrayTips().back(), u"Orvel直播-2024");
    EXPECT_TRUE(danmu.Polling()) << "polling again";
}

TEST_F(RoomSwitchTest, TheSameRoomOrTheCloseButtonGoesBackUnchanged)
{
    const std::function<void(HWND)> acts[] = {
        [](HWND prompt) { Enter(prompt, u"1000"); },
        [](HWND prompt) { simulate::Click(simulate::FindControl(prompt, u"btn_close")); },
    };
    for (const auto& act : acts) {
        danmu.Feed({Item(u"a:", u"留下", 3)}, 5);
        simulate::ProcessPending();
        ASSERT_EQ(danmu.RowCount(), 1);
        Switch(act);
        EXPECT_EQ(danmu.RowCount(), 1);
        EXPECT_EQ(frame->m_roomId, 1000);
        EXPECT_EQ(danmu.m_room->GetText(), u"Orvel直播-1000");
        EXPECT_NE(danmu.GetHWND(), nullptr) << "the close button does not end the program";
    }
}

// The poller asks the demo services; the room is in every request's target.
class RoomPollTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        UseProgramSkin();
        services.KeepRecord();
        ASSERT_TRUE(services.Start());
        frame = new CMainFrame(state);
        state.feed = FeedSettings{"127.0.0.1:" + std::to_string(services.LivePort()),
            "127.0.0.1:" + std::to_string(services.DmsPort()), 10};
    }
    void TearDown() override
    {
        delete danmu;
        delete frame;
    }
    // Handles the window's messages until a request for the room was
    // answered; false if none came within a bound far beyond need.
    bool WaitForRequestFor(int room, std::size_t from)
    {
        const std::string live = "live_id=" + std::to_string(room);
        for (int i = 0; i < 3000; ++i) {
            std::vector<SeenRequest> seen = services.Requests();
            for (std::size_t k = from; k < seen.size(); ++k)
                if (seen[k].target.find(live) != std::string::npos)
                    return true;
            simulate::ProcessPending();
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return false;
    }

    CDemoServices services{DemoOptions{}};
    RunState state;
    CMainFrame* frame = nullptr;
    CWndDanmu* danmu = nullptr;
};

TEST_F(RoomPollTest, AfterTheSwitchOnlyTheNewRoomIsAskedFor)
{
    danmu = new CWndDanmu(state);
    frame->m_roomId = 1000;
    ASSERT_NE(danmu->CreateFrame(), nullptr);
    ASSERT_TRUE(WaitForRequestFor(1000, 0));
    danmu->SwitchRoom(31337);
    const std::size_t switched = services.Requests().size();
    EXPECT_EQ(danmu->m_room->GetText(), u"Orvel直播-31337");
    ASSERT_TRUE(WaitForRequestFor(31337, switched));
    ASSERT_TRUE(WaitForRequestFor(31337, services.Requests().size())); // a second cycle of the new room
    // The old room's worker is not waited for: at most the two requests of
    // the cycle it was in may still end after the switch.
    const std::vector<SeenRequest> seen = services.Requests();
    int late = 0;
    for (std::size_t k = switched; k < seen.size(); ++k)
        late += seen[k].target.find("1000") != std::string::npos;
    EXPECT_LE(late, 2);
    EXPECT_NE(seen.back().target.find("31337"), std::string::npos) << seen.back().target;
}

TEST_F(RoomPollTest, ASwitchDoesNotWaitForTheOldRoomsRequest)
{
    // A server that takes the connection and never answers: the poller's
    // request to it waits out its whole budget.
    CScriptedServer silent({{Stall()}});
    state.feed.liveHost = "127.0.0.1:" + std::to_string(silent.Port());
    danmu = new CWndDanmu(state);
    frame->m_roomId = 1000;
    ASSERT_NE(danmu->CreateFrame(), nullptr);
    while (silent.Connections() == 0) // the first request is under way
        std::this_thread::yield();
    // Waiting for that request would take its whole budget (minutes): the
    // test would hit its time limit instead of going on.
    danmu->SwitchRoom(31337);
    EXPECT_EQ(danmu->m_room->GetText(), u"Orvel直播-31337");
    EXPECT_TRUE(danmu->Polling());
    EXPECT_EQ(danmu->Items().Snapshot().size(), 0u);
}

} // namespace
