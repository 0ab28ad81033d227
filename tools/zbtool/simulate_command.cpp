#include "simulate_command.h"

#include "engine_view.h"
#include "exit_codes.h"
#include "field_check.h"
#include "field_output.h"
#include "height_picture.h"
#include "model/replacing_file.h"
#include "model/stability.h"
#include "probe_series.h"
#include "progress.h"
#include "screens.h"
#include "tank_input.h"
#include "time_step.h"

#include "zbengine.h"
#include "zbengine_tools.h"

#include <csignal>
#include <cstdio>
#include <sys/stat.h>

namespace zbtool {

namespace {

volatile std::sig_atomic_t gInterrupted = 0;

extern "C" void onInterrupt(int) {
    gInterrupted = 1;
}

bool sameFile(const std::string& a, const std::string& b) {
    struct stat sa, sb;
    return stat(a.c_str(), &sa) == 0 && stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}

void reportWriteFailure(const zb::ReplacingFile& file) {
    std::fprintf(stderr, "zbtool: Kann „%s“ nicht schreiben: %s.\n", file.path().c_str(),
                 file.reason().c_str());
}

// The PNG is checked before the run, so that a long simulation does not end in nothing.
std::optional<std::string> pictureProblem(const ZBTOOLS_PoolView& pool, int scale) {
    if (!pool.exists)
        return "die Größe " + std::to_string(pool.sizeX) + " × " + std::to_string(pool.sizeY) +
               " ergibt kein Becken, also kein Bild";
    if (!pictureFits(pool.sizeX, pool.sizeY, scale))
        return "das Bild wäre mit " + std::to_string(scale) +
               " Bildpunkten je Schwinger zu groß; kleineres --scale wählen";
    return std::nullopt;
}

struct Outputs {
    std::optional<zb::ReplacingFile> elongation, heights, screens, intensity, png, probes;
};

// Opens every requested file before the run, so that a wrong path is reported at once rather
// than after a long simulation. Returns 0 or the exit code.
int openOutputs(const SimulateOptions& options, const std::string& tankPath, Outputs& files) {
    const struct {
        const char* option;
        const std::optional<std::string>& path;
        std::optional<zb::ReplacingFile>& file;
    } outputs[] = {
        {"--elongation-out", options.elongationOut, files.elongation},
        {"--heights-csv", options.heightsCsv, files.heights},
        {"--screens-csv", options.screensCsv, files.screens},
        {"--intensity-csv", options.intensityCsv, files.intensity},
        {"--png", options.png, files.png},
        {"--probes-csv", options.probesCsv, files.probes},
    };
    for (const auto& out : outputs) {
        if (out.path && sameFile(*out.path, tankPath)) {
            std::fprintf(stderr, "zbtool: %s würde die Beckendatei „%s“ überschreiben.\n",
                         out.option, tankPath.c_str());
            return kExitUsage;
        }
    }
    for (const auto& out : outputs) {
        if (!out.path)
            continue;
        out.file.emplace(*out.path, zb::FileTargets::AlsoSpecial);
        if (!out.file->open()) {
            reportWriteFailure(*out.file);
            return kExitOutput;
        }
    }
    return 0;
}

// A look at the whole field costs about as much as a step; every 16th step keeps it to a few
// percent, and a fault never heals, so none escapes the look after the last step.
constexpr int64_t kFieldCheckInterval = 16;

struct RunEnd {
    enum { Completed, Interrupted, NotFinite } how = Completed;
    int64_t step = 0; // NotFinite: the step after which the fault was found
    Node node{};      // NotFinite: the first node in row order that is no finite number
};

// The engine keeps 4096 steps of probe samples; taking them more often keeps its store from
// overflowing.
constexpr int64_t kProbeTakeInterval = 1024;

RunEnd runSteps(const SimulateOptions& options, const EngineView& engine,
                std::optional<IntensityAverage>& average, std::optional<ProbeCsv>& probes) {
    if (average && options.averageFrom == 0)
        average->addSample(engine);
    gInterrupted = 0;
    RunEnd end;
    const auto previous = std::signal(SIGINT, onInterrupt);
    {
        ProgressBar progress(engine.pool.exists ? options.steps : 0, stderr);
        // Without a pool a frame does nothing; there is no point in counting them.
        for (int64_t step = 1; step <= options.steps && engine.pool.exists && !gInterrupted;
             ++step) {
            ZBDLL_NextFrame();
            if (average && step >= options.averageFrom)
                average->addSample(engine);
            if (probes && step % kProbeTakeInterval == 0)
                probes->takeSamples();
            progress.update(step);
            if (step % kFieldCheckInterval == 0 || step == options.steps) {
                if (const std::optional<Node> node = firstNonFiniteNode(engine.pool)) {
                    end = {RunEnd::NotFinite, step, *node};
                    break;
                }
            }
        }
    }
    std::signal(SIGINT, previous);
    if (probes)
        probes->takeSamples();
    if (gInterrupted && end.how == RunEnd::Completed)
        end.how = RunEnd::Interrupted;
    return end;
}

bool commit(zb::ReplacingFile& file, const auto& data) {
    if (file.commit(data))
        return true;
    reportWriteFailure(file);
    return false;
}

} // namespace

int runSimulate(const std::string& tankPath, const SimulateOptions& options) {
    zb::TZBecken tank;
    if (const std::string problem = readTank(tankPath, tank); !problem.empty()) {
        std::fprintf(stderr, "zbtool: %s.\n", problem.c_str());
        return kExitTank;
    }
    // Refused before any output is opened: a pipe would wait for its reader in vain.
    if (const std::optional<std::string> problem = zb::unstableValue(tank)) {
        std::fprintf(stderr, "zbtool: %s Damit wird die Rechnung bei jedem --dt instabil.\n",
                     problem->c_str());
        return kExitUsage;
    }
    if (const std::optional<std::string> problem = timeStepProblem(tank, options.dt)) {
        std::fprintf(stderr, "zbtool: %s\n", problem->c_str());
        return kExitUsage;
    }
    if (options.probesCsv) {
        if (const std::optional<std::string> problem = probesProblem(tank, options.probes)) {
            std::fprintf(stderr, "zbtool: %s\n", problem->c_str());
            return kExitUsage;
        }
    }
    Outputs files;
    if (const int failed = openOutputs(options, tankPath, files))
        return failed;

    ZBTOOLS_SetHeadless(true); // never drawn: no index lists, no normals (no output uses them)
    ZBTOOLS_SetStepThreads(options.threads.value_or(0));
    tank.TransferToEngine();
    addCommandLineProbes(options.probes);
    ZBDLL_SetPaused(false);
    ZBDLL_SetSimulationSpeed(options.dt);
    ZBDLL_EnableExciters(true);
    const EngineView engine = engineView();

    const int scale = options.scale.value_or(defaultScale(engine.pool.sizeX, engine.pool.sizeY));
    if (files.png) {
        if (const std::optional<std::string> problem = pictureProblem(engine.pool, scale)) {
            std::fprintf(stderr, "zbtool: Kann „%s“ nicht schreiben: %s.\n",
                         files.png->path().c_str(), problem->c_str());
            return kExitOutput;
        }
    }
    if (!engine.pool.exists)
        std::fprintf(stderr,
                     "zbtool: Hinweis: die Größe %d × %d ergibt kein Becken; es gibt nichts zu "
                     "berechnen.\n",
                     engine.pool.sizeX, engine.pool.sizeY);

    std::optional<IntensityAverage> average;
    if (files.intensity)
        average.emplace(engine);
    std::optional<ProbeCsv> probes;
    if (files.probes)
        probes.emplace(runProbes(tank, options.probes), options.dt, options.csvForm);
    const RunEnd end = runSteps(options, engine, average, probes);
    if (end.how == RunEnd::Interrupted) {
        std::fprintf(stderr, "zbtool: abgebrochen; keine Ausgabedatei wurde verändert.\n");
        return kExitInterrupted;
    }
    // The outputs are still written, so that one can see where the field broke down; the
    // message and the exit code keep anyone from taking them for results.
    if (end.how == RunEnd::NotFinite)
        std::fprintf(stderr,
                     "zbtool: Nach Schritt %lld ist das Feld keine endliche Zahl mehr (zuerst "
                     "bei Schwinger %d, %d): die Rechnung ist instabil geworden. Die Ausgaben "
                     "zeigen diesen Stand; im Bild sind solche Schwinger violett.\n",
                     static_cast<long long>(end.step), end.node.i, end.node.j);

    bool written = true;
    if (files.elongation)
        written &= commit(*files.elongation, elongationBytes(engine.pool));
    if (files.heights)
        written &= commit(*files.heights, heightsCsv(engine.pool, options.csvForm));
    if (files.screens)
        written &= commit(*files.screens, screensCsv(engine, options.csvForm));
    if (files.intensity)
        written &= commit(*files.intensity, intensityCsv(engine, average->averages(),
                                                         options.averageFrom, options.csvForm));
    if (files.png)
        written &= commit(*files.png, encodePng(heightPicture(engine.pool, scale)));
    if (files.probes)
        written &= commit(*files.probes, probes->text());
    if (!written)
        return kExitOutput;
    return end.how == RunEnd::NotFinite ? kExitNotFinite : kExitOk;
}

} // namespace zbtool
