#include "tool_support.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace zbtool::test {

ToolRun runTool(const std::vector<std::string>& args) {
    return runProgram(ZBTOOL_PATH, args);
}

ToolRun runProgram(const std::string& program, const std::vector<std::string>& args) {
    TempDir capture;
    const std::string outPath = capture.file("out"), errPath = capture.file("err");
    std::vector<std::string> words = {program};
    words.insert(words.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& w : words)
        argv.push_back(w.data());
    argv.push_back(nullptr);

    // The system's own texts come out in English here, so a check for a German reason catches
    // any that slips through.
    setenv("LC_ALL", "C", 1);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT, 0600);
    pid_t pid;
    const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ToolRun run;
    if (spawned != 0) {
        ADD_FAILURE() << "cannot start " << program;
        return run;
    }
    // A tool that hangs (on a pipe, say) fails its test instead of stopping the whole run.
    int status = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(1);
    for (;;) {
        const pid_t ended = waitpid(pid, &status, WNOHANG);
        if (ended == pid || (ended < 0 && errno != EINTR))
            break;
        if (std::chrono::steady_clock::now() > deadline) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            ADD_FAILURE() << program << " did not end within a minute";
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.out = readText(outPath);
    run.err = readText(errPath);
    return run;
}

TempDir::TempDir() {
    std::string pattern = (fs::temp_directory_path() / "zbtool-test-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("mkdtemp");
    path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

std::vector<uint8_t> readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::string readText(const std::string& path) {
    const std::vector<uint8_t> bytes = readBytes(path);
    return {bytes.begin(), bytes.end()};
}

void writeBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

namespace {

zb::TObjekt& add(zb::TZBecken& tank, int32_t art, const std::string& name) {
    return tank.Objekte->add(std::make_unique<zb::TObjekt>(art, name));
}

} // namespace

zb::TErreger& addExciter(zb::TZBecken& tank, const std::string& name) {
    return *add(tank, zb::kArtErreger, name).erreger();
}
zb::TWand& addWall(zb::TZBecken& tank, const std::string& name) {
    return *add(tank, zb::kArtWand, name).wand();
}
zb::TSchirm& addScreen(zb::TZBecken& tank, const std::string& name) {
    return *add(tank, zb::kArtSchirm, name).schirm();
}
zb::TMatUebergang& addMaterial(zb::TZBecken& tank, const std::string& name) {
    return *add(tank, zb::kArtMatUebergang, name).matUebergang();
}
zb::TMesspunkt& addProbe(zb::TZBecken& tank, const std::string& name) {
    return *add(tank, zb::kArtMesspunkt, name).messpunkt();
}

std::string saveTank(const zb::TZBecken& tank, const TempDir& dir, const std::string& name) {
    const std::string path = dir.file(name);
    const zb::TankSaveResult saved = tank.SaveToFile(path);
    EXPECT_TRUE(saved.ok) << saved.reason;
    return path;
}

std::vector<std::vector<std::string>> csvCells(const std::string& text, char separator) {
    std::vector<std::vector<std::string>> lines;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find('\n', start);
        const std::string line = text.substr(start, end - start);
        start = end == std::string::npos ? text.size() : end + 1;
        std::vector<std::string> cells(1);
        bool quoted = false;
        for (char c : line) {
            if (c == '"')
                quoted = !quoted;
            else if (c == separator && !quoted)
                cells.emplace_back();
            else
                cells.back() += c;
        }
        lines.push_back(std::move(cells));
    }
    return lines;
}

} // namespace zbtool::test
