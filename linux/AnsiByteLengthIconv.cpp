// AnsiByteLength on Linux: iconv's CP932, or our own table of it where iconv has none.
#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstdint>

#include "render/Cp932.h"
#include "render/FontSource.h"
#include "render/Utf8.h"

namespace nuikaro {

namespace {

// Counts CP932 bytes through iconv. One per thread, since a conversion descriptor has state.
class Cp932Counter {
 public:
  Cp932Counter() : descriptor_(iconv_open("CP932", "UTF-8")) {}
  ~Cp932Counter() {
    if (Usable()) {
      iconv_close(descriptor_);
    }
  }
  Cp932Counter(const Cp932Counter&) = delete;
  Cp932Counter& operator=(const Cp932Counter&) = delete;

  int64_t Count(std::string_view text) {
    if (!Usable()) {
      return Cp932ByteLength(text);  // an iconv without CP932, such as musl's: our own table
    }
    iconv(descriptor_, nullptr, nullptr, nullptr, nullptr);
    char* input = const_cast<char*>(text.data());
    std::size_t inputLeft = text.size();
    int64_t total = 0;
    while (inputLeft > 0) {
      char buffer[256];
      char* output = buffer;
      std::size_t outputLeft = sizeof buffer;
      const std::size_t result = iconv(descriptor_, &input, &inputLeft, &output, &outputLeft);
      total += static_cast<int64_t>(sizeof buffer - outputLeft);
      if (result == static_cast<std::size_t>(-1) && errno != E2BIG) {
        // No CP932 form, or not UTF-8: one '?' stands in for the character.
        total += 1;
        const std::size_t skip = Utf8CharacterLength({input, inputLeft});
        input += skip;
        inputLeft -= skip;
      }
    }
    return total;
  }

 private:
  bool Usable() const {
    return descriptor_ != reinterpret_cast<iconv_t>(static_cast<intptr_t>(-1));
  }

  iconv_t descriptor_;
};

}  // namespace

int32_t AnsiByteLength(std::string_view text) {
  thread_local Cp932Counter counter;
  return static_cast<int32_t>(std::min<int64_t>(counter.Count(text), INT32_MAX));
}

}  // namespace nuikaro
