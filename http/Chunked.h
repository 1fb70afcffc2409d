#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Decodes a chunked body as its bytes arrive. Each byte is examined a bounded
// number of times, so decoding costs time linear in the body, and a chunk's
// data is copied once, straight from the bytes fed to the output, as soon as
// they arrive. It gives the same results as decoding everything received so
// far from the start:
//  - a size line is read like strtol in base 16 (leading white space, sign,
//    "0x", hex digits; extensions after ";" ignored) and needs a CR LF after
//    its start;
//  - size 0 (or no digits) ends the body; trailers are not awaited;
//  - the 2 bytes after each chunk's data are skipped unexamined.
// A negative size, one beyond the int range, a size line (or the reading of
// its size) longer than kMaxSizeLine, or a chunk that would take the decoded body past the limit
// can never complete: that body is broken.
class CChunkDecoder {
public:
    static constexpr int kDone = 0;
    static constexpr int kMore = -1;
    static constexpr int kBroken = -2;
    // A size line, extensions included, is never this long in practice; a
    // longer one would otherwise be held in memory until the budget ends.
    static constexpr std::size_t kMaxSizeLine = 4096;

    // The largest decoded body accepted (unlimited by default). A chunk whose
    // size would pass it breaks the body before any of its data is kept.
    void SetLimit(std::uint64_t limit) { m_limit = limit; }

    // Adds bytes and decodes as far as they allow. Bytes after the last chunk
    // are ignored. Returns kDone, kMore or kBroken.
    int Feed(const char* data, std::size_t length);

    // The decoded bytes not yet taken.
    std::string& Output() { return m_output; }

private:
    std::size_t TakeData(const char* data, std::size_t length);
    std::size_t TakeLineBytes(const char* data, std::size_t length);
    int DecodeOne();
    int StartChunk(long long size);
    void Compact();

    std::string m_input;              // undecoded bytes; the size line starts at m_pos
    std::size_t m_pos = 0;
    std::size_t m_crlf = std::string::npos;  // CR LF of the current size line, once seen
    std::size_t m_crlfScan = 0;       // where the search for it resumes
    long long m_size = 0;             // size of the current chunk
    bool m_sizeKnown = false;         // m_size can no longer change
    bool m_atEnd = true;              // m_input ends where the bytes fed so far end
    std::size_t m_dataLeft = 0;       // data bytes of the current chunk still to come
    std::size_t m_skipLeft = 0;       // bytes after them still to skip
    std::uint64_t m_announced = 0;    // decoded bytes of every chunk begun
    std::uint64_t m_limit = UINT64_MAX;
    std::string m_output;
    int m_state = kMore;
};

// De-chunks a whole body received so far: 0 when the last chunk has been
// seen, -1 while more is needed, -2 when it can never complete. out holds what
// was decoded, the data of a chunk that has only partly arrived included.
int DecodeChunked(const std::string& body, std::string& out);
