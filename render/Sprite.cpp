#include "render/Sprite.h"

#include <SDL_error.h>
#include <SDL_filesystem.h>
#include <SDL_stdinc.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace nuikaro {

namespace {

std::string SystemReason(int error) {
  return std::strerror(error);
}

// Reads the whole file ourselves, so a missing or unreadable file is reported with the system's
// reason. The size is taken first, so the bytes are held once, in one block.
std::vector<unsigned char> ReadWholeFile(const std::string& path) {
  struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
  };
  errno = 0;
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
  if (!file) {
    throw PictureError(path, "cannot be opened: " + SystemReason(errno));
  }
  struct stat status {};
  if (fstat(fileno(file.get()), &status) != 0) {
    throw PictureError(path, "cannot be read: " + SystemReason(errno));
  }
  if (S_ISREG(status.st_mode) &&
      static_cast<uint64_t>(status.st_size) > uint64_t{LargestPictureFile}) {
    throw PictureError(path, "is far too large to be a picture of this game");
  }
  std::vector<unsigned char> bytes;
  bytes.reserve(S_ISREG(status.st_mode) ? static_cast<std::size_t>(status.st_size) : 0);
  unsigned char buffer[65536];
  for (;;) {
    errno = 0;
    const std::size_t count = std::fread(buffer, 1, sizeof buffer, file.get());
    // A file that grows while read is cut off past what any picture of ours needs.
    if (bytes.size() + count > LargestPictureFile) {
      throw PictureError(path, "is far too large to be a picture of this game");
    }
    bytes.insert(bytes.end(), buffer, buffer + count);
    if (count < sizeof buffer) {
      break;
    }
  }
  if (std::ferror(file.get())) {
    throw PictureError(path, "cannot be read: " + SystemReason(errno != 0 ? errno : EIO));
  }
  return bytes;
}

}  // namespace

Surface LoadPicture(const std::string& path, const SizeRule& rule) {
  return DecodePicture(path, ReadWholeFile(path), rule);
}

Sprite LoadSprite(const Surface& picture) {
  Sprite sprite;
  sprite.Width = picture.Width;
  sprite.Height = picture.Height;
  sprite.Pixels = picture;
  return sprite;
}

void FreeSprite(Sprite& sprite) {
  sprite.Width = 0;
  sprite.Height = 0;
  Surface released;
  std::swap(sprite.Pixels, released);
}

std::string ProgramDirectory() {
  char* base = SDL_GetBasePath();
  if (base == nullptr) {
    // Falling back to the current folder would load whatever pictures happen to lie there.
    throw std::runtime_error(std::string("The program's own folder cannot be found: ") +
                             SDL_GetError());
  }
  std::string directory(base);
  SDL_free(base);
  // SDL ends it in the system's separator ('\\' on Windows); a name is appended straight to it.
  if (directory.empty() || (directory.back() != '/' && directory.back() != '\\')) {
    directory += '/';
  }
  return directory;
}

}  // namespace nuikaro
