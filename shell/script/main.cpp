// arcadeon-script [FILE]: runs a script of a person's actions (FILE, or
// standard input when FILE is missing or "-") and prints what it asks for.
// arcadeon-script --verify FILE: checks that a recording plays again to the
// state it recorded (see verify.h).
#include <cstring>
#include <fstream>
#include <iostream>

#include "shell/script/runner.h"
#include "shell/script/verify.h"

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    if (const std::optional<int> status = arcadeon::verifyCommand(argc, argv, std::cout, std::cerr)) return *status;
    if (argc > 2) {
        std::cerr << "usage: arcadeon-script [FILE]\n";
        return 2;
    }
    if (argc < 2 || std::strcmp(argv[1], "-") == 0) {
        arcadeon::ScriptRunner runner(std::cin, std::cout, std::cerr);
        return runner.run();
    }
    std::ifstream file(argv[1], std::ios::binary);
    if (!file) {
        std::cerr << "error: " << argv[1] << ": " << std::strerror(errno) << "\n";
        return 2;
    }
    arcadeon::ScriptRunner runner(file, std::cout, std::cerr);
    return runner.run();
}
