#include "progress.h"

#include <unistd.h>

namespace zbtool {

namespace {

constexpr int kBarWidth = 40;

} // namespace

ProgressBar::ProgressBar(int64_t total, std::FILE* out)
    : total_(total), out_(out), active_(total > 0 && isatty(fileno(out))) {
    update(0);
}

ProgressBar::~ProgressBar() {
    if (active_ && lastPermille_ >= 0)
        std::fputc('\n', out_);
}

void ProgressBar::update(int64_t done) {
    if (!active_)
        return;
    // Redrawn only when the shown value changes: a terminal is slow next to a small tank.
    const int permille = done >= total_ ? 1000 : int(double(done) / double(total_) * 1000.0);
    if (permille != lastPermille_)
        draw(done, permille);
    lastPermille_ = permille;
}

void ProgressBar::draw(int64_t done, int permille) {
    const int filled = permille * kBarWidth / 1000;
    char bar[kBarWidth + 1];
    for (int k = 0; k < kBarWidth; ++k)
        bar[k] = k < filled ? '#' : '.';
    bar[kBarWidth] = '\0';
    std::fprintf(out_, "\rSimulation [%s] %3d,%d %%  Schritt %lld von %lld", bar, permille / 10,
                 permille % 10, static_cast<long long>(done), static_cast<long long>(total_));
    std::fflush(out_);
}

} // namespace zbtool
