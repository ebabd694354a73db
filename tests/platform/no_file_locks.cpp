// Preloaded into a settings writer: every flock fails with ENOLCK, as it does on an NFS home
// whose server runs no lock daemon.
#include <sys/file.h>

#include <cerrno>

extern "C" int flock(int, int) {
    errno = ENOLCK;
    return -1;
}
