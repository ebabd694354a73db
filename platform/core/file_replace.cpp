#include "platform/core/file_replace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace {

constexpr mode_t kWriteBits = S_IWUSR | S_IWGRP | S_IWOTH;

int Sync(const std::string& path, int flags) {
    const int fd = ::open(path.c_str(), flags | O_CLOEXEC);
    if (fd < 0) return errno;
    const int error = ::fsync(fd) == 0 ? 0 : errno;
    ::close(fd);
    return error;
}

}  // namespace

std::string FolderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool IsReadOnlyFile(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
           (info.st_mode & kWriteBits) == 0;
}

int RenameOver(const std::string& source, const std::string& target) {
    struct stat existing {};
    if (::stat(target.c_str(), &existing) == 0 &&
        ::chmod(source.c_str(), existing.st_mode & 07777) != 0)
        return errno;
    if (const int error = Sync(source, O_RDONLY)) return error;
    if (::rename(source.c_str(), target.c_str()) != 0) return errno;
    // The rename itself lasts only once the folder that records it is on the disk.
    return Sync(FolderOf(target), O_RDONLY | O_DIRECTORY);
}

int SyncToDisk(const std::string& path) {
    if (const int error = Sync(path, O_RDONLY)) return error;
    return Sync(FolderOf(path), O_RDONLY | O_DIRECTORY);
}
