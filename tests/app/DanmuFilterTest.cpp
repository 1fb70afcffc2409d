// Which items the danmaku window hides under the filter options, and the
// word matcher behind the block list of words.

#include <gtest/gtest.h>

#include <random>

#include "app/rows/DanmuFilter.h"
#include "app/rows/WordMatcher.h"

namespace {

DanmuItem Chat(std::u16string nick, std::u16string msg, bool gift = false)
{
    DanmuItem item;
    item.nick = std::move(nick);
    item.msg = std::move(msg);
    item.gift = gift;
    return item;
}

DanmuOptions Hide(bool notices, bool gifts, std::vector<std::string> nicks = {}, std::vector<std::string> words = {})
{
    DanmuOptions o;
    o.hideNotices = notices;
    o.hideGifts = gifts;
    o.blockedNicks = std::move(nicks);
    o.blockedWords = std::move(words);
    return o;
}

DanmuOptions Nicks(std::vector<std::string> nicks) { return Hide(false, false, std::move(nicks)); }
DanmuOptions Words(std::vector<std::string> words) { return Hide(false, false, {}, std::move(words)); }

// Highlighted: a highlight word in the message (not the nickname), matched
// as the blocked words are; an item the filters hide never is.
TEST(DanmuHighlightTest, AWordInTheMessageHighlightsUnlessTheItemIsHidden)
{
    DanmuOptions options = Words({"spam"});
    options.highlightWords = {"Orvel", "主播"};
    options.hideGifts = true;
    const CDanmuFilter filter(options);
    EXPECT_TRUE(filter.IsHighlighted(Chat(u"A:", u"hi ORVEL")));
    for (const DanmuItem& item : {Chat(u"主播:", u"hi"), Chat(u"A:", u"主播 spam"), Chat(u"A:", u"送出了[主播]", true)})
        EXPECT_FALSE(filter.IsHighlighted(item)) << item.msg.size();
}

// Notices (no message) and gifts; nicknames whole, without the ":", Latin
// letters in any case; words anywhere in the message, Latin letters in any case.
TEST(DanmuFilterTest, HidesExactlyWhatTheOptionsSay)
{
    const struct {
        DanmuOptions options;
        DanmuItem item;
        bool hidden;
    } cases[] = {
        {Hide(true, false), Chat(u"", u""), true},
        {Hide(true, false), Chat(u"A:", u"hi"), false},
        {Hide(true, false), Chat(u"A:", u"送出了[B]", true), false},
        {Hide(false, true), Chat(u"A:", u"", true), true},
        {Hide(false, true), Chat(u"A:", u"送出了[B]"), false}, // a chat that reads like a gift
        {Hide(false, true), Chat(u"A:", u""), false},
        {Nicks({"sPaM"}), Chat(u"SpAm:", u"hi"), true},
        {Nicks({"Spam"}), Chat(u"Spammer:", u"hi"), false},
        {Nicks({"Spam"}), Chat(u"Spam", u"hi"), true},
        {Nicks({"🐟鱼"}), Chat(u"🐟鱼:", u"hi"), true},
        {Nicks({"ZOË"}), Chat(u"zoë:", u"hi"), true},
        {Nicks({"ＡＢ"}), Chat(u"ａｂ:", u"hi"), true},
        {Nicks({"ab"}), Chat(u"ａｂ:", u"hi"), false}, // full width is not ASCII
        {Nicks({"Σ"}), Chat(u"σ:", u"hi"), false}, // Greek is not folded
        {Nicks({"مرحبا"}), Chat(u"مرحبا:", u"x"), true},
        {Nicks({""}), Chat(u":", u"hi"), false},
        {Nicks({"a:b"}), Chat(u"a:b:", u"hi"), true},
        {Words({"http"}), Chat(u"A:", u"see HTTP://x"), true},
        {Words({"bad"}), Chat(u"bad:", u"good"), false},
        {Words({"加群"}), Chat(u"A:", u"快来加群啊"), true},
        {Words({"🎉"}), Chat(u"A:", u"主播好！🎊"), false}, // the same first half
        {Words({"火箭"}), Chat(u"A:", u"送出了[火箭]", true), true},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(CDanmuFilter(cases[i].options).Hides(cases[i].item), cases[i].hidden) << i;
}

// Only the first entries of a list count; what is shown keeps its order.
TEST(DanmuFilterListTest, ShownKeepsTheOrderAndOnlyTheFirstEntriesCount)
{
    DanmuOptions o = Hide(true, true, std::vector<std::string>(kMaxBlockEntries, "x"),
                          std::vector<std::string>(kMaxBlockEntries, "no"));
    o.blockedNicks.push_back("late");
    o.blockedWords.push_back("late");
    std::u16string order;
    for (const DanmuItem& item : CDanmuFilter(o).Shown({Chat(u"a:", u"1"), Chat(u"b:", u""), Chat(u"c:", u"2"),
             Chat(u"X:", u"3"), Chat(u"d:", u"NO!"), Chat(u"e:", u"gift", true), Chat(u"late:", u"late 4")}))
        order += item.msg;
    EXPECT_EQ(order, u"12late 4");
}

// The matcher against the plain search it replaces, on texts and words of a
// small alphabet where words overlap and share parts.
TEST(WordMatcherTest, FindsWhatAPlainSearchFinds)
{
    std::mt19937 random(15);
    auto text = [&](std::size_t most) {
        std::u16string t(random() % (most + 1), u'a');
        for (char16_t& c : t)
            c = u"abcAB"[random() % 5];
        return t;
    };
    auto fold = [](std::u16string t) {
        for (char16_t& c : t)
            c = c == u'A' ? u'a' : c == u'B' ? u'b' : c;
        return t;
    };
    for (int round = 0; round < 2000; ++round) {
        std::vector<std::u16string> words(random() % 4);
        for (std::u16string& word : words)
            word = text(4);
        const std::u16string haystack = text(12);
        bool expected = false;
        for (const std::u16string& word : words)
            expected = expected || (!word.empty() && fold(haystack).find(fold(word)) != std::u16string::npos);
        EXPECT_EQ(CWordMatcher(words).FoundIn(haystack), expected) << round;
    }
}

// The largest lists the settings allow against the longest texts.
TEST(WordMatcherTest, TheLargestListsStillMatch)
{
    std::vector<std::u16string> words;
    for (std::size_t i = 0; i < kMaxBlockEntries; ++i)
        words.push_back(std::u16string(kMaxBlockEntryBytes - 1, u'a') + static_cast<char16_t>(u'b' + i % 20));
    const CWordMatcher matcher(words);
    EXPECT_FALSE(matcher.FoundIn(std::u16string(500, u'a')));
    EXPECT_TRUE(matcher.FoundIn(std::u16string(300, u'a') + u"c"));
    EXPECT_FALSE(CWordMatcher().FoundIn(u"abc"));
}

} // namespace
