// A private print scheduler for a test that is not C++: starts it with the queues named on
// the command line, prints the environment its clients need ("NAME=value" lines, then
// "ready"), and stops it when standard input ends.

#include "private_cups.h"

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <iostream>
#include <string>

int main(int argc, char** argv)
{
    try {
        PrivateCups cups;
        for (int i = 1; i < argc; ++i)
            cups.add_queue(argv[i]);
        for (const char* name : {"CUPS_SERVER", "CUPS_SERVERROOT", "HOME", "XDG_CONFIG_HOME"})
            std::printf("%s=%s\n", name, std::getenv(name));
        std::printf("ready\n");
        std::fflush(stdout);
        std::string line;
        while (std::getline(std::cin, line)) {
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "cups_ctl: %s\n", e.what());
        return 1;
    }
    return 0;
}
