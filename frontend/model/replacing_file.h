// A file that replaces its target only once it is complete, so that a failed or interrupted
// write never leaves a half-written file where the user's last good one was.
//
// The data go to a hidden temporary ".<name>.zbtemp-XXXXXX" beside the target, which is synced
// and renamed over the target. The writer holds an exclusive flock on its temporary; a writer
// that was killed leaves its temporary behind unlocked, and the next writer to the same target
// removes it (a live writer's locked one is kept).
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace zb {

// What a path may name besides a regular file or nothing.
enum class FileTargets {
    RegularOnly, // a folder, pipe, device or socket is refused (tank files)
    AlsoSpecial, // a pipe or device is written into directly, as shell redirections do
};

class ReplacingFile {
  public:
    explicit ReplacingFile(std::string path, FileTargets accepted = FileTargets::RegularOnly)
        : path_(std::move(path)), accepted_(accepted) {}
    ~ReplacingFile(); // removes the temporary file unless committed
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    // Creates the temporary file beside the target (or opens a pipe or device for writing, which
    // waits for a reader as `cat > fifo` does), so that a path that cannot be written is
    // reported before any work is done.
    bool open();
    // Writes the data and renames the temporary file over the target.
    bool commit(std::span<const uint8_t> data);
    bool commit(const std::string& text);

    const std::string& path() const { return path_; }
    // The German reason for the last failure, e.g. "der Datenträger ist voll".
    const std::string& reason() const { return reason_; }
    // True after open() when the target is a pipe or device that is written directly.
    bool direct() const { return direct_; }

    // The name of a temporary for a target called name, without its six random characters.
    static std::string temporaryPrefix(const std::string& name);

  private:
    bool fail(int error);
    bool failWith(std::string reason);
    bool openDirect();
    bool openTemporary(bool exists, unsigned mode);

    std::string path_;
    FileTargets accepted_;
    std::string target_;
    std::string temporary_;
    std::string reason_;
    int fd_ = -1;
    int lockFd_ = -1; // keeps the temporary locked from its creation until after the rename
    bool direct_ = false;
};

} // namespace zb
