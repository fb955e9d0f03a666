#include "shell/StartupError.h"

#include <utility>

#include "render/Panel.h"

namespace nuikaro {

StartupError::StartupError(std::string file, std::string reason)
    : std::runtime_error(reason), file_(std::move(file)), reason_(std::move(reason)) {}

std::string StartupErrorMessage(const StartupError& error) {
  std::string message = std::string(TitleText) + ": ";
  if (!error.File().empty()) {
    message += error.File() + ": ";
  }
  return message + error.Reason();
}

}  // namespace nuikaro
