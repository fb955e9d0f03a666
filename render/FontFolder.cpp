#include "render/FontFolder.h"

#include <dirent.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace nuikaro {

namespace {

bool IsFontFile(std::string_view name) {
  for (const std::string_view suffix : {".ttf", ".otf", ".ttc"}) {
    if (name.size() > suffix.size() && name.substr(name.size() - suffix.size()) == suffix) {
      return true;
    }
  }
  return false;
}

}  // namespace

FontFile FontFileInFolder(const std::string& folder, std::string_view faceName) {
  std::vector<std::string> fonts;
  if (DIR* directory = opendir(folder.c_str())) {
    while (const dirent* entry = readdir(directory)) {
      const std::string_view name = entry->d_name;
      if (IsFontFile(name)) {
        fonts.emplace_back(name);
      }
    }
    closedir(directory);
  }
  if (fonts.empty()) {
    // stdio, not iostream: the page's program would carry all of iostream's locales for this line.
    std::fprintf(stderr, "ぬいかろ: no font file in %s: texts in \"%.*s\" are not drawn\n",
                 folder.c_str(), static_cast<int>(faceName.size()), faceName.data());
    return {};
  }
  return {folder + *std::min_element(fonts.begin(), fonts.end()), 0, {}};
}

}  // namespace nuikaro
