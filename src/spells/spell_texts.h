#pragma once

#include <QString>

#include <cstddef>

namespace spells {

// " 40 of 32": the bytes a text takes when stored (a line break counts two), before the cut to
// `width`.
QString TextLengthCounter(std::size_t length, std::size_t width);

}  // namespace spells
