#include "spells/spell_texts.h"

#include "core/numbers.h"
#include "core/text.h"
#include "ui/controls.h"

namespace spells {

namespace {

const QString LineBreak = QStringLiteral("\r\n");

// The text's bytes as stored, before the cut to the field's width.
std::string UncutBytes(const QString& shown) {
  QString text = shown;
  text.replace(QLatin1Char('\n'), LineBreak);
  return core::TrimTrailingBlanks(ui::ToBytes(text));
}

}  // namespace

QString ShownSpellText(std::string_view stored) {
  QString text = ui::ToQString(core::TrimTrailingBlanks(stored));
  text.replace(LineBreak, QStringLiteral("\n"));
  return text;
}

std::string StoredSpellText(const QString& shown, std::size_t width) {
  return core::FixedText(UncutBytes(shown), width);
}

QString TextLengthCounter(const QString& shown, std::size_t width) {
  const auto length = static_cast<long long>(UncutBytes(shown).size());
  return QString::fromStdString(core::NumberWithLeadingBlank(length) + " of " +
                                std::to_string(width));
}

}  // namespace spells
