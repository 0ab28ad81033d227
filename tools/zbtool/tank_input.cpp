#include "tank_input.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>

namespace zbtool {

namespace {

// The model reports a wrong version without the number; the user wants to see it, since a
// number far from 1 or 2 tells "not a tank at all" from "a newer program's tank".
std::string versionText(const std::string& path) {
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return "?";
    unsigned char b[4];
    const bool complete = std::fread(b, 1, sizeof b, f) == sizeof b;
    std::fclose(f);
    if (!complete)
        return "?";
    const uint32_t bits =
        uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24;
    int32_t version;
    std::memcpy(&version, &bits, sizeof version);
    return std::to_string(version);
}

// The model only says that the file cannot be read; the user needs to know why.
std::string openFailure(const std::string& path) {
    struct stat st;
    if (stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode))
        return " (ein Ordner)";
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return " (" + std::string(std::strerror(errno)) + ")";
    std::fclose(f);
    return {};
}

} // namespace

std::string readTank(const std::string& path, zb::TZBecken& tank) {
    const std::string name = "Datei „" + path + "“";
    switch (tank.read(path)) {
    case zb::TankReadResult::Ok:
        return {};
    case zb::TankReadResult::Missing:
        return name + " nicht gefunden";
    case zb::TankReadResult::CannotOpen:
        return name + " kann nicht gelesen werden" + openFailure(path);
    case zb::TankReadResult::WrongVersion:
        return name + " ist keine Zitterbecken-Datei (Version " + versionText(path) +
               ", erwartet 1 oder 2)";
    case zb::TankReadResult::Truncated:
        return name + " ist unvollständig";
    }
    return name + " kann nicht gelesen werden";
}

} // namespace zbtool
