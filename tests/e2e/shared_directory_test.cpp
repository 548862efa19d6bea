// Two runs started in one directory share the temporary command file's
// name: the second must wait for the first instead of overwriting the file
// the first is still reading.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>

#include "support/test_support.h"

namespace cmd7730 {
namespace {

using namespace std::chrono_literals;
using testing::ScratchDir;

std::string control(const char* coef, const char* freq) {
  return std::string("mode ab r\nmode cd r\nfck = 100\nprint table\nprint hfile\n") +
         "channel 0\nfir_coef " + coef + "\nfreq " + freq +
         "\ncic_dec 8\nfir_dec 2\npins 16\nbits 16\noverall_gain 1\nmix_rcv_sel 0\n"
         "channel 1\ncopy_channel 0\nchannel 2\ncopy_channel 0\nchannel 3\ncopy_channel 0\n";
}

// Waits up to a few seconds for `pred`.
template <typename Pred>
bool eventually(Pred pred) {
  for (int i = 0; i < 500; ++i) {
    if (pred()) return true;
    std::this_thread::sleep_for(10ms);
  }
  return pred();
}

TEST(SharedDirectory, ASecondRunWaitsForTheFirstAndBothImagesAreTheirOwn) {
  const std::string coefs =
      testing::read_file(std::string(CMD7730_SOURCE_DIR) + "/examples/lowpass31.coef");
  // Serial runs, one directory each: the images to expect.
  ScratchDir serial_a, serial_b;
  serial_a.write("slow.coef", coefs);
  serial_a.write("a.txt", control("slow.coef", "10.7"));
  serial_b.write("rx.coef", coefs);
  serial_b.write("b.txt", control("rx.coef", "21.4"));
  ASSERT_EQ(testing::run_binary(serial_a.path(), {"a.txt"}).status, 0);
  ASSERT_EQ(testing::run_binary(serial_b.path(), {"b.txt"}).status, 0);
  const std::string a_tmp = serial_a.read("cmd7730TmpCmdFile");

  // Run a blocks reading a coefficient file that is a named pipe.
  ScratchDir dir;
  dir.write("rx.coef", coefs);
  dir.write("a.txt", control("slow.coef", "10.7"));
  dir.write("b.txt", control("rx.coef", "21.4"));
  ASSERT_EQ(mkfifo(dir.file("slow.coef").c_str(), 0600), 0);
  const testing::StartedRun a = testing::start_binary(dir.path(), {"a.txt"}, "a");
  ASSERT_TRUE(eventually([&] { return dir.read("cmd7730TmpCmdFile") == a_tmp; }));

  const testing::StartedRun b = testing::start_binary(dir.path(), {"b.txt"}, "b");
  std::this_thread::sleep_for(300ms);
  EXPECT_EQ(dir.read("cmd7730TmpCmdFile"), a_tmp) << "the second run wrote over the first's file";

  // Let a go on: its reader is waiting on the pipe.
  int fd = -1;
  ASSERT_TRUE(eventually([&] {
    fd = open(dir.file("slow.coef").c_str(), O_WRONLY | O_NONBLOCK);
    return fd >= 0;
  }));
  ASSERT_EQ(write(fd, coefs.data(), coefs.size()), static_cast<ssize_t>(coefs.size()));
  close(fd);

  const testing::RunResult ra = testing::wait_binary(a);
  const testing::RunResult rb = testing::wait_binary(b);
  EXPECT_EQ(ra.status, 0) << ra.err;
  EXPECT_EQ(rb.status, 0) << rb.err;
  for (const char* ext : {".tbl", ".h"}) {
    EXPECT_EQ(dir.read(std::string("a") + ext), serial_a.read(std::string("a") + ext)) << ext;
    EXPECT_EQ(dir.read(std::string("b") + ext), serial_b.read(std::string("b") + ext)) << ext;
  }
}

}  // namespace
}  // namespace cmd7730
