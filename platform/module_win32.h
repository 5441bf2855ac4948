// The module this code is linked into: bendpost.dll in the driver, the
// executable in the tests. Its resources hold the dialog template and the
// string table.
#ifndef BENDPOST_PLATFORM_MODULE_WIN32_H_
#define BENDPOST_PLATFORM_MODULE_WIN32_H_

#include <windows.h>

#include <string>

namespace bendpost {

HINSTANCE ThisModule();

// The module's file name without folder and extension ("bendpost"): the
// caption of the driver's message boxes.
std::string ThisModuleTitle();

}  // namespace bendpost

#endif  // BENDPOST_PLATFORM_MODULE_WIN32_H_
