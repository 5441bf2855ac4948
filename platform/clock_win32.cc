// The system clock on Windows: GetSystemTime answers in UTC (program
// names), GetLocalTime in the user's time zone (creation dates).
#include <windows.h>

#include "platform/clock.h"

namespace bendpost {
namespace {

Date FromSystemTime(const SYSTEMTIME& st) {
  Date d;
  d.year = st.wYear;
  d.month = st.wMonth;
  d.day = st.wDay;
  return d;
}

class Win32Clock : public Clock {
 public:
  Date TodayUtc() override {
    SYSTEMTIME st;
    GetSystemTime(&st);
    return FromSystemTime(st);
  }
  Date TodayLocal() override {
    SYSTEMTIME st;
    GetLocalTime(&st);
    return FromSystemTime(st);
  }
};

}  // namespace

Clock& SystemClock() {
  static Win32Clock* clock = new Win32Clock();
  return *clock;
}

}  // namespace bendpost
