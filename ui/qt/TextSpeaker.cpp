#include "ui/TextSpeaker.h"

#include <QLocale>
#include <QSoundEffect>
#include <QTextToSpeech>
#include <QUrl>
#include <mutex>

#include "ui/qt/WorkerLoop.h"

namespace DuiLib {

namespace {

// Preferred where installed: the desktop's own, that screen readers use.
const char kSpeechDispatcher[] = "speechd";

class CQtSpeaker : public CTextSpeaker {
public:
    explicit CQtSpeaker(SpeakerEvents events) : m_events(std::move(events))
    {
        m_loop.Post([this] { Load(); });
    }
    void Say(unsigned id, const std::u16string& text, double rate, double volume) override
    {
        const QString said = QString::fromStdU16String(text);
        m_loop.Post([this, id, said, rate, volume] {
            if (!m_engine) {
                Spoken(id); // nothing to wait for
                return;
            }
            m_given = id;
            m_engine->setRate(rate);
            m_engine->setVolume(volume);
            m_engine->say(said);
        });
    }
    void Stop() override
    {
        m_loop.Post([this] {
            m_given = m_saying = 0;
            if (m_engine)
                m_engine->stop();
        });
    }
    SpeechStatus Status() const override
    {
        std::lock_guard<std::mutex> lock(m_statusLock);
        return m_status;
    }

private:
    // In the loop's thread from here on.
    void Load()
    {
        const QStringList engines = QTextToSpeech::availableEngines();
        if (engines.isEmpty())
            return SetStatus({SpeechState::Unavailable, u"未安装语音引擎（speech-dispatcher）"});
        const QString name = engines.contains(kSpeechDispatcher) ? kSpeechDispatcher : engines.first();
        auto* engine = new QTextToSpeech(name, m_loop.Context());
        if (engine->state() == QTextToSpeech::Error)
            return SetStatus({SpeechState::Unavailable, Reason(*engine)});
        for (const QLocale& locale : engine->availableLocales())
            if (locale.language() == QLocale::Chinese)
                engine->setLocale(locale);
        QObject::connect(engine, &QTextToSpeech::stateChanged, engine, [this](QTextToSpeech::State state) { StateChanged(state); });
        m_engine = engine;
        SetStatus({SpeechState::Ready, {}});
    }
    static std::u16string Reason(const QTextToSpeech& engine)
    {
        const QString text = engine.errorString();
        return text.isEmpty() ? u"语音引擎无法启动" : text.left(200).toStdU16String();
    }
    // A text is said from Speaking to Ready; an Error ends the text given
    // too, so that the next one is not waited for in vain.
    void StateChanged(QTextToSpeech::State state)
    {
        if (state == QTextToSpeech::Speaking) {
            m_saying = m_given;
            m_given = 0;
            return;
        }
        if (state == QTextToSpeech::Error) {
            Spoken(m_given);
            m_given = 0;
            SetStatus({SpeechState::Unavailable, Reason(*m_engine)});
        }
        if (state != QTextToSpeech::Paused)
            Spoken(m_saying);
        m_saying = 0;
    }
    void Spoken(unsigned id)
    {
        if (id)
            m_loop.Tell([this, id] { m_events.spoken(id); });
    }
    void SetStatus(SpeechStatus status)
    {
        {
            std::lock_guard<std::mutex> lock(m_statusLock);
            m_status = std::move(status);
        }
        m_loop.Tell([this] { m_events.statusChanged(); });
    }

    const SpeakerEvents m_events;
    mutable std::mutex m_statusLock;
    SpeechStatus m_status;
    // Touched in the loop's thread only.
    QTextToSpeech* m_engine = nullptr;
    unsigned m_given = 0;  // said, not yet begun
    unsigned m_saying = 0; // begun
    CWorkerLoop m_loop;    // last: its end stops the thread before the above go
};

} // namespace

std::unique_ptr<CTextSpeaker> CreateSystemSpeaker(SpeakerEvents events)
{
    return std::make_unique<CQtSpeaker>(std::move(events));
}

struct CSoundEffect::Impl {
    QUrl source;
    QSoundEffect* effect = nullptr; // in the loop's thread, made at the first play
    CWorkerLoop loop;
};

CSoundEffect::CSoundEffect(const std::u16string& path) : m_impl(std::make_unique<Impl>())
{
    m_impl->source = QUrl::fromLocalFile(QString::fromStdU16String(path));
}

CSoundEffect::~CSoundEffect() = default;

void CSoundEffect::Play()
{
    Impl* impl = m_impl.get();
    impl->loop.Post([impl] {
        if (!impl->effect) {
            impl->effect = new QSoundEffect(impl->loop.Context());
            impl->effect->setSource(impl->source);
        }
        impl->effect->play(); // played once loaded; an error stays silent
    });
}

} // namespace DuiLib
