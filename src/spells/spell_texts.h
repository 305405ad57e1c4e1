#pragma once

#include <QString>

#include <cstddef>
#include <string>
#include <string_view>

namespace spells {

// A spell text as a text box shows it: trailing blanks removed, each stored carriage return and
// line feed a line break.
QString ShownSpellText(std::string_view stored);
// A text box's text as the record stores it: trailing blanks removed, every line break a
// carriage return and line feed, cut to `width` or padded with blanks.
std::string StoredSpellText(const QString& shown, std::size_t width);
// " 40 of 32": the characters the text takes when stored (a line break counts two), before the
// cut to `width`.
QString TextLengthCounter(const QString& shown, std::size_t width);

}  // namespace spells
