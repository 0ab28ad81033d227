#include "model/replacing_file.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zb {

ReplacingFile::~ReplacingFile() {
    if (fd_ >= 0)
        ::close(fd_);
    if (!temporary_.empty())
        ::unlink(temporary_.c_str());
}

bool ReplacingFile::fail(int error) {
    reason_ = std::strerror(error);
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
    if (!temporary_.empty())
        ::unlink(temporary_.c_str());
    temporary_.clear();
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
    if (stat(target_.c_str(), &st) == 0 && S_ISDIR(st.st_mode))
        return fail(EISDIR);
    std::string temporary = target_ + ".XXXXXX";
    fd_ = mkstemp(temporary.data());
    if (fd_ < 0)
        return fail(errno);
    temporary_ = temporary;
    mode_t mode = 0666;
    if (stat(target_.c_str(), &st) == 0) {
        mode = st.st_mode & 07777;
    } else {
        const mode_t mask = umask(0);
        umask(mask);
        mode &= ~mask;
    }
    if (fchmod(fd_, mode) != 0)
        return fail(errno);
    return true;
}

bool ReplacingFile::commit(std::span<const uint8_t> data) {
    if (fd_ < 0)
        return fail(EBADF);
    for (size_t done = 0; done < data.size();) {
        const ssize_t n = ::write(fd_, data.data() + done, data.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return fail(n < 0 ? errno : EIO);
        done += size_t(n);
    }
    if (fsync(fd_) != 0)
        return fail(errno);
    const int closed = ::close(fd_);
    fd_ = -1;
    if (closed != 0)
        return fail(errno);
    if (std::rename(temporary_.c_str(), target_.c_str()) != 0)
        return fail(errno);
    temporary_.clear();
    return true;
}

bool ReplacingFile::commit(const std::string& text) {
    return commit(std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
}

} // namespace zb
