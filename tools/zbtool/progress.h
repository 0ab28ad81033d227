// A progress bar on standard error, drawn only when a person watches it there.
#pragma once

#include <cstdint>
#include <cstdio>

namespace zbtool {

class ProgressBar {
  public:
    // Draws nothing unless out is a terminal.
    ProgressBar(int64_t total, std::FILE* out);
    ~ProgressBar(); // ends the line, so that later messages start on their own
    ProgressBar(const ProgressBar&) = delete;
    ProgressBar& operator=(const ProgressBar&) = delete;

    void update(int64_t done);

  private:
    void draw(int64_t done, int permille);

    int64_t total_;
    std::FILE* out_;
    bool active_;
    int lastPermille_ = -1;
};

} // namespace zbtool
