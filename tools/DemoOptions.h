#pragma once

#include <string>
#include <vector>

#include "tools/ChatGenerator.h"

// How the online reply is spoilt, for tests and demos of failure handling.
enum class OnlineMode { Ok, Unparsable, Array, Number };
// How the history reply is spoilt.
enum class HistoryMode { Ok, Unparsable, Object, Empty };

struct DemoOptions {
    int livePort = 0;                  // 0: pick a free port
    int dmsPort = 0;
    OnlineMode online = OnlineMode::Ok;
    HistoryMode history = HistoryMode::Ok;
    bool redirect = false;             // answer 302 to a /moved copy of the path
    bool chunked = false;              // send bodies with chunked coding
    bool record = false;               // print the requests seen when ended (for scripts)
    int slowMs = 0;                    // wait this long before every answer
    unsigned seed = 2024;
    ChatShape chat;                    // long messages, big replies, one huge message
    int outageSeconds = 0;             // the last this many seconds of every minute: 503
};

// The options of this build: the ports of its configured service hosts.
DemoOptions DefaultDemoOptions();

// Reads command-line arguments (without the program name) over `options`;
// false with a message in `error` for anything it does not know.
bool ParseDemoOptions(const std::vector<std::string>& args, DemoOptions& options, std::string& error);

// The text of --help.
std::string DemoUsage();
