// zbtool on paths that are no regular files: outputs go straight into pipes and devices (so that
// `--heights-csv /dev/stdout` works and nothing of the system is replaced), a full device is a
// failed write, and a tank path that is a pipe is refused without waiting. Special files are
// made in a scratch folder only.
#include "tool_support.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <future>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace zbtool::test {

namespace {

using ::testing::HasSubstr;

std::string smallTank(const TempDir& dir) {
    zb::TZBecken tank;
    tank.SetSize(12, 9);
    tank.StandardKopplung = 1.0;
    addExciter(tank, "E") = {
        .X = 6, .Y = 4, .Breite = 1, .Laenge = 1, .Frequenz = 20.0, .Amplitude = 0.3};
    return saveTank(tank, dir, "klein.zb");
}

mode_t kindOf(const std::string& path) {
    struct stat st;
    return lstat(path.c_str(), &st) == 0 ? (st.st_mode & S_IFMT) : 0;
}

} // namespace

TEST(ZbtoolSpecialFiles, OutputsGoIntoPipesAndDevicesAndAFullOneIsAFailedWrite) {
    TempDir dir;
    const std::string tank = smallTank(dir);
    const std::string fifo = dir.file("rohr");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    auto reader = std::async(std::launch::async, [&] { return readText(fifo); });
    const ToolRun piped = runTool({"simulate", tank, "--steps", "20", "--heights-csv", fifo,
                                   "--elongation-out", dir.file("e.f64")});
    EXPECT_EQ(piped.exitCode, 0) << piped.err;
    if (piped.exitCode != 0)
        close(open(fifo.c_str(), O_WRONLY | O_NONBLOCK)); // lets the reader go
    const std::string heights = reader.get();
    ASSERT_EQ(csvCells(heights).size(), 1u + 9u); // the header, then the rows
    EXPECT_EQ(csvCells(heights)[1].size(), 1u + 12u);
    EXPECT_EQ(kindOf(fifo), S_IFIFO);

    const std::string full = dir.file("voll"), null = dir.file("nichts");
    if (mknod(full.c_str(), S_IFCHR | 0666, makedev(1, 7)) != 0 ||
        mknod(null.c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0)
        GTEST_SKIP() << "mknod refused (" << std::strerror(errno) << "); CI runs this as root";
    const ToolRun intoFull = runTool({"simulate", tank, "--steps", "3", "--heights-csv", full});
    EXPECT_EQ(intoFull.exitCode, 3);
    EXPECT_THAT(intoFull.err,
                HasSubstr("Kann „" + full + "“ nicht schreiben: der Datenträger ist voll."));
    const ToolRun intoNull = runTool({"simulate", tank, "--steps", "3", "--png", null});
    EXPECT_EQ(intoNull.exitCode, 0) << intoNull.err;
    EXPECT_EQ(kindOf(full), S_IFCHR);
    EXPECT_EQ(kindOf(null), S_IFCHR);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), {}), 5)
        << "the tank, e.f64 and the three special files, no temporaries";
}

TEST(ZbtoolSpecialFiles, ATankPathThatIsAPipeOrDeviceIsRefusedAtOnce) {
    TempDir dir;
    const std::string fifo = dir.file("rohr.zb");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    for (const char* command : {"info", "simulate"}) {
        const ToolRun run = std::string(command) == "info"
                                ? runTool({"info", fifo})
                                : runTool({"simulate", fifo, "--steps", "1"});
        EXPECT_EQ(run.exitCode, 2) << command;
        EXPECT_THAT(run.err, HasSubstr("„" + fifo +
                                       "“ kann nicht gelesen werden (eine benannte "
                                       "Pipe)"));
    }
    const std::string device = dir.file("null.zb");
    if (mknod(device.c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0)
        GTEST_SKIP() << "mknod refused (" << std::strerror(errno) << "); CI runs this as root";
    EXPECT_THAT(runTool({"info", device}).err, HasSubstr("(ein Gerät)"));
}

} // namespace zbtool::test
