// A probe of the serial counter store's lock from outside the run that
// holds it: the tests' own open file of the lock file.
#ifndef BENDPOST_TESTS_CLI_LOCK_PROBE_POSIX_H_
#define BENDPOST_TESTS_CLI_LOCK_PROBE_POSIX_H_

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <string>

namespace bendpost::cli::testing {

// Whether a lock of `path` through an open file of its own is refused now.
inline bool LockedElsewhere(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
  if (fd < 0) return false;
  const bool refused =
      ::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
  ::close(fd);
  return refused;
}

}  // namespace bendpost::cli::testing

#endif  // BENDPOST_TESTS_CLI_LOCK_PROBE_POSIX_H_
