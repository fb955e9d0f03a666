#include "render/Sprite.h"

#include <SDL_error.h>
#include <SDL_stdinc.h>
#include <sys/stat.h>

#if !defined(_WIN32)
#include <fcntl.h>
#include <unistd.h>
#endif

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

// Why a file that is no regular file cannot be read as a picture, or empty for a regular file.
// Reading a named pipe or a device could wait for ever, and a folder has no bytes to read.
std::string NotAFileReason(const struct stat& status) {
  if (S_ISREG(status.st_mode)) {
    return "";
  }
  if (S_ISDIR(status.st_mode)) {
    return "is a folder, not a picture file";
  }
  if (S_ISFIFO(status.st_mode)) {
    return "is a named pipe (FIFO), not a picture file";
  }
  if (S_ISCHR(status.st_mode) || S_ISBLK(status.st_mode)) {
    return "is a device, not a picture file";
  }
  return "is no regular file, so not a picture file";
}

void RefuseAnythingButAFile(const std::string& path, const struct stat& status) {
  if (const std::string reason = NotAFileReason(status); !reason.empty()) {
    throw PictureError(path, reason);
  }
}

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// Opens a regular file for reading and refuses anything else before a byte is read. The kind is
// looked up first, so a named pipe or device is never even opened; the open itself cannot wait
// either, should the name have been replaced in between. status is the open file's.
File OpenRegularFile(const std::string& path, struct stat& status) {
  if (stat(path.c_str(), &status) != 0) {
    throw PictureError(path, "cannot be opened: " + SystemReason(errno));
  }
  RefuseAnythingButAFile(path, status);
#if defined(_WIN32)
  errno = 0;
  File file(std::fopen(path.c_str(), "rb"));
  if (!file) {
    throw PictureError(path, "cannot be opened: " + SystemReason(errno));
  }
#else
  // The reads of a regular file never wait, O_NONBLOCK or not.
  const int descriptor = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (descriptor < 0) {
    throw PictureError(path, "cannot be opened: " + SystemReason(errno));
  }
  File file(fdopen(descriptor, "rb"));
  if (!file) {
    const int error = errno;
    close(descriptor);
    throw PictureError(path, "cannot be opened: " + SystemReason(error));
  }
#endif
  if (fstat(fileno(file.get()), &status) != 0) {
    throw PictureError(path, "cannot be read: " + SystemReason(errno));
  }
  RefuseAnythingButAFile(path, status);
  return file;
}

// Reads the whole file ourselves, so a missing or unreadable file is reported with the system's
// reason. The size is taken first, so the bytes are held once, in one block.
std::vector<unsigned char> ReadWholeFile(const std::string& path) {
  struct stat status {};
  File file = OpenRegularFile(path, status);
  if (static_cast<uint64_t>(status.st_size) > uint64_t{LargestPictureFile}) {
    throw PictureError(path, "is far too large to be a picture of this game");
  }
  std::vector<unsigned char> bytes;
  bytes.reserve(static_cast<std::size_t>(status.st_size));
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

}  // namespace nuikaro
