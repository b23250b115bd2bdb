// Preloaded into a writing process by the write-safety tests: the one call
// named by TESSARAN_FAULT (write, fsync, close, rename or link) fails for
// files below TESSARAN_FAULT_DIR, as a failing disk or file system would.
#include <dlfcn.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

bool armed(const char* call)
{
    const char* f = std::getenv("TESSARAN_FAULT");
    return f && std::strcmp(f, call) == 0;
}

bool below_dir(const char* path)
{
    const char* d = std::getenv("TESSARAN_FAULT_DIR");
    return d && path && std::strncmp(path, d, std::strlen(d)) == 0;
}

bool fd_below_dir(int fd)
{
    char link[64];
    std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    char target[4096];
    const ssize_t n = ::readlink(link, target, sizeof target - 1);
    if (n < 0)
        return false;
    target[n] = '\0';
    return below_dir(target);
}

template <class F> F next(const char* name)
{
    return reinterpret_cast<F>(::dlsym(RTLD_NEXT, name));
}

}  // namespace

extern "C" {

ssize_t write(int fd, const void* buf, size_t n)
{
    static const auto real = next<ssize_t (*)(int, const void*, size_t)>("write");
    if (armed("write") && fd_below_dir(fd)) {
        errno = EIO;
        return -1;
    }
    return real(fd, buf, n);
}

int fsync(int fd)
{
    static const auto real = next<int (*)(int)>("fsync");
    if (armed("fsync") && fd_below_dir(fd)) {
        errno = EIO;
        return -1;
    }
    return real(fd);
}

int fdatasync(int fd)
{
    static const auto real = next<int (*)(int)>("fdatasync");
    if (armed("fsync") && fd_below_dir(fd)) {
        errno = EIO;
        return -1;
    }
    return real(fd);
}

int close(int fd)
{
    static const auto real = next<int (*)(int)>("close");
    const bool fail = armed("close") && fd_below_dir(fd);
    const int r = real(fd);
    if (fail) {
        errno = EIO;
        return -1;
    }
    return r;
}

int rename(const char* from, const char* to)
{
    static const auto real = next<int (*)(const char*, const char*)>("rename");
    if (armed("rename") && (below_dir(from) || below_dir(to))) {
        errno = EIO;
        return -1;
    }
    return real(from, to);
}

int link(const char* from, const char* to)
{
    static const auto real = next<int (*)(const char*, const char*)>("link");
    if (armed("link") && below_dir(to)) {
        errno = EPERM;
        return -1;
    }
    return real(from, to);
}

}  // extern "C"
