// A speech server of the test's own on a Unix or TCP socket: it answers the speech
// protocol as speech-dispatcher does and records what it is asked to say, except for the one
// command at which it has been told to misbehave, on its first connection.
#pragma once

#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class FakeSpeechServer {
 public:
  enum class Then {
    kServe,    // goes on answering as it should
    kClose,    // hangs up
    kSilence,  // keeps the connection and never answers again
    kRepeat,   // sends the same again and again, until the client hangs up
  };
  struct Misbehaviour {
    const char* name;
    std::string command;  // the start of the command it misbehaves at; "" on connecting
    int occurrence;       // the how-manieth such command (1 for the first)
    std::string reply;    // sent instead of the right reply
    Then then;
  };

  // On the Unix socket at path, or with an empty path on a TCP port of the loopback (port()).
  FakeSpeechServer(const std::string& path, Misbehaviour misbehaviour)
      : misbehaviour_(std::move(misbehaviour)) {
    if (path.empty()) {
      listener_ = socket(AF_INET, SOCK_STREAM, 0);
      sockaddr_in address{};
      address.sin_family = AF_INET;
      address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
      socklen_t length = sizeof address;
      bind(listener_, reinterpret_cast<sockaddr*>(&address), length);
      getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
      port_ = ntohs(address.sin_port);
    } else {
      listener_ = socket(AF_UNIX, SOCK_STREAM, 0);
      sockaddr_un address{};
      address.sun_family = AF_UNIX;
      path.copy(address.sun_path, sizeof address.sun_path - 1);
      unlink(path.c_str());
      bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address);
    }
    listen(listener_, 8);
    pipe(stop_);
    thread_ = std::thread([this] { Run(); });
  }
  ~FakeSpeechServer() {
    write(stop_[1], "x", 1);
    thread_.join();
    for (int fd : held_) close(fd);
    close(listener_);
    close(stop_[0]);
    close(stop_[1]);
  }

  int port() const { return port_; }
  // Each text said, after its language and a blank, as the recording server writes them.
  std::vector<std::string> Said() {
    std::lock_guard lock(mutex_);
    return said_;
  }
  // Every command line received, data excluded.
  std::vector<std::string> Commands() {
    std::lock_guard lock(mutex_);
    return commands_;
  }

 private:
  void Run() {
    for (bool first = true;; first = false) {
      pollfd waiting[] = {{listener_, POLLIN, 0}, {stop_[0], POLLIN, 0}};
      if (poll(waiting, 2, -1) < 0 || waiting[1].revents) return;
      const int client = accept(listener_, nullptr, nullptr);
      if (client >= 0 && !Serve(client, first)) held_.push_back(client);
    }
  }

  // Answers one connection until it ends; false when it is to be kept open, unanswered.
  bool Serve(int client, bool misbehave) {
    if (misbehave && misbehaviour_.command.empty() && !Misbehave(client)) return false;
    std::string language = "es";
    int seen = 0;
    for (std::string line; ReadLine(client, line);) {
      {
        std::lock_guard lock(mutex_);
        commands_.push_back(line);
      }
      if (misbehave && !misbehaviour_.command.empty() && StartsWith(line, misbehaviour_.command) &&
          ++seen == misbehaviour_.occurrence) {
        if (!Misbehave(client)) return false;
        if (misbehaviour_.then != Then::kServe) break;
        continue;
      }
      if (StartsWith(line, "SET SELF CLIENT_NAME")) {
        Send(client, "208 OK CLIENT NAME SET\r\n");
      } else if (StartsWith(line, "SET SELF LANGUAGE ")) {
        language = line.substr(18);
        Send(client, "201 OK LANGUAGE SET\r\n");
      } else if (StartsWith(line, "SET SELF PRIORITY")) {
        Send(client, "202 OK PRIORITY SET\r\n");
      } else if (line == "SPEAK") {
        Send(client, "230 OK RECEIVING DATA\r\n");
        std::string text;
        for (std::string data; ReadLine(client, data) && data != ".";) {
          if (StartsWith(data, "..")) data.erase(0, 1);
          text += (text.empty() ? "" : "\n") + data;
        }
        if (misbehave && misbehaviour_.command == "." && ++seen == misbehaviour_.occurrence) {
          if (!Misbehave(client)) return false;
          if (misbehaviour_.then != Then::kServe) break;
          continue;
        }
        std::lock_guard lock(mutex_);
        said_.push_back(language + " " + text);
        Send(client, "225-" + std::to_string(said_.size()) + "\r\n225 OK MESSAGE QUEUED\r\n");
      } else if (line == "QUIT") {
        Send(client, "231 HAPPY HACKING\r\n");
        break;
      } else {
        Send(client, "500 ERR INVALID COMMAND\r\n");
      }
    }
    close(client);
    return true;
  }

  bool Misbehave(int client) {
    Send(client, misbehaviour_.reply);
    if (misbehaviour_.then == Then::kSilence) return false;
    while (misbehaviour_.then == Then::kRepeat && Send(client, misbehaviour_.reply)) {
    }
    return true;
  }

  static bool StartsWith(const std::string& text, const std::string& start) {
    return text.size() >= start.size() &&
           std::equal(start.begin(), start.end(), text.begin(),
                      [](char a, char b) { return std::toupper(a) == std::toupper(b); });
  }
  static bool Send(int client, const std::string& bytes) {
    return bytes.empty() || send(client, bytes.data(), bytes.size(), MSG_NOSIGNAL) > 0;
  }
  // One line without its CR LF; false once the client has hung up.
  static bool ReadLine(int client, std::string& line) {
    line.clear();
    for (char c; recv(client, &c, 1, 0) == 1;) {
      if (c == '\n') {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        return true;
      }
      line += c;
    }
    return false;
  }

  const Misbehaviour misbehaviour_;
  int listener_ = -1, port_ = 0;
  int stop_[2] = {-1, -1};
  std::vector<int> held_;
  std::mutex mutex_;
  std::vector<std::string> said_, commands_;
  std::thread thread_;
};
