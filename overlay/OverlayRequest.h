#pragma once

#include <string>

// What a request to the overlay's server asks for, decided before anything
// is read or sent. The checks run in this order: the Host header (a page of
// another site that renamed itself 127.0.0.1 must not read the chat), the
// method, then the token in the path.
enum class OverlayRoute {
    Page,       // GET /overlay/TOKEN/: the page itself
    File,       // GET /overlay/TOKEN/NAME: one of the page's files
    Events,     // GET /overlay/TOKEN/events: the event stream
    AddSlash,   // /overlay/TOKEN without its final "/": sent to the page
    NotFound,   // 404, no body: any other path, or a wrong or missing token
    BadMethod,  // 405: only GET and HEAD are served
    WrongHost,  // 421: the Host header names another server
};

struct OverlayRequest {
    OverlayRoute route = OverlayRoute::NotFound;
    std::string file; // the NAME of a File route
};

// The route of a request with this method, Host header value (empty when it
// had none) and path. `bindAddress` is the address the server listens on;
// "localhost" and "127.0.0.1" are always accepted as hosts, with any port.
OverlayRequest RouteOverlayRequest(const std::string& method, const std::string& host, const std::string& path,
                                   const std::string& bindAddress, const std::string& token);

// Whether a Host header value names this server (see RouteOverlayRequest).
bool IsOverlayHost(const std::string& host, const std::string& bindAddress);

// The page's address for a browser: "http://ADDRESS:PORT/overlay/TOKEN/".
std::string OverlayUrl(const std::string& bindAddress, int port, const std::string& token);
