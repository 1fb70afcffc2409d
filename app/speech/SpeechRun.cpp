#include "app/speech/SpeechRun.h"

#include <algorithm>

#include "app/windows/WndDanmu.h"

CSpeechRun::CSpeechRun(RunState& state, const std::u16string& soundFile)
    : m_state(state), m_sound(soundFile), m_reader(state.options, DuiLib::CreateSystemSpeaker),
      m_chime(state.options, [this] { m_sound.Play(); }, [] { return std::chrono::steady_clock::now(); })
{
    state.rowSinks.push_back(&m_reader);
    state.rowSinks.push_back(&m_chime);
    state.readAloud = &m_reader;
    // The danmaku window's filter follows the options as they change.
    m_reader.highlighted = [&state](const DanmuItem& item) { return state.danmu && state.danmu->IsHighlighted(item); };
}

CSpeechRun::~CSpeechRun()
{
    auto& sinks = m_state.rowSinks;
    sinks.erase(std::remove_if(sinks.begin(), sinks.end(),
                    [this](RowSink* sink) { return sink == &m_reader || sink == &m_chime; }),
        sinks.end());
    m_state.readAloud = nullptr;
}
