// The one writer of every file the program and zbtool write: complete or nothing for regular
// files, straight into pipes and devices where that is asked for, and no temporaries left
// behind by a writer that was killed. Special files are made in a scratch folder only.
#include "model/replacing_file.h"
#include "model/tank_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <future>
#include <iterator>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

namespace zb::test {

namespace fs = std::filesystem;

namespace {

class Scratch {
  public:
    Scratch() {
        std::string pattern = (fs::temp_directory_path() / "zb-replacing-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("mkdtemp");
        path_ = pattern;
    }
    ~Scratch() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    std::string file(const std::string& name) const { return (path_ / name).string(); }
    std::vector<std::string> entries() const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(path_))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

  private:
    fs::path path_;
};

std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

mode_t kindOf(const std::string& path) {
    struct stat st;
    return lstat(path.c_str(), &st) == 0 ? (st.st_mode & S_IFMT) : 0;
}

// A character device like the system's own (1,3 discards, 1,7 is always full), or nothing
// where the test may not make one.
bool makeDevice(const std::string& path, unsigned minor) {
    return mknod(path.c_str(), S_IFCHR | 0666, makedev(1, minor)) == 0;
}

// Fails the test instead of hanging it when a pipe is opened that nobody serves.
struct HangGuard {
    HangGuard() { alarm(30); }
    ~HangGuard() { alarm(0); }
};

} // namespace

TEST(ReplacingFile, PipesAndDevicesAreWrittenIntoWhereAskedAndRefusedOtherwise) {
    Scratch dir;
    HangGuard guard;
    const std::string fifo = dir.file("rohr");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);

    // Tank files accept regular files only; nothing is opened, so nothing waits for a reader.
    ReplacingFile refused(fifo);
    EXPECT_FALSE(refused.open());
    EXPECT_EQ(refused.reason(), "keine gewöhnliche Datei, sondern eine benannte Pipe");
    const TankSaveResult save = writeTankFile(fifo, TZBecken());
    EXPECT_FALSE(save.ok);
    EXPECT_EQ(save.reason, refused.reason());

    // As `cat > fifo`: waits for the reader, then writes into the pipe.
    auto reader = std::async(std::launch::async, [&] { return readAll(fifo); });
    ReplacingFile intoPipe(fifo, FileTargets::AlsoSpecial);
    ASSERT_TRUE(intoPipe.open()) << intoPipe.reason();
    EXPECT_TRUE(intoPipe.direct());
    EXPECT_TRUE(intoPipe.commit(std::string("1,2,3\n"))) << intoPipe.reason();
    EXPECT_EQ(reader.get(), "1,2,3\n");
    EXPECT_EQ(kindOf(fifo), S_IFIFO);

    // A link to an open pipe of this process, as /dev/stdout is one to standard output.
    int ends[2];
    ASSERT_EQ(pipe(ends), 0);
    const std::string link = dir.file("stdout");
    fs::create_symlink("/proc/self/fd/" + std::to_string(ends[1]), link);
    ReplacingFile throughLink(link, FileTargets::AlsoSpecial);
    ASSERT_TRUE(throughLink.open()) << throughLink.reason();
    ASSERT_TRUE(throughLink.commit(std::string("abc")));
    close(ends[1]);
    char got[8] = {};
    EXPECT_EQ(read(ends[0], got, sizeof got), 3);
    EXPECT_STREQ(got, "abc");
    close(ends[0]);
    EXPECT_EQ(kindOf(link), S_IFLNK);

    const std::string full = dir.file("voll"), null = dir.file("nichts");
    if (!makeDevice(full, 7) || !makeDevice(null, 3))
        GTEST_SKIP() << "mknod refused (" << std::strerror(errno) << "); CI runs this as root";
    ReplacingFile intoFull(full, FileTargets::AlsoSpecial);
    ASSERT_TRUE(intoFull.open()) << intoFull.reason();
    EXPECT_FALSE(intoFull.commit(std::string(20000, 'x')));
    EXPECT_EQ(intoFull.reason(), "der Datenträger ist voll");
    ReplacingFile intoNull(null, FileTargets::AlsoSpecial);
    ASSERT_TRUE(intoNull.open());
    EXPECT_TRUE(intoNull.commit(std::string(20000, 'x'))) << intoNull.reason();
    ReplacingFile deviceForATank(null);
    EXPECT_FALSE(deviceForATank.open());
    EXPECT_EQ(deviceForATank.reason(), "keine gewöhnliche Datei, sondern ein Gerät");
    EXPECT_EQ(kindOf(full), S_IFCHR);
    EXPECT_EQ(kindOf(null), S_IFCHR);
    EXPECT_EQ(dir.entries(), (std::vector<std::string>{"nichts", "rohr", "stdout", "voll"}))
        << "no temporaries beside them";
}

TEST(ReplacingFile, AKilledWritersTemporaryIsHiddenAndRemovedByTheNextSave) {
    Scratch dir;
    const std::string target = dir.file("becken.zb");
    ASSERT_TRUE(writeTankFile(target, TZBecken()).ok);
    const std::string prefix = ReplacingFile::temporaryPrefix("becken.zb");
    EXPECT_EQ(prefix, ".becken.zb.zbtemp-");

    // A writer killed between open and commit leaves its temporary, unlocked by its death.
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ReplacingFile file(target);
        if (file.open())
            kill(getpid(), SIGKILL);
        _exit(1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status));
    std::vector<std::string> left = dir.entries();
    ASSERT_EQ(left.size(), 2u);
    const std::string stale = left[0];
    EXPECT_EQ(stale.rfind(prefix, 0), 0u) << stale;
    EXPECT_EQ(stale.size(), prefix.size() + 6);

    // A live writer's temporary is locked and stays; names not quite ours stay as well.
    const std::string live = dir.file(prefix + "Live01");
    const int liveFd = ::open(live.c_str(), O_CREAT | O_RDWR, 0600);
    ASSERT_GE(liveFd, 0);
    ASSERT_EQ(flock(liveFd, LOCK_EX), 0);
    for (const std::string& other :
         {prefix + "short", prefix + "Abc12-", std::string(".anders.zb.zbtemp-Abc123")})
        std::ofstream(dir.file(other)) << "fremd";

    TZBecken small;
    small.SetSize(7, 5);
    ASSERT_TRUE(writeTankFile(target, small).ok);
    const std::vector<std::string> after = dir.entries();
    EXPECT_EQ(std::count(after.begin(), after.end(), stale), 0) << "the stale one is gone";
    EXPECT_EQ(after.size(), 5u) << "the live one, the three others and the tank remain";
    EXPECT_EQ(kindOf(live), S_IFREG);
    close(liveFd);
    TZBecken back;
    EXPECT_EQ(back.read(target), TankReadResult::Ok);
    EXPECT_EQ(back.GroesseX, 7);
}

TEST(TankReading, NothingButARegularFileIsOpenedAndTheDetailSaysWhy) {
    Scratch dir;
    HangGuard guard;
    const std::string fifo = dir.file("rohr.zb");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    TZBecken tank;
    tank.SetSize(33, 44);
    TankReadDetail detail;
    EXPECT_EQ(tank.read(fifo, &detail), TankReadResult::CannotOpen);
    EXPECT_EQ(detail.reason, "eine benannte Pipe");
    EXPECT_EQ(tank.read(dir.file("."), &detail), TankReadResult::CannotOpen);
    EXPECT_EQ(detail.reason, "ein Ordner");
    EXPECT_EQ(tank.read(dir.file("fehlt.zb"), &detail), TankReadResult::Missing);

    // The version a file starts with, so that "not a tank" and "a newer tank" can be told apart.
    std::ofstream(dir.file("fremd.zb"), std::ios::binary) << "%PDF-1.7 and so on";
    EXPECT_EQ(tank.read(dir.file("fremd.zb"), &detail), TankReadResult::WrongVersion);
    EXPECT_EQ(detail.version, 0x46445025);
    EXPECT_EQ(tank.GroesseX, 33);

    const std::string device = dir.file("null.zb");
    if (!makeDevice(device, 3))
        GTEST_SKIP() << "mknod refused (" << std::strerror(errno) << "); CI runs this as root";
    EXPECT_EQ(tank.read(device, &detail), TankReadResult::CannotOpen);
    EXPECT_EQ(detail.reason, "ein Gerät");
    EXPECT_EQ(tank.GroesseY, 44);
}

} // namespace zb::test
