#include "app/speech/ReadAloud.h"

using namespace DuiLib;

namespace {

const std::u16string kGiftPrefix = u"送出了[";

std::u16string CutAtChars(const std::u16string& text, std::size_t chars)
{
    std::size_t units = 0;
    for (std::size_t n = 0; n < chars && units < text.size(); ++n) {
        const bool pair = text[units] >= 0xD800 && text[units] < 0xDC00 && units + 1 < text.size();
        units += pair ? 2 : 1;
    }
    return text.substr(0, units);
}

} // namespace

std::u16string SpokenText(const DanmuItem& item)
{
    std::u16string nick = item.nick;
    if (!nick.empty() && nick.back() == u':')
        nick.pop_back();
    const std::u16string& msg = item.msg;
    const bool giftForm = item.gift && msg.rfind(kGiftPrefix, 0) == 0 && msg.back() == u']';
    const std::u16string text = giftForm
        ? nick + u"送出了" + msg.substr(kGiftPrefix.size(), msg.size() - kGiftPrefix.size() - 1)
        : nick + (item.gift ? u"" : u"说") + msg;
    return CutAtChars(text, kMaxSpokenChars);
}

CReadAloud::CReadAloud(const DanmuOptions& options, SpeakerFactory makeSpeaker)
    : m_options(options), m_makeSpeaker(std::move(makeSpeaker))
{
    OptionsChanged();
}

void CReadAloud::OptionsChanged()
{
    if (m_options.readAloud == ReadAloud::Off)
        Silence();
    if (m_speaker || m_options.readAloud == ReadAloud::Off)
        return;
    m_speaker = m_makeSpeaker({[this](unsigned id) { Spoken(id); }, [this] {
                                   if (statusChanged)
                                       statusChanged();
                               }});
}

bool CReadAloud::Wanted(const DanmuItem& item) const
{
    switch (m_options.readAloud) {
    case ReadAloud::All:
        return item.gift || !item.msg.empty(); // not the enter, follow and like notices
    case ReadAloud::Gifts:
        return item.gift;
    case ReadAloud::Highlighted:
        return !item.msg.empty() && highlighted(item);
    case ReadAloud::Off:
        break;
    }
    return false;
}

void CReadAloud::RowsArrived(int, const std::vector<DanmuItem>& rows, bool backlog)
{
    if (backlog || !m_speaker)
        return;
    for (const DanmuItem& item : rows) {
        if (!Wanted(item))
            continue;
        m_waiting.push_back(SpokenText(item));
        if (!m_saying)
            SayNext(); // an idle speaker starts on the first row, before the bound drops any
        if (m_waiting.size() > kMaxSpeechQueue)
            m_waiting.pop_front();
    }
}

void CReadAloud::RoomChanged(int)
{
    Silence();
}

void CReadAloud::Silence()
{
    m_waiting.clear();
    if (m_saying && m_speaker)
        m_speaker->Stop();
    m_saying = 0;
}

void CReadAloud::SayNext()
{
    if (m_waiting.empty())
        return;
    m_saying = ++m_lastId;
    const double rate = static_cast<double>(m_options.speechRate) / kMaxSpeechRate;
    const double volume = static_cast<double>(m_options.speechVolume) / kMaxSpeechVolume;
    m_speaker->Say(m_saying, m_waiting.front(), rate, volume);
    m_waiting.pop_front();
}

void CReadAloud::Spoken(unsigned id)
{
    if (id != m_saying)
        return; // one stopped by a room switch
    m_saying = 0;
    SayNext();
}

std::u16string CReadAloud::StatusText() const
{
    if (!m_speaker)
        return u"朗读弹幕：关";
    const SpeechStatus status = m_speaker->Status();
    switch (status.state) {
    case SpeechState::Starting:
        return u"朗读引擎启动中…";
    case SpeechState::Ready:
        return u"朗读引擎可用";
    case SpeechState::Unavailable:
        break;
    }
    return u"朗读弹幕 不可用：" + status.reason;
}
