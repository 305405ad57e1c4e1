#include "core/vocabularies.h"

namespace core {

std::string_view ItemTypeText(int code) {
  return TextOfCode(ItemTypeTexts, code - 1);
}

std::string_view ClassName(int classNumber) {
  return TextOfCode(ClassNames, classNumber - 1);
}

std::string_view SpecialChanceText(std::int16_t chance) {
  for (const SpecialChance& choice : SpecialChances) {
    if (choice.code == chance) {
      return choice.text;
    }
  }
  return {};
}

std::optional<std::int16_t> SpecialChanceCode(int position) {
  if (position < 0 || static_cast<std::size_t>(position) >= SpecialChances.size()) {
    return std::nullopt;
  }
  return SpecialChances[static_cast<std::size_t>(position)].code;
}

}  // namespace core
