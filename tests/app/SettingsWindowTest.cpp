// The settings window: its pages, and the opacity, font size, display and
// filter options of the danmaku window, applied at once.

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <sys/socket.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "app/OverlaySink.h"
#include "feed/ToWide.h"

#include "tests/app/AppFixtures.h"

using namespace DuiLib;

namespace {

// The danmaku window open with chats, an enter notice and a gift.
class SettingsWindowTest : public DanmuTest {
protected:
    void SetUp() override
    {
        DanmuTest::SetUp();
        DanmuItem gift = Item(u"g:", u"送出了[火箭]", 3);
        gift.gift = true;
        Show({Item(u"Spam:", u"hi", 1), Item(u"n:", u"", 2), gift, Item(u"b:", u"快来加群 QQ", 4), Item(u"c:", u"🎉", 5)});
    }
    HWND Open() { return OpenSettings(*danmu).GetHWND(); }
    static std::string Ascii(const char16_t* name) { return std::string(name, name + std::u16string(name).size()); }
    // Types each line into the field, Enter after each.
    static void TypeLines(CControlUI* field, std::initializer_list<const char16_t*> lines)
    {
        for (const char16_t* line : lines) {
            simulate::Type(field, line);
            simulate::PressEnter(field);
        }
    }
};

// Steps of 10 s from 0 (rows stay) to 600; a time from the file that is no
// step shows as its own.
TEST_F(SettingsWindowTest, TheFadeSliderSetsTheFadeTimeInStepsAndNamesIt)
{
    const struct {
        int seconds, step;
        const char16_t *shown, *shownAfterStep;
        int secondsAfterStep;
    } cases[] = {{0, 0, u"不淡出", u"10 秒", 10}, {45, 4, u"45 秒", u"50 秒", 50}};
    for (const auto& c : cases) {
        Options().fadeSeconds = c.seconds;
        const HWND h = Open();
        auto* slider = dynamic_cast<CProgressUI*>(simulate::FindControl(h, u"slider_fade"));
        CControlUI* text = simulate::FindControl(h, u"text_fade");
        ASSERT_TRUE(slider && text);
        EXPECT_EQ(slider->GetValue(), c.step);
        EXPECT_EQ(text->GetText(), c.shown);
        simulate::StepUp(slider);
        EXPECT_EQ(Options().fadeSeconds, c.secondsAfterStep);
        EXPECT_EQ(text->GetText(), c.shownAfterStep);
    }
}

TEST_F(SettingsWindowTest, FontOptionsRebuildTheRowsInTheirSize)
{
    const HWND h = Open();
    for (const auto& option : {std::make_pair(u"option_big", 14), std::make_pair(u"option_middle", 12),
                               std::make_pair(u"option_small", 11)}) {
        simulate::Click(simulate::FindControl(h, option.first));
        simulate::ProcessPending(); // the rebuild the window posted
        EXPECT_EQ(danmu->RowCount(), 5);
        EXPECT_EQ(simulate::FontPixelSize(Cell(0, u"msg")), option.second) << Ascii(option.first);
    }
}

// The tray command runs it modal over the danmaku window; the test's steps
// run inside that modal loop.
TEST_F(SettingsWindowTest, IsModalWhenShownAndASecondOpeningBringsTheSameWindowForward)
{
    simulate::WindowState seen;
    int settingsWindows = 0, steps = 0;
    danmu->step = [&] {
        const HWND h = FindWindowTitled(u"设置");
        if (++steps == 1) {
            seen = simulate::StateOf(h);
            danmu->PostMessageW(WM_TRAY_COMMAND, TRAY_CMD_SETTINGS, 0); // 设置… again
            danmu->PostMessageW(QuietDanmu::WM_TEST_STEP);
            return;
        }
        for (HWND w : simulate::Windows())
            settingsWindows += simulate::StateOf(w).title == u"设置";
        SendMessageW(hwnd, WM_TIMER, 1, 0); // a topmost tick while it is open
        EXPECT_TRUE(simulate::StateOf(h).visible);
        simulate::StepUp(simulate::FindControl(h, u"pro_trans"));
        simulate::Click(simulate::FindControl(h, u"btn_enter"));
    };
    danmu->PostMessageW(WM_TRAY_COMMAND, TRAY_CMD_SETTINGS, 0);
    danmu->PostMessageW(QuietDanmu::WM_TEST_STEP);
    danmu->PostMessageW(WM_TRAY_COMMAND, TRAY_CMD_EXIT, 0);
    EXPECT_TRUE(LoopEnds());
    EXPECT_EQ(steps, 2);
    EXPECT_TRUE(seen.visible && seen.modal);
    EXPECT_EQ(seen.owner, hwnd);
    EXPECT_EQ(settingsWindows, 1);
    EXPECT_EQ(g_pMainFrame->m_opacity, 151);
    EXPECT_EQ(FindWindowTitled(u"设置"), nullptr) << "the enter button closed it";
}

TEST_F(SettingsWindowTest, EachCheckBoxShowsItsOptionAndTurnsItOnAndOffAtOnce)
{
    const struct {
        const char16_t* name;
        bool DanmuOptions::*option;
        int rowsWhenOn;
    } cases[] = {{u"check_background_only", &DanmuOptions::backgroundOnly, 5}, {u"check_wrap", &DanmuOptions::wrap, 5},
                 {u"check_hide_notices", &DanmuOptions::hideNotices, 4}, {u"check_hide_gifts", &DanmuOptions::hideGifts, 4},
                 {u"check_chat_log", &DanmuOptions::chatLog, 5}};
    for (const auto& c : cases) {
        for (bool start : {false, true}) {
            SCOPED_TRACE(Ascii(c.name) + (start ? " on" : " off"));
            Options() = DanmuOptions{};
            Options().*c.option = start;
            danmu->OptionsChanged();
            auto* box = dynamic_cast<COptionUI*>(simulate::FindControl(Open(), c.name));
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->IsSelected(), start);
            EXPECT_EQ(danmu->RowCount(), start ? c.rowsWhenOn : 5) << "showing the box changes nothing";
            for (bool on : {!start, start}) {
                simulate::Click(box);
                EXPECT_EQ(box->IsSelected(), on);
                EXPECT_EQ(Options().*c.option, on);
                EXPECT_EQ(danmu->RowCount(), on ? c.rowsWhenOn : 5);
            }
        }
    }
}

// Typed lines, kept as typed but trimmed, apply when the window closes;
// the highlight words are cleaned as the block lists are.
TEST_F(SettingsWindowTest, BlockListsShowTheRememberedOnesAndApplyWhenTheWindowCloses)
{
    Options().blockedWords = {"http", "弹幕"};
    CWndSetting& setting = OpenSettings(*danmu);
    CControlUI* nicks = simulate::FindControl(setting.GetHWND(), u"edit_blocked_nicks");
    CControlUI* words = simulate::FindControl(setting.GetHWND(), u"edit_blocked_words");
    EXPECT_EQ(nicks->GetText(), u"");
    EXPECT_EQ(words->GetText(), u"http\n弹幕\n");
    words->SetText(u"");
    TypeLines(nicks, {u"  sPAM ", u"", u"<b>x</b>", u"مرحبا", u"🐟\u200D鱼"});
    TypeLines(words, {u"qq", u"🎉"});
    TypeLines(simulate::FindControl(setting.GetHWND(), u"edit_highlight_words"), {u" 主播　", u"", u"mod"});
    EXPECT_EQ(danmu->RowCount(), 5) << "not while typing";
    simulate::Click(simulate::FindControl(setting.GetHWND(), u"btn_enter"));
    simulate::ProcessPending();
    EXPECT_EQ(setting.GetHWND(), nullptr);
    EXPECT_EQ(Options().blockedNicks,
              (std::vector<std::string>{"sPAM", "<b>x</b>", "مرحبا", "\xF0\x9F\x90\x9F\xE2\x80\x8D鱼"}));
    EXPECT_EQ(Options().blockedWords, (std::vector<std::string>{"qq", "\xF0\x9F\x8E\x89"}));
    EXPECT_EQ(Options().highlightWords, (std::vector<std::string>{"主播", "mod"}));
    ASSERT_EQ(danmu->RowCount(), 2);
    EXPECT_EQ(Text(0, u"nick"), u"n:");
    EXPECT_EQ(Text(1, u"nick"), u"g:");
    EXPECT_EQ(simulate::FindControl(Open(), u"edit_blocked_nicks")->GetText(), u"sPAM\n<b>x</b>\nمرحبا\n🐟\u200D鱼\n");
}

TEST_F(SettingsWindowTest, ABlockListAppliesWhenItsFieldLosesTheFocus)
{
    CWndSetting& setting = OpenSettings(*danmu);
    const HWND h = setting.GetHWND();
    setting.ShowWindow(true, true);
    simulate::ProcessPending();
    CControlUI* nicks = simulate::FindControl(h, u"edit_blocked_nicks");
    simulate::Focus(nicks);
    TypeLines(nicks, {u"spam", u" B "});
    simulate::Focus(simulate::FindControl(h, u"edit_blocked_words"));
    simulate::ProcessPending();
    EXPECT_EQ(Options().blockedNicks, (std::vector<std::string>{"spam", "B"}));
    EXPECT_EQ(nicks->GetText(), u"spam\nB\n") << "the field shows the list kept";
    EXPECT_EQ(danmu->RowCount(), 3);
}

// Each page button shows its page alone: every control of it on screen, one
// row below the other, between the page buttons and 确定 (which sits where
// the real-window scripts click it, 16 pixels above the bottom edge).
TEST_F(SettingsWindowTest, EachPageShowsItsRowsInsideTheWindowAndHidesTheOthers)
{
    const struct {
        const char16_t* tab;
        std::vector<const char16_t*> rows; // one control of each row, top to bottom
    } pages[] = {
        {u"tab_danmu", {u"pro_trans", u"option_big", u"check_wrap", u"check_hide_gifts", u"edit_blocked_words",
                        u"check_chat_log", u"slider_fade"}},
        {u"tab_alerts", {u"option_read_highlighted", u"pro_speech_volume", u"check_gift_sound", u"speech_status",
                         u"edit_highlight_words", u"shortcut_status", u"shortcut_status_show_hide",
                         u"shortcut_status_clear"}},
        {u"tab_live", {u"edit_overlay_port", u"overlay_url", u"btn_overlay_reset"}},
    };
    CWndSetting& setting = OpenSettings(*danmu);
    setting.ShowWindow(true, true);
    simulate::ProcessPending();
    const HWND h = setting.GetHWND();
    const simulate::WindowState window = simulate::StateOf(h);
    EXPECT_LE(window.height, 340);
    const RECT enter = simulate::ControlRect(simulate::FindControl(h, u"btn_enter"));
    EXPECT_EQ((enter.top + enter.bottom) / 2, window.height - 16);
    for (std::size_t shown = 0; shown < std::size(pages); ++shown) {
        if (shown > 0) // the first page is the one shown at first
            simulate::Click(simulate::FindControl(h, pages[shown].tab));
        simulate::ProcessPending();
        long above = simulate::ControlRect(simulate::FindControl(h, pages[0].tab)).bottom;
        for (std::size_t page = 0; page < std::size(pages); ++page) {
            for (const char16_t* name : pages[page].rows) {
                SCOPED_TRACE(Ascii(pages[shown].tab) + " shown, " + Ascii(name));
                CControlUI* control = simulate::FindControl(h, name);
                ASSERT_NE(control, nullptr);
                EXPECT_EQ(control->IsVisible(), page == shown);
                if (page != shown)
                    continue;
                const RECT r = simulate::ControlRect(control);
                EXPECT_GE(r.top, above);
                EXPECT_GT(r.bottom, r.top);
                EXPECT_LE(r.bottom, enter.top);
                EXPECT_TRUE(r.left >= 0 && r.right <= window.width);
                above = r.bottom;
            }
        }
    }
}

} // namespace

namespace {

// A loopback socket on a port the kernel picked; listening when asked, so
// that the port is taken.
struct PickedPort {
    int fd = socket(AF_INET, SOCK_STREAM, 0);
    int port = 0;
    explicit PickedPort(bool listening)
    {
        sockaddr_in where{};
        where.sin_family = AF_INET;
        where.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof where;
        EXPECT_EQ(bind(fd, reinterpret_cast<sockaddr*>(&where), size), 0);
        EXPECT_EQ(getsockname(fd, reinterpret_cast<sockaddr*>(&where), &size), 0);
        port = ntohs(where.sin_port);
        EXPECT_EQ(listening ? listen(fd, 1) : close(fd), 0);
    }
    ~PickedPort() { close(fd); }
};

} // namespace

// The overlay group: the server starts as its box is ticked, a taken port is
// told and the run goes on, a port typed moves it, 重置链接 gives another
// address, and the box off stops it; each at once.
TEST_F(SettingsWindowTest, OverlayGroupStartsMovesResetsAndStopsTheServerAtOnce)
{
    COverlaySink sink(state, ORVEL_TEST_PAGE);
    ASSERT_TRUE(EnsureOverlayToken(state.overlay));
    const PickedPort taken(true);
    state.overlay.port = taken.port;
    const HWND h = Open();
    CControlUI* box = simulate::FindControl(h, u"check_overlay");
    CControlUI* url = simulate::FindControl(h, u"overlay_url");
    simulate::Click(box);
    EXPECT_TRUE(state.overlay.enabled);
    EXPECT_EQ(ToUtf8(simulate::FindControl(h, u"overlay_status")->GetText().Str()).rfind("端口已被占用", 0), 0u);
    EXPECT_EQ(url->GetText(), u"（未启动）");
    const PickedPort free(false);
    CControlUI* port = simulate::FindControl(h, u"edit_overlay_port");
    for (const std::u16string& typed : {std::u16string(u"65536"), std::u16string(u"x"), ToWide(std::to_string(free.port))}) {
        port->SetText(u""); // as if selected and typed over
        simulate::Type(port, typed.c_str());
        simulate::PressEnter(port);
    }
    EXPECT_EQ(state.overlay.port, free.port);
    EXPECT_EQ(ToUtf8(url->GetText().Str()), sink.Url());
    EXPECT_NE(sink.Url().find(":" + std::to_string(free.port) + "/overlay/" + state.overlay.token + "/"), std::string::npos);
    const std::string before = sink.Url();
    simulate::Click(simulate::FindControl(h, u"btn_overlay_reset"));
    EXPECT_NE(sink.Url(), before);
    EXPECT_EQ(ToUtf8(url->GetText().Str()), sink.Url());
    simulate::Click(box);
    EXPECT_EQ(sink.Url(), "");
    EXPECT_EQ(url->GetText(), u"（未启动）");
}
