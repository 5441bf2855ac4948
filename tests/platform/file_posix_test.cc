// The POSIX file layer on what is not a regular file: a pipe (a file named
// /dev/stdin or /dev/fd/N, as a shell's redirection or process substitution
// hands it over).
#include <gtest/gtest.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <string>
#include <thread>

#include "platform/file.h"

namespace bendpost {
namespace {

void WriteAll(int fd, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    ASSERT_GT(n, 0);
    done += static_cast<size_t>(n);
  }
}

// Waits until the reader has taken everything written so far.
void WaitUntilDrained(int read_end) {
  int unread = 1;
  while (::ioctl(read_end, FIONREAD, &unread) == 0 && unread > 0)
    std::this_thread::yield();
}

// The first read of the pipe gets the first half only (the rest is not
// written yet): a short read that is not the end of the file.
TEST(PosixFileTest, APipeIsReadUntilItsWriterClosesIt) {
  int fds[2];
  ASSERT_EQ(0, ::pipe(fds));
  std::string bytes(12664, '\0');
  for (size_t i = 0; i < bytes.size(); ++i)
    bytes[i] = static_cast<char>(i * 31 + 7);
  std::thread writer([&] {
    WriteAll(fds[1], bytes.substr(0, 1000));
    WaitUntilDrained(fds[0]);
    WriteAll(fds[1], bytes.substr(1000));
    ::close(fds[1]);
  });
  std::string got;
  Status s = ReadWholeFile(RealFileSystem(),
                           "/dev/fd/" + std::to_string(fds[0]), &got);
  // Whatever the reader left is taken here, so the writer always ends.
  char rest[4096];
  while (::read(fds[0], rest, sizeof rest) > 0) {
  }
  writer.join();
  ::close(fds[0]);
  ASSERT_TRUE(s.ok()) << s.message();
  EXPECT_EQ(bytes.size(), got.size());
  EXPECT_TRUE(bytes == got);
}

}  // namespace
}  // namespace bendpost
