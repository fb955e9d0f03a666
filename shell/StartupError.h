// Every reason the game cannot start takes one road: a StartupError, thrown where the failure is
// found (no display, no window, no way to show a frame, a picture missing or bad) and caught once
// by the front end's start, which words it with StartupErrorMessage and shows it its own way.
#pragma once

#include <stdexcept>
#include <string>
#include <utility>

namespace nuikaro {

// A reason the game cannot start; File is empty when no file is to blame.
class StartupError : public std::runtime_error {
 public:
  StartupError(std::string file, std::string reason);
  explicit StartupError(std::string reason) : StartupError("", std::move(reason)) {}
  const std::string& File() const { return file_; }
  const std::string& Reason() const { return reason_; }

 private:
  std::string file_;
  std::string reason_;
};

// "ぬいかろ: <file>: <reason>", or "ぬいかろ: <reason>" when no file is to blame: the one wording
// of every front end.
std::string StartupErrorMessage(const StartupError& error);

}  // namespace nuikaro
