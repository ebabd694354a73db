// Preloaded into a settings writer: a rename of a "*.new" file that comes before that file
// was synced, or before the folder of the rename before it was, is told on standard error.
// Either leaves a power cut free to empty the settings file or to bring the old one back.
#include <dlfcn.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <string_view>

namespace {

ino_t syncedFile = 0;
bool folderSyncDue = false;

void Tell(std::string_view text) { [[maybe_unused]] const ssize_t told = ::write(2, text.data(), text.size()); }

template <typename Function>
Function* Next(const char* name) {
    return reinterpret_cast<Function*>(dlsym(RTLD_NEXT, name));
}

}  // namespace

extern "C" {

int fsync(int fd) {
    static auto* next = Next<int(int)>("fsync");
    struct stat info {};
    if (::fstat(fd, &info) == 0) {
        if (S_ISDIR(info.st_mode)) {
            folderSyncDue = false;
        } else {
            syncedFile = info.st_ino;
        }
    }
    return next(fd);
}

int rename(const char* from, const char* to) {
    static auto* next = Next<int(const char*, const char*)>("rename");
    struct stat info {};
    if (std::string_view(from).ends_with(".new") && ::stat(from, &info) == 0) {
        if (info.st_ino != syncedFile) Tell("a file took the settings file's name before it was synced\n");
        if (folderSyncDue) Tell("the folder was not synced after the settings file was replaced\n");
        folderSyncDue = true;
    }
    return next(from, to);
}

}  // extern "C"
