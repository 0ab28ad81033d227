// Draws the gallery's thumbnails: gallery_thumbnails SOURCE OUTPUT writes OUTPUT/NAME.png for
// every experiment of the folder SOURCE. A text or tank that does not read fails the run, naming
// the file, so that a broken experiment stops the build instead of missing from the gallery.
#include "thumbnail.h"

#include "model/gallery.h"
#include "png_writer.h"
#include "tank_input.h"

#include "zbengine_tools.h"

#include <cerrno>
#include <clocale>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

bool writeFile(const fs::path& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    out.close();
    return bool(out);
}

// Draws entries first, first + stride, ...; 0 when all were written.
int draw(const std::vector<zb::GalleryEntry>& entries, const fs::path& output, size_t first,
         size_t stride) {
    ZBTOOLS_SetHeadless(true);
    for (size_t k = first; k < entries.size(); k += stride) {
        const zb::GalleryEntry& e = entries[k];
        zb::TZBecken tank;
        if (const std::string problem = zbtool::readTank(e.tankPath, tank); !problem.empty()) {
            std::fprintf(stderr, "gallery_thumbnails: %s.\n", problem.c_str());
            return 1;
        }
        const zb::gallery::Thumbnail picture = zb::gallery::makeThumbnail(tank, e.pictureSteps);
        if (!picture.image) {
            std::fprintf(stderr, "gallery_thumbnails: %s: %s\n", e.tankPath.c_str(),
                         picture.problem.c_str());
            return 1;
        }
        const fs::path png = output / (e.name + ".png");
        if (!writeFile(png, zbtool::encodePng(*picture.image))) {
            std::fprintf(stderr, "gallery_thumbnails: „%s“ kann nicht geschrieben werden\n",
                         png.string().c_str());
            return 1;
        }
    }
    return 0;
}

// The gallery's pools are too small for the engine's second step thread, so a second core
// draws every other experiment in a process of its own (the engine is one per process).
int drawOnTheCores(const std::vector<zb::GalleryEntry>& entries, const fs::path& output) {
    if (entries.size() < 2 || std::thread::hardware_concurrency() < 2)
        return draw(entries, output, 0, 1);
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child < 0)
        return draw(entries, output, 0, 1);
    if (child == 0)
        _exit(draw(entries, output, 1, 2));
    const int mine = draw(entries, output, 0, 2);
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    const bool childDone = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return mine == 0 && childDone ? 0 : 1;
}

int run(const fs::path& source, const fs::path& output) {
    std::vector<std::string> problems;
    const std::vector<zb::GalleryEntry> entries = zb::readGallery(source.string(), &problems);
    for (const std::string& p : problems)
        std::fprintf(stderr, "gallery_thumbnails: %s/%s\n", source.string().c_str(), p.c_str());
    if (!problems.empty())
        return 1;
    std::error_code ec;
    fs::create_directories(output, ec);
    if (ec) {
        std::fprintf(stderr, "gallery_thumbnails: Ordner „%s“ kann nicht angelegt werden: %s\n",
                     output.string().c_str(), ec.message().c_str());
        return 1;
    }
    return drawOnTheCores(entries, output);
}

} // namespace

int main(int argc, char* argv[]) {
    std::setlocale(LC_ALL, "C");
    if (argc != 3) {
        std::fprintf(stderr, "Aufruf: gallery_thumbnails QUELLORDNER ZIELORDNER\n");
        return 2;
    }
    try {
        return run(argv[1], argv[2]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "gallery_thumbnails: %s\n", e.what());
        return 1;
    }
}
