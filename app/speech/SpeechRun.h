#pragma once

// The run's read-aloud and gift sound, heard of the danmaku window's rows.

#include <string>

#include "app/RunState.h"
#include "app/speech/GiftSound.h"
#include "app/speech/ReadAloud.h"
#include "ui/TextSpeaker.h"

class CSpeechRun {
public:
    // Registers both with the run's row sinks; the gift sound is soundFile.
    CSpeechRun(RunState& state, const std::u16string& soundFile);
    ~CSpeechRun();
    CSpeechRun(const CSpeechRun&) = delete;
    CSpeechRun& operator=(const CSpeechRun&) = delete;

private:
    RunState& m_state;
    DuiLib::CSoundEffect m_sound;
    CReadAloud m_reader;
    CGiftSound m_chime;
};
