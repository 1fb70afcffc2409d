// The desktop's speech engine through Qt TextToSpeech, as the install script
// brings it (speech-dispatcher with espeak-ng), on a thread of its own that
// tells the user-interface thread.

#include <sys/stat.h>

#include <csignal>
#include <cstdlib>
#include <fstream>

#include "tests/common/TempFolder.h"
#include "tests/ui/TestWindow.h"
#include "ui/TextSpeaker.h"

using namespace DuiLib;

namespace {

// A speech-dispatcher of the test's own, started by the engine as a desktop
// starts it, that speaks through ALSA into the null device: a machine
// without audio (CI) says texts too, and no server of another run is used.
class PrivateSpeechServer {
public:
    PrivateSpeechServer()
    {
        const std::string root = m_folder.Path();
        mkdir((root + "/config").c_str(), 0700);
        mkdir((root + "/config/speech-dispatcher").c_str(), 0700);
        std::ofstream(root + "/.asoundrc") << "pcm.!default { type null }\n";
        std::ofstream(root + "/config/speech-dispatcher/speechd.conf")
            << "AudioOutputMethod \"alsa\"\nAddModule \"espeak-ng\" \"sd_espeak-ng\" \"espeak-ng.conf\"\n"
               "DefaultModule espeak-ng\n";
        for (const char* name : {"HOME", "XDG_RUNTIME_DIR", "XDG_CONFIG_HOME"})
            m_saved.emplace_back(name, std::getenv(name) ? std::getenv(name) : "");
        setenv("HOME", root.c_str(), 1);
        setenv("XDG_RUNTIME_DIR", root.c_str(), 1);
        setenv("XDG_CONFIG_HOME", (root + "/config").c_str(), 1);
    }
    ~PrivateSpeechServer()
    {
        int pid = 0;
        if (std::ifstream(m_folder.Path() + "/speech-dispatcher/pid/speech-dispatcher.pid") >> pid && pid > 0)
            kill(pid, SIGTERM);
        for (const auto& [name, value] : m_saved)
            setenv(name.c_str(), value.c_str(), 1);
    }

private:
    TempFolder m_folder;
    std::vector<std::pair<std::string, std::string>> m_saved;
};

using SpeakerTest = WindowTest;

// Loaded on its own thread, which tells the user-interface thread; a text
// given is said and reported, a second one cuts the first short.
TEST_F(SpeakerTest, TheSystemEngineSaysATextAndReportsIt)
{
#ifdef ORVEL_SANITIZED
    GTEST_SKIP() << "the plain suite runs it";
#endif
    const PrivateSpeechServer server;
    std::vector<unsigned> spoken;
    std::unique_ptr<CTextSpeaker> speaker;
    bool given = false;
    speaker = CreateSystemSpeaker({[&spoken](unsigned id) {
                                       spoken.push_back(id);
                                       PostMessageW(nullptr, WM_QUIT, 0, 0);
                                   },
        [&] {
            if (given || !speaker || speaker->Status().state == SpeechState::Starting)
                return;
            given = true;
            speaker->Say(7, u"测试朗读", 1.0, 0.0);
        }});
    ASSERT_TRUE(RunLoop()) << "no report from the speech engine";
    EXPECT_EQ(spoken, std::vector<unsigned>{7});
    const SpeechStatus status = speaker->Status();
    EXPECT_EQ(status.state, SpeechState::Ready) << std::string(status.reason.begin(), status.reason.end());
    speaker->Stop();
    speaker.reset(); // its thread ends with it
}

} // namespace
