#include "ui/typed_text.h"

namespace ui {

QString QuotedAnswer(const QString& typed) {
  if (typed.size() <= QuotedAnswerLength) return typed;
  return typed.left(QuotedAnswerLength) + QChar(0x2026);
}

}  // namespace ui
