/* An LD_PRELOAD library for Wine that makes a drive slow, as a network drive whose server is
 * away: every file look-up of the process under the drive's folder (a path that contains
 * "dosdevices/n:/") waits ZARV_SLOW_MS milliseconds (3000 when unset) first. Wine's Unix side
 * makes a Windows program's look-ups through these C library calls; the 32-bit side calls the
 * 64-bit-time forms. With ZARV_SLOW_ONLY set, only a process whose command line holds that text
 * waits (the program under test, not the programs it starts). Built for the host by
 * scripts/slow_drive.sh, in both word sizes. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <stdio.h>
#include <fcntl.h>
#include <stdarg.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <time.h>

/* Whether this process is one that waits: 1 yes, 0 no, -1 not yet known. */
static int chosen = -1;

static int is_chosen(void) {
    if (chosen >= 0) return chosen;
    const char *only = getenv("ZARV_SLOW_ONLY");
    if (!only || !*only) return chosen = 1;
    char line[4096];
    FILE *f = fopen("/proc/self/cmdline", "rb");
    size_t n = f ? fread(line, 1, sizeof line - 1, f) : 0;
    if (f) fclose(f);
    for (size_t i = 0; i < n; ++i)
        if (!line[i]) line[i] = ' ';
    line[n] = 0;
    return chosen = strstr(line, only) != NULL;
}

static void slow(const char *path) {
    if (!path || !strstr(path, "dosdevices/n:/") || !is_chosen()) return;
    const char *ms = getenv("ZARV_SLOW_MS");
    long wait = ms ? atol(ms) : 3000;
    struct timespec t = {wait / 1000, (wait % 1000) * 1000000L};
    while (nanosleep(&t, &t) != 0) {
    }
}

#define NEXT(name) ((__typeof__(&name))dlsym(RTLD_NEXT, #name))

#define WRAP_PATH(ret, name, params, args, path) \
    ret name params {                            \
        slow(path);                              \
        static ret(*next) params;                \
        if (!next) next = dlsym(RTLD_NEXT, #name); \
        return next args;                        \
    }

struct stat;
struct stat64;

WRAP_PATH(int, stat, (const char *p, struct stat *s), (p, s), p)
WRAP_PATH(int, lstat, (const char *p, struct stat *s), (p, s), p)
WRAP_PATH(int, stat64, (const char *p, struct stat64 *s), (p, s), p)
WRAP_PATH(int, lstat64, (const char *p, struct stat64 *s), (p, s), p)
WRAP_PATH(int, fstatat, (int d, const char *p, struct stat *s, int f), (d, p, s, f), p)
WRAP_PATH(int, fstatat64, (int d, const char *p, struct stat64 *s, int f), (d, p, s, f), p)
WRAP_PATH(void *, opendir, (const char *p), (p), p)
#if defined(__i386__)
/* The 64-bit-time forms the i386 side of Wine calls; their structures are only passed on. */
WRAP_PATH(int, __stat64_time64, (const char *p, void *s), (p, s), p)
WRAP_PATH(int, __lstat64_time64, (const char *p, void *s), (p, s), p)
WRAP_PATH(int, __fstatat64_time64, (int d, const char *p, void *s, int f), (d, p, s, f), p)
#endif

static int open_mode(int flags, va_list ap) {
    return (flags & O_CREAT) || (flags & __O_TMPFILE) == __O_TMPFILE ? va_arg(ap, int) : 0;
}

#define WRAP_OPEN(name)                                    \
    int name(const char *p, int flags, ...) {              \
        va_list ap;                                        \
        va_start(ap, flags);                               \
        int mode = open_mode(flags, ap);                   \
        va_end(ap);                                        \
        slow(p);                                           \
        static int (*next)(const char *, int, ...);        \
        if (!next) next = dlsym(RTLD_NEXT, #name);         \
        return next(p, flags, mode);                       \
    }

#define WRAP_OPENAT(name)                                  \
    int name(int d, const char *p, int flags, ...) {       \
        va_list ap;                                        \
        va_start(ap, flags);                               \
        int mode = open_mode(flags, ap);                   \
        va_end(ap);                                        \
        slow(p);                                           \
        static int (*next)(int, const char *, int, ...);   \
        if (!next) next = dlsym(RTLD_NEXT, #name);         \
        return next(d, p, flags, mode);                    \
    }

WRAP_OPEN(open)
WRAP_OPEN(open64)
WRAP_OPENAT(openat)
WRAP_OPENAT(openat64)
