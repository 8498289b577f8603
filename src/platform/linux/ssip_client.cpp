// A connection to the speech server over its text protocol, with deadlines and bounded reads.
#include "platform/linux/ssip_client.h"

#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <pwd.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <cstdlib>
#include <string_view>

namespace {

using Clock = std::chrono::steady_clock;

// The server answers a command at once, and takes a connection at once: one that has not
// answered by then is not going to.
constexpr auto kReplyTime = std::chrono::seconds(2);
constexpr auto kConnectTime = std::chrono::seconds(2);
// A reply to anything this client sends is one or two short lines.
constexpr std::size_t kMaxReplyBytes = 4096;
constexpr int kDefaultPort = 6560;

// Waits until fd has one of events (or has failed), by deadline; false when the time runs
// out or stop_fd becomes readable.
bool WaitFor(int fd, short events, int stop_fd, Clock::time_point deadline) {
  for (;;) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
    if (left.count() <= 0) return false;
    pollfd fds[] = {{fd, events, 0}, {stop_fd, POLLIN, 0}};
    const int ready = poll(fds, stop_fd >= 0 ? 2 : 1, static_cast<int>(left.count()));
    if (ready < 0 && errno == EINTR) continue;
    return ready > 0 && fds[1].revents == 0 && fds[0].revents != 0;
  }
}

int ConnectUnix(const std::string& path) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (path.size() >= sizeof address.sun_path) return -1;
  path.copy(address.sun_path, path.size());
  const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  // A Unix socket connects at once or not at all (EAGAIN: its server takes no more clients).
  if (fd >= 0 && connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
    close(fd);
    return -1;
  }
  return fd;
}

int ConnectTcp(const std::string& host, int port, int stop_fd, Clock::time_point deadline) {
  addrinfo hints{};
  hints.ai_socktype = SOCK_STREAM;
  hints.ai_flags = AI_NUMERICSERV;
  addrinfo* found = nullptr;
  if (getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found) != 0) return -1;
  int fd = -1;
  for (const addrinfo* candidate = found; candidate && fd < 0; candidate = candidate->ai_next) {
    fd = socket(candidate->ai_family, candidate->ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC,
                candidate->ai_protocol);
    if (fd < 0) continue;
    int error = 0;
    socklen_t length = sizeof error;
    const bool connected =
        connect(fd, candidate->ai_addr, candidate->ai_addrlen) == 0 ||
        (errno == EINPROGRESS && WaitFor(fd, POLLOUT, stop_fd, deadline) &&
         getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) == 0 && error == 0);
    if (!connected) {
      close(fd);
      fd = -1;
    }
  }
  freeaddrinfo(found);
  const int on = 1;
  if (fd >= 0) setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
  return fd;
}

bool SendAll(int fd, std::string_view bytes, int stop_fd, Clock::time_point deadline) {
  while (!bytes.empty()) {
    const ssize_t sent = send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
    if (sent > 0) {
      bytes.remove_prefix(static_cast<std::size_t>(sent));
    } else if (sent < 0 && errno != EINTR &&
               !((errno == EAGAIN || errno == EWOULDBLOCK) &&
                 WaitFor(fd, POLLOUT, stop_fd, deadline))) {
      return false;
    }
  }
  return true;
}

// The code of a reply's last line. Every line is three digits, then "-" and more lines to come,
// or a blank and the last line. nullopt for a reply that is late, malformed, longer than
// kMaxReplyBytes, or followed at once by more than was asked for.
std::optional<int> ReadReply(int fd, std::string& unread, int stop_fd,
                             Clock::time_point deadline) {
  std::size_t length = 0;
  for (;;) {
    const std::size_t end = unread.find('\n');
    if (end == std::string::npos) {
      if (length + unread.size() > kMaxReplyBytes || !WaitFor(fd, POLLIN, stop_fd, deadline))
        return std::nullopt;
      char buffer[512];
      const ssize_t got = recv(fd, buffer, sizeof buffer, 0);
      if (got > 0) {
        unread.append(buffer, static_cast<std::size_t>(got));
      } else if (got == 0 || (errno != EINTR && errno != EAGAIN && errno != EWOULDBLOCK)) {
        return std::nullopt;  // hung up, or failed, in the middle of the reply
      }
      continue;
    }
    length += end + 1;
    std::string_view line(unread.data(), end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    auto digit = [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; };
    if (length > kMaxReplyBytes || line.size() < 4 || !digit(line[0]) || !digit(line[1]) ||
        !digit(line[2]) || (line[3] != '-' && line[3] != ' '))
      return std::nullopt;
    const bool last = line[3] == ' ';
    const int code = (line[0] - '0') * 100 + (line[1] - '0') * 10 + (line[2] - '0');
    unread.erase(0, end + 1);
    if (last) return unread.empty() ? std::optional<int>(code) : std::nullopt;
  }
}

// The text as the data of SPEAK: lines ended by CR LF, a second dot before a line that begins
// with one, and a line of a single dot at the end.
std::string SpeakData(std::string_view text) {
  std::string data;
  for (;;) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (!line.empty() && line.front() == '.') data += '.';
    data.append(line).append("\r\n");
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return data + ".\r\n";
}

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

// Where the library finds the user's runtime folder (through GLib): XDG_RUNTIME_DIR, else the
// user's cache folder.
std::string RuntimeFolder() {
  if (std::string folder = Environment("XDG_RUNTIME_DIR"); !folder.empty()) return folder;
  if (std::string folder = Environment("XDG_CACHE_HOME"); !folder.empty()) return folder;
  std::string home = Environment("HOME");
  if (home.empty()) {
    passwd entry{}, *found = nullptr;
    char buffer[4096];
    if (getpwuid_r(getuid(), &entry, buffer, sizeof buffer, &found) == 0 && found)
      home = found->pw_dir;
  }
  return home + "/.cache";
}

}  // namespace

std::optional<SpeechServerAddress> SessionSpeechServer() {
  const std::string given = Environment("SPEECHD_ADDRESS");
  const std::size_t colon = given.find(':');
  const std::string method = given.substr(0, colon);
  const std::string rest = colon == std::string::npos ? "" : given.substr(colon + 1);
  if (method.empty() || method == "unix_socket") {
    if (!rest.empty()) return SpeechServerAddress{rest, "", 0};
    return SpeechServerAddress{RuntimeFolder() + "/speech-dispatcher/speechd.sock", "", 0};
  }
  if (method != "inet_socket") return std::nullopt;
  const std::size_t port_colon = rest.find(':');
  SpeechServerAddress address{"", rest.substr(0, port_colon), kDefaultPort};
  if (address.host.empty()) address.host = "127.0.0.1";
  if (port_colon != std::string::npos) {
    const std::string_view port = std::string_view(rest).substr(port_colon + 1);
    const auto [end, error] = std::from_chars(port.data(), port.data() + port.size(), address.port);
    if (error != std::errc() || end != port.data() + port.size()) return std::nullopt;
  }
  return address;
}

bool SsipClient::Open(const SpeechServerAddress& address, const std::string& client_name) {
  Close();
  fd_ = address.socket_path.empty()
            ? ConnectTcp(address.host, address.port, stop_fd_, Clock::now() + kConnectTime)
            : ConnectUnix(address.socket_path);
  return fd_ >= 0 && Exchange("SET SELF CLIENT_NAME \"" + client_name + "\"\r\n", 0);
}

bool SsipClient::Say(const std::string& text, const std::string& language,
                     const std::string& priority) {
  if (language != language_) {
    if (!Exchange("SET SELF LANGUAGE " + language + "\r\n", 0)) return false;
    language_ = language;
  }
  if (priority != priority_) {
    if (!Exchange("SET SELF PRIORITY " + priority + "\r\n", 0)) return false;
    priority_ = priority;
  }
  return Exchange("SPEAK\r\n", 230) && Exchange(SpeakData(text), 0);
}

void SsipClient::Close() {
  if (fd_ >= 0) close(fd_);
  fd_ = -1;
  unread_.clear();
  language_.clear();
  priority_.clear();
}

bool SsipClient::Exchange(const std::string& request, int expected_code) {
  const auto deadline = Clock::now() + kReplyTime;
  std::optional<int> code;
  // Bytes left from before are no reply to this request: the server is out of step.
  if (fd_ >= 0 && unread_.empty() && SendAll(fd_, request, stop_fd_, deadline))
    code = ReadReply(fd_, unread_, stop_fd_, deadline);
  if (code && (expected_code ? *code == expected_code : *code / 100 == 2)) return true;
  Close();
  return false;
}
