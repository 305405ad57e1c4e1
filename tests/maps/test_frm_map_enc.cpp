#include "map_editors_fixture.h"
#include "maps/frm_map_enc.h"
#include "support/test_registry.h"

#include <QTest>

using namespace map_editors_test;
using core::EncounterField;

namespace {

// The fixture's map 1 holds Beast 2 in slot 0 as 2D6+1 with 25% others; slot 4 gets Beast 3.
void openSlot(MainWindow& w, int slot) {
  w.defs->Map.SetEncounter(4, EncounterField::Creature, 3);
  w.defs->Map.SetEncounter(4, EncounterField::DiceCount, 1);
  w.defs->Map.SetEncounter(4, EncounterField::DiceSides, 4);
  w.defs->Map.SetEncounter(4, EncounterField::DiceBonus, -1);
  w.defs->Map.SetEncounter(4, EncounterField::OthersChance, 10);
  w.window->RefreshMainWindow();
  w.click(QString("Label9_%1").arg(slot));
}

ui::ComboBox* creatures(const MainWindow& w) {
  return control<ui::ComboBox>(w, "frmMapEnc", "Combo1");
}
ui::TextBox* box(const MainWindow& w, int n) {
  return control<ui::TextBox>(w, "frmMapEnc", QString("Text%1").arg(n));
}
QStringList boxes(const MainWindow& w) {
  return {box(w, 1)->text(), box(w, 2)->text(), box(w, 3)->text(), box(w, 4)->text()};
}
std::array<std::int16_t, 5> slotFields(const core::MapRecord& map, int slot) {
  std::array<std::int16_t, 5> fields{};
  for (int f = 0; f < 5; ++f) fields[f] = map.Encounter(slot, static_cast<EncounterField>(f));
  return fields;
}

}  // namespace

class MapEncounterTest : public QObject {
  Q_OBJECT

 private slots:
  // The slot's creature selects its list position (creature k at k - 1) and the numbers fill
  // the boxes; the names come from the cache and the creature working record stays as it was.
  void opensOnTheClickedSlot_data() {
    QTest::addColumn<int>("slot");
    QTest::addColumn<int>("position");
    QTest::addColumn<QStringList>("numbers");
    QTest::newRow("creature 3") << 4 << 2 << QStringList{"1", "4", "-1", "10"};
    QTest::newRow("creature 2") << 0 << 1 << QStringList{"2", "6", "1", "25"};
    QTest::newRow("empty slot") << 7 << -1 << QStringList{"0", "0", "0", "0"};
  }
  void opensOnTheClickedSlot() {
    QFETCH(int, slot);
    QFETCH(int, position);
    QFETCH(QStringList, numbers);
    MainWindow w;
    addEditors(w);
    const core::CreatureRecord working = w.defs->Creature;
    openSlot(w, slot);
    QVERIFY(form(w, "frmMapEnc"));
    QCOMPARE(form(w, "frmMapEnc")->windowTitle(), QString("Map Encounter"));
    QCOMPARE(w.defs->EncounterSlot, slot);
    QCOMPARE(creatures(w)->count(), 3);
    QCOMPARE(creatures(w)->itemText(2), QString("Beast 3").leftJustified(20, ' '));
    QCOMPARE(creatures(w)->position(), position);
    QCOMPARE(boxes(w), numbers);
    QVERIFY(w.defs->Creature == working);
  }

  // "OK" stores the slot in memory, the main window shows it at once and Save writes it; the
  // number boxes take whole numbers with blanks around them and round halves to even.
  void okStoresTheSlot_data() {
    QTest::addColumn<int>("position");
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<QList<int>>("stored");
    QTest::addColumn<QStringList>("shown");
    QTest::newRow("2D6+1, 50%") << 0 << QStringList{"2", "6", "1", "50"}
                                << QList<int>{1, 2, 6, 1, 50}
                                << QStringList{"Beast 1", "2D6+1", "50%"};
    QTest::newRow("no creature") << -1 << QStringList{"0", "0", "0", "0"}
                                 << QList<int>{0, 0, 0, 0, 0} << QStringList{"Nothing", "", ""};
    QTest::newRow("limits and rounding")
        << 2 << QStringList{" -32768 ", "32767", "2.5", "3.5"} << QList<int>{3, -32768, 32767, 2, 4}
        << QStringList{"Beast 3", "-32768D32767+2", "4%"};
  }
  void okStoresTheSlot() {
    QFETCH(int, position);
    QFETCH(QStringList, typed);
    QFETCH(QList<int>, stored);
    QFETCH(QStringList, shown);
    MainWindow w;
    addEditors(w);
    openSlot(w, 7);
    creatures(w)->setPosition(position);
    for (int n = 1; n <= 4; ++n) retype(box(w, n), typed[n - 1]);
    QTest::mouseClick(control<QWidget>(w, "frmMapEnc", "Command1"), Qt::LeftButton);
    settle();
    QVERIFY(w.dialogs.shown().empty());
    QVERIFY(!form(w, "frmMapEnc") || form(w, "frmMapEnc")->isClosed());
    const auto fields = slotFields(w.defs->Map, 7);
    QCOMPARE(QList<int>(fields.begin(), fields.end()), stored);
    QCOMPARE(w.text("Label10_7").trimmed(), shown[0]);
    QCOMPARE(w.text("Label11_7"), shown[1]);
    QCOMPARE(w.text("Label12_7"), shown[2]);
    w.trigger("mnuSave");
    const auto slot = test_support::mapSlotBytes(w.mapsFile(), 1);
    for (int f = 0; f < 5; ++f) {
      const std::size_t at = 10 + 2 * (11 * f + 7);
      QCOMPARE(static_cast<std::int16_t>(slot[at] | slot[at + 1] << 8), stored[f]);
    }
  }

  // Cancel and a refused box store nothing. A refusal names the box and keeps the window open
  // on what was typed.
  void nothingStoredWithoutGoodNumbers_data() {
    QTest::addColumn<int>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("named");
    QTest::newRow("cancel") << 0 << ""
                            << "";
    QTest::newRow("dice empty") << 1 << ""
                                << "\"Number Appearing\" dice";
    QTest::newRow("sides not a number") << 2 << "6 sides"
                                        << "\"Number Appearing\" sides";
    QTest::newRow("bonus too large") << 3 << "32768"
                                     << "\"Number Appearing\" bonus";
    QTest::newRow("others too small") << 4 << "-32769"
                                      << "\"% Others\"";
  }
  void nothingStoredWithoutGoodNumbers() {
    QFETCH(int, box);
    QFETCH(QString, typed);
    QFETCH(QString, named);
    MainWindow w;
    addEditors(w);
    openSlot(w, 4);
    const core::MapRecord before = w.defs->Map;
    creatures(w)->setPosition(0);
    for (int n = 1; n <= 4; ++n) retype(::box(w, n), n == box ? typed : "9");
    if (box == 0) {
      QTest::mouseClick(control<QWidget>(w, "frmMapEnc", "Command2"), Qt::LeftButton);
      QVERIFY(!form(w, "frmMapEnc") || form(w, "frmMapEnc")->isClosed());
      QVERIFY(w.dialogs.shown().empty());
    } else {
      QTest::mouseClick(control<QWidget>(w, "frmMapEnc", "Command1"), Qt::LeftButton);
      QCOMPARE(w.messages().size(), std::size_t{1});
      QVERIFY2(w.messages().front().startsWith(named + " must be a whole number"),
               qPrintable(w.messages().front()));
      QVERIFY(form(w, "frmMapEnc") && form(w, "frmMapEnc")->isVisible());
      QCOMPARE(::box(w, box)->text(), typed);
      QCOMPARE(creatures(w)->position(), 0);
    }
    settle();
    QVERIFY(w.defs->Map == before);
    QCOMPARE(w.text("Label11_4"), QString("1D4+-1"));
  }

  // Typing and the creature picked survive a repaint that another window's change or showing
  // the window again causes; a new store into the slot, or another slot handed over, refills.
  void typingSurvivesRepaintsOfOtherChanges() {
    MainWindow w;
    addEditors(w);
    openSlot(w, 4);
    creatures(w)->setPosition(0);
    retype(box(w, 2), "12");
    w.click("Label16_0");  // a wall changes and is announced
    w.defs->NotifyChanged(core::CreaturesChanged);
    settle();
    form(w, "frmMapEnc")->showForm();
    QCOMPARE(creatures(w)->position(), 0);
    QCOMPARE(box(w, 2)->text(), QString("12"));

    w.click("Label12_0");  // another slot
    QCOMPARE(creatures(w)->position(), 1);
    QCOMPARE(boxes(w), (QStringList{"2", "6", "1", "25"}));
    retype(box(w, 4), "77");
    w.defs->Map.SetEncounter(0, EncounterField::DiceCount, 5);
    w.defs->NotifyChanged(core::MapChanged);
    settle();
    QCOMPARE(boxes(w), (QStringList{"5", "6", "1", "25"}));
  }
};

REGISTER_TEST(MapEncounterTest);

#include "test_frm_map_enc.moc"
