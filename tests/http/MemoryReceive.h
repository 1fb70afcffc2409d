#pragma once

#include <string>
#include <vector>

#include "http/ByteSource.h"
#include "http/HttpResponse.h"

// The text cut into one-byte reads.
inline std::vector<std::string> OneByteEach(const std::string& text)
{
    std::vector<std::string> pieces;
    for (char c : text)
        pieces.emplace_back(1, c);
    return pieces;
}

// A receive without budget over the pieces, then the stream's close.
inline int ReceiveFrom(std::vector<std::string> pieces, CHttpResponse& response)
{
    CMemorySource source(std::move(pieces));
    return response.Receive(source, 0);
}
