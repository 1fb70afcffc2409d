#include "app/ChatLog.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

#include "app/config/BlockListText.h"
#include "support/XdgPaths.h"

namespace {

std::string LocalTime(const char* format, std::time_t when)
{
    std::tm local{};
    localtime_r(&when, &local);
    char text[32];
    return std::strftime(text, sizeof text, format, &local) ? text : "";
}

// A tab or line break inside a text would split the row; other control
// characters (an escape sequence) would act on the terminal that shows the file.
void AppendEscaped(std::string& out, std::u16string_view text)
{
    static const char kHex[] = "0123456789abcdef";
    for (const char c : Utf8Of(text)) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '\t': out += "\\t"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        default:
            if (byte < 0x20 || byte == 0x7f)
                out += {'\\', 'x', kHex[byte >> 4], kHex[byte & 0xf]};
            else
                out += c;
            break;
        }
    }
}

} // namespace

std::string ChatLogLine(std::time_t when, const DanmuItem& item)
{
    std::u16string_view nick = item.nick;
    if (!nick.empty() && nick.back() == u':')
        nick.remove_suffix(1);
    std::string line = LocalTime("%H:%M:%S\t", when) + std::to_string(item.level) + '\t';
    AppendEscaped(line, nick);
    line += '\t';
    AppendEscaped(line, item.msg);
    line += item.gift ? "\t1\n" : "\t0\n";
    return line;
}

std::string ChatLogFile(const std::string& folder, int room, std::time_t when)
{
    return folder + "/" + std::to_string(room) + "/" + LocalTime("%Y-%m-%d.tsv", when);
}

std::string ChatLogFolder()
{
    return XdgDataDir() + "/chat";
}

CChatLog::CChatLog(const bool& enabled, std::string folder, TimeSource now, Report report)
    : m_enabled(enabled), m_folder(std::move(folder)), m_now(now), m_report(std::move(report))
{
}

CChatLog::~CChatLog()
{
    {
        const std::lock_guard<std::mutex> hold(m_lock);
        m_stop.store(true);
    }
    m_wake.notify_all();
    m_thread.Stop(m_stop);
}

void CChatLog::RowsArrived(int room, const std::vector<DanmuItem>& rows, bool)
{
    if (!m_enabled || rows.empty())
        return;
    const std::time_t when = m_now();
    {
        const std::lock_guard<std::mutex> hold(m_lock);
        for (const DanmuItem& item : rows) {
            if (m_queue.size() < kMaxChatLogQueue)
                m_queue.push_back({room, when, item});
            else
                ++m_dropped;
        }
    }
    m_thread.Start(this); // once
    m_wake.notify_one();
}

int CChatLog::Run(CWorkerThread*, int)
{
    std::vector<Row> rows;
    std::size_t dropped = 0;
    while (Take(rows, dropped)) {
        if (dropped)
            m_report("chat log: " + std::to_string(dropped) + " rows dropped, the disk did not keep up");
        for (const Row& row : rows)
            Write(row);
        rows.clear();
    }
    Close();
    return 0;
}

// Waits for rows or the stop flag: false once asked to stop with nothing left.
bool CChatLog::Take(std::vector<Row>& rows, std::size_t& dropped)
{
    std::unique_lock<std::mutex> hold(m_lock);
    m_wake.wait(hold, [this] { return !m_queue.empty() || m_dropped || m_stop.load(); });
    rows.swap(m_queue);
    dropped = std::exchange(m_dropped, 0);
    return !rows.empty() || dropped || !m_stop.load();
}

void CChatLog::Write(const Row& row)
{
    const std::string path = ChatLogFile(m_folder, row.room, row.when);
    if (path != m_path)
        Open(path);
    if (m_fd < 0)
        return;
    const std::string line = ChatLogLine(row.when, row.item);
    if (m_size + static_cast<std::int64_t>(line.size()) > kMaxChatLogBytes) {
        Tell(path, "chat log: " + path + " holds its 64 MiB for the day; no more rows go to it");
        Close();
        return;
    }
    if (::write(m_fd, line.data(), line.size()) != static_cast<ssize_t>(line.size())) {
        Tell(path, "chat log: cannot write " + path + ": " + std::strerror(errno));
        Close();
        return;
    }
    m_size += static_cast<std::int64_t>(line.size());
}

// The folder is made only when missing: an existing one keeps the mode its
// owner gave it.
void CChatLog::Open(const std::string& path)
{
    Close();
    m_path = path;
    const int flags = O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC;
    m_fd = ::open(path.c_str(), flags, 0600);
    if (m_fd < 0 && errno == ENOENT && MakeDirs(path.substr(0, path.rfind('/')), 0700) == 0)
        m_fd = ::open(path.c_str(), flags, 0600);
    struct stat info {};
    if (m_fd >= 0 && fstat(m_fd, &info) == 0) {
        m_size = info.st_size;
        return;
    }
    Tell(path, "chat log: cannot write " + path + ": " + std::strerror(errno));
    Close();
}

void CChatLog::Close()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

// Once for each file in a row, however many rows it turns away.
void CChatLog::Tell(const std::string& path, const std::string& text)
{
    if (path == m_toldPath)
        return;
    m_toldPath = path;
    m_report(text);
}
