#include "tools/ChatGenerator.h"

#include <algorithm>
#include <chrono>

#include "tools/JsonText.h"

namespace {

const char* const kNicknames[] = {
    "星河漫游者", "小鱼干", "夜猫子", "橘子汽水", "阿白", "清风徐来", "老王不在家", "一只咸鱼",
    "momo酱", "芝士就是力量", "Kai_77", "moonlight", "pixelfox", "NoobMaster69", "ava.chen",
    "Tom", "LuckyStar", "雨后彩虹", "吃瓜群众", "DragonSlayer", "半糖主义", "Sakura", "大橙子",
};

const char* const kChatLines[] = {
    "主播好！", "晚上好~", "这波操作太秀了", "哈哈哈哈哈", "666", "前排围观", "求BGM",
    "音乐好好听", "主播今天状态不错啊", "来了来了", "下次一定", "这是什么游戏？", "学到了",
    "打卡", "太强了吧", "hello from Berlin", "gg", "what game is this?", "lol", "nice one!",
    "first time here, hi all", "主播可以唱一首吗", "弹幕护体", "爷青回", "冲冲冲",
};

const char* const kGifts[] = {
    "小心心", "荧光棒", "鲜花", "棒棒糖", "火箭", "跑车", "飞机", "星星", "Rocket", "Crown",
};

// `length` characters of chat: the line repeated, cut where a character ends.
std::string Repeated(const std::string& line, int length)
{
    std::string text;
    for (int chars = 0; chars < length;) {
        for (size_t i = 0; i < line.size() && chars < length; ++chars) {
            const unsigned char lead = static_cast<unsigned char>(line[i]);
            const size_t size = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
            text.append(line, i, size);
            i += size;
        }
    }
    return text;
}

// A text of exactly `bytes` bytes of mixed Chinese and Latin characters.
std::string HugeText(int bytes)
{
    const std::string pattern = "刷屏的超长弹幕 a very long message ";
    std::string text;
    text.reserve(bytes);
    while (text.size() + pattern.size() <= static_cast<size_t>(bytes)) {
        text += pattern;
    }
    text.append(bytes - text.size(), 'x');
    return text;
}

std::int64_t NowMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

} // namespace

CChatGenerator::CChatGenerator(unsigned seed, ChatShape shape) : m_shape(shape), m_random(seed)
{
    for (const char* nickname : kNicknames) {
        // Most viewers sit at low levels, a few have climbed high.
        const int level = std::min(kMaxLevel, kMinLevel + Pick(8) + Pick(8) * Pick(3));
        m_viewers.push_back(Viewer{nickname, level, 100000u + static_cast<std::uint32_t>(Pick(900000))});
    }
    m_online = 800 + Pick(700);
    const std::int64_t now = NowMs();
    for (size_t i = Kept(); i > 0; --i) {
        AddMessage(now - static_cast<std::int64_t>(i) * 1500);
    }
    if (m_shape.hugeMessage > 0) {
        JsonText doc;
        doc.Add("nickname", "刷屏机器人").Add("uid", 99).Add("level", kMaxLevel);
        doc.Add("msgType", "normal").Add("msg", HugeText(m_shape.hugeMessage)).Add("ts", now);
        m_huge = Message{880000, now, doc.Text(), 99};
    }
}

// How many messages the room remembers: what one reply may hold.
size_t CChatGenerator::Kept() const
{
    return static_cast<size_t>(m_shape.historySize > 0 ? m_shape.historySize : kHistoryLimit);
}

std::string CChatGenerator::ChatText()
{
    const char* line = PickFrom(kChatLines);
    return m_shape.messageLength > 0 ? Repeated(line, m_shape.messageLength) : line;
}

int CChatGenerator::Pick(int count)
{
    return std::uniform_int_distribution<int>(0, count - 1)(m_random);
}

std::int32_t CChatGenerator::NextOnline()
{
    m_online = std::max(1, m_online + Pick(56) - 25);
    return m_online;
}

std::string CChatGenerator::MakeDocument(const Viewer& viewer, std::int64_t timeMs)
{
    JsonText doc;
    doc.Add("nickname", viewer.nickname).Add("uid", viewer.uid).Add("level", viewer.level);
    const int kind = Pick(100);
    if (kind < 70) {
        doc.Add("msgType", "normal").Add("msg", ChatText());
    } else if (kind < 88) {
        doc.Add("msgType", "gift").Add("giftName", PickFrom(kGifts)).Add("giftCount", 1 + Pick(3) * Pick(5));
    } else if (kind < 94) {
        doc.Add("msgType", "enter");
    } else if (kind < 98) {
        doc.Add("msgType", "like").Add("likeCount", 1 + Pick(20));
    } else {
        doc.Add("msgType", "follow");
    }
    return doc.Add("ts", timeMs).Text();
}

void CChatGenerator::AddMessage(std::int64_t timeMs)
{
    const Viewer& viewer = m_viewers[Pick(static_cast<int>(m_viewers.size()))];
    m_recent.push_front(Message{m_nextId++, timeMs, MakeDocument(viewer, timeMs), viewer.uid});
    if (m_recent.size() > Kept()) {
        m_recent.pop_back();
    }
}

std::string CChatGenerator::Element(const Message& message, std::int32_t roomId) const
{
    return JsonText()
        .Add("id", std::to_string(message.id))
        .Add("room", std::to_string(roomId) + "_orvel")
        .Add("userId", message.uid)
        .Add("msg", message.document)
        .Add("createdAt", message.timeMs)
        .Text();
}

std::vector<std::string> CChatGenerator::NextHistory(std::int32_t roomId, int limit)
{
    const std::int64_t now = NowMs();
    for (int fresh = Pick(4); fresh > 0; --fresh) {
        AddMessage(now);
    }
    const size_t asked = m_shape.historySize > 0 ? Kept() : static_cast<size_t>(std::clamp(limit, 0, kHistoryLimit));
    const size_t count = std::min(m_recent.size(), asked);
    std::vector<std::string> elements;
    if (m_shape.hugeMessage > 0) {
        elements.push_back(Element(m_huge, roomId));
    }
    for (size_t i = 0; i < count; ++i) {
        elements.push_back(Element(m_recent[i], roomId));
    }
    return elements;
}
