#pragma once

#include <QString>

namespace ui {

// Most characters of a designer's answer that a refusal quotes back.
inline constexpr int QuotedAnswerLength = 20;

// What a refusal quotes of a typed answer: its first 20 characters, and "…" when there was more
// (a 5,000-digit answer must not make a message wider than the screen).
QString QuotedAnswer(const QString& typed);

}  // namespace ui
