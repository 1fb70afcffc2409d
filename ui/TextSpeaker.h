#pragma once

// Texts said aloud by the desktop's speech engine, and a short sound
// played: each on a thread of its own, so that a slow or missing engine or
// audio device never holds up the windows.

#include <functional>
#include <memory>
#include <string>

namespace DuiLib {

enum class SpeechState {
    Starting,    // the engine is being loaded
    Ready,
    Unavailable, // no engine works; `reason` says why
};
struct SpeechStatus {
    SpeechState state = SpeechState::Starting;
    std::u16string reason;
};

// What a speaker tells, always on the user-interface thread.
struct SpeakerEvents {
    std::function<void(unsigned id)> spoken; // the text given with id was said, stopped or failed
    std::function<void()> statusChanged;
};

class CTextSpeaker {
public:
    virtual ~CTextSpeaker() = default;
    // Starts saying text, cutting short whatever is being said. rate from
    // -1 (slowest) to 1, volume from 0 to 1.
    virtual void Say(unsigned id, const std::u16string& text, double rate, double volume) = 0;
    // Stops the text being said; its `spoken` may not come.
    virtual void Stop() = 0;
    virtual SpeechStatus Status() const = 0;
};

// Over Qt TextToSpeech (speech-dispatcher where installed); loading starts
// at once on the speaker's own thread.
std::unique_ptr<CTextSpeaker> CreateSystemSpeaker(SpeakerEvents events);

// A short sound file played on the default audio device, loaded at the
// first Play. Without a device, or without the file, nothing is heard and
// nothing is reported.
class CSoundEffect {
public:
    explicit CSoundEffect(const std::u16string& path);
    ~CSoundEffect();
    void Play();

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

} // namespace DuiLib
