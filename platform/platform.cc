#include "platform/platform.h"

namespace bendpost {
namespace {

Platform Defaults() {
  Platform p;
  p.files = &RealFileSystem();
  p.clock = &SystemClock();
  p.settings = &UserSettingsStore();
  p.ui = &DefaultUserInterface();
  return p;
}

Platform& Current() {
  static Platform* current = new Platform(Defaults());
  return *current;
}

}  // namespace

const Platform& CurrentPlatform() { return Current(); }

void SetPlatform(const Platform& platform) {
  Platform d = Defaults();
  Platform& c = Current();
  c.files = platform.files ? platform.files : d.files;
  c.clock = platform.clock ? platform.clock : d.clock;
  c.settings = platform.settings ? platform.settings : d.settings;
  c.ui = platform.ui ? platform.ui : d.ui;
}

ScopedPlatform::ScopedPlatform(const Platform& platform)
    : saved_(CurrentPlatform()) {
  SetPlatform(platform);
}

ScopedPlatform::~ScopedPlatform() { SetPlatform(saved_); }

}  // namespace bendpost
