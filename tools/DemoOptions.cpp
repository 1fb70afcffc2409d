#include "tools/DemoOptions.h"

#include <cstdlib>
#include <map>

namespace {

// The port of a "host[:port]" setting; 80 when it names none.
int PortOf(const std::string& host)
{
    const size_t colon = host.rfind(':');
    return colon == std::string::npos ? 80 : std::atoi(host.c_str() + colon + 1);
}

// A whole decimal number within [low, high], or false.
bool ReadNumber(const std::string& text, long low, long high, long& value)
{
    if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string::npos) {
        return false;
    }
    value = std::strtol(text.c_str(), nullptr, 10);
    return value >= low && value <= high;
}

template <typename Mode>
bool ReadMode(const std::map<std::string, Mode>& words, const std::string& text, Mode& mode)
{
    const auto found = words.find(text);
    if (found == words.end()) {
        return false;
    }
    mode = found->second;
    return true;
}

// The options that bend the chat or stop the answers; false for others and
// for values out of range.
bool ReadShape(const std::string& name, const std::string& value, DemoOptions& options)
{
    static const std::map<std::string, std::pair<int ChatShape::*, long>> shape = {
        {"--message-length", {&ChatShape::messageLength, 1000000}},
        {"--history-size", {&ChatShape::historySize, 1000000}},
        {"--huge-message", {&ChatShape::hugeMessage, 999999999}}};
    long number = 0;
    if (name == "--outage") {
        const bool ok = ReadNumber(value, 0, 59, number);
        options.outageSeconds = static_cast<int>(number);
        return ok;
    }
    const auto found = shape.find(name);
    if (found == shape.end() || !ReadNumber(value, 0, found->second.second, number)) {
        return false;
    }
    options.chat.*(found->second.first) = static_cast<int>(number);
    return true;
}

bool ReadValue(const std::string& name, const std::string& value, DemoOptions& options)
{
    static const std::map<std::string, OnlineMode> onlineWords = {
        {"ok", OnlineMode::Ok}, {"unparsable", OnlineMode::Unparsable},
        {"array", OnlineMode::Array}, {"number", OnlineMode::Number}};
    static const std::map<std::string, HistoryMode> historyWords = {
        {"ok", HistoryMode::Ok}, {"unparsable", HistoryMode::Unparsable},
        {"object", HistoryMode::Object}, {"empty", HistoryMode::Empty}};
    long number = 0;
    if (name == "--online") {
        return ReadMode(onlineWords, value, options.online);
    }
    if (name == "--history") {
        return ReadMode(historyWords, value, options.history);
    }
    if (name == "--live-port" || name == "--dms-port") {
        const bool ok = ReadNumber(value, 0, 65535, number);
        (name == "--live-port" ? options.livePort : options.dmsPort) = static_cast<int>(number);
        return ok;
    }
    if (name == "--slow") {
        const bool ok = ReadNumber(value, 0, 600000, number);
        options.slowMs = static_cast<int>(number);
        return ok;
    }
    if (ReadShape(name, value, options)) {
        return true;
    }
    if (name == "--seed") {
        const bool ok = ReadNumber(value, 0, 999999999, number);
        options.seed = static_cast<unsigned>(number);
        return ok;
    }
    return false;
}

} // namespace

DemoOptions DefaultDemoOptions()
{
    DemoOptions options;
    options.livePort = PortOf(ORVEL_LIVE_HOST);
    options.dmsPort = PortOf(ORVEL_DMS_HOST);
    return options;
}

bool ParseDemoOptions(const std::vector<std::string>& args, DemoOptions& options, std::string& error)
{
    for (const std::string& arg : args) {
        if (arg == "--redirect" || arg == "--chunked" || arg == "--record") {
            (arg == "--redirect" ? options.redirect : arg == "--chunked" ? options.chunked : options.record) = true;
            continue;
        }
        const size_t equals = arg.find('=');
        if (equals == std::string::npos || !ReadValue(arg.substr(0, equals), arg.substr(equals + 1), options)) {
            error = "unknown or bad option: " + arg;
            return false;
        }
    }
    return true;
}

std::string DemoUsage()
{
    return "usage: orvel-demo-services [option...]\n"
           "Serves the live site's online count and the message service's chat\n"
           "history on 127.0.0.1 with a generated chat, until interrupted.\n"
           "  --live-port=N      port of the online count (0: a free one)\n"
           "  --dms-port=N       port of the chat history (0: a free one)\n"
           "  --online=MODE      ok | unparsable | array | number\n"
           "  --history=MODE     ok | unparsable | object | empty\n"
           "  --redirect         answer every request with 302 to a /moved copy\n"
           "  --chunked          send bodies in chunked coding\n"
           "  --record           at the end, print the newest requests (service and target)\n"
           "  --slow=MS          wait MS milliseconds before every answer\n"
           "  --seed=N           seed of the generated chat\n"
           "  --message-length=N every chat text N characters long\n"
           "  --history-size=N   N messages in every history reply\n"
           "  --huge-message=B   one message of B bytes, newest in every reply\n"
           "  --outage=S         answer 503 in the last S seconds of every minute\n"
           "The ports in use are printed as \"live 127.0.0.1:PORT\" and\n"
           "\"dms 127.0.0.1:PORT\" once both services listen.\n";
}
