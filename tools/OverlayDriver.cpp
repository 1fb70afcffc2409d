// orvel-overlay-driver: the overlay's server with rows given on standard
// input, for the browser test and for trying the page without a room.
// Prints "url URL" once listening; then reads one command a line, fields
// separated by tabs, and answers each with a line:
//   row LEVEL GIFT(0|1) NICK MSG   publishes one row
//   online COUNT                   the viewer count
//   pages                          prints how many pages receive events
//   clear                          another room: pages drop their rows
//   restart                        a new server on the same port, as after
//                                  the program was started again
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "feed/ToWide.h"
#include "overlay/OverlayServer.h"

namespace {

std::vector<std::string> Fields(const std::string& line)
{
    std::vector<std::string> fields;
    std::istringstream in(line);
    for (std::string field; std::getline(in, field, '\t');)
        fields.push_back(field);
    return fields;
}

bool Run(COverlayServer& server, const std::vector<std::string>& fields)
{
    const std::string& command = fields.empty() ? std::string() : fields[0];
    if (command == "row" && fields.size() == 5) {
        server.Publish({DanmuItem{ToWide(fields[3]) + u":", ToWide(fields[4]), std::stoi(fields[1]), fields[2] == "1"}});
    } else if (command == "online" && fields.size() == 2) {
        server.SetOnline(std::stoi(fields[1]));
    } else if (command == "clear") {
        server.Clear();
    } else if (command == "pages") {
        std::cout << server.OpenPages() << "\n";
    } else {
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: orvel-overlay-driver PAGE_FOLDER TOKEN\n";
        return 2;
    }
    auto server = std::make_unique<COverlayServer>();
    OverlayStart started = server->Start("127.0.0.1", 0, argv[2], argv[1]);
    const int port = server->Port();
    std::cout << "url " << server->Url() << std::endl;
    for (std::string line; started == OverlayStart::Started && std::getline(std::cin, line);) {
        if (line == "restart") {
            server = std::make_unique<COverlayServer>();
            started = server->Start("127.0.0.1", port, argv[2], argv[1]);
        } else if (!Run(*server, Fields(line))) {
            std::cerr << "unknown command: " << line << "\n";
            return 2;
        }
        std::cout << "ok" << std::endl;
    }
    if (started != OverlayStart::Started)
        std::cerr << OverlayStartText(started) << "\n";
    return started == OverlayStart::Started ? 0 : 1;
}
