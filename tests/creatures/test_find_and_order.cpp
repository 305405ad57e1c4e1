#include "creature_fixture.h"
#include "support/test_registry.h"
#include "ui/catalogue_names.h"
#include "ui/list_filter.h"

#include <QHeaderView>
#include <QLineEdit>

using namespace creature_test;

namespace {

// The "No." cells of the rows shown, top to bottom.
QStringList shownNumbers(ui::ListView* list) {
  QStringList numbers;
  for (int row = 1; row <= list->rowCount(); ++row) numbers << list->cellText(row, 0).trimmed();
  return numbers;
}

void clickHeading(ui::ListView* list, int column) {
  QHeaderView* header = list->horizontalHeader();
  const QPoint inside(header->sectionViewportPosition(column) + 4, header->height() / 2);
  QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, inside);
}

}  // namespace

class FindAndOrderTest : public QObject {
  Q_OBJECT

 private slots:
  // Ctrl+F, typing, a heading clicked once and twice, Escape, then Down and Enter pick the row
  // the designer sees: the editor shows that creature.
  void theCreatureListFiltersOrdersAndPicks() {
    Creatures c;
    c.open(1);
    c.show("frmCreatEd");
    ui::Form* window = c.show("frmCreatList2");
    ui::ListView* list = c.rows("frmCreatList2");
    auto* filter = window->findChild<QLineEdit*>("txtFilter");
    auto* count = window->findChild<QLabel*>("lblFilterCount");
    QCOMPARE(shownNumbers(list).join(' '), QString("1 2 3 4 5 6 7 8 9 10 11 12"));
    QCOMPARE(count->text(), QString("12 of 12"));

    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
    QTest::keyClick(list, Qt::Key_F, Qt::ControlModifier);
    QCOMPARE(QApplication::focusWidget(), filter);
    QTest::keyClicks(filter, "bEAST 1");
    QCOMPARE(shownNumbers(list).join(' '), QString("1 10 11 12"));
    QCOMPARE(count->text(), QString("4 of 12"));
    QTest::keyClicks(filter, "1");
    QCOMPARE(shownNumbers(list).join(' '), QString("11"));
    QTest::keyClick(filter, Qt::Key_Backspace);

    clickHeading(list, 3);  // "Average Hits" by value: 1d6 up to 12d6
    QCOMPARE(shownNumbers(list).join(' '), QString("1 10 11 12"));
    clickHeading(list, 3);
    QCOMPARE(shownNumbers(list).join(' '), QString("12 11 10 1"));
    clickHeading(list, 1);  // names as texts
    QCOMPARE(shownNumbers(list).join(' '), QString("1 10 11 12"));

    QTest::keyClick(filter, Qt::Key_Escape);
    QCOMPARE(filter->text(), QString());
    QVERIFY(window->isVisible());  // the first Escape empties the box only
    QCOMPARE(shownNumbers(list).join(' '), QString("1 10 11 12 2 3 4 5 6 7 8 9"));
    QCOMPARE(count->text(), QString("12 of 12"));
    clickHeading(list, 0);  // numbers by value, not as texts
    QCOMPARE(shownNumbers(list).join(' '), QString("1 2 3 4 5 6 7 8 9 10 11 12"));

    QTest::keyClicks(filter, "ast 7");
    QTest::keyClick(filter, Qt::Key_Down);
    QCOMPARE(QApplication::focusWidget(), list);
    QTest::keyClick(list, Qt::Key_Return);
    QCOMPARE(c.recordLine(), QString("Record 7 of 12"));
    QVERIFY(!c.find("frmCreatList2"));
  }

  // A drop-down of names finds typed text anywhere in a name, knows each row's entry, and
  // follows its catalogue when another window renames or adds an entry.
  void dropDownsFindAnywhereAndFollowTheirCatalogue() {
    Creatures c;
    c.open(5);
    c.defs->CurrentCreatureSpecial = 0;
    c.show("frmCreatSpeEd");
    ui::ComboBox* spells = c.list("frmCreatSpeEd", "Combo4");
    QSignalSpy clicks(spells, &ui::ComboBox::clicked);
    QTest::keyClicks(spells, "ll 4");
    QCOMPARE(spells->position(), 3);
    QCOMPARE(spells->currentText(), QString("Spell 4"));
    QCOMPARE(spells->model()->index(3, 0).data(ui::CatalogueNames::EntryRole).toInt(), 4);
    QVERIFY(!clicks.isEmpty());

    QVERIFY(c.defs->ReadSpellPair(4).ok());
    c.defs->Spell.SpellName = test_support::padded("Firestorm", 20);
    QVERIFY(c.defs->WriteSpell().ok());
    QVERIFY(c.defs->AppendSpell().ok());
    c.defs->NotifyChanged(core::SpellsChanged);
    QCOMPARE(spells->count(), 6);
    QCOMPARE(spells->itemText(3), QString("Firestorm"));
    QCOMPARE(spells->position(), 3);
    QTest::qWait(QApplication::keyboardInputInterval() + 50);
    QTest::keyClicks(spells, "STORM");
    QCOMPARE(spells->position(), 5);  // the next name after the one shown that holds it
  }

  // Names that cannot be read are told once, in the window of the list, until they read again.
  void anUnreadableNameListIsToldOnce() {
    Creatures c;
    c.open(5);
    c.show("frmCreatSpeEd");
    const auto magDat = c.dir->datFile("Mag.dat");
    const auto kept = test_support::readBytes(magDat);
    const auto tell = [&c](int times) {
      for (int i = 0; i < times; ++i) c.defs->NotifyChanged(core::SpellsChanged);
      std::size_t told = 0;
      for (const QString& message : c.messages()) told += message.contains("Mag.dat") ? 1 : 0;
      return told;
    };
    std::filesystem::remove(magDat);
    std::filesystem::create_directory(magDat);  // in the way of the file
    QCOMPARE(tell(3), std::size_t{1});
    std::filesystem::remove(magDat);
    test_support::writeBytes(magDat, kept);
    QCOMPARE(tell(1), std::size_t{1});
    QCOMPARE(c.list("frmCreatSpeEd", "Combo4")->itemText(4), QString("Spell 5"));
    std::filesystem::remove(magDat);
    std::filesystem::create_directory(magDat);
    QCOMPARE(tell(1), std::size_t{2});
  }
};

REGISTER_TEST(FindAndOrderTest);
#include "test_find_and_order.moc"
