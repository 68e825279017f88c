// instance.cpp - the single-instance lock as an abstract local socket: the
// first process binds the name, a second one connects to it (the "raise
// your window" request) and learns that it is not alone.
#include "platform/os/instance.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstdlib>
#include <cstring>

#include "platform/options.h"
#include "platform/os/encoding.h"

namespace platform {

namespace {
int listener = -1;

// Abstract socket address: a leading NUL, then uid, caption and key.
socklen_t MakeAddress(const std::string& name, sockaddr_un* addr) {
  std::memset(addr, 0, sizeof *addr);
  addr->sun_family = AF_UNIX;
  std::string id = std::to_string(::getuid()) + ":" + Cp932ToUtf8(name) + ":RuMutex";
  const std::string key = InstanceKey();
  if (!key.empty()) id += ":" + key;
  const size_t room = sizeof addr->sun_path - 1;
  if (id.size() > room) id.resize(room);
  std::memcpy(addr->sun_path + 1, id.data(), id.size());
  return socklen_t(offsetof(sockaddr_un, sun_path) + 1 + id.size());
}
}  // namespace

bool AcquireInstanceLock(const std::string& name) {
  sockaddr_un addr;
  const socklen_t len = MakeAddress(name, &addr);
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (fd < 0) return true;  // no sockets: behave as the only instance
  if (::bind(fd, reinterpret_cast<sockaddr*>(&addr), len) == 0 && ::listen(fd, 4) == 0) {
    ReleaseInstanceLock();  // a lock of another name is given back
    listener = fd;
    return true;
  }
  const bool taken = errno == EADDRINUSE;
  ::close(fd);
  if (!taken) return true;  // sockets refused for another reason: run alone
  // Someone holds the name: connecting is the request to raise its window.
  // It never waits: a holder that does not take requests (busy, stuck, its
  // backlog full) misses this one, and the second start ends all the same.
  const int client = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (client >= 0) {
    if (::connect(client, reinterpret_cast<sockaddr*>(&addr), len) == 0) {
      const char raise = 'R';
      (void)!::send(client, &raise, 1, MSG_DONTWAIT | MSG_NOSIGNAL);
    }
    ::close(client);
  }
  return false;
}

void ReleaseInstanceLock() {
  if (listener >= 0) ::close(listener);
  listener = -1;
}

bool TakeRaiseRequest() {
  if (listener < 0) return false;
  bool any = false;
  for (;;) {
    const int c = ::accept4(listener, nullptr, nullptr, SOCK_CLOEXEC);
    if (c < 0) break;
    any = true;
    ::close(c);
  }
  return any;
}

}  // namespace platform
