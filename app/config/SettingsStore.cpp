#include "app/config/SettingsStore.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "app/config/TextFile.h"
#include "feed/JsonParse.h"
#include "support/XdgPaths.h"

namespace {

// Holds the exclusive lock on "<path>.lock" for its lifetime; none when the
// lock file cannot be opened (its folder is missing, say).
class FileLock {
public:
    explicit FileLock(const std::string& path)
        : m_fd(open((path + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOCTTY, 0600))
    {
        while (m_fd >= 0 && flock(m_fd, LOCK_EX) != 0 && errno == EINTR) {
        }
    }
    ~FileLock()
    {
        if (m_fd >= 0)
            close(m_fd); // releases the lock
    }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    bool Held() const { return m_fd >= 0; }

private:
    int m_fd;
};

// The file's object into `root` (an empty one when the file is missing);
// Failed, with `reason`, when the file cannot be used.
ReadResult ReadObject(const std::string& path, Json::Value& root, std::string& reason)
{
    std::string text;
    root = Json::Value(Json::objectValue);
    const ReadResult read = ReadSmallFile(path, kMaxSettingsBytes, text, reason);
    if (read != ReadResult::Ok)
        return read;
    if (ParseJson(text, root) && root.isObject())
        return ReadResult::Ok;
    reason = "not a JSON object";
    return ReadResult::Failed;
}

std::string BadName(const std::string& path, int number)
{
    return path + ".bad" + (number > 0 ? "." + std::to_string(number) : "");
}

// Moves the earlier unusable files on a number, then this one to ".bad".
bool SetAside(const std::string& path)
{
    for (int n = kBadFilesKept - 1; n > 0; --n)
        std::rename(BadName(path, n - 1).c_str(), BadName(path, n).c_str());
    return std::rename(path.c_str(), BadName(path, 0).c_str()) == 0;
}

} // namespace

std::string SettingsPath()
{
    return XdgConfigDir() + "/settings.json";
}

SettingsDocument LoadSettings(const std::string& path, std::string& logLine)
{
    const FileLock lock(path);
    Json::Value root;
    std::string reason;
    if (ReadObject(path, root, reason) != ReadResult::Failed)
        return ReadSettings(root);
    const bool kept = SetAside(path);
    logLine = "settings: " + path + " cannot be used (" + reason + "); "
        + (kept ? "kept as " + BadName(path, 0) : std::string("it could not be set aside and is left alone"))
        + "; the defaults are used";
    return SettingsDocument{};
}

std::string SaveSettings(const std::string& path, const RememberedSettings& was, const RememberedSettings& now,
    const std::function<void()>& beforeRename)
{
    const std::size_t slash = path.rfind('/');
    if (slash != std::string::npos && slash > 0 && MakeDirs(path.substr(0, slash), 0700) != 0)
        return "cannot make the folder of " + path;
    const FileLock lock(path);
    if (!lock.Held())
        return "cannot open " + path + ".lock: " + std::strerror(errno);
    Json::Value root;
    std::string reason;
    if (ReadObject(path, root, reason) == ReadResult::Failed)
        return "the file there cannot be used (" + reason + "), so it is not overwritten";
    const std::string text = WriteSettings(std::move(root), was, now);
    if (text.size() > kMaxSettingsBytes)
        return "the file would be larger than " + std::to_string(kMaxSettingsBytes) + " bytes";
    return WriteFileAtomically(path, text, beforeRename);
}
