#pragma once

#include <QString>
#include <QWidget>

namespace ui {

class Button;
class EntryPager;

// The paging row every catalogue editor shares: "<<", "<", the record line, ">", ">>" and
// "Go To...", with the same keys in every editor: Page Up and Page Down for "<" and ">", Ctrl+Home
// and Ctrl+End for "<<" and ">>" (from any control, see EntryPager), Ctrl+G for "Go To...".
// The buttons keep each editor's own names.
class PagingButtons : public QWidget {
  Q_OBJECT

 public:
  struct Names {
    QString first, previous, next, last;
  };

  // `noun` names the entries in the tips ("item"); `recordLine` goes between "<" and ">".
  PagingButtons(QWidget* parent, const Names& names, const QString& noun, QWidget* recordLine);

  // The buttons page through `pager` from now on.
  void connectTo(EntryPager& pager);

  Button* first() const { return first_; }
  Button* previous() const { return previous_; }
  Button* next() const { return next_; }
  Button* last() const { return last_; }
  Button* goTo() const { return goTo_; }

 private:
  Button *first_, *previous_, *next_, *last_, *goTo_;
};

}  // namespace ui
