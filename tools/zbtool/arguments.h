// The command line of zbtool, parsed without side effects so that every rule can be tested.
#pragma once

#include "model/csv_table.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zbtool {

enum class Command { Help, Version, Info, Simulate };

// An oscillator given on the command line, 0-based like the tank's positions.
struct ProbePoint {
    int32_t x = 0;
    int32_t y = 0;
    bool operator==(const ProbePoint&) const = default;
};

struct SimulateOptions {
    int64_t steps = 0;
    float dt = 0.0025f;
    int64_t averageFrom = 0;    // first step of the intensity average; steps / 2 unless given
    std::optional<int> scale;   // pixels per node; chosen from the tank's size unless given
    std::optional<int> threads; // 1 or 2 for the steps; as the machine has unless given
    std::optional<std::string> elongationOut;
    std::optional<std::string> heightsCsv;
    std::optional<std::string> screensCsv;
    std::optional<std::string> intensityCsv;
    std::optional<std::string> png;
    std::optional<std::string> probesCsv;
    std::vector<ProbePoint> probes; // --probe, in the order given
    // International unless --csv-format de: scripts written against zbtool expect it.
    zb::CsvForm csvForm = zb::CsvForm::International;
};

struct Arguments {
    Command command = Command::Help;
    std::string tank;
    SimulateOptions simulate;
};

// Either the arguments or the German reason why the command line is wrong.
struct ParseResult {
    std::optional<Arguments> arguments;
    std::string error;
};

// args excludes the program name.
ParseResult parseArguments(std::span<const std::string_view> args);

constexpr int kMaxScale = 64;

} // namespace zbtool
