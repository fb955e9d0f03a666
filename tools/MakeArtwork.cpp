// Writes every picture of the game into the directory given as the only argument:
//   make_artwork assets
#include <exception>
#include <iostream>
#include <string>

#include "nuikaro/Identity.h"
#include "tools/Artwork.h"
#include "tools/IconFile.h"
#include "tools/Picture.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: make_artwork <output directory>\n";
    return 2;
  }
  const std::string directory = std::string(argv[1]) + "/";
  try {
    nuikaro::WriteFile(directory + nuikaro::BackTileFile,
                       nuikaro::EncodeBmp24(nuikaro::DrawBackTile()));
    nuikaro::WriteFile(directory + nuikaro::ItemSheetFile,
                       nuikaro::EncodeBmp24(nuikaro::DrawItemSheet()));
    for (int size : nuikaro::IconSizes) {
      nuikaro::WriteFile(directory + "nuikaro-" + std::to_string(size) + ".png",
                         nuikaro::EncodePng(nuikaro::DrawIcon(size)));
    }
    for (int size : nuikaro::WebIconSizes) {
      nuikaro::WriteFile(directory + "nuikaro-" + std::to_string(size) + ".png",
                         nuikaro::EncodePng(nuikaro::DrawIcon(size)));
      nuikaro::WriteFile(directory + "nuikaro-maskable-" + std::to_string(size) + ".png",
                         nuikaro::EncodePng(nuikaro::DrawMaskableIcon(size)));
    }
    nuikaro::WriteFile(directory + "nuikaro-icon.bmp", nuikaro::EncodeBmp32(nuikaro::DrawIcon(48)));
    // The Windows program's icon, in the title bar and in Explorer.
    const nuikaro::Picture icons[] = {nuikaro::DrawIcon(16), nuikaro::DrawIcon(32),
                                      nuikaro::DrawIcon(48)};
    nuikaro::WriteFile(directory + "nuikaro.ico", nuikaro::EncodeIco(icons));
  } catch (const std::exception& error) {
    std::cerr << "make_artwork: " << error.what() << "\n";
    return 1;
  }
  return 0;
}
