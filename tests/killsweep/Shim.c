// A preloaded library that counts the file operations a process makes under $TIDEVANE_HOME.
// With TIDEVANE_KILL_AT=n it kills the process just before the n-th one, after telling stderr
// which it was; with TIDEVANE_KILL_COUNT_FILE=path it writes the count there at exit.
// The stdio entry points are interposed as well as the system calls: stdio reaches the
// kernel through glibc's internal calls, which a preloaded library cannot see.
#undef _FORTIFY_SOURCE
#define _GNU_SOURCE
#include <dlfcn.h>
#include <fcntl.h>
#include <limits.h>
#include <signal.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#define REAL(name) \
    static __typeof__(name)* real_##name; \
    if (!real_##name) \
        real_##name = (__typeof__(name)*)dlsym(RTLD_NEXT, #name)

static char root[PATH_MAX];     // as given
static char realRoot[PATH_MAX]; // with links resolved, as /proc names open files
static long operations;
static long killAt;

// FILE streams opened for writing under the root, with their paths.
enum { MAX_STREAMS = 64 };
static struct {
    FILE* stream;
    char* path;
} streams[MAX_STREAMS];

__attribute__((constructor)) static void start(void)
{
    const char* home = getenv("TIDEVANE_HOME");
    if (home && *home) {
        snprintf(root, sizeof root, "%s", home);
        if (!realpath(home, realRoot))
            snprintf(realRoot, sizeof realRoot, "%s", home);
    }
    const char* at = getenv("TIDEVANE_KILL_AT");
    killAt = at ? atol(at) : 0;
}

__attribute__((destructor)) static void finish(void)
{
    const char* path = getenv("TIDEVANE_KILL_COUNT_FILE");
    FILE* f = path ? fopen(path, "w") : NULL;
    if (f) {
        fprintf(f, "%ld\n", operations);
        fclose(f);
    }
}

// The part of `path` below `base`, or NULL when it lies elsewhere.
static const char* below(const char* base, const char* path)
{
    size_t n = strlen(base);
    if (n == 0 || strncmp(path, base, n) != 0 || (path[n] != '/' && path[n] != '\0'))
        return NULL;
    return path[n] ? path + n + 1 : path + n;
}

// `path` relative to the root ("" for the root itself), or NULL outside it.
static const char* underRoot(int dirfd, const char* path, char* full, size_t size)
{
    if (!path || !*root)
        return NULL;
    if (path[0] == '/')
        snprintf(full, size, "%s", path);
    else {
        char base[PATH_MAX] = "";
        if (dirfd == AT_FDCWD) {
            if (!getcwd(base, sizeof base))
                return NULL;
        } else {
            char link[64];
            snprintf(link, sizeof link, "/proc/self/fd/%d", dirfd);
            ssize_t n = readlink(link, base, sizeof base - 1);
            if (n < 0)
                return NULL;
            base[n] = '\0';
        }
        snprintf(full, size, "%s/%s", base, path);
    }
    const char* rest = below(root, full);
    return rest ? rest : below(realRoot, full);
}

static const char* fdUnderRoot(int fd, char* full, size_t size)
{
    char link[64];
    snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    ssize_t n = readlink(link, full, size - 1);
    if (n < 0)
        return NULL;
    full[n] = '\0';
    return below(realRoot, full);
}

static void before(const char* op, const char* path, const char* to)
{
    if (++operations != killAt)
        return;
    dprintf(2, "kill before %s %s%s%s\n", op, path, to ? " -> " : "", to ? to : "");
    raise(SIGKILL);
}

static int watched(FILE* f)
{
    for (int i = 0; f && i < MAX_STREAMS; ++i)
        if (streams[i].stream == f)
            return i;
    return -1;
}

static void watch(FILE* f, const char* path)
{
    for (int i = 0; i < MAX_STREAMS; ++i)
        if (!streams[i].stream) {
            streams[i].stream = f;
            streams[i].path = strdup(path);
            return;
        }
}

static int writes(const char* mode) { return strpbrk(mode, "wa+") != NULL; }
static int writesFlags(int flags) { return (flags & (O_WRONLY | O_RDWR | O_CREAT | O_TRUNC)) != 0; }

// Opening for writing counts; the stream is then watched.
#define OPEN_STREAM(name) \
    FILE* name(const char* path, const char* mode) \
    { \
        REAL(name); \
        char full[2 * PATH_MAX]; \
        const char* rest = writes(mode) ? underRoot(AT_FDCWD, path, full, sizeof full) : NULL; \
        if (rest) \
            before(#name, rest, NULL); \
        FILE* f = real_##name(path, mode); \
        if (f && rest) \
            watch(f, rest); \
        return f; \
    }
OPEN_STREAM(fopen)
OPEN_STREAM(fopen64)

size_t fwrite(const void* data, size_t size, size_t count, FILE* f)
{
    REAL(fwrite);
    int i = watched(f);
    if (i >= 0)
        before("fwrite", streams[i].path, NULL);
    return real_fwrite(data, size, count, f);
}

int fflush(FILE* f)
{
    REAL(fflush);
    int i = watched(f);
    if (i >= 0)
        before("fflush", streams[i].path, NULL);
    return real_fflush(f);
}

int fclose(FILE* f)
{
    REAL(fclose);
    int i = watched(f);
    if (i >= 0) {
        before("fclose", streams[i].path, NULL);
        free(streams[i].path);
        streams[i].stream = NULL;
    }
    return real_fclose(f);
}

static void beforeOpen(const char* op, int dirfd, const char* path, int flags)
{
    char full[2 * PATH_MAX];
    const char* rest = writesFlags(flags) ? underRoot(dirfd, path, full, sizeof full) : NULL;
    if (rest)
        before(op, rest, NULL);
}

/* The mode argument is there only when the flags create a file; reading it anyway is harmless. */
#define MODE_AFTER(flags) \
    mode_t mode; \
    { \
        va_list args; \
        va_start(args, flags); \
        mode = va_arg(args, mode_t); \
        va_end(args); \
    }

#define OPEN_FD(name) \
    int name(const char* path, int flags, ...) \
    { \
        REAL(name); \
        MODE_AFTER(flags); \
        beforeOpen(#name, AT_FDCWD, path, flags); \
        return real_##name(path, flags, mode); \
    }
OPEN_FD(open)
OPEN_FD(open64)

#define OPEN_AT(name) \
    int name(int dirfd, const char* path, int flags, ...) \
    { \
        REAL(name); \
        MODE_AFTER(flags); \
        beforeOpen(#name, dirfd, path, flags); \
        return real_##name(dirfd, path, flags, mode); \
    }
OPEN_AT(openat)
OPEN_AT(openat64)

// An operation on one path relative to the working folder.
#define ON_PATH(result, name, params, args) \
    result name params \
    { \
        REAL(name); \
        char full[2 * PATH_MAX]; \
        const char* rest = underRoot(AT_FDCWD, path, full, sizeof full); \
        if (rest) \
            before(#name, rest, NULL); \
        return real_##name args; \
    }
ON_PATH(int, creat, (const char* path, mode_t mode), (path, mode))
ON_PATH(int, creat64, (const char* path, mode_t mode), (path, mode))
ON_PATH(int, truncate, (const char* path, off_t length), (path, length))
ON_PATH(int, truncate64, (const char* path, off64_t length), (path, length))
ON_PATH(int, unlink, (const char* path), (path))
ON_PATH(int, remove, (const char* path), (path))
ON_PATH(int, mkdir, (const char* path, mode_t mode), (path, mode))
ON_PATH(int, rmdir, (const char* path), (path))

int unlinkat(int dirfd, const char* path, int flags)
{
    REAL(unlinkat);
    char full[2 * PATH_MAX];
    const char* rest = underRoot(dirfd, path, full, sizeof full);
    if (rest)
        before("unlinkat", rest, NULL);
    return real_unlinkat(dirfd, path, flags);
}

// A rename counts when either side lies under the root.
static void beforeRename(const char* op, int fromfd, const char* from, int tofd, const char* to)
{
    char a[2 * PATH_MAX], b[2 * PATH_MAX];
    const char* x = underRoot(fromfd, from, a, sizeof a);
    const char* y = underRoot(tofd, to, b, sizeof b);
    if (x || y)
        before(op, x ? x : from, y ? y : to);
}

int rename(const char* from, const char* to)
{
    REAL(rename);
    beforeRename("rename", AT_FDCWD, from, AT_FDCWD, to);
    return real_rename(from, to);
}

int renameat(int fromfd, const char* from, int tofd, const char* to)
{
    REAL(renameat);
    beforeRename("renameat", fromfd, from, tofd, to);
    return real_renameat(fromfd, from, tofd, to);
}

int renameat2(int fromfd, const char* from, int tofd, const char* to, unsigned flags)
{
    REAL(renameat2);
    beforeRename("renameat2", fromfd, from, tofd, to);
    return real_renameat2(fromfd, from, tofd, to, flags);
}

// An operation on an open file descriptor.
#define ON_FD(result, name, params, args) \
    result name params \
    { \
        REAL(name); \
        char full[PATH_MAX]; \
        const char* rest = fdUnderRoot(fd, full, sizeof full); \
        if (rest) \
            before(#name, rest, NULL); \
        return real_##name args; \
    }
ON_FD(int, ftruncate, (int fd, off_t length), (fd, length))
ON_FD(int, ftruncate64, (int fd, off64_t length), (fd, length))
ON_FD(ssize_t, write, (int fd, const void* data, size_t size), (fd, data, size))
ON_FD(ssize_t, pwrite, (int fd, const void* data, size_t size, off_t at), (fd, data, size, at))
ON_FD(ssize_t, pwrite64, (int fd, const void* data, size_t size, off64_t at), (fd, data, size, at))
