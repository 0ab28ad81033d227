#include "arguments.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <utility>
#include <vector>

namespace zbtool {

namespace {

ParseResult failure(std::string reason) {
    return {std::nullopt, std::move(reason)};
}

std::string quoted(std::string_view s) {
    return "„" + std::string(s) + "“";
}

// Digits only: a sign, blanks or an exponent in a count are typing errors worth reporting.
std::optional<int64_t> parseWhole(std::string_view s, int64_t max) {
    if (s.empty() || s.size() > 18)
        return std::nullopt;
    int64_t v = 0;
    for (char c : s) {
        if (c < '0' || c > '9')
            return std::nullopt;
        v = v * 10 + (c - '0');
    }
    return v <= max ? std::optional(v) : std::nullopt;
}

// German users type a decimal comma; the engine takes a float, so the value is read as one.
std::optional<float> parseTimeStep(std::string_view s) {
    std::string text(s);
    if (const size_t comma = text.find(','); comma != std::string::npos)
        text[comma] = '.';
    if (text.empty() || !(text[0] == '.' || text[0] == '+' || (text[0] >= '0' && text[0] <= '9')))
        return std::nullopt;
    errno = 0;
    char* end = nullptr;
    const float v = std::strtof(text.c_str(), &end);
    if (end != text.c_str() + text.size() || errno == ERANGE || !std::isfinite(v) || v <= 0.0f)
        return std::nullopt;
    return v;
}

// "X,Y": two whole numbers from 0; anything else is a typing error.
std::optional<ProbePoint> parseProbe(std::string_view s) {
    const size_t comma = s.find(',');
    if (comma == std::string_view::npos)
        return std::nullopt;
    const std::optional<int64_t> x = parseWhole(s.substr(0, comma), INT32_MAX);
    const std::optional<int64_t> y = parseWhole(s.substr(comma + 1), INT32_MAX);
    if (!x || !y)
        return std::nullopt;
    return ProbePoint{int32_t(*x), int32_t(*y)};
}

using OutputPath = std::optional<std::string> SimulateOptions::*;

constexpr std::pair<std::string_view, OutputPath> kOutputOptions[] = {
    {"--elongation-out", &SimulateOptions::elongationOut},
    {"--heights-csv", &SimulateOptions::heightsCsv},
    {"--screens-csv", &SimulateOptions::screensCsv},
    {"--intensity-csv", &SimulateOptions::intensityCsv},
    {"--png", &SimulateOptions::png},
    {"--probes-csv", &SimulateOptions::probesCsv},
};

constexpr std::string_view kValueOptions[] = {
    "--steps", "--dt", "--average-from", "--scale", "--probe", "--csv-format", "--threads"};

std::optional<OutputPath> outputOption(std::string_view name) {
    for (const auto& [n, member] : kOutputOptions)
        if (n == name)
            return member;
    return std::nullopt;
}

bool isValueOption(std::string_view name) {
    for (std::string_view n : kValueOptions)
        if (n == name)
            return true;
    return false;
}

} // namespace

ParseResult parseArguments(std::span<const std::string_view> args) {
    if (args.empty())
        return failure("Es fehlt ein Befehl.");
    for (std::string_view a : args)
        if (a == "--help" || a == "-h")
            return {Arguments{}, {}};
    if (args.size() == 1 && args[0] == "--version") {
        Arguments version;
        version.command = Command::Version;
        return {version, {}};
    }

    Arguments result;
    const std::string_view command = args[0];
    if (command == "help")
        return {Arguments{}, {}};
    if (command == "info")
        result.command = Command::Info;
    else if (command == "simulate")
        result.command = Command::Simulate;
    else
        return failure("Unbekannter Befehl " + quoted(command) + ".");

    std::vector<std::string_view> positional;
    std::optional<int64_t> steps, averageFrom;
    std::vector<std::string_view> seen;
    bool optionsEnded = false;
    bool csvFormGiven = false;
    SimulateOptions& sim = result.simulate;

    for (size_t k = 1; k < args.size(); ++k) {
        std::string_view arg = args[k];
        if (optionsEnded || !arg.starts_with("-") || arg == "-") {
            positional.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        std::optional<std::string_view> inlineValue;
        if (const size_t eq = arg.find('='); eq != std::string_view::npos) {
            inlineValue = arg.substr(eq + 1);
            arg = arg.substr(0, eq);
        }
        const std::optional<OutputPath> output = outputOption(arg);
        // info takes no options at all.
        if ((!output && !isValueOption(arg)) || result.command != Command::Simulate)
            return failure("Unbekannte Option " + quoted(arg) + " für " + std::string(command) +
                           ".");
        for (std::string_view s : seen)
            if (s == arg && arg != "--probe") // the one option that may come again
                return failure("Die Option " + std::string(arg) + " ist doppelt angegeben.");
        seen.push_back(arg);

        std::string_view value;
        if (inlineValue) {
            value = *inlineValue;
        } else if (k + 1 < args.size()) {
            value = args[++k];
        } else {
            return failure("Bei " + std::string(arg) + " fehlt der Wert.");
        }

        if (output) {
            if (value.empty())
                return failure("Bei " + std::string(arg) + " fehlt der Dateiname.");
            sim.*(*output) = std::string(value);
        } else if (arg == "--steps") {
            steps = parseWhole(value, INT64_MAX / 2);
            if (!steps)
                return failure("--steps erwartet eine ganze Zahl ab 0, nicht " + quoted(value) +
                               ".");
        } else if (arg == "--dt") {
            const std::optional<float> dt = parseTimeStep(value);
            if (!dt)
                return failure("--dt erwartet eine Zahl größer als 0 (z. B. 0.0025), nicht " +
                               quoted(value) + ".");
            sim.dt = *dt;
        } else if (arg == "--average-from") {
            averageFrom = parseWhole(value, INT64_MAX / 2);
            if (!averageFrom)
                return failure("--average-from erwartet eine ganze Zahl ab 0, nicht " +
                               quoted(value) + ".");
        } else if (arg == "--scale") {
            const std::optional<int64_t> scale = parseWhole(value, kMaxScale);
            if (!scale || *scale < 1)
                return failure("--scale erwartet eine ganze Zahl von 1 bis " +
                               std::to_string(kMaxScale) + ", nicht " + quoted(value) + ".");
            sim.scale = int(*scale);
        } else if (arg == "--threads") {
            const std::optional<int64_t> threads = parseWhole(value, 2);
            if (!threads || *threads < 1)
                return failure("--threads erwartet 1 oder 2, nicht " + quoted(value) + ".");
            sim.threads = int(*threads);
        } else if (arg == "--probe") {
            const std::optional<ProbePoint> probe = parseProbe(value);
            if (!probe)
                return failure("--probe erwartet einen Schwinger als X,Y (zwei ganze Zahlen ab 0, "
                               "z. B. 40,25), nicht " +
                               quoted(value) + ".");
            sim.probes.push_back(*probe);
        } else if (arg == "--csv-format") {
            const std::optional<zb::CsvForm> form = zb::csvFormFromName(value);
            if (!form)
                return failure("--csv-format erwartet de (Semikolon und Dezimalkomma, für deutsche "
                               "Tabellenkalkulationen) oder en (Komma und Dezimalpunkt), nicht " +
                               quoted(value) + ".");
            sim.csvForm = *form;
            csvFormGiven = true;
        }
    }

    if (positional.empty())
        return failure("Es fehlt die Beckendatei.");
    if (positional.size() > 1)
        return failure("Nur eine Beckendatei ist möglich, angegeben sind " +
                       std::to_string(positional.size()) + ".");
    result.tank = std::string(positional[0]);

    if (result.command == Command::Simulate) {
        if (!steps)
            return failure("simulate braucht --steps N (die Zahl der Zeitschritte).");
        sim.steps = *steps;
        if (averageFrom && !sim.intensityCsv)
            return failure("--average-from gilt nur zusammen mit --intensity-csv.");
        if (sim.scale && !sim.png)
            return failure("--scale gilt nur zusammen mit --png.");
        if (!sim.probes.empty() && !sim.probesCsv)
            return failure("--probe gilt nur zusammen mit --probes-csv.");
        if (csvFormGiven && !sim.heightsCsv && !sim.screensCsv && !sim.intensityCsv &&
            !sim.probesCsv)
            return failure("--csv-format gilt nur zusammen mit --heights-csv, --screens-csv, "
                           "--intensity-csv oder --probes-csv.");
        if (averageFrom && *averageFrom > sim.steps)
            return failure("--average-from darf nicht größer sein als --steps (" +
                           std::to_string(sim.steps) + ").");
        sim.averageFrom = averageFrom.value_or(sim.steps / 2);
    }
    return {std::move(result), {}};
}

} // namespace zbtool
