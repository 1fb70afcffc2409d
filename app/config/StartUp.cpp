#include "app/config/StartUp.h"

#include <utility>

namespace {

StartDecision Refuse(const std::string& problem)
{
    StartDecision decision;
    decision.exitCode = 2;
    decision.error = "OrvelHelper: " + problem + "\n";
    return decision;
}

} // namespace

std::string VersionText()
{
    return std::string("OrvelHelper ") + ORVEL_VERSION + "\n";
}

StartDecision DecideStart(const std::vector<std::string>& args, const EnvLookup& env)
{
    CommandLine line;
    std::string problem = ParseCommandLine(args, line);
    if (!problem.empty())
        return Refuse(problem);
    StartDecision decision;
    if (line.help || line.version) {
        decision.output = line.help ? UsageText() : VersionText();
        return decision;
    }
    problem = ReadEnvironment(env, decision.environment);
    if (!problem.empty())
        return Refuse(problem);
    decision.run = true;
    decision.flags = line.services;
    decision.start.feed = ResolveServices(decision.flags, decision.environment, ServiceValues{}, BuiltInFeedSettings());
    decision.start.room = line.room;
    return decision;
}

void TakeSettingsFile(StartDecision& decision, SettingsDocument file, const std::string& path)
{
    decision.start.feed = ResolveServices(decision.flags, decision.environment, file.services, BuiltInFeedSettings());
    decision.start.settings = std::move(file);
    decision.start.settingsPath = path;
}
