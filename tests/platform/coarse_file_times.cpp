// Preloaded into a settings writer: every file time that stat and its kin report is cut down
// to a 4 ms grain, as ext4 gives it on kernels before 6.13, so that two versions of a file
// written within one tick look alike to anything that compares times.
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/stat.h>

namespace {

constexpr long kGrainNs = 4'000'000;

void Coarsen(struct timespec& time) { time.tv_nsec -= time.tv_nsec % kGrainNs; }
void Coarsen(struct statx_timestamp& time) { time.tv_nsec -= time.tv_nsec % kGrainNs; }

int Coarsened(int result, struct stat* info) {
    if (result == 0) {
        Coarsen(info->st_atim);
        Coarsen(info->st_mtim);
        Coarsen(info->st_ctim);
    }
    return result;
}

template <typename Function>
Function* Next(const char* name) {
    return reinterpret_cast<Function*>(dlsym(RTLD_NEXT, name));
}

}  // namespace

extern "C" {

int stat(const char* path, struct stat* info) {
    static auto* next = Next<int(const char*, struct stat*)>("stat");
    return Coarsened(next(path, info), info);
}

int lstat(const char* path, struct stat* info) {
    static auto* next = Next<int(const char*, struct stat*)>("lstat");
    return Coarsened(next(path, info), info);
}

int fstat(int fd, struct stat* info) {
    static auto* next = Next<int(int, struct stat*)>("fstat");
    return Coarsened(next(fd, info), info);
}

int fstatat(int dirfd, const char* path, struct stat* info, int flags) {
    static auto* next = Next<int(int, const char*, struct stat*, int)>("fstatat");
    return Coarsened(next(dirfd, path, info, flags), info);
}

int statx(int dirfd, const char* path, int flags, unsigned mask, struct statx* info) {
    static auto* next = Next<int(int, const char*, int, unsigned, struct statx*)>("statx");
    const int result = next(dirfd, path, flags, mask, info);
    if (result == 0) {
        Coarsen(info->stx_atime);
        Coarsen(info->stx_mtime);
        Coarsen(info->stx_ctime);
        Coarsen(info->stx_btime);
    }
    return result;
}

}  // extern "C"
