// qnode-sim: a simulated q-node on a pseudo-terminal, for trying Study Station
// without the hardware and for tests that drive a separate process.
//
//   qnode-sim [--model N] [--char C] [--major N] [--minor N] [--name TEXT]
//             [--silent | --foreign]
//
// Prints "PTY <path>" once the device is ready, then reads commands from
// standard input, one a line, and answers each with "ok" or "error ...":
//   press K [P]    release K [P]    tap K [P]    (key K, port P, 3 by default)
//   stats          (prints "stats <identify requests> <timer resets> <input mode>")
//   hangup         quit
// End of input quits too.

#include "SimulatedQNode.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <sstream>
#include <string>

namespace {
int Usage()
{
    std::fprintf(
        stderr, "usage: qnode-sim [--model N] [--char C] [--major N] [--minor N] [--name TEXT] [--silent|--foreign]\n");
    return 2;
}
}  // namespace

int main(int argc, char** argv)
{
    Orbisk::Testing::SimulatedQNodeIdentity identity;
    auto personality = Orbisk::Testing::SimulatedQNode::Personality::QNode;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--model" && hasValue)
            identity.modelNumber = static_cast<unsigned>(std::strtoul(argv[++i], nullptr, 10));
        else if (arg == "--char" && hasValue)
            identity.modelCharacter = argv[++i][0];
        else if (arg == "--major" && hasValue)
            identity.majorVersion = std::atoi(argv[++i]);
        else if (arg == "--minor" && hasValue)
            identity.minorVersion = std::atoi(argv[++i]);
        else if (arg == "--name" && hasValue)
            identity.deviceName = argv[++i];
        else if (arg == "--silent")
            personality = Orbisk::Testing::SimulatedQNode::Personality::Silent;
        else if (arg == "--foreign")
            personality = Orbisk::Testing::SimulatedQNode::Personality::Foreign;
        else
            return Usage();
    }
    try {
        Orbisk::Testing::SimulatedQNode device(identity, personality);
        std::cout << "PTY " << device.DevicePath() << std::endl;
        std::string line;
        while (std::getline(std::cin, line)) {
            std::istringstream words(line);
            std::string command;
            words >> command;
            int key = -1;
            int port = 3;
            if (command == "press" || command == "release" || command == "tap") {
                if (!(words >> key) || key < 0 || key > 255) {
                    std::cout << "error key" << std::endl;
                    continue;
                }
                words >> port;
                if (command != "release") device.Press(key, port);
                if (command != "press") device.Release(key, port);
                std::cout << "ok" << std::endl;
            } else if (command == "stats") {
                std::cout << "stats " << device.IdentifyRequests() << ' ' << device.TimerResets() << ' '
                          << static_cast<int>(device.LastInputMode()) << std::endl;
            } else if (command == "hangup") {
                device.HangUp();
                std::cout << "ok" << std::endl;
            } else if (command == "quit") {
                std::cout << "ok" << std::endl;
                break;
            } else if (!command.empty()) {
                std::cout << "error unknown command" << std::endl;
            }
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "qnode-sim: %s\n", e.what());
        return 1;
    }
    return 0;
}
