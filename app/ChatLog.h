#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <ctime>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "app/windows/RowSink.h"
#include "support/Clock.h"
#include "support/Runnable.h"
#include "support/WorkerThread.h"

// A day's file stops growing here, so a flooded room cannot fill the disk.
constexpr std::int64_t kMaxChatLogBytes = std::int64_t{64} << 20;
// Rows waiting for the writer; more are dropped (and counted) rather than
// held in memory while the disk is slow.
constexpr std::size_t kMaxChatLogQueue = 1000;

// One row of a chat log file: local time, level, nickname without its ":",
// message and gift flag (1 or 0), separated by tabs; backslashes, tabs and
// line breaks in the texts written as \\, \t, \n and \r.
std::string ChatLogLine(std::time_t when, const DanmuItem& item);

// The file of a room's rows on the local date of `when`:
// FOLDER/ROOM/YYYY-MM-DD.tsv.
std::string ChatLogFile(const std::string& folder, int room, std::time_t when);

// The folder of the chat log, under the XDG data folder.
std::string ChatLogFolder();

// Appends each row it hears of, while `enabled` is set, to its room's file of
// the day. The rows are only queued on the user-interface thread; a writer
// thread of its own, started with the first row, opens, appends and reports
// to the program's log: a file that cannot be written or has reached
// kMaxChatLogBytes, once each, and rows dropped from a full queue.
class CChatLog : public RowSink, private Runnable {
public:
    using Report = std::function<void(const std::string&)>;
    CChatLog(const bool& enabled, std::string folder, TimeSource now, Report report);
    // Writes whatever waits, then ends the writer.
    ~CChatLog() override;
    CChatLog(const CChatLog&) = delete;
    CChatLog& operator=(const CChatLog&) = delete;

    void RowsArrived(int room, const std::vector<DanmuItem>& rows, bool backlog) override;

private:
    struct Row {
        int room;
        std::time_t when;
        DanmuItem item;
    };
    int Run(CWorkerThread* thread, int param) override;
    bool Take(std::vector<Row>& rows, std::size_t& dropped);
    void Write(const Row& row);
    void Open(const std::string& path);
    void Close();
    void Tell(const std::string& path, const std::string& text);

    const bool& m_enabled;
    const std::string m_folder;
    const TimeSource m_now;
    const Report m_report;
    std::mutex m_lock;
    std::condition_variable m_wake;
    std::vector<Row> m_queue;   // under m_lock
    std::size_t m_dropped = 0;  // under m_lock
    std::atomic<bool> m_stop{false};
    CWorkerThread m_thread;
    // The writer's own.
    std::string m_path;         // the file rows now go to
    int m_fd = -1;              // open on m_path, or -1 when it cannot be written
    std::int64_t m_size = 0;    // of m_path
    std::string m_toldPath;     // the last file a problem was reported of
};
