#pragma once

#include <cstdint>
#include <deque>
#include <random>
#include <string>
#include <vector>

// How the generated chat is bent to show what a busy or hostile room does.
struct ChatShape {
    int messageLength = 0;   // every chat text this many characters (0: natural)
    int historySize = 0;     // elements per history reply, whatever is asked (0: as asked, at most 25)
    int hugeMessage = 0;     // one chat text of this many bytes, newest in every reply (0: none)
};

// A made-up but plausible live room: a viewer count that drifts and a chat
// that grows by a few messages each time it is looked at. Deterministic for
// a given seed.
class CChatGenerator {
public:
    static constexpr int kMinLevel = 1;
    static constexpr int kMaxLevel = 20;
    static constexpr int kHistoryLimit = 25;

    explicit CChatGenerator(unsigned seed, ChatShape shape = ChatShape());

    // The next viewer count: the last one moved a little.
    std::int32_t NextOnline();

    // The newest chat messages of a room, newest first, at most `limit` (and
    // never more than kHistoryLimit) unless the shape fixes the number; each
    // is the history element's JSON.
    std::vector<std::string> NextHistory(std::int32_t roomId, int limit);

private:
    struct Viewer {
        const char* nickname;
        int level;
        std::uint32_t uid;
    };
    struct Message {
        std::int64_t id;
        std::int64_t timeMs;
        std::string document;   // the message document, JSON
        std::uint32_t uid;
    };

    void AddMessage(std::int64_t timeMs);
    std::string MakeDocument(const Viewer& viewer, std::int64_t timeMs);
    std::string ChatText();
    std::string Element(const Message& message, std::int32_t roomId) const;
    size_t Kept() const;
    int Pick(int count);
    template <typename T, size_t N>
    const T& PickFrom(const T (&list)[N]) { return list[Pick(static_cast<int>(N))]; }

    const ChatShape m_shape;
    std::mt19937 m_random;
    std::vector<Viewer> m_viewers;
    std::deque<Message> m_recent;   // newest first
    std::int64_t m_nextId = 880001;
    std::int32_t m_online;
    Message m_huge;                 // the huge message, when the shape has one
};
