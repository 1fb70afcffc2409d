#include "app/config/TextFile.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string Why(const char* what)
{
    return std::string(what) + ": " + std::strerror(errno);
}

// Closes the descriptor when the scope ends.
struct FileCloser {
    int fd;
    ~FileCloser()
    {
        if (fd >= 0)
            close(fd);
    }
};

std::string WriteAll(int fd, const std::string& text)
{
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return Why("write");
        done += static_cast<std::size_t>(n);
    }
    return fsync(fd) == 0 ? "" : Why("fsync");
}

// The folder's entry for the rename reaches the disk too.
void SyncFolderOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    FileCloser dir{open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)};
    if (dir.fd >= 0)
        fsync(dir.fd);
}

} // namespace

ReadResult ReadSmallFile(const std::string& path, std::size_t maxBytes, std::string& text, std::string& reason)
{
    FileCloser file{open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK)};
    if (file.fd < 0) {
        reason = Why("open");
        return errno == ENOENT ? ReadResult::Missing : ReadResult::Failed;
    }
    struct stat info;
    if (fstat(file.fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        reason = "not a regular file";
        return ReadResult::Failed;
    }
    if (static_cast<std::size_t>(info.st_size) > maxBytes) {
        reason = "larger than " + std::to_string(maxBytes) + " bytes";
        return ReadResult::Failed;
    }
    text.clear();
    char buffer[4096];
    for (;;) {
        const ssize_t n = read(file.fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            reason = Why("read");
            return ReadResult::Failed;
        }
        if (n == 0)
            return ReadResult::Ok;
        if (text.size() + static_cast<std::size_t>(n) > maxBytes) {
            reason = "grew past the limit while read";
            return ReadResult::Failed;
        }
        text.append(buffer, static_cast<std::size_t>(n));
    }
}

std::string WriteFileAtomically(const std::string& path, const std::string& text,
    const std::function<void()>& beforeRename)
{
    std::string temp = path + ".XXXXXX";
    FileCloser file{mkstemp(temp.data())}; // mode 0600 by definition
    if (file.fd < 0)
        return Why("create");
    std::string problem = fchmod(file.fd, 0600) == 0 ? WriteAll(file.fd, text) : Why("chmod");
    if (problem.empty() && beforeRename)
        beforeRename();
    if (problem.empty() && rename(temp.c_str(), path.c_str()) != 0)
        problem = Why("rename");
    if (!problem.empty()) {
        unlink(temp.c_str());
        return problem;
    }
    SyncFolderOf(path);
    return "";
}
