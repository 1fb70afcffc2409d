#include "app/ServiceConfig.h"

#include "app/ConfigValues.h"

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
