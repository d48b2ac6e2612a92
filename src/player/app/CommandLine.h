#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

// The player's command line:
//   hakoniwa-player [--vocabulary DIR] [--files DIR] [--seed S]
//                   [--headless [--frames N] [--keys SCRIPT] [--screenshot PNG]
//                    [--dump-variables]] PROJECT
namespace hakoniwa::player {

struct CommandLine {
    std::string project;
    std::optional<std::string> vocabulary; // empty: the editor's vocabulary folder
    std::optional<std::string> files;      // empty: the project file's folder
    std::uint32_t seed = 1;
    bool headless = false;
    int frames = 60;
    std::optional<std::string> keyScript;
    std::optional<std::string> screenshot;
    bool dumpVariables = false;
    bool help = false;    // --help: print the usage and do nothing else
    bool version = false; // --version: print the version and do nothing else

    // A wrong command line: the message says what is wrong, for stderr with the usage.
    class Error : public std::runtime_error {
    public:
        using std::runtime_error::runtime_error;
    };

    // `arguments` without the program's name. Options take their value as the next argument
    // or after "=" (--frames=10).
    static CommandLine parse(const std::vector<std::string>& arguments);

    static const char* usage();
};

} // namespace hakoniwa::player
