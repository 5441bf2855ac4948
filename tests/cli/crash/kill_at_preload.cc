// Preloaded (LD_PRELOAD) into a child process by the crash test: counts the
// process's operations that change files and kills the process with
// SIGKILL just before the one numbered BENDPOST_KILL_AT (counted from 1).
// Without BENDPOST_KILL_AT, or with 0, nothing is killed.
//
// Counted, in the order the process makes them:
//   - opening a file for writing (open, openat, creat, mkstemp, ...: any
//     open with O_WRONLY, O_RDWR, O_CREAT or O_TRUNC);
//   - write on a descriptor opened that way (output to descriptors the
//     process inherited, such as stdout and stderr, is not counted);
//   - fsync and fdatasync on any descriptor (a folder's too);
//   - rename, renameat, renameat2, unlink, unlinkat and remove.
// The operation that is about to be killed is named on stderr first.
//
// Built without sanitizers: it only forwards to the next definition
// (dlsym RTLD_NEXT), which under AddressSanitizer is the sanitizer's own.
#include <dlfcn.h>
#include <fcntl.h>
#include <signal.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/types.h>
#include <unistd.h>

namespace {

constexpr int kMaxTrackedFd = 4096;
bool g_writable[kMaxTrackedFd];
int g_count = 0;

int KillAt() {
  static const int kill_at = [] {
    const char* text = getenv("BENDPOST_KILL_AT");
    return text == nullptr ? 0 : atoi(text);
  }();
  return kill_at;
}

template <typename F>
F Next(const char* name) {
  return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}

// Counts one operation; kills the process when it is the chosen one.
void Count(const char* what, const char* path, const char* path2 = "") {
  if (++g_count != KillAt()) return;
  char line[1024];
  const int n = snprintf(line, sizeof line, "kill-at %d: %s %s %s\n", g_count,
                         what, path, path2);
  if (n > 0) {
    using WriteFn = ssize_t (*)(int, const void*, size_t);
    static const WriteFn real_write = Next<WriteFn>("write");
    real_write(2, line,
               static_cast<size_t>(n) < sizeof line ? static_cast<size_t>(n)
                                                    : sizeof line - 1);
  }
  raise(SIGKILL);
}

bool OpensForWriting(int flags) {
  return (flags & (O_WRONLY | O_RDWR | O_CREAT | O_TRUNC)) != 0;
}

int Track(int fd, bool writable) {
  if (fd >= 0 && fd < kMaxTrackedFd) g_writable[fd] = writable;
  return fd;
}

bool Writable(int fd) {
  return fd >= 0 && fd < kMaxTrackedFd && g_writable[fd];
}

mode_t ModeArgument(int flags, va_list args) {
  return (flags & O_CREAT) != 0 || (flags & O_TMPFILE) == O_TMPFILE
             ? static_cast<mode_t>(va_arg(args, int))
             : 0;
}

using OpenFn = int (*)(const char*, int, ...);
using OpenAtFn = int (*)(int, const char*, int, ...);

int CountedOpen(const char* name, const char* path, int flags, mode_t mode) {
  const bool writing = OpensForWriting(flags);
  if (writing) Count("open-for-writing", path);
  return Track(Next<OpenFn>(name)(path, flags, mode), writing);
}

int CountedOpenAt(const char* name, int dir, const char* path, int flags,
                  mode_t mode) {
  const bool writing = OpensForWriting(flags);
  if (writing) Count("open-for-writing", path);
  return Track(Next<OpenAtFn>(name)(dir, path, flags, mode), writing);
}

}  // namespace

extern "C" {

__attribute__((visibility("default"))) int open(const char* path, int flags,
                                                ...) {
  va_list args;
  va_start(args, flags);
  const mode_t mode = ModeArgument(flags, args);
  va_end(args);
  return CountedOpen("open", path, flags, mode);
}

__attribute__((visibility("default"))) int open64(const char* path, int flags,
                                                  ...) {
  va_list args;
  va_start(args, flags);
  const mode_t mode = ModeArgument(flags, args);
  va_end(args);
  return CountedOpen("open64", path, flags, mode);
}

__attribute__((visibility("default"))) int openat(int dir, const char* path,
                                                  int flags, ...) {
  va_list args;
  va_start(args, flags);
  const mode_t mode = ModeArgument(flags, args);
  va_end(args);
  return CountedOpenAt("openat", dir, path, flags, mode);
}

__attribute__((visibility("default"))) int openat64(int dir, const char* path,
                                                    int flags, ...) {
  va_list args;
  va_start(args, flags);
  const mode_t mode = ModeArgument(flags, args);
  va_end(args);
  return CountedOpenAt("openat64", dir, path, flags, mode);
}

__attribute__((visibility("default"))) int creat(const char* path,
                                                 mode_t mode) {
  return CountedOpen("open", path, O_CREAT | O_WRONLY | O_TRUNC, mode);
}

__attribute__((visibility("default"))) int mkstemp(char* templ) {
  Count("open-for-writing", templ);
  return Track(Next<int (*)(char*)>("mkstemp")(templ), true);
}

__attribute__((visibility("default"))) int mkostemp(char* templ, int flags) {
  Count("open-for-writing", templ);
  return Track(Next<int (*)(char*, int)>("mkostemp")(templ, flags), true);
}

__attribute__((visibility("default"))) ssize_t write(int fd, const void* data,
                                                     size_t size) {
  if (Writable(fd)) Count("write", "fd", "");
  using WriteFn = ssize_t (*)(int, const void*, size_t);
  static const WriteFn real = Next<WriteFn>("write");
  return real(fd, data, size);
}

__attribute__((visibility("default"))) int fsync(int fd) {
  Count("fsync", "fd");
  return Next<int (*)(int)>("fsync")(fd);
}

__attribute__((visibility("default"))) int fdatasync(int fd) {
  Count("fdatasync", "fd");
  return Next<int (*)(int)>("fdatasync")(fd);
}

__attribute__((visibility("default"))) int close(int fd) {
  Track(fd, false);
  return Next<int (*)(int)>("close")(fd);
}

__attribute__((visibility("default"))) int rename(const char* from,
                                                  const char* to) {
  Count("rename", from, to);
  return Next<int (*)(const char*, const char*)>("rename")(from, to);
}

__attribute__((visibility("default"))) int renameat(int from_dir,
                                                    const char* from,
                                                    int to_dir,
                                                    const char* to) {
  Count("rename", from, to);
  return Next<int (*)(int, const char*, int, const char*)>("renameat")(
      from_dir, from, to_dir, to);
}

__attribute__((visibility("default"))) int renameat2(int from_dir,
                                                     const char* from,
                                                     int to_dir, const char* to,
                                                     unsigned int flags) {
  Count("rename", from, to);
  return Next<int (*)(int, const char*, int, const char*, unsigned int)>(
      "renameat2")(from_dir, from, to_dir, to, flags);
}

__attribute__((visibility("default"))) int unlink(const char* path) {
  Count("unlink", path);
  return Next<int (*)(const char*)>("unlink")(path);
}

__attribute__((visibility("default"))) int unlinkat(int dir, const char* path,
                                                    int flags) {
  Count("unlink", path);
  return Next<int (*)(int, const char*, int)>("unlinkat")(dir, path, flags);
}

__attribute__((visibility("default"))) int remove(const char* path) {
  Count("unlink", path);
  return Next<int (*)(const char*)>("remove")(path);
}

}  // extern "C"
