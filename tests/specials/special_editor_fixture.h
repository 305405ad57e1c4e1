#pragma once

// The special square editor opened from a main window on a temporary game folder (three
// creatures "Beast k", two items "Blade k", two shops "Store k"), driven through its controls.
#include "maps/main_window_fixture.h"
#include "specials/forms.h"
#include "specials/frm_map_spe.h"
#include "ui/controls.h"

#include <QComboBox>
#include <QTest>

namespace special_editor_test {

class Editor : public main_window_test::MainWindow {
 public:
  Editor() {
    specials::AddForms(*registry, *defs, dialogs);
    addStandIn("frmMapBit");
  }

  // Puts `special` into entry `index` on the selected square and opens it through the main
  // window's first specials line, as the designer does.
  specials::frmMapSpe* openSpecial(core::MapSpecial special, int index = 0) {
    special.SquareX = defs->SelectedX;
    special.SquareY = defs->SelectedY;
    test_support::editMap(*defs, [&](core::MapRecord& map) { map.PutSpecial(index, special); });
    entry = index;
    return openLine(0);
  }
  specials::frmMapSpe* openLine(int line) {
    click(QString("Label15_%1").arg(line));
    entry = defs->CurrentSpecial;
    return editor();
  }

  specials::frmMapSpe* editor() const { return registry->find<specials::frmMapSpe>("frmMapSpe"); }
  core::MapSpecial special() const { return defs->Document().Map().GetSpecial(entry); }

  template <class T = QWidget>
  T* in(const QString& name) const {
    return editor() ? editor()->findChild<T*>(name) : nullptr;
  }
  ui::TextBox* box(const QString& name) const { return in<ui::TextBox>(name); }
  ui::ComboBox* list(const QString& name) const { return in<ui::ComboBox>(name); }
  QString caption(const QString& name) const { return in<QLabel>(name)->text(); }
  bool shown(const QString& name) const { return in(name) && in(name)->isVisible(); }

  // The designer's choice of an entry in a list.
  void choose(const QString& name, int position) const {
    QComboBox* combo = list(name);
    combo->setCurrentIndex(position);
    emit combo->activated(position);
  }
  // Typing at the end of a box.
  void typeAtEnd(const QString& name, const QString& keys) const {
    QTest::keyClick(box(name), Qt::Key_End);
    QTest::keyClicks(box(name), keys);
  }
  void clearBox(const QString& name) const {
    QTest::keyClick(box(name), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(box(name), Qt::Key_Backspace);
  }
  void replaceText(const QString& name, const QString& keys) const {
    clearBox(name);
    QTest::keyClicks(box(name), keys);
  }
  void ok() const { QTest::mouseClick(in("Command1"), Qt::LeftButton); }

  // Every caption, box and list the window shows, joined by "|": "Label2=Map", "Text1=12",
  // "Combo5=3/5" (position / entries), "Command2".
  QString described() const {
    QStringList lines;
    for (int c = 2; c <= 10; ++c) {
      const QString name = QString("Label%1").arg(c);
      if (!caption(name).isEmpty()) lines << name + "=" + caption(name);
    }
    for (int t = 1; t <= 6; ++t) {
      const QString name = QString("Text%1").arg(t);
      if (shown(name)) lines << name + "=" + box(name)->text();
    }
    for (int c = 2; c <= 7; ++c) {
      const QString name = QString("Combo%1").arg(c);
      if (shown(name))
        lines << QString("%1=%2/%3").arg(name).arg(list(name)->position()).arg(list(name)->count());
    }
    if (shown("Command2")) lines << "Command2";
    return lines.join('|');
  }

  int entry = -1;
};

// A special on square (1, 0), the square the main window selects at start.
inline core::MapSpecial makeSpecial(std::int16_t kind, std::int16_t p1 = 0, std::int16_t p2 = 0,
                                    std::int16_t p3 = 0, std::int16_t p4 = 0) {
  return {.Kind = kind, .SquareX = 1, .Param1 = p1, .Param2 = p2, .Param3 = p3, .Param4 = p4};
}

// What "Show Text" (and "Show Long Text") shows: the preview of a text `width` wide.
inline QString showText(const QString& preview, int width, int number, const QString& facing) {
  return QString(
             "Label2=Text Num.|Label5=When Facing|Label6=Flag|Label8=%1|Text1=%2|Text2=0|"
             "Combo5=%3/16")
      .arg(preview.leftJustified(width))
      .arg(number)
      .arg(facing);
}

inline core::MapSpecial withCondition(core::MapSpecial special, std::int16_t flag,
                                      std::int16_t test, std::int16_t value) {
  special.CondFlag = flag;
  special.CondTest = test;
  special.CondValue = value;
  return special;
}

}  // namespace special_editor_test

Q_DECLARE_METATYPE(core::MapSpecial)
