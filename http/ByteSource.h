#pragma once

#include <string>
#include <vector>

#include "support/Socket.h"

// What one read from a reply's byte stream gave.
enum class ReadResult {
    Data,        // at least one byte
    WouldBlock,  // nothing yet; Wait, then try again
    Closed,      // the peer has ended the stream
    Failed,      // any other error
};

// The stream a reply is read from: a socket, or bytes in memory for tests and
// fuzzing.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Reads up to cap bytes into buffer; with peek the bytes stay in the
    // stream and the next read gives them again.
    virtual ReadResult Read(char* buffer, int cap, int* got, bool peek) = 0;
    // Waits at most maxMs for something to read.
    virtual void Wait(int maxMs) = 0;
};

// A non-blocking socket. Interrupted calls are retried.
class CSocketSource : public ByteSource {
public:
    explicit CSocketSource(SOCKET s) : m_socket(s) {}
    ReadResult Read(char* buffer, int cap, int* got, bool peek) override;
    void Wait(int maxMs) override;

private:
    SOCKET m_socket;
};

// Pieces of bytes handed out in order, at most one piece per read, with one
// "would block" between pieces; the stream is closed after the last one.
class CMemorySource : public ByteSource {
public:
    explicit CMemorySource(std::vector<std::string> pieces) : m_pieces(std::move(pieces)) {}
    ReadResult Read(char* buffer, int cap, int* got, bool peek) override;
    void Wait(int) override {}

private:
    std::vector<std::string> m_pieces;
    std::size_t m_piece = 0;
    std::size_t m_offset = 0;
    bool m_blockNext = false;
};
