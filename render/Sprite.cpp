#include "render/Sprite.h"

#include <SDL_error.h>
#include <SDL_filesystem.h>
#include <SDL_rwops.h>
#include <SDL_stdinc.h>
#include <SDL_surface.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace nuikaro {

namespace {

// Larger than any picture of ours by far, small enough that decoding can never exhaust memory.
constexpr int64_t LargestPictureSide = 4096;

constexpr std::size_t FileHeaderSize = 14;
constexpr std::size_t CoreHeaderSize = 12;  // the oldest info header, with 16-bit sizes
constexpr uint32_t ColourBits = 0x00FFFFFF;

uint32_t ReadLittle16(const std::vector<unsigned char>& bytes, std::size_t at) {
  return bytes[at] | (bytes[at + 1] << 8);
}

uint32_t ReadLittle32(const std::vector<unsigned char>& bytes, std::size_t at) {
  return static_cast<uint32_t>(bytes[at]) | (static_cast<uint32_t>(bytes[at + 1]) << 8) |
         (static_cast<uint32_t>(bytes[at + 2]) << 16) |
         (static_cast<uint32_t>(bytes[at + 3]) << 24);
}

std::string SystemReason(int error) {
  return std::strerror(error);
}

// Reads the whole file ourselves, so a missing or unreadable file is reported with the system's
// reason instead of a decoder's "invalid parameter".
std::vector<unsigned char> ReadWholeFile(const std::string& path) {
  struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
  };
  errno = 0;
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
  if (!file) {
    throw PictureError(path, "cannot be opened: " + SystemReason(errno));
  }
  std::vector<unsigned char> bytes;
  unsigned char buffer[65536];
  for (;;) {
    errno = 0;
    const std::size_t count = std::fread(buffer, 1, sizeof buffer, file.get());
    bytes.insert(bytes.end(), buffer, buffer + count);
    if (count < sizeof buffer) {
      break;
    }
    // A file far larger than the largest picture we accept is no picture of ours.
    if (bytes.size() >
        static_cast<std::size_t>(LargestPictureSide * LargestPictureSide * 4 + 4096)) {
      throw PictureError(path, "is far too large to be a picture of this game");
    }
  }
  if (std::ferror(file.get())) {
    throw PictureError(path, "cannot be read: " + SystemReason(errno != 0 ? errno : EIO));
  }
  return bytes;
}

// Checks what the headers promise before the decoder allocates anything from them.
void CheckHeaders(const std::string& path, const std::vector<unsigned char>& bytes) {
  if (bytes.empty()) {
    throw PictureError(path, "is empty");
  }
  if (bytes.size() < 2 || bytes[0] != 'B' || bytes[1] != 'M') {
    throw PictureError(path, "is not a BMP picture");
  }
  if (bytes.size() < FileHeaderSize + 4) {
    throw PictureError(path, "is cut short: the file ends inside its header");
  }
  const uint32_t infoSize = ReadLittle32(bytes, FileHeaderSize);
  if (infoSize != CoreHeaderSize && infoSize < 16) {
    throw PictureError(path, "is not a BMP picture (its header is damaged)");
  }
  const std::size_t headerEnd = FileHeaderSize + (infoSize == CoreHeaderSize ? 12 : 16);
  if (bytes.size() < headerEnd) {
    throw PictureError(path, "is cut short: the file ends inside its header");
  }
  int64_t width = 0;
  int64_t height = 0;
  if (infoSize == CoreHeaderSize) {
    width = ReadLittle16(bytes, FileHeaderSize + 4);
    height = ReadLittle16(bytes, FileHeaderSize + 6);
  } else {
    width = static_cast<int32_t>(ReadLittle32(bytes, FileHeaderSize + 4));
    // A negative height is legal: the rows are stored from the top down.
    height = static_cast<int32_t>(ReadLittle32(bytes, FileHeaderSize + 8));
    height = height < 0 ? -height : height;
  }
  if (width <= 0 || height <= 0) {
    throw PictureError(path, "is not a BMP picture (it claims a size of " + std::to_string(width) +
                                 " by " + std::to_string(height) + " pixels)");
  }
  if (width > LargestPictureSide || height > LargestPictureSide) {
    throw PictureError(path, "claims a picture of " + std::to_string(width) + " by " +
                                 std::to_string(height) + " pixels; the largest allowed is " +
                                 std::to_string(LargestPictureSide) + " by " +
                                 std::to_string(LargestPictureSide));
  }
}

struct SurfaceFreer {
  void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};
using SurfacePointer = std::unique_ptr<SDL_Surface, SurfaceFreer>;

}  // namespace

PictureError::PictureError(std::string file, std::string reason)
    : std::runtime_error("\"" + file + "\" " + reason),
      file_(std::move(file)),
      reason_(std::move(reason)) {}

Surface LoadPicture(const std::string& path) {
  const std::vector<unsigned char> bytes = ReadWholeFile(path);
  CheckHeaders(path, bytes);

  SDL_RWops* stream = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
  if (stream == nullptr) {
    throw PictureError(path, std::string("cannot be read: ") + SDL_GetError());
  }
  SurfacePointer decoded(SDL_LoadBMP_RW(stream, 1));
  if (!decoded) {
    // The decoder fails on pixel data that stops early, or on a layout it does not know.
    throw PictureError(path, std::string("is damaged or cut short and cannot be decoded (") +
                                 SDL_GetError() + ")");
  }
  SurfacePointer converted(SDL_ConvertSurfaceFormat(decoded.get(), SDL_PIXELFORMAT_RGB888, 0));
  if (!converted) {
    throw PictureError(path, std::string("cannot be converted: ") + SDL_GetError());
  }

  Surface picture(converted->w, converted->h);
  if (SDL_MUSTLOCK(converted.get())) {
    SDL_LockSurface(converted.get());
  }
  const auto* base = static_cast<const unsigned char*>(converted->pixels);
  for (int32_t y = 0; y < picture.Height; ++y) {
    const auto* in =
        reinterpret_cast<const uint32_t*>(base + static_cast<std::size_t>(y) * converted->pitch);
    uint32_t* out = picture.Row(y);
    // The top byte may carry a file's alpha, even 0; drawing works on colour bits only, so every
    // loaded pixel keeps it 0 and an invisible alpha can never hide a sprite.
    for (int32_t x = 0; x < picture.Width; ++x) {
      out[x] = in[x] & ColourBits;
    }
  }
  if (SDL_MUSTLOCK(converted.get())) {
    SDL_UnlockSurface(converted.get());
  }
  return picture;
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
