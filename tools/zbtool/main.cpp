// zbtool: the ripple tank without a window, for teachers and for checking the physics.
#include "arguments.h"
#include "exit_codes.h"
#include "help_text.h"
#include "info_text.h"
#include "simulate_command.h"
#include "tank_input.h"
#include "zb_version.h"

#include <clocale>
#include <csignal>
#include <cstdio>
#include <exception>
#include <new>
#include <string_view>
#include <vector>

namespace {

int runInfo(const std::string& path) {
    zb::TZBecken tank;
    if (const std::string problem = zbtool::readTank(path, tank); !problem.empty()) {
        std::fprintf(stderr, "zbtool: %s.\n", problem.c_str());
        return zbtool::kExitTank;
    }
    std::fputs(zbtool::infoText(tank, path).c_str(), stdout);
    return std::fflush(stdout) == 0 ? zbtool::kExitOk : zbtool::kExitOutput;
}

int run(int argc, char* argv[]) {
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    const zbtool::ParseResult parsed = zbtool::parseArguments(args);
    if (!parsed.arguments) {
        std::fprintf(stderr, "zbtool: %s\n\n%s", parsed.error.c_str(), zbtool::kUsageText);
        return zbtool::kExitUsage;
    }
    const zbtool::Arguments& a = *parsed.arguments;
    switch (a.command) {
    case zbtool::Command::Help:
        std::fputs(zbtool::kHelpText, stdout);
        return zbtool::kExitOk;
    case zbtool::Command::Version:
        std::printf("zbtool (Zitterbecken) %s\n", ZB_VERSION);
        return zbtool::kExitOk;
    case zbtool::Command::Info:
        return runInfo(a.tank);
    case zbtool::Command::Simulate:
        return zbtool::runSimulate(a.tank, a.simulate);
    }
    return zbtool::kExitUsage;
}

} // namespace

int main(int argc, char* argv[]) {
    // Names in the user's character set; numbers stay in the C locale, since the files are read
    // by other programs.
    std::setlocale(LC_CTYPE, "");
    // A reader that goes away (a pipe into head, a FIFO) is reported as a failed write instead
    // of ending the program without a word.
    std::signal(SIGPIPE, SIG_IGN);
    try {
        return run(argc, argv);
    } catch (const std::bad_alloc&) {
        std::fprintf(stderr, "zbtool: zu wenig Speicher\n");
    } catch (const std::exception& e) {
        std::fprintf(stderr, "zbtool: Fehler: %s\n", e.what());
    }
    return zbtool::kExitOther;
}
