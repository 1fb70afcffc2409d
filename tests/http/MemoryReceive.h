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

// The three ways a reply's body can be framed.
struct Framing {
    const char* name;
    std::string (*frame)(const std::string& body);
};

inline std::string WithLength(const std::string& body)
{
    return "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
}

// Chunks of at most 5 bytes, so that a bound falls inside one.
inline std::string InChunks(const std::string& body)
{
    std::string reply = "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n";
    for (std::size_t at = 0; at < body.size(); at += 5)
        reply += std::to_string(body.substr(at, 5).size()) + "\r\n" + body.substr(at, 5) + "\r\n";
    return reply + "0\r\n\r\n";
}

inline std::string UntilClose(const std::string& body)
{
    return "HTTP/1.1 200 OK\r\n\r\n" + body;
}

inline const Framing kFramings[] = {{"Length", WithLength}, {"Chunked", InChunks}, {"UntilClose", UntilClose}};
