// The clock port: today's date in UTC (program names) and in local time
// (the creation date of a program).
#ifndef BENDPOST_PLATFORM_CLOCK_H_
#define BENDPOST_PLATFORM_CLOCK_H_

namespace bendpost {

struct Date {
  int year = 1970;  // four digits
  int month = 1;    // 1..12
  int day = 1;      // 1..31
};

class Clock {
 public:
  virtual ~Clock() = default;
  virtual Date TodayUtc() = 0;
  virtual Date TodayLocal() = 0;
};

// A clock that always answers the dates it was given.
class FixedClock : public Clock {
 public:
  explicit FixedClock(Date both) : utc_(both), local_(both) {}
  FixedClock(Date utc, Date local) : utc_(utc), local_(local) {}
  Date TodayUtc() override { return utc_; }
  Date TodayLocal() override { return local_; }
  void Set(Date utc, Date local) {
    utc_ = utc;
    local_ = local;
  }

 private:
  Date utc_;
  Date local_;
};

// The system clock of the platform.
Clock& SystemClock();

}  // namespace bendpost

#endif  // BENDPOST_PLATFORM_CLOCK_H_
