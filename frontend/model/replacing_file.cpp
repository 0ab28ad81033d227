#include "model/replacing_file.h"
#include "model/system_errors.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <string_view>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zb {

namespace {

constexpr std::string_view kTemporaryMark = ".zbtemp-";
constexpr size_t kRandomLength = 6; // mkstemp's XXXXXX

bool sameInode(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

bool isTemporaryOf(std::string_view entry, const std::string& prefix) {
    if (entry.size() != prefix.size() + kRandomLength || !entry.starts_with(prefix))
        return false;
    for (char c : entry.substr(prefix.size()))
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')))
            return false;
    return true;
}

// Removes what a killed writer left: our temporaries for this target that no live writer
// holds a lock on. Only regular files are opened, never followed through a link.
void removeStaleTemporaries(const std::string& folder, const std::string& prefix) {
    DIR* dir = opendir(folder.empty() ? "." : folder.c_str());
    if (!dir)
        return;
    while (const dirent* entry = readdir(dir)) {
        if (!isTemporaryOf(entry->d_name, prefix))
            continue;
        const std::string path = folder + entry->d_name;
        struct stat named, opened, still;
        if (lstat(path.c_str(), &named) != 0 || !S_ISREG(named.st_mode))
            continue;
        // Either access will do for the lock: a temporary has the mode of its target.
        constexpr int kFlags = O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
        int fd = ::open(path.c_str(), O_RDONLY | kFlags);
        if (fd < 0 && errno == EACCES)
            fd = ::open(path.c_str(), O_WRONLY | kFlags);
        if (fd < 0)
            continue;
        if (fstat(fd, &opened) == 0 && sameInode(opened, named) &&
            flock(fd, LOCK_EX | LOCK_NB) == 0 && lstat(path.c_str(), &still) == 0 &&
            sameInode(still, opened))
            ::unlink(path.c_str());
        ::close(fd);
    }
    closedir(dir);
}

} // namespace

std::string ReplacingFile::temporaryPrefix(const std::string& name) {
    std::string prefix = "." + name;
    // A name near the length limit is shortened so that the temporary's name still fits.
    const size_t room = NAME_MAX - kTemporaryMark.size() - kRandomLength;
    if (prefix.size() > room)
        prefix.resize(room);
    return prefix + std::string(kTemporaryMark);
}

ReplacingFile::~ReplacingFile() {
    if (fd_ >= 0)
        ::close(fd_);
    if (!temporary_.empty())
        ::unlink(temporary_.c_str());
    if (lockFd_ >= 0)
        ::close(lockFd_);
}

bool ReplacingFile::fail(int error) {
    return failWith(systemErrorText(error));
}

bool ReplacingFile::failWith(std::string reason) {
    reason_ = std::move(reason);
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
    if (!temporary_.empty())
        ::unlink(temporary_.c_str());
    temporary_.clear();
    if (lockFd_ >= 0)
        ::close(lockFd_);
    lockFd_ = -1;
    return false;
}

bool ReplacingFile::open() {
    // Beside the real file, so that the rename stays on one file system and a link stays a link.
    target_ = path_;
    if (char* real = realpath(path_.c_str(), nullptr)) {
        target_ = real;
        std::free(real);
    }
    struct stat st;
    const bool exists = stat(target_.c_str(), &st) == 0;
    if (exists && S_ISDIR(st.st_mode))
        return fail(EISDIR);
    if (exists && !S_ISREG(st.st_mode)) {
        // A socket cannot be opened at all; a pipe or device is only ever written into.
        if (accepted_ == FileTargets::RegularOnly || S_ISSOCK(st.st_mode))
            return failWith("keine gewöhnliche Datei, sondern " + fileKindText(st.st_mode));
        return openDirect();
    }
    return openTemporary(exists, exists ? unsigned(st.st_mode & 07777) : 0);
}

bool ReplacingFile::openDirect() {
    do
        fd_ = ::open(target_.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
    while (fd_ < 0 && errno == EINTR);
    if (fd_ < 0)
        return fail(errno);
    struct stat st;
    if (fstat(fd_, &st) != 0)
        return fail(errno);
    if (S_ISREG(st.st_mode)) {
        // Replaced by a regular file since it was looked at: that one is replaced as usual.
        ::close(fd_);
        fd_ = -1;
        return openTemporary(true, unsigned(st.st_mode & 07777));
    }
    direct_ = true;
    return true;
}

bool ReplacingFile::openTemporary(bool exists, unsigned mode) {
    const size_t slash = target_.rfind('/');
    const std::string folder = slash == std::string::npos ? "" : target_.substr(0, slash + 1);
    const std::string prefix = temporaryPrefix(target_.substr(folder.size()));
    removeStaleTemporaries(folder, prefix);

    // Another writer's clean-up may take a temporary between its creation and its lock; the
    // name is checked once the lock is held, and a lost one is made anew.
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string temporary = folder + prefix + "XXXXXX";
        fd_ = mkostemp(temporary.data(), O_CLOEXEC);
        if (fd_ < 0)
            return fail(errno);
        temporary_ = temporary;
        int locked;
        do
            locked = flock(fd_, LOCK_EX);
        while (locked != 0 && errno == EINTR);
        if (locked != 0)
            return fail(errno);
        struct stat opened, named;
        if (fstat(fd_, &opened) != 0)
            return fail(errno);
        if (lstat(temporary_.c_str(), &named) == 0 && sameInode(named, opened))
            break;
        ::close(fd_);
        fd_ = -1;
        temporary_.clear();
    }
    if (fd_ < 0)
        return fail(EEXIST);
    lockFd_ = dup(fd_);
    if (lockFd_ < 0)
        return fail(errno);

    if (!exists) {
        const mode_t mask = umask(0);
        umask(mask);
        mode = 0666 & ~mask;
    }
    if (fchmod(fd_, mode_t(mode)) != 0)
        return fail(errno);
    return true;
}

bool ReplacingFile::commit(std::span<const uint8_t> data) {
    if (fd_ < 0)
        return reason_.empty() ? failWith("die Datei ist nicht geöffnet") : false;
    for (size_t done = 0; done < data.size();) {
        const ssize_t n = ::write(fd_, data.data() + done, data.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            // A pipe shared with a program that made it non-blocking: wait until it drains.
            pollfd p{fd_, POLLOUT, 0};
            ::poll(&p, 1, -1);
            continue;
        }
        if (n <= 0)
            return fail(n < 0 ? errno : EIO);
        done += size_t(n);
    }
    // A pipe or terminal cannot be synced; a device that can is synced by its driver's rules.
    if (!direct_ && fsync(fd_) != 0)
        return fail(errno);
    const int closed = ::close(fd_);
    fd_ = -1;
    if (closed != 0)
        return fail(errno);
    if (direct_)
        return true;
    if (std::rename(temporary_.c_str(), target_.c_str()) != 0)
        return fail(errno);
    temporary_.clear();
    ::close(lockFd_);
    lockFd_ = -1;
    return true;
}

bool ReplacingFile::commit(const std::string& text) {
    return commit(std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
}

} // namespace zb
