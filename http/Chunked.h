#pragma once

#include <cstddef>
#include <string>

// Decodes a chunked body as its bytes arrive. Each byte is examined a bounded
// number of times, so decoding costs time linear in the body. It gives the
// same results as decoding everything received so far from the start:
//  - a size line is read like strtol in base 16 (leading white space, sign,
//    "0x", hex digits; extensions after ";" ignored) and needs a CR LF after
//    its start;
//  - size 0 (or no digits) ends the body; trailers are not awaited;
//  - the 2 bytes after each chunk's data are skipped unexamined.
// A negative size, or one beyond the int range, can never complete: that
// body is broken.
class CChunkDecoder {
public:
    static constexpr int kDone = 0;
    static constexpr int kMore = -1;
    static constexpr int kBroken = -2;

    // Adds bytes and decodes as far as they allow. Bytes after the last chunk
    // are ignored. Returns kDone, kMore or kBroken.
    int Feed(const char* data, std::size_t length);

    // The decoded bytes not yet taken.
    std::string& Output() { return m_output; }

private:
    int DecodeOne();
    void Compact();

    std::string m_input;              // undecoded bytes; the size line starts at m_pos
    std::size_t m_pos = 0;
    std::size_t m_crlf = std::string::npos;  // CR LF of the current size line, once seen
    std::size_t m_crlfScan = 0;       // where the search for it resumes
    long long m_size = 0;             // size of the current chunk
    bool m_sizeKnown = false;         // m_size can no longer change
    std::string m_output;
    int m_state = kMore;
};

// De-chunks a whole body received so far: 0 when the last chunk has been
// seen, -1 while more is needed, -2 when it can never complete. out holds what
// was decoded.
int DecodeChunked(const std::string& body, std::string& out);
