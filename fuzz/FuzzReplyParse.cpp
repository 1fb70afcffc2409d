// CHttpResponse::Parse over any reply text.
#include <cstdint>
#include <string>

#include "fuzz/FuzzCheck.h"
#include "http/HttpResponse.h"
#include "http/HttpStrings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string raw = FUZZ_TEXT(data, size);
    CHttpResponse response;
    const int result = response.Parse(raw);
    FUZZ_CHECK(result == 0 || result == -1);
    FUZZ_CHECK(response.m_body.size() <= raw.size());
    if (result == 0) {
        FUZZ_CHECK(response.m_version == "HTTP/1.0" || response.m_version == "HTTP/1.1");
        FUZZ_CHECK(response.m_status.size() == 3);
        const int code = AtoiSaturated(response.m_status.c_str());
        FUZZ_CHECK(code >= 200 && code <= 600);
    }
    return 0;
}
