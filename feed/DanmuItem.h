#pragma once

#include <cstdint>
#include <string>

// One chat message or gift notice, ready for display.
struct DanmuItem {
    std::u16string nick;   // nickname followed by ":", or empty
    std::u16string msg;    // chat text, or "送出了[<gift>]" for a gift
    // 0 when the message carries no usable level: real levels start at 1,
    // so the window can tell "no badge" apart.
    std::int32_t level = 0;
    // Set for a gift message: a chat text may read like a gift's.
    bool gift = false;
};

// Two items are the same when all their fields agree.
inline bool operator==(const DanmuItem& a, const DanmuItem& b)
{
    return a.level == b.level && a.gift == b.gift && a.nick == b.nick && a.msg == b.msg;
}
