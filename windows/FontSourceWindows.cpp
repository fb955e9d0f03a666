// Windows: faces through GDI, whose font data goes to SDL_ttf as bytes, and the CP932 count
// through the system's own conversion.
#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include "render/FontSource.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include "render/Utf8.h"

namespace nuikaro {

namespace {

// The font file shipped beside the program, for a system without the face asked for.
constexpr wchar_t ShippedFontFile[] = L"ipagp.ttf";

constexpr DWORD CollectionTag = 0x66637474;  // 'ttcf' read as a little-endian DWORD

std::wstring Wide(std::string_view text) {
  if (text.empty()) {
    return {};
  }
  const int length =
      MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(std::max(length, 0)), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
  return wide;
}

std::string Utf8(std::wstring_view text) {
  if (text.empty()) {
    return {};
  }
  const int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
  std::string narrow(static_cast<std::size_t>(std::max(length, 0)), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), narrow.data(), length,
                      nullptr, nullptr);
  return narrow;
}

uint32_t BigEndian32(const std::vector<unsigned char>& bytes, std::size_t at) {
  return static_cast<uint32_t>(bytes[at]) << 24 | static_cast<uint32_t>(bytes[at + 1]) << 16 |
         static_cast<uint32_t>(bytes[at + 2]) << 8 | bytes[at + 3];
}

// Table 0 (the whole font) or the whole collection file; empty when GDI has none.
std::vector<unsigned char> FontData(HDC dc, DWORD table) {
  const DWORD size = GetFontData(dc, table, 0, nullptr, 0);
  if (size == GDI_ERROR || size == 0) {
    return {};
  }
  std::vector<unsigned char> bytes(size);
  if (GetFontData(dc, table, 0, bytes.data(), size) != size) {
    return {};
  }
  return bytes;
}

// The face of a collection whose table directory is the one GDI reports for the selected font;
// -1 when none is.
int CollectionIndex(const std::vector<unsigned char>& collection,
                    const std::vector<unsigned char>& directory) {
  if (collection.size() < 12 || directory.size() < 12) {
    return -1;
  }
  const std::size_t tables = static_cast<std::size_t>(directory[4]) << 8 | directory[5];
  const std::size_t directoryBytes = std::min(directory.size(), 12 + 16 * tables);
  const uint32_t faces = BigEndian32(collection, 8);
  for (uint32_t face = 0; face < faces && 12 + 4 * (face + 1) <= collection.size(); ++face) {
    const std::size_t offset = BigEndian32(collection, 12 + 4 * face);
    if (offset + directoryBytes <= collection.size() &&
        std::equal(directory.begin(),
                   directory.begin() + static_cast<std::ptrdiff_t>(directoryBytes),
                   collection.begin() + static_cast<std::ptrdiff_t>(offset))) {
      return static_cast<int>(face);
    }
  }
  return -1;
}

// The system's face of that name with every one of the characters, as bytes; empty when the
// system has none (GDI then offers another face, which is refused here).
FontFile SystemFont(std::string_view faceName, std::string_view characters) {
  const std::wstring face = Wide(faceName);
  if (face.empty() || face.size() >= LF_FACESIZE) {
    return {};
  }
  HDC dc = CreateCompatibleDC(nullptr);
  if (dc == nullptr) {
    return {};
  }
  HFONT font = CreateFontW(-64, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                           OUT_TT_ONLY_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                           face.c_str());
  FontFile found;
  if (font != nullptr) {
    HGDIOBJ kept = SelectObject(dc, font);
    wchar_t chosen[LF_FACESIZE] = {};
    GetTextFaceW(dc, LF_FACESIZE, chosen);
    const std::wstring wanted = Wide(characters);
    std::vector<WORD> glyphs(wanted.size());
    const bool sameFace = lstrcmpiW(chosen, face.c_str()) == 0;
    const bool covers =
        GetGlyphIndicesW(dc, wanted.c_str(), static_cast<int>(wanted.size()), glyphs.data(),
                         GGI_MARK_NONEXISTING_GLYPHS) != GDI_ERROR &&
        std::none_of(glyphs.begin(), glyphs.end(), [](WORD glyph) { return glyph == 0xFFFF; });
    if (sameFace && covers) {
      // A face from a collection (.ttc): SDL_ttf needs the whole file and the face's number.
      std::vector<unsigned char> collection = FontData(dc, CollectionTag);
      if (!collection.empty()) {
        const int index = CollectionIndex(collection, FontData(dc, 0));
        if (index >= 0) {
          found.Bytes = std::move(collection);
          found.Index = index;
        }
      } else {
        found.Bytes = FontData(dc, 0);
      }
      if (!found.Bytes.empty()) {
        found.Path = Utf8(chosen) + " (system font)";
      }
    }
    SelectObject(dc, kept);
    DeleteObject(font);
  }
  DeleteDC(dc);
  return found;
}

// The font file beside the program; empty when it is not there.
FontFile ShippedFont() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) {
      return {};
    }
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);
  }
  path.erase(path.find_last_of(L"\\/") + 1);
  path += ShippedFontFile;
  if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
    return {};
  }
  return {Utf8(path), 0, {}};
}

}  // namespace

FontFile FindFontFile(std::string_view faceName, std::string_view characters) {
  FontFile found = SystemFont(faceName, characters);
  return found.Bytes.empty() ? ShippedFont() : found;
}

int32_t AnsiByteLength(std::string_view text) {
  // What has a UTF-16 form goes to the system's conversion in one piece; every byte that is not
  // UTF-8, and every character beyond 16 bits (none is in CP932), is one '?'.
  std::wstring convertible;
  int64_t total = 0;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t length = Utf8CharacterLength(text.substr(at));
    if (length == 1 && static_cast<unsigned char>(text[at]) >= 0x80) {
      total += 1;
    } else if (length == 4) {
      total += 1;
    } else {
      convertible += Wide(text.substr(at, length));
    }
    at += length;
  }
  if (!convertible.empty()) {
    total += WideCharToMultiByte(932, 0, convertible.data(), static_cast<int>(convertible.size()),
                                 nullptr, 0, nullptr, nullptr);
  }
  return static_cast<int32_t>(std::min<int64_t>(total, INT32_MAX));
}

}  // namespace nuikaro
