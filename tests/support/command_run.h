#pragma once
// A command-line tool run as a user runs it, for the tools' tests: its exit status and what it
// wrote, standard error included.

#include <cstdio>
#include <string>
#include <sys/wait.h>

namespace mirelta::test {

struct CommandRun {
    int status; // -1 when the tool did not exit by itself
    std::string out;
};

inline CommandRun runCommand(const std::string& program, const std::string& arguments) {
    const std::string command = program + " " + arguments + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return {-1, ""};
    }
    std::string out;
    char buffer[4096];
    std::size_t read = 0;
    while ((read = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        out.append(buffer, read);
    }
    const int status = pclose(pipe);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out};
}

} // namespace mirelta::test
