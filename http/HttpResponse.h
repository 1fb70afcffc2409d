#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "http/HeaderMap.h"
#include "support/Socket.h"

class ByteSource;

// Called with the user pointer and the header block; non-zero aborts.
using HttpHeaderHook = int (*)(void* user, const char* header, int length);
// Called with the user pointer, the "Content-Type" value, the total size, the
// offset of this piece, its bytes and their count; non-zero aborts.
using HttpDataHook = int (*)(void* user, const char* contentType, int total, int offset,
                             const char* data, int length);

// What came back.
class CHttpResponse {
public:
    // m_maxBody when the caller sets none.
    static constexpr std::size_t kNoBodyLimit = SIZE_MAX;

    CHttpResponse();

    int SetHeader(const std::string& name, const std::string& value);
    // 0 and the value in out, or -1 with out unchanged. Exact name.
    int GetHeader(const std::string& name, std::string& out) const;

    // Empties status, reason, version, headers and body and the hook
    // bookkeeping; keeps m_rawHeader, m_isHead, m_maxBody and the hooks.
    void Reset();

    // Reads one reply from a connected socket within budgetMs (no limit when
    // 0 or less) and parses it. 0, or -1 on any failure, a body longer than
    // m_maxBody included: that one fails as soon as the bound is passed (at
    // once for an announced length or chunk size), and no more of it is kept.
    int Receive(SOCKET s, int budgetMs);
    // The same over any byte source: the seam for tests and fuzzing.
    int Receive(ByteSource& source, int budgetMs);

    // Parses a complete reply text into status, reason, version, headers and
    // body. 0, or -1 when it is not an acceptable reply.
    int Parse(const std::string& raw);

    std::string m_status;
    std::string m_reason;
    std::string m_version;
    HeaderMap m_headers;
    std::string m_rawHeader;
    std::string m_body;
    int m_isHead;
    HttpHeaderHook m_onHeader;
    void* m_onHeaderUser;
    HttpDataHook m_onData;
    void* m_onDataUser;
    int m_headerCalled;
    int m_dataCalled;
    int m_headerResult;
    int m_dataResult;
    std::size_t m_maxBody;  // the longest body accepted, in bytes (de-chunked)
};
