#include "app/StartUp.h"

#include "app/CommandLine.h"

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
    ServiceValues environment;
    problem = ReadEnvironment(env, environment);
    if (!problem.empty())
        return Refuse(problem);
    decision.run = true;
    decision.start.feed = ResolveServices(line.services, environment, ServiceValues{}, BuiltInFeedSettings());
    decision.start.room = line.room;
    return decision;
}
