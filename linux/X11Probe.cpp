#include "linux/X11Probe.h"

#include <X11/Xlib.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

namespace nuikaro {

namespace {

// The reason without its line ends, lines joined.
std::string OneLine(const std::string& text) {
  std::string line;
  for (const char c : text) {
    if (c == '\n' || c == '\r') {
      if (!line.empty() && line.back() != ' ') {
        line += "; ";
      }
    } else {
      line += c;
    }
  }
  while (!line.empty() && (line.back() == ' ' || line.back() == ';')) {
    line.pop_back();
  }
  return line;
}

}  // namespace

X11Answer ProbeX11Display(const std::string& display, std::string& reason) {
  reason.clear();
  // Xlib's connection code writes a server's refusal to stderr and returns nothing: stderr goes
  // into a pipe for the moment of the connection. One thread runs yet, so nothing else writes.
  int pipeEnds[2];
  const bool caught = pipe(pipeEnds) == 0;
  int savedStderr = -1;
  if (caught) {
    std::fflush(stderr);
    fcntl(pipeEnds[0], F_SETFL, O_NONBLOCK);
    savedStderr = dup(STDERR_FILENO);
    dup2(pipeEnds[1], STDERR_FILENO);
  }
  Display* connection = XOpenDisplay(display.c_str());
  if (caught) {
    dup2(savedStderr, STDERR_FILENO);
    close(savedStderr);
    close(pipeEnds[1]);
    std::string text;
    char buffer[512];
    for (ssize_t count; (count = read(pipeEnds[0], buffer, sizeof buffer)) > 0;) {
      text.append(buffer, static_cast<std::size_t>(count));
    }
    close(pipeEnds[0]);
    reason = OneLine(text);
  }
  if (connection != nullptr) {
    XCloseDisplay(connection);
    return X11Answer::Accepted;
  }
  return reason.empty() ? X11Answer::NoServer : X11Answer::Refused;
}

}  // namespace nuikaro
