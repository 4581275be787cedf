// Runs the built orbika-cli through the shell for command tests.
#pragma once

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <string>

struct CliRun {
    std::string out;  // standard output
    int status = -1;  // exit status, -1 when the command could not run
};

// Runs "env orbika-cli args" (args may carry shell redirections) and collects its output.
inline CliRun runCli(const std::string& args, const std::string& env = "")
{
    CliRun run;
    FILE* pipe = popen((env + " " + ORBIKA_CLI + " " + args).c_str(), "r");
    if (!pipe) return run;
    std::array<char, 512> buf{};
    while (std::fgets(buf.data(), buf.size(), pipe)) run.out += buf.data();
    const int raw = pclose(pipe);
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return run;
}
