#pragma once

#include <QLineEdit>
#include <QWidget>

class QLabel;

namespace ui {

class ListView;

// The filter box above a list: the rows that hold the typed text in any column stay, with the
// count of them ("12 of 3,450") beside it. Ctrl+F anywhere in the window puts the cursor in it;
// Escape empties it (Escape in an empty box is the window's, which may close it); Down and Enter
// go on to the list, Enter picking the selected row or else the first one.
class ListFilter : public QWidget {
  Q_OBJECT

 public:
  ListFilter(QWidget* parent, ListView* list);

  QLineEdit* box() const { return box_; }
  QString countText() const;

  // "12 of 3,450".
  static QString CountText(int shown, int total);

 private:
  void showCount();

  ListView* list_;
  QLineEdit* box_;
  QLabel* count_;
};

}  // namespace ui
