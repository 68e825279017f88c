// platform_instance_test.cpp - a second start never waits for a first
// instance that takes no raise requests.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/os/instance.h"

namespace {

// The first instance holds the lock and never accepts: its small backlog
// fills, and every later start must still learn at once that it is second.
TEST(InstanceLock, SecondStartsNeverWaitForABusyFirst) {
  ::setenv("RU_INSTANCE_KEY", ("busy-" + std::to_string(::getpid())).c_str(), 1);
  ASSERT_TRUE(platform::AcquireInstanceLock("busy"));
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    for (int i = 0; i < 32; ++i)
      if (platform::AcquireInstanceLock("busy")) ::_exit(1);
    ::_exit(0);
  }
  int status = -1;
  for (int tries = 0; tries < 200 && ::waitpid(child, &status, WNOHANG) == 0; ++tries)
    ::usleep(50000);
  if (status == -1) {
    ::kill(child, SIGKILL);
    ::waitpid(child, &status, 0);
    ADD_FAILURE() << "a second start blocked on the busy first instance";
  } else {
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  platform::ReleaseInstanceLock();
}

}  // namespace
