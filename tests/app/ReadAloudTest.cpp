// 朗读弹幕 with a fake speaker, and the gift sound's limit with a fake clock.

#include <gtest/gtest.h>

#include "app/speech/GiftSound.h"
#include "app/speech/ReadAloud.h"

using namespace DuiLib;

namespace {

DanmuItem Row(std::u16string nick, std::u16string msg, bool gift = false)
{
    return DanmuItem{std::move(nick), std::move(msg), 1, gift};
}

// Records what it is told to say; the test says when a text is done.
struct FakeSpeaker : CTextSpeaker {
    std::vector<std::pair<unsigned, std::u16string>>* said;
    int* stops;
    void Say(unsigned id, const std::u16string& text, double rate, double volume) override
    {
        said->push_back({id, text});
        lastVoice = {rate, volume};
    }
    void Stop() override { ++*stops; }
    SpeechStatus Status() const override { return {SpeechState::Unavailable, u"没有引擎"}; }
    inline static std::pair<double, double> lastVoice;
};

class ReadAloudTest : public ::testing::Test {
protected:
    DanmuOptions options;
    SpeakerEvents events;
    std::vector<std::pair<unsigned, std::u16string>> said;
    int stops = 0;
    CReadAloud reader{options, [this](SpeakerEvents e) {
                          events = e;
                          auto fake = std::make_unique<FakeSpeaker>();
                          fake->said = &said;
                          fake->stops = &stops;
                          return fake;
                      }};

    void Turn(ReadAloud mode)
    {
        options.readAloud = mode;
        reader.OptionsChanged();
    }
    // Lets the speaker finish each text in turn; returns every text said.
    std::vector<std::u16string> FinishAll()
    {
        for (std::size_t i = 0; i < said.size(); ++i)
            events.spoken(said[i].first);
        std::vector<std::u16string> texts;
        for (const auto& entry : said)
            texts.push_back(entry.second);
        return texts;
    }
};

TEST(SpokenTextTest, NickAndMessageOrGiftCutAtAHundredCharacters)
{
    const std::u16string emoji = u"🎉"; // two UTF-16 units, one character
    const struct {
        DanmuItem item;
        std::u16string text;
    } cases[] = {
        {Row(u"小明:", u"你好"), u"小明说你好"},
        {Row(u"小明:", u"送出了[火箭]", true), u"小明送出了火箭"},
        {Row(u"小明:", u"送出了[火箭]"), u"小明说送出了[火箭]"}, // a chat that reads like a gift
        {Row(u"a", u"b"), u"a说b"},
        {Row(u"n:", std::u16string(97, u'x') + emoji + u"yz"), u"n说" + std::u16string(97, u'x') + emoji},
        {Row(u"n:", std::u16string(96, u'x') + emoji + emoji), u"n说" + std::u16string(96, u'x') + emoji + emoji},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SpokenText(c.item), c.text);
}

// Off by default: no engine is even loaded. On, the first row is said at
// once and the rest wait, five at most, the oldest dropped.
TEST_F(ReadAloudTest, RowsAreReadInOrderWithAtMostFiveWaiting)
{
    reader.RowsArrived(1, {Row(u"a:", u"0")}, false);
    EXPECT_EQ(reader.StatusText(), u"朗读弹幕：关");
    Turn(ReadAloud::All);
    EXPECT_EQ(reader.StatusText(), u"朗读弹幕 不可用：没有引擎");
    std::vector<DanmuItem> rows;
    for (char16_t c = u'1'; c <= u'8'; ++c)
        rows.push_back(Row(u"a:", std::u16string(1, c)));
    reader.RowsArrived(1, {Row(u"a:", u"0")}, true); // history
    reader.RowsArrived(1, rows, false);
    ASSERT_EQ(said.size(), 1u);
    EXPECT_EQ(FinishAll(), (std::vector<std::u16string>{u"a说1", u"a说4", u"a说5", u"a说6", u"a说7", u"a说8"}));
}

TEST_F(ReadAloudTest, EachModeReadsItsRowsOnly)
{
    const std::vector<DanmuItem> rows = {Row(u"a:", u"hi"), Row(u"b:", u""), Row(u"c:", u"送出了[花]", true),
        Row(u"d:", u"主播好")};
    reader.highlighted = [](const DanmuItem& item) { return item.nick == u"d:" || item.nick == u"b:"; };
    const struct {
        ReadAloud mode;
        std::vector<std::u16string> texts;
    } cases[] = {
        {ReadAloud::All, {u"a说hi", u"c送出了花", u"d说主播好"}},
        {ReadAloud::Gifts, {u"c送出了花"}},
        {ReadAloud::Highlighted, {u"d说主播好"}},
        {ReadAloud::Off, {}},
    };
    for (const auto& c : cases) {
        said.clear();
        Turn(c.mode);
        reader.RowsArrived(1, rows, false);
        EXPECT_EQ(FinishAll(), c.texts) << static_cast<int>(c.mode);
    }
}

// A room switch stops the text being said and drops those waiting; the
// stopped text's late report does not start another.
TEST_F(ReadAloudTest, ARoomSwitchSilencesTheOldRoom)
{
    options.speechRate = 5;
    options.speechVolume = 40;
    Turn(ReadAloud::All);
    reader.RowsArrived(1, {Row(u"a:", u"1"), Row(u"a:", u"2")}, false);
    EXPECT_EQ(FakeSpeaker::lastVoice, std::make_pair(0.5, 0.4));
    reader.RoomChanged(2);
    EXPECT_EQ(stops, 1);
    events.spoken(said[0].first);
    EXPECT_EQ(said.size(), 1u);
    reader.RowsArrived(2, {Row(u"b:", u"3")}, false);
    EXPECT_EQ(FinishAll(), (std::vector<std::u16string>{u"a说1", u"b说3"}));
}

// At most one sound a second, only for gifts that are news.
TEST(GiftSoundTest, PlaysForNewGiftsAtMostOnceASecond)
{
    DanmuOptions options;
    options.giftSound = true;
    std::chrono::steady_clock::time_point now{};
    int played = 0;
    CGiftSound sound(options, [&played] { ++played; }, [&now] { return now; });
    const std::vector<DanmuItem> gift = {Row(u"a:", u"hi"), Row(u"b:", u"送出了[花]", true)};
    const struct {
        int atMs;
        std::vector<DanmuItem> rows;
        bool backlog;
        int played;
    } steps[] = {
        {0, gift, true, 0}, {0, {Row(u"a:", u"hi")}, false, 0}, {0, gift, false, 1}, {999, gift, false, 1},
        {1000, gift, false, 2}, {1500, gift, false, 2}, {2000, gift, false, 3},
    };
    for (const auto& step : steps) {
        now = std::chrono::steady_clock::time_point{} + std::chrono::milliseconds(step.atMs);
        sound.RowsArrived(1, step.rows, step.backlog);
        EXPECT_EQ(played, step.played) << step.atMs;
    }
    options.giftSound = false;
    now += std::chrono::seconds(5);
    sound.RowsArrived(1, gift, false);
    EXPECT_EQ(played, 3);
}

} // namespace
