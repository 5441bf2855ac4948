// The system clock on POSIX systems.
#include <ctime>

#include "platform/clock.h"

namespace bendpost {
namespace {

Date FromTm(const std::tm& tm) {
  Date d;
  d.year = tm.tm_year + 1900;
  d.month = tm.tm_mon + 1;
  d.day = tm.tm_mday;
  return d;
}

class PosixClock : public Clock {
 public:
  Date TodayUtc() override {
    std::time_t now = std::time(nullptr);
    std::tm tm{};
    gmtime_r(&now, &tm);
    return FromTm(tm);
  }
  Date TodayLocal() override {
    std::time_t now = std::time(nullptr);
    std::tm tm{};
    localtime_r(&now, &tm);
    return FromTm(tm);
  }
};

}  // namespace

Clock& SystemClock() {
  static PosixClock* clock = new PosixClock();
  return *clock;
}

}  // namespace bendpost
