// orvel-demo-services: the two web services of the program, on loopback,
// for trying the program out and for tests and scripts.
#include <csignal>
#include <iostream>
#include <string>
#include <vector>

#include "tools/DemoServices.h"

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        std::cout << DemoUsage();
        return 0;
    }
    DemoOptions options = DefaultDemoOptions();
    std::string error;
    if (!ParseDemoOptions(args, options, error)) {
        std::cerr << error << "\n" << DemoUsage();
        return 2;
    }
    // Blocked before any thread starts, so only the wait below receives them.
    sigset_t endSignals;
    sigemptyset(&endSignals);
    sigaddset(&endSignals, SIGINT);
    sigaddset(&endSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &endSignals, nullptr);

    CDemoServices services(options);
    if (options.record)
        services.KeepRecord();
    if (!services.Start()) {
        std::cerr << "cannot listen on 127.0.0.1 ports " << options.livePort << " and " << options.dmsPort << "\n";
        return 1;
    }
    std::cout << "live 127.0.0.1:" << services.LivePort() << "\n"
              << "dms 127.0.0.1:" << services.DmsPort() << std::endl;
    int received = 0;
    sigwait(&endSignals, &received);
    if (options.record)
        for (const SeenRequest& request : services.Requests())
            std::cout << request.service << " " << request.target << "\n";
    return 0;
}
