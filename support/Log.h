#pragma once

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <string>

#include "support/Clock.h"
#include "support/CriticalLock.h"
#include "support/Runnable.h"
#include "support/WorkerThread.h"

// A buffered text log. Callers append text from any thread; a writer thread
// of its own writes it out in batches, to standard output or to numbered
// files "<base>_<n>.log" that rotate over a size limit and a file count.
// Until Start is called no thread exists and nothing is ever written.
class CLog : public Runnable {
public:
    explicit CLog(TimeSource now = SystemTime);
    ~CLog() override;
    CLog(const CLog&) = delete;
    CLog& operator=(const CLog&) = delete;

    // Queues text for the writer. Any thread.
    void Append(const std::string& text);

    // Writes to "<baseName>_0.log" (appending) instead of standard output and
    // begins the next file once a file holds sizeLimit bytes or more; after
    // fileCount files the numbering starts again at 0 and old files are
    // overwritten. A sizeLimit of 0 or less means one file without limit, a
    // fileCount of 0 or less one file that is overwritten at the limit.
    // Only before Start: 0 once the file is open, -1 when it cannot be opened
    // (standard output stays the output) or the writer already runs.
    int SetFile(const std::string& baseName, int sizeLimit, int fileCount);

    // Starts the writer thread (once): 0 when it runs, -1 otherwise.
    int Start();

    // The writer loop: writes batches until asked to stop, then whatever is
    // still pending.
    int Run(CWorkerThread* thread, int param) override;

protected:
    // One pass of the writer: takes the pending text if it is due (all of it
    // when `all` is set) and writes it. True when something was written.
    // Only on the writer thread, or while no writer runs.
    bool WritePass(bool all);

private:
    bool TakeDue(bool all, std::string& text);
    void WriteToFile(const std::string& text);
    bool OpenFile(bool truncate);
    void CloseFile();

    CCriticalLock m_lock;
    std::string m_baseName;
    std::string m_pending;         // under m_lock
    CWorkerThread m_thread;
    std::atomic<bool> m_stop;
    std::FILE* m_output;           // the writer's; stdout when no file is open
    std::time_t m_lastWrite;
    std::int32_t m_fileIndex;
    std::int32_t m_fileCount;
    std::int32_t m_sizeLimit;
    long m_currentSize;            // as ftell reports it
    bool m_truncate;               // set once the numbering has wrapped
    TimeSource m_now;
};
