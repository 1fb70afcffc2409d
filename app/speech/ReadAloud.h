#pragma once

// 朗读弹幕: new rows read aloud by the desktop's speech engine, never
// falling behind the chat.

#include <cstddef>
#include <deque>
#include <functional>
#include <memory>
#include <string>

#include "app/config/DanmuOptions.h"
#include "app/windows/RowSink.h"
#include "ui/TextSpeaker.h"

// Rows waiting to be read besides the one being read; older ones are dropped.
constexpr std::size_t kMaxSpeechQueue = 5;
// Characters (code points) of a text read; the rest is dropped.
constexpr std::size_t kMaxSpokenChars = 100;

// "NICK说MESSAGE", or "NICK送出了GIFT" for a gift, cut at kMaxSpokenChars.
std::u16string SpokenText(const DanmuItem& item);

class CReadAloud : public RowSink {
public:
    using SpeakerFactory = std::function<std::unique_ptr<DuiLib::CTextSpeaker>(DuiLib::SpeakerEvents)>;
    // Reads as options say, over a speaker made when reading first turns on.
    CReadAloud(const DanmuOptions& options, SpeakerFactory makeSpeaker);

    // Whether a row is highlighted, for the "highlighted" mode: the danmaku
    // window's highlight words in the program.
    std::function<bool(const DanmuItem&)> highlighted = [](const DanmuItem&) { return false; };
    // Told when the engine's status changes, while a window shows it.
    std::function<void()> statusChanged;

    // A room's backlog is not read: it is history, not news.
    void RowsArrived(int room, const std::vector<DanmuItem>& rows, bool backlog) override;
    // Nothing of the old room is read from now on.
    void RoomChanged(int room) override;
    // The options changed: the engine is loaded once reading is on.
    void OptionsChanged();
    // For the settings window: the engine's state, or why there is none.
    std::u16string StatusText() const;

private:
    bool Wanted(const DanmuItem& item) const;
    void Silence();
    void SayNext();
    void Spoken(unsigned id);

    const DanmuOptions& m_options;
    SpeakerFactory m_makeSpeaker;
    std::unique_ptr<DuiLib::CTextSpeaker> m_speaker;
    std::deque<std::u16string> m_waiting;
    unsigned m_lastId = 0;
    unsigned m_saying = 0; // the id being said, 0 when the speaker is idle
};
