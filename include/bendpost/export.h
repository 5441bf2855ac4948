// The one export macro of the driver library. Everything a host may call is
// marked BENDPOST_EXPORT; every other symbol stays hidden
// (-fvisibility=hidden), so the library's dynamic symbol table is the
// interface and nothing more.
#ifndef BENDPOST_EXPORT_H_
#define BENDPOST_EXPORT_H_

#if defined(_WIN32)
#if defined(BENDPOST_BUILDING)
#define BENDPOST_EXPORT __declspec(dllexport)
#else
#define BENDPOST_EXPORT __declspec(dllimport)
#endif
#else
#define BENDPOST_EXPORT __attribute__((visibility("default")))
#endif

#endif  // BENDPOST_EXPORT_H_
