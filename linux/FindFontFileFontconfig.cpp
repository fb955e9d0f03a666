// FindFontFile on Linux: fontconfig, taught the Windows names of the game's face.
#include <fontconfig/fontconfig.h>

#include <iostream>
#include <string>

#include "render/FontSource.h"

namespace nuikaro {

namespace {

// On Linux nobody maps the Windows face names, and asking fontconfig for Japanese alone gives the
// fixed-pitch IPAGothic: our own aliases put a proportional Japanese Gothic first.
std::string AliasRules() {
  std::string rules = "<?xml version=\"1.0\"?>\n<fontconfig>\n";
  for (const char* windowsName : {"ＭＳ Ｐゴシック", "MS PGothic"}) {
    rules += std::string("  <alias binding=\"same\">\n    <family>") + windowsName +
             "</family>\n    <prefer>\n"
             "      <family>IPAPGothic</family>\n"
             "      <family>VL PGothic</family>\n"
             "      <family>Noto Sans CJK JP</family>\n"
             "    </prefer>\n  </alias>\n";
  }
  return rules + "</fontconfig>\n";
}

FcCharSet* CharacterSet(std::string_view characters) {
  FcCharSet* set = FcCharSetCreate();
  const auto* next = reinterpret_cast<const FcChar8*>(characters.data());
  for (int left = static_cast<int>(characters.size()); left > 0;) {
    FcChar32 character = 0;
    const int length = FcUtf8ToUcs4(next, &character, left);
    if (length <= 0) {
      break;
    }
    FcCharSetAddChar(set, character);
    next += length;
    left -= length;
  }
  return set;
}

}  // namespace

FontFile FindFontFile(std::string_view faceName, std::string_view characters) {
  FontFile found;
  FcConfig* config = FcInitLoadConfigAndFonts();
  if (config == nullptr) {
    std::cerr << "ぬいかろ: fontconfig could not be set up; texts are not drawn\n";
    return found;
  }
  const std::string rules = AliasRules();
  FcConfigParseAndLoadFromMemory(config, reinterpret_cast<const FcChar8*>(rules.c_str()), FcTrue);

  // The characters weigh more than the family in fontconfig's match, so a face that cannot write
  // them is never chosen while another can.
  FcCharSet* wanted = CharacterSet(characters);
  const std::string family(faceName);
  FcPattern* pattern = FcPatternCreate();
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
  FcPatternAddCharSet(pattern, FC_CHARSET, wanted);
  FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
  FcConfigSubstitute(config, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(config, pattern, &result);
  bool covers = false;
  if (match != nullptr) {
    FcChar8* file = nullptr;
    if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch) {
      found.Path = reinterpret_cast<const char*>(file);
    }
    FcPatternGetInteger(match, FC_INDEX, 0, &found.Index);
    FcCharSet* has = nullptr;
    covers = FcPatternGetCharSet(match, FC_CHARSET, 0, &has) == FcResultMatch &&
             FcCharSetIsSubset(wanted, has);
    FcPatternDestroy(match);
  }
  FcPatternDestroy(pattern);
  FcCharSetDestroy(wanted);
  FcConfigDestroy(config);
  if (!covers) {
    std::cerr << "ぬいかろ: no font has the game's Japanese characters for \"" << faceName
              << "\"; install the package fonts-ipafont-gothic\n";
  }
  return found;
}

}  // namespace nuikaro
