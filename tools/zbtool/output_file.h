// An output file that replaces its target only once it is complete, so that a failed or
// interrupted run never leaves a half-written file where the user's last good one was.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace zbtool {

class OutputFile {
  public:
    explicit OutputFile(std::string path) : path_(std::move(path)) {}
    ~OutputFile(); // removes the temporary file unless committed
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Creates the temporary file beside the target. Done before a long simulation, so that a
    // folder that does not exist is reported at once.
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

} // namespace zbtool
