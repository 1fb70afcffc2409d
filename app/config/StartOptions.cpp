#include "app/config/StartOptions.h"

#include "app/config/ConfigValues.h"

const ServiceSetting kServiceSettings[3] = {
    {"--live-host", "ORVEL_LIVE_HOST", "live_host", &ServiceValues::liveHost, CheckHost, false},
    {"--dms-host", "ORVEL_DMS_HOST", "dms_host", &ServiceValues::dmsHost, CheckHost, false},
    {"--dms-key", "ORVEL_DMS_KEY", "dms_key", &ServiceValues::dmsKey, CheckKey, true},
};

std::string BadValueMessage(const std::string& where, const std::string& value, const std::string& problem)
{
    return where + ": " + ShownValue(value) + " " + problem;
}

std::string ReadEnvironment(const EnvLookup& lookup, ServiceValues& values)
{
    for (const ServiceSetting& setting : kServiceSettings) {
        const char* text = lookup(setting.variable);
        if (!text || !*text)
            continue;
        const std::string problem = setting.check(text);
        if (!problem.empty())
            return BadValueMessage(std::string(setting.variable) + " in the environment", text, problem);
        values.*setting.member = text;
    }
    return "";
}

FeedSettings ResolveServices(const ServiceValues& flags, const ServiceValues& environment,
    const ServiceValues& file, FeedSettings defaults)
{
    auto pick = [&](std::optional<std::string> ServiceValues::*member, std::string& result) {
        for (const ServiceValues* source : {&flags, &environment, &file}) {
            if (source->*member) {
                result = *(source->*member);
                return;
            }
        }
    };
    pick(&ServiceValues::liveHost, defaults.liveHost);
    pick(&ServiceValues::dmsHost, defaults.dmsHost);
    pick(&ServiceValues::dmsKey, defaults.dmsKey);
    return defaults;
}

namespace {

std::string Unknown(const std::string& arg)
{
    return "unknown option " + ShownValue(arg) + " (see --help)";
}

bool IsValueFlag(const std::string& name)
{
    for (const ServiceSetting& setting : kServiceSettings) {
        if (name == setting.flag)
            return true;
    }
    return name == "--room";
}

std::string ReadFlag(const std::string& name, const std::string& value, CommandLine& line)
{
    const std::string where = name + " on the command line";
    if (name == "--room") {
        std::int32_t room = 0;
        const std::string problem = ReadRoom(value, room);
        if (!problem.empty())
            return BadValueMessage(where, value, problem);
        line.room = room;
        return "";
    }
    for (const ServiceSetting& setting : kServiceSettings) {
        if (name != setting.flag)
            continue;
        const std::string problem = setting.check(value);
        if (!problem.empty())
            return BadValueMessage(where, value, problem);
        line.services.*setting.member = value;
        return "";
    }
    return Unknown(name);
}

} // namespace

std::string ParseCommandLine(const std::vector<std::string>& args, CommandLine& line)
{
    for (const std::string& arg : args) {
        if (arg == "--help" || arg == "-h") {
            line.help = true;
            continue;
        }
        if (arg == "--version") {
            line.version = true;
            continue;
        }
        const std::size_t equals = arg.find('=');
        if (equals == std::string::npos)
            return IsValueFlag(arg) ? arg + " on the command line needs a value: " + arg + "=VALUE" : Unknown(arg);
        const std::string problem = ReadFlag(arg.substr(0, equals), arg.substr(equals + 1), line);
        if (!problem.empty())
            return problem;
    }
    return "";
}

std::string UsageText()
{
    return "usage: OrvelHelper [option...]\n"
           "Shows a live room's chat and gifts in a small window that stays on top.\n"
           "  --room=N             open room N at once, without the start window\n"
           "  --live-host=HOST[:PORT]  live site's web server (ORVEL_LIVE_HOST)\n"
           "  --dms-host=HOST[:PORT]   message service's API server (ORVEL_DMS_HOST)\n"
           "  --dms-key=KEY        message service's access key (ORVEL_DMS_KEY)\n"
           "  --help               print this and exit\n"
           "  --version            print the version and exit\n"
           "A flag wins over its variable, a variable over the settings file\n"
           "($XDG_CONFIG_HOME/orvel-helper/settings.json), the file over the built-in value.\n";
}
