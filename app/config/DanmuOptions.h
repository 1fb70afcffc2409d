#pragma once

#include <cstddef>
#include <string>
#include <vector>

// Which new rows are read aloud.
enum class ReadAloud { Off, All, Gifts, Highlighted };

// The danmaku window's display and filter options, remembered with the
// other settings. Each default keeps the window as it always was, except
// that the opacity fades only the background.
struct DanmuOptions {
    bool backgroundOnly = true; // the opacity fades the background, not the text
    bool wrap = false;          // long messages wrap onto up to three lines
    bool hideNotices = false;   // hide rows without a message (enter, follow, like)
    bool hideGifts = false;     // hide gift rows
    std::vector<std::string> blockedNicks; // UTF-8, matched case-insensitively for Latin letters
    std::vector<std::string> blockedWords;
    std::string passThroughKey = "Ctrl+Alt+P"; // the global shortcut that toggles pass-through
    bool passThroughNoticeShown = false;       // the one-time notice naming that shortcut
    bool chatLog = false;  // each new row appended to the room's file of the day
    int fadeSeconds = 0;   // a row goes this long after it came; 0: rows stay
    ReadAloud readAloud = ReadAloud::Off;
    int speechRate = 0;         // kMinSpeechRate..kMaxSpeechRate, 0 the engine's own pace
    int speechVolume = 100;     // percent of the engine's loudest
    bool giftSound = false;     // a short sound when a gift row arrives
    std::string showHideKey = "Ctrl+Alt+H";    // shows or hides the danmaku window
    std::string clearKey = "Ctrl+Alt+C";       // empties its rows
    std::vector<std::string> highlightWords; // a row whose message contains one is drawn highlighted
};
bool operator==(const DanmuOptions& a, const DanmuOptions& b);

// Bounds on a word list (blocked or highlighted): entries kept, and bytes in each.
constexpr std::size_t kMaxBlockEntries = 500;
constexpr std::size_t kMaxBlockEntryBytes = 200;
// The fade time's range when rows fade at all.
constexpr int kMinFadeSeconds = 10;
constexpr int kMaxFadeSeconds = 600;

// The read-aloud sliders' ranges, as the settings file gives them.
constexpr int kMinSpeechRate = -10;
constexpr int kMaxSpeechRate = 10;
constexpr int kMaxSpeechVolume = 100;
