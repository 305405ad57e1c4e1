#include "spells/spell_texts.h"

#include "core/numbers.h"

#include <string>

namespace spells {

QString TextLengthCounter(std::size_t length, std::size_t width) {
  return QString::fromStdString(core::NumberWithLeadingBlank(static_cast<long long>(length)) +
                                " of " + std::to_string(width));
}

}  // namespace spells
