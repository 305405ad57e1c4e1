#pragma once

// Clicks on a report list as the designer makes them (for test programs that link ui).
#include "ui/list_view.h"

#include <QTest>

namespace test_support {

// Selects the row at `position` (1-based) and double-clicks it.
inline void doubleClickRow(ui::ListView* list, int position) {
  const QRect cell = list->visualRect(list->model()->index(position - 1, 1));
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell.center());
  QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, cell.center());
}

}  // namespace test_support
