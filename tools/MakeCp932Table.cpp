// Writes the table of the characters CP932 writes with two bytes (render/Cp932Table.inc), read
// from iconv's CP932 (glibc's), for the systems that have no CP932 of their own (the web page).
// Regenerate after a change here:
//   cmake --build build --target make_cp932_table
//   build/tools/make_cp932_table render/Cp932Table.inc
// The render tests check the committed table against iconv, character by character.
#include <iconv.h>

#include <cstdio>
#include <string>
#include <vector>

#include "render/Utf8.h"

namespace {

constexpr char32_t KanjiFirst = 0x4E00;  // the CJK ideographs: a bitmap; elsewhere, ranges
constexpr char32_t KanjiEnd = 0xA000;

bool IsDoubleByte(iconv_t descriptor, char32_t code) {
  std::string text = nuikaro::Utf8OfBmp(code);
  char* input = text.data();
  std::size_t inputLeft = text.size();
  char output[8];
  char* next = output;
  std::size_t outputLeft = sizeof output;
  iconv(descriptor, nullptr, nullptr, nullptr, nullptr);
  return iconv(descriptor, &input, &inputLeft, &next, &outputLeft) !=
             static_cast<std::size_t>(-1) &&
         sizeof output - outputLeft == 2;
}

}  // namespace

int main(int argc, char** argv) {
  const iconv_t descriptor = iconv_open("CP932", "UTF-8");
  if (argc != 2 || descriptor == reinterpret_cast<iconv_t>(-1)) {
    std::fprintf(stderr, "usage: make_cp932_table <output> (needs an iconv with CP932)\n");
    return 2;
  }
  std::vector<std::pair<char32_t, char32_t>> ranges;  // first and last, outside the ideographs
  std::vector<unsigned> bitmap((KanjiEnd - KanjiFirst) / 32);
  for (char32_t code = 0x80; code < 0x10000; ++code) {
    if ((code >= 0xD800 && code < 0xE000) || !IsDoubleByte(descriptor, code)) {
      continue;
    }
    if (code >= KanjiFirst && code < KanjiEnd) {
      bitmap[(code - KanjiFirst) / 32] |= 1u << (code - KanjiFirst) % 32;
    } else if (!ranges.empty() && ranges.back().second + 1 == code) {
      ranges.back().second = code;
    } else {
      ranges.emplace_back(code, code);
    }
  }
  FILE* out = std::fopen(argv[1], "w");
  if (out == nullptr) {
    std::perror(argv[1]);
    return 1;
  }
  std::fprintf(out, "// Written by tools/MakeCp932Table.cpp from iconv's CP932: do not edit.\n");
  std::fprintf(out, "// clang-format off\n");
  std::fprintf(out, "constexpr char32_t Cp932KanjiFirst = 0x%04X;\n", unsigned{KanjiFirst});
  std::fprintf(out, "constexpr char32_t Cp932KanjiEnd = 0x%04X;\n", unsigned{KanjiEnd});
  std::fprintf(out, "// Bit (c - Cp932KanjiFirst) of the ideographs that have a form.\n");
  std::fprintf(out, "constexpr uint32_t Cp932Kanji[] = {");
  for (std::size_t i = 0; i < bitmap.size(); ++i) {
    std::fprintf(out, "%s0x%08X,", i % 8 == 0 ? "\n    " : " ", bitmap[i]);
  }
  std::fprintf(out, "\n};\n// The other characters with a form: first and last of each run.\n");
  std::fprintf(out, "constexpr char16_t Cp932Ranges[][2] = {");
  for (std::size_t i = 0; i < ranges.size(); ++i) {
    std::fprintf(out, "%s{0x%04X, 0x%04X},", i % 5 == 0 ? "\n    " : " ", unsigned{ranges[i].first},
                 unsigned{ranges[i].second});
  }
  std::fprintf(out, "\n};\n// clang-format on\n");
  iconv_close(descriptor);
  return std::fclose(out) == 0 ? 0 : 1;
}
