// Checks of the fuzz targets: a property that does not hold is a finding,
// reported like a crash (message, then abort, which libFuzzer records as a
// crashing input). Unlike assert(), the checks stay in optimised builds.
#ifndef BENDPOST_FUZZ_FUZZ_CHECK_H_
#define BENDPOST_FUZZ_FUZZ_CHECK_H_

#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(condition)                                               \
  do {                                                                      \
    if (!(condition)) {                                                     \
      std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, \
                   #condition);                                             \
      std::abort();                                                         \
    }                                                                       \
  } while (0)

#endif  // BENDPOST_FUZZ_FUZZ_CHECK_H_
