// The platform services the driver uses, set once on the driver. Defaults
// are the platform's real ones; a host (the command-line host) or a test
// replaces them with SetPlatform before calling the driver.
//
// Only the exports (driver/) and the command-line host (cli/) look the
// services up with CurrentPlatform(); they hand them down to every layer
// below, which never reaches for them itself (scripts/check-layers).
#ifndef BENDPOST_PLATFORM_PLATFORM_H_
#define BENDPOST_PLATFORM_PLATFORM_H_

#include "platform/clock.h"
#include "platform/file.h"
#include "platform/settings_store.h"
#include "platform/ui.h"

namespace bendpost {

struct Platform {
  FileSystem* files = nullptr;
  Clock* clock = nullptr;
  SettingsStore* settings = nullptr;
  UserInterface* ui = nullptr;
};

// The services in force; never null members.
const Platform& CurrentPlatform();
// Replaces the services; null members select the platform default.
void SetPlatform(const Platform& platform);

// Installs services for the lifetime of the object and restores the
// previous ones afterwards (tests).
class ScopedPlatform {
 public:
  explicit ScopedPlatform(const Platform& platform);
  ~ScopedPlatform();
  ScopedPlatform(const ScopedPlatform&) = delete;
  ScopedPlatform& operator=(const ScopedPlatform&) = delete;

 private:
  Platform saved_;
};

}  // namespace bendpost

#endif  // BENDPOST_PLATFORM_PLATFORM_H_
