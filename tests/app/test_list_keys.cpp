#include "app/editor_forms.h"
#include "maps/main_window_fixture.h"
#include "support/test_registry.h"
#include "ui/list_view.h"

#include <functional>

namespace {

using main_window_test::MainWindow;
using Defs = core::ModDefinitions;

// One list window: the editor open on entry 1 before it, the row Enter picks, and what the pick
// shows.
struct ListCase {
  const char* list;
  const char* opener;
  core::Status (core::ModDefinitions::*readFirst)(long entry);
  int row;
  std::function<QString(const MainWindow&)> picked;
  const char* expected;
};

QString recordLine(const MainWindow& w, const char* editor) {
  return w.formText(editor, "MainLabel");
}

QString openTitle(const MainWindow& w, const char* form) {
  return w.formClosed(form) ? "<" + QString(form) + " closed>" : w.form(form)->windowTitle();
}

}  // namespace

// Enter picks the selected row of every list window as a double-click does; Tab never moves
// within a list.
class ListKeysTest : public QObject {
  Q_OBJECT

 private slots:
  void enterPicksTheSelectedRowAndTabLeavesTheList() {
    const std::vector<ListCase> cases = {
        {"frmEquipList2", "frmEquipEd", &Defs::ReadItemPair, 2,
         [](const MainWindow& w) { return recordLine(w, "frmEquipEd"); }, "Record 2 of 2"},
        {"frmCreatList2", "frmCreatEd", &Defs::ReadCreaturePair, 2,
         [](const MainWindow& w) { return recordLine(w, "frmCreatEd"); }, "Record 2 of 3"},
        {"frmMagicList", "frmMagicEd", &Defs::ReadSpellPair, 2,
         [](const MainWindow& w) { return recordLine(w, "frmMagicEd"); }, "Record 2 of 3"},
        {"frmEquipEffect", "frmEquipEd", &Defs::ReadItemPair, 3,
         [](const MainWindow& w) { return openTitle(w, "frmEquipEffEd"); }, "Choose Special 3"},
        {"frmCreatSpe", "frmCreatEd", &Defs::ReadCreaturePair, 4,
         [](const MainWindow& w) {
           return w.formClosed("frmCreatSpeEd")
                      ? QString("<frmCreatSpeEd closed>")
                      : "slot " + QString::number(w.defs->CurrentCreatureSpecial);
         },
         "slot 3"},
    };
    for (const ListCase& c : cases) {
      MainWindow w(main_window_test::Unopened{});
      test_support::writeCatalogue(w.dir->datFile("Mag.dat"),
                                   test_support::namedEntries<core::SpellRecord>(3, "Spark"));
      w.open();
      AddEditorForms(*w.registry, *w.defs, w.dialogs);
      QVERIFY((w.defs.get()->*c.readFirst)(1).ok());
      w.registry->show(c.opener);
      QVERIFY2(recordLine(w, c.opener).startsWith("Record 1 of"), c.list);
      ui::Form* list = w.registry->show(c.list);
      auto* rows = list->findChild<ui::ListView*>("ListView1");
      rows->setFocus();
      for (int i = 0; i < c.row; ++i) QTest::keyClick(rows, Qt::Key_Down);
      const QModelIndex current = rows->currentIndex();
      QTest::keyClick(rows, Qt::Key_Tab);
      QVERIFY2(rows->currentIndex() == current, c.list);
      QVERIFY2(rows->selectedPosition() == c.row, c.list);
      QTest::keyClick(rows, Qt::Key_Return);
      QVERIFY2(c.picked(w) == c.expected, qPrintable(c.list + (": " + c.picked(w))));
      QVERIFY2(w.formClosed(c.list), c.list);
    }
  }

  // In the spell progression the list is one stop of Tab among the others.
  void tabLeavesTheSpellProgressionList() {
    MainWindow w;
    AddEditorForms(*w.registry, *w.defs, w.dialogs);
    ui::Form* progression = w.registry->show("frmMagicProg");
    auto* rows = progression->findChild<ui::ListView*>("ListView1");
    rows->setFocus();
    QTest::keyClick(rows, Qt::Key_Tab);
    QVERIFY(progression->focusWidget() != rows);
    QVERIFY(progression->focusWidget() != nullptr);
  }

  // A text list's rows are stops of Tab; Enter on one opens its text.
  void enterOpensTheTextOfTheFocusedRow() {
    for (const char* list : {"frmTextEd", "frmLTextEd"}) {
      MainWindow w;
      AddEditorForms(*w.registry, *w.defs, w.dialogs);
      ui::Form* texts = w.registry->show(list);
      auto* row = texts->findChild<ui::Label*>("Label2_4");
      QVERIFY(row->focusPolicy() & Qt::TabFocus);
      QTest::keyClick(row, Qt::Key_Return);
      const QString entry = list == QString("frmTextEd") ? "frmTextEnter" : "frmLTextEnter";
      QVERIFY2(!w.formClosed(entry), list);
      QCOMPARE(w.defs->TextIndex, 4);
    }
  }
};

REGISTER_TEST(ListKeysTest);
#include "test_list_keys.moc"
