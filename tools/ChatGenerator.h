#pragma once

#include <cstdint>
#include <deque>
#include <random>
#include <string>
#include <vector>

// A made-up but plausible live room: a viewer count that drifts and a chat
// that grows by a few messages each time it is looked at. Deterministic for
// a given seed.
class CChatGenerator {
public:
    static constexpr int kMinLevel = 1;
    static constexpr int kMaxLevel = 20;
    static constexpr int kHistoryLimit = 25;

    explicit CChatGenerator(unsigned seed);

    // The next viewer count: the last one moved a little.
    std::int32_t NextOnline();

    // The newest chat messages of a room, newest first, at most `limit` (and
    // never more than kHistoryLimit); each is the history element's JSON.
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
    int Pick(int count);
    template <typename T, size_t N>
    const T& PickFrom(const T (&list)[N]) { return list[Pick(static_cast<int>(N))]; }

    std::mt19937 m_random;
    std::vector<Viewer> m_viewers;
    std::deque<Message> m_recent;   // newest first
    std::int64_t m_nextId = 880001;
    std::int32_t m_online;
};
