// Running the built zbtool and making the tanks and folders its tests need.
#pragma once

#include "model/tank.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace zbtool::test {

namespace fs = std::filesystem;

struct ToolRun {
    int exitCode = -1; // -1 when the program did not end normally (a crash)
    std::string out;
    std::string err;
};

// Runs zbtool with the arguments, standard input empty, messages of the system in English;
// ends it and fails the test when it takes longer than a minute.
ToolRun runTool(const std::vector<std::string>& args);
// The same for another of the project's programs.
ToolRun runProgram(const std::string& program, const std::vector<std::string>& args);

class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    std::string file(const std::string& name) const { return (path_ / name).string(); }
    const fs::path& path() const { return path_; }

  private:
    fs::path path_;
};

std::vector<uint8_t> readBytes(const std::string& path);
std::string readText(const std::string& path);
void writeBytes(const std::string& path, const std::vector<uint8_t>& bytes);

// Tanks written with the model's own writer.
zb::TErreger& addExciter(zb::TZBecken& tank, const std::string& name);
zb::TWand& addWall(zb::TZBecken& tank, const std::string& name);
zb::TSchirm& addScreen(zb::TZBecken& tank, const std::string& name);
zb::TMatUebergang& addMaterial(zb::TZBecken& tank, const std::string& name);
zb::TMesspunkt& addProbe(zb::TZBecken& tank, const std::string& name);
std::string saveTank(const zb::TZBecken& tank, const TempDir& dir, const std::string& name);

// Lines split into cells at the separator (outside quotes), the quotes taken out.
std::vector<std::vector<std::string>> csvCells(const std::string& text, char separator = ',');

} // namespace zbtool::test
