// Everything a host needs to use the driver: include this one header and
// link the bendpost library.
#ifndef BENDPOST_BENDPOST_H_
#define BENDPOST_BENDPOST_H_

#include "bendpost/bgauge.h"
#include "bendpost/carray.h"
#include "bendpost/cstring.h"
#include "bendpost/driver_api.h"
#include "bendpost/export.h"
#include "bendpost/machine.h"
#include "bendpost/setup.h"
#include "bendpost/step_info.h"
#include "bendpost/tool.h"

#endif  // BENDPOST_BENDPOST_H_
