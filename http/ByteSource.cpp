#include "http/ByteSource.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <poll.h>
#include <sys/socket.h>

#include "http/SocketWait.h"

ReadResult CSocketSource::Read(char* buffer, int cap, int* got, bool peek)
{
    for (;;) {
        ssize_t n = ::recv(m_socket, buffer, static_cast<std::size_t>(cap), peek ? MSG_PEEK : 0);
        if (n > 0) {
            *got = static_cast<int>(n);
            return ReadResult::Data;
        }
        if (n == 0)
            return ReadResult::Closed;
        if (errno == EINTR)
            continue;
        return errno == EAGAIN || errno == EWOULDBLOCK ? ReadResult::WouldBlock : ReadResult::Failed;
    }
}

void CSocketSource::Wait(int maxMs)
{
    WaitForSocket(m_socket, POLLIN, maxMs);
}

ReadResult CMemorySource::Read(char* buffer, int cap, int* got, bool peek)
{
    while (m_piece < m_pieces.size() && m_offset == m_pieces[m_piece].size()) {
        ++m_piece;
        m_offset = 0;
        m_blockNext = true;
    }
    if (m_piece == m_pieces.size())
        return ReadResult::Closed;
    if (m_blockNext) {
        m_blockNext = false;
        return ReadResult::WouldBlock;
    }
    const std::string& piece = m_pieces[m_piece];
    std::size_t n = std::min(piece.size() - m_offset, static_cast<std::size_t>(cap));
    std::memcpy(buffer, piece.data() + m_offset, n);
    if (!peek)
        m_offset += n;
    *got = static_cast<int>(n);
    return ReadResult::Data;
}
