#include "support/Log.h"

#include <chrono>
#include <thread>

namespace {

// Pending text is written once it reaches this many characters...
constexpr std::size_t kBatchSize = 1024;
// ...or once it has waited longer than this many seconds since the last write.
constexpr std::time_t kMaxAgeSeconds = 2;
// How long the writer rests when nothing is due.
constexpr std::chrono::milliseconds kIdleSleep(100);

}  // namespace

CLog::CLog(TimeSource now)
    : m_stop(false),
      m_output(stdout),
      m_lastWrite(0),
      m_fileIndex(0),
      m_fileCount(0),
      m_sizeLimit(0),
      m_currentSize(0),
      m_truncate(false),
      m_now(now)
{
}

CLog::~CLog()
{
    m_thread.Stop(m_stop);
    CloseFile();
}

void CLog::Append(const std::string& text)
{
    CCriticalGuard guard(&m_lock);
    m_pending += text;
}

int CLog::SetFile(const std::string& baseName, int sizeLimit, int fileCount)
{
    if (m_thread.Started())
        return -1;
    m_baseName = baseName;
    m_sizeLimit = sizeLimit;
    m_fileCount = fileCount;
    m_fileIndex = 0;
    m_truncate = false;
    return OpenFile(false) ? 0 : -1;
}

int CLog::Start()
{
    m_thread.Start(this);
    return m_thread.Started() ? 0 : -1;
}

int CLog::Run(CWorkerThread*, int)
{
    while (!m_stop.load()) {
        if (!WritePass(false))
            std::this_thread::sleep_for(kIdleSleep);
    }
    // Text appended shortly before the stop would otherwise never be written.
    WritePass(true);
    return 0;
}

bool CLog::WritePass(bool all)
{
    std::string text;
    if (!TakeDue(all, text))
        return false;
    if (m_output == stdout)
        std::fwrite(text.data(), 1, text.size(), stdout);
    else
        WriteToFile(text);
    m_lastWrite = m_now();
    return true;
}

bool CLog::TakeDue(bool all, std::string& text)
{
    CCriticalGuard guard(&m_lock);
    if (m_pending.empty())
        return false;
    // A clock that went back gives a negative age, which never counts as due.
    bool due = all || m_pending.size() >= kBatchSize || m_now() - m_lastWrite > kMaxAgeSeconds;
    if (due)
        text.swap(m_pending);
    return due;
}

void CLog::WriteToFile(const std::string& text)
{
    // Without a positive limit no size is ever below it: there is one file.
    while (m_sizeLimit > 0 && m_currentSize >= m_sizeLimit) {
        if (++m_fileIndex >= m_fileCount) {
            m_fileIndex = 0;
            m_truncate = true;
        }
        // A file that cannot be opened leaves standard output as the output:
        // the text goes there rather than being lost or retried for ever.
        if (!OpenFile(m_truncate))
            break;
    }
    std::fwrite(text.data(), 1, text.size(), m_output);
    std::fflush(m_output);
    m_currentSize += static_cast<long>(text.size());
}

bool CLog::OpenFile(bool truncate)
{
    CloseFile();
    m_currentSize = 0;
    std::string name = m_baseName + "_" + std::to_string(m_fileIndex) + ".log";
    std::FILE* file = std::fopen(name.c_str(), truncate ? "w" : "a");
    if (file == nullptr) {
        std::fprintf(stderr, "Open LOG %s failed.\n", name.c_str());
        return false;
    }
    m_output = file;
    std::fseek(file, 0, SEEK_END);
    m_currentSize = std::ftell(file);
    return true;
}

void CLog::CloseFile()
{
    if (m_output != stdout)
        std::fclose(m_output);
    m_output = stdout;
}
