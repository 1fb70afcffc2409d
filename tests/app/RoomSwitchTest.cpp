// Changing rooms from the tray menu: the start window again, over the
// danmaku window, and the new room polled in the same window.

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <thread>

#include "tests/app/AppFixtures.h"
#include "tests/http/ScriptedServer.h"
#include "tools/DemoServices.h"

using namespace DuiLib;

namespace {

using RoomSwitchTest = DanmuTest;

void Enter(HWND prompt, LPCTSTR room)
{
    CControlUI* field = simulate::FindControl(prompt, u"edit_num");
    field->SetText(u"");
    simulate::Type(field, room);
    simulate::PressEnter(field);
}

// 切换房间… opens the start window modal over the danmaku window with the
// current room filled in; another room clears the rows and is polled, the
// same room or the close button go back unchanged.
TEST_F(RoomSwitchTest, AnotherRoomClearsTheRowsTheSameRoomOrClosingKeepsThem)
{
    const struct {
        const char* name;
        std::function<void(HWND)> act;
        int room;
    } cases[] = {{"same room", [](HWND p) { Enter(p, u"1000"); }, 1000},
                 {"close button", [](HWND p) { simulate::Click(simulate::FindControl(p, u"btn_close")); }, 1000},
                 {"another room", [](HWND p) { Enter(p, u"2024"); }, 2024}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Show({Item(u"a:", u"旧房间", 3), Item(u"b:", u"🎉", 4)}, 77);
        simulate::WindowState seen;
        std::u16string shownRoom;
        danmu->step = [&] {
            const HWND prompt = FindWindowTitled(u"OrvelHelper");
            ASSERT_NE(prompt, nullptr);
            seen = simulate::StateOf(prompt);
            shownRoom = simulate::FindControl(prompt, u"edit_num")->GetText().Str();
            c.act(prompt);
            simulate::ProcessPending();
            EXPECT_EQ(FindWindowTitled(u"OrvelHelper"), nullptr) << "it closes";
            danmu->PostMessageW(WM_TRAY_COMMAND, TRAY_CMD_EXIT, 0);
        };
        danmu->PostMessageW(WM_TRAY_COMMAND, TRAY_CMD_ROOM, 0);
        danmu->PostMessageW(QuietDanmu::WM_TEST_STEP); // runs inside the modal loop
        EXPECT_TRUE(LoopEnds());
        EXPECT_TRUE(seen.visible && seen.modal);
        EXPECT_EQ(seen.owner, hwnd);
        EXPECT_EQ(shownRoom, u"1000");
        EXPECT_EQ(frame->m_roomId, c.room) << "remembered at the end of the run";
        const std::u16string title = c.room == 1000 ? u"Orvel直播-1000" : u"Orvel直播-2024";
        EXPECT_EQ(danmu->m_room->GetText(), title.c_str());
        EXPECT_EQ(simulate::TrayTips().back(), title.c_str());
        EXPECT_EQ(danmu->RowCount(), c.room == 1000 ? 2 : 0);
        EXPECT_TRUE(danmu->Polling());
    }
}

// The poller asks the demo services; the room is in every request's target
// (the services refuse a key they do not know, but record it).
class RoomPollTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        services.KeepRecord();
        ASSERT_TRUE(services.Start());
        state.feed = FeedSettings{"127.0.0.1:" + std::to_string(services.LivePort()),
                                     "127.0.0.1:" + std::to_string(services.DmsPort()), 10};
    }
    // Handles the window's messages until a request for the room was
    // answered; false if none came within a bound far beyond need.
    bool WaitForRequestFor(int room, std::size_t from)
    {
        for (int i = 0; i < 3000; ++i) {
            const std::vector<SeenRequest> seen = services.Requests();
            for (std::size_t k = from; k < seen.size(); ++k)
                if (seen[k].target.find("live_id=" + std::to_string(room)) != std::string::npos)
                    return true;
            simulate::ProcessPending();
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return false;
    }
    CDemoServices services{DemoOptions{}};
};

// With the access key the user configured.
TEST_F(RoomPollTest, AfterTheSwitchOnlyTheNewRoomIsAskedFor)
{
    state.feed.dmsKey = "s_configured";
    CWndDanmu& danmu = OpenPolling();
    ASSERT_TRUE(WaitForRequestFor(1000, 0));
    danmu.SwitchRoom(31337);
    const std::size_t switched = services.Requests().size();
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
    EXPECT_EQ(seen.back().authorization, "dms s_configured");
}

TEST_F(RoomPollTest, ASwitchDoesNotWaitForTheOldRoomsRequest)
{
    // A server that takes the connection and never answers: waiting for the
    // request to it would take its whole budget (minutes), and the test
    // would hit its time limit instead of going on.
    CScriptedServer silent({{Stall()}});
    state.feed.liveHost = "127.0.0.1:" + std::to_string(silent.Port());
    CWndDanmu& danmu = OpenPolling();
    while (silent.Connections() == 0) // the first request is under way
        std::this_thread::yield();
    danmu.SwitchRoom(31337);
    EXPECT_EQ(danmu.m_room->GetText(), u"Orvel直播-31337");
    EXPECT_TRUE(danmu.Polling());
    EXPECT_EQ(danmu.Items().Snapshot().size(), 0u);
}

} // namespace
