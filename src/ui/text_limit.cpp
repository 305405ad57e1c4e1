#include "ui/text_limit.h"

#include "ui/controls.h"

#include <QTextCursor>

#include <algorithm>

namespace ui {

void LimitLength(TextBox* box, int maxLength) {
  QObject::connect(box, &TextBox::changed, box, [box, maxLength] {
    const QString text = box->text();
    const int excess = static_cast<int>(text.size()) - maxLength;
    if (excess <= 0) return;
    // What was just typed or pasted stands before the cursor: that is what goes. A text set
    // from code with the cursor elsewhere loses its end instead.
    const int cursor = box->textCursor().position();
    QString kept = text;
    int at = cursor;
    if (cursor >= excess) {
      at = cursor - excess;
      kept.remove(at, excess);
    } else {
      kept.truncate(maxLength);
      at = std::min(cursor, maxLength);
    }
    box->setText(kept);
    QTextCursor moved = box->textCursor();
    moved.setPosition(at);
    box->setTextCursor(moved);
  });
}

}  // namespace ui
