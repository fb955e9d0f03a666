// The web page: the page puts the game's font into the virtual file system beside the pictures
// (web/make-font.py makes the one it ships); texts are counted with musl's iconv, which knows
// Shift-JIS (JIS X 0208) as "SHIFT_JIS" and has no CP932.
#include <SDL_filesystem.h>
#include <SDL_stdinc.h>

#include "render/Cp932.h"
#include "render/FontFolder.h"
#include "render/FontSource.h"

namespace nuikaro {

// The page loads one font file (web/index.html names it) into the program's folder; whatever its
// name, it stands for every face the game asks for.
FontFile FindFontFile(std::string_view faceName, std::string_view) {
  char* base = SDL_GetBasePath();
  const std::string folder = base != nullptr ? base : "/";
  SDL_free(base);
  return FontFileInFolder(folder, faceName);
}

int32_t AnsiByteLength(std::string_view text) {
  return Cp932ByteLength(text);
}

}  // namespace nuikaro
