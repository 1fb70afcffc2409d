#pragma once

#include <cstddef>
#include <string>

// The overlay page's server as the settings file and window set it.
constexpr int kDefaultOverlayPort = 18931;
// An address is at most "255.255.255.255"; a longer text is no address.
constexpr std::size_t kMaxOverlayBindBytes = 15;

struct OverlayOptions {
    bool enabled = false;
    int port = kDefaultOverlayPort;
    std::string bind = "127.0.0.1"; // another address only when the user writes one
    std::string token;              // empty until made; a secret in every message
};
bool operator==(const OverlayOptions& a, const OverlayOptions& b);
