// A file that replaces its target only once it is complete, so that a failed or interrupted
// write never leaves a half-written file where the user's last good one was.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace zb {

class ReplacingFile {
  public:
    explicit ReplacingFile(std::string path) : path_(std::move(path)) {}
    ~ReplacingFile(); // removes the temporary file unless committed
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    // Creates the temporary file beside the target, so that a folder that does not exist is
    // reported before any work is done.
    bool open();
    // Writes the data and renames the temporary file over the target.
    bool commit(std::span<const uint8_t> data);
    bool commit(const std::string& text);

    const std::string& path() const { return path_; }
    // The system's reason for the last failure.
    const std::string& reason() const { return reason_; }

  private:
    bool fail(int error);

    std::string path_;
    std::string target_;
    std::string temporary_;
    std::string reason_;
    int fd_ = -1;
};

} // namespace zb
