// The process's environment.
#pragma once

#include <cstdlib>

namespace nuikaro {

// True when the environment variable is set to something other than the empty text.
inline bool IsSet(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && value[0] != '\0';
}

}  // namespace nuikaro
