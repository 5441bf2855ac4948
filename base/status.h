// Status: the result of an internal operation that can fail, with a message
// for the operator or the log. The exported functions keep their bool/int
// results; Status stays inside the driver.
#ifndef BENDPOST_BASE_STATUS_H_
#define BENDPOST_BASE_STATUS_H_

#include <string>
#include <utility>

namespace bendpost {

// [[nodiscard]]: a Status is handled or, where a failure changes nothing,
// dropped on purpose with (void) and a comment saying why.
class [[nodiscard]] Status {
 public:
  Status() = default;  // OK
  static Status OK() { return Status(); }
  static Status Error(std::string message) {
    Status s;
    s.ok_ = false;
    s.message_ = std::move(message);
    return s;
  }

  bool ok() const { return ok_; }
  const std::string& message() const { return message_; }
  std::string ToString() const { return ok_ ? "OK" : message_; }

 private:
  bool ok_ = true;
  std::string message_;
};

}  // namespace bendpost

#endif  // BENDPOST_BASE_STATUS_H_
