// CHttpResponse::Receive over bytes in memory. The first byte picks the
// response's options, the second how the rest is cut into reads, so that the
// reader meets read boundaries at every kind of place. However the bytes are
// cut, the header block is the one of reading them whole, and so is the whole
// outcome unless the body is chunked: a chunked body is judged on what has
// arrived so far (see CChunkDecoder), so a size line that is blank up to its
// CR LF ends the body only when a read happens to stop there. A body bound,
// when the options set one, is never passed.
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz/FuzzCheck.h"
#include "http/ByteSource.h"
#include "http/HttpResponse.h"
#include "http/HttpStrings.h"
#include "http/ReplyParse.h"

namespace {

struct Outcome {
    int result = 0;
    std::string status, reason, version, rawHeader, body, hooked;
    HeaderMap headers;

    bool operator==(const Outcome& o) const
    {
        return result == o.result && status == o.status && reason == o.reason &&
               version == o.version && rawHeader == o.rawHeader && body == o.body &&
               hooked == o.hooked && headers == o.headers;
    }
};

// Hook bookkeeping: bit 0 a HEAD request, bit 1 a body hook, bit 2 a header
// hook, bit 3 hooks that refuse. Bits 4 to 7 give the body bound (see
// BodyBound).
struct Hooks {
    unsigned options;
    std::string bytes;

    static int OnHeader(void* user, const char*, int)
    {
        return static_cast<Hooks*>(user)->options & 8 ? 1 : 0;
    }
    static int OnData(void* user, const char*, int, int, const char* data, int length)
    {
        auto* self = static_cast<Hooks*>(user);
        self->bytes.append(data, static_cast<std::size_t>(length));
        return self->options & 8 ? 1 : 0;
    }
};

// Piece lengths from 1 to maxPiece drawn from a small generator seeded with
// maxPiece; 0 keeps the bytes whole.
std::vector<std::string> Cut(const std::string& bytes, unsigned maxPiece)
{
    if (maxPiece == 0)
        return {bytes};
    std::vector<std::string> pieces;
    std::uint32_t state = maxPiece;
    for (std::size_t at = 0; at < bytes.size();) {
        state = state * 1103515245u + 12345u;
        std::size_t length = 1 + (state >> 16) % maxPiece;
        pieces.push_back(bytes.substr(at, length));
        at += length;
    }
    return pieces;
}

// No bound for 0, else a small one that bodies often pass.
std::size_t BodyBound(unsigned options)
{
    const unsigned bits = (options >> 4) & 15;
    return bits == 0 ? CHttpResponse::kNoBodyLimit : (bits - 1) * 5;
}

Outcome ReceiveFrom(std::vector<std::string> pieces, unsigned options)
{
    Hooks hooks{options, {}};
    CHttpResponse response;
    response.m_isHead = options & 1;
    response.m_maxBody = BodyBound(options);
    if (options & 2) {
        response.m_onData = &Hooks::OnData;
        response.m_onDataUser = &hooks;
    }
    if (options & 4) {
        response.m_onHeader = &Hooks::OnHeader;
        response.m_onHeaderUser = &hooks;
    }
    CMemorySource source(std::move(pieces));
    Outcome outcome;
    outcome.result = response.Receive(source, 0);
    outcome.status = response.m_status;
    outcome.reason = response.m_reason;
    outcome.version = response.m_version;
    outcome.rawHeader = response.m_rawHeader;
    outcome.body = response.m_body;
    outcome.headers = response.m_headers;
    outcome.hooked = hooks.bytes;
    return outcome;
}

bool ChunkedBody(const std::string& rawHeader, unsigned options)
{
    std::string value;
    if (options & 1 || FindRawHeaderAnyCase(rawHeader, "Content-Length", value) == 0 ||
        FindRawHeaderAnyCase(rawHeader, "Transfer-Encoding", value) != 0)
        return false;
    Trim(value);
    ToLowerAscii(value);
    return value == "chunked";
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    const unsigned options = data[0];
    const unsigned maxPiece = data[1];
    const std::string reply = FUZZ_TEXT(data + 2, size - 2);

    const Outcome cut = ReceiveFrom(Cut(reply, maxPiece), options);
    FUZZ_CHECK(cut.result == 0 || cut.result == -1);
    FUZZ_CHECK(cut.rawHeader.size() <= reply.size());
    FUZZ_CHECK(cut.body.size() + cut.hooked.size() <= reply.size());
    FUZZ_CHECK(cut.body.size() + cut.hooked.size() <= BodyBound(options));
    if (maxPiece == 0)
        return 0;
    const Outcome whole = ReceiveFrom({reply}, options);
    FUZZ_CHECK(cut.rawHeader == whole.rawHeader);
    if (!ChunkedBody(whole.rawHeader, options))
        FUZZ_CHECK(cut == whole);
    return 0;
}
