#include "shell/ProgramDirectory.h"

#include <SDL_error.h>
#include <SDL_filesystem.h>
#include <SDL_stdinc.h>

#include "shell/StartupError.h"

namespace nuikaro {

std::string ProgramDirectory() {
  char* base = SDL_GetBasePath();
  if (base == nullptr) {
    // Falling back to the current folder would load whatever pictures happen to lie there.
    throw StartupError(std::string("The program's own folder cannot be found: ") + SDL_GetError());
  }
  // SDL ends it in the system's separator ('\\' on Windows): a name is appended straight to it.
  std::string directory(base);
  SDL_free(base);
  return directory;
}

}  // namespace nuikaro
