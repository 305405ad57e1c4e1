#include "creature_fixture.h"
#include "support/test_registry.h"
#include "ui/picture_box.h"
#include "ui/picture_viewer.h"

#include "core/bitmap.h"

#include <QCheckBox>

using creature_test::Creatures;
using creature_test::integerAt;
using test_support::padded;

class CreatureEditorTest : public QObject {
  Q_OBJECT

 private slots:
  // Every number box is saved to its own Integer of the slot, and only there.
  void everyNumberBoxIsStoredAtItsOffset_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<int>("offset");
    const std::pair<const char*, int> boxes[] = {
        {"Text19", 46},   {"Text3", 48},   {"Text4", 50},   {"Text5", 52},   {"Text21", 54},
        {"Text22", 58},   {"Text8", 60},   {"Text9", 62},   {"Text10", 64},  {"Text14", 66},
        {"Text15", 68},   {"Text16", 70},  {"Text7", 72},   {"Text6", 74},   {"Text20_0", 76},
        {"Text20_5", 86}, {"Text11", 154}, {"Text12", 156}, {"Text13", 158}, {"Text17", 160},
        {"Text18", 162}};
    for (const auto& [box, offset] : boxes) QTest::newRow(box) << QString(box) << offset;
  }
  void everyNumberBoxIsStoredAtItsOffset() {
    QFETCH(QString, box);
    QFETCH(int, offset);
    Creatures c;
    c.open(3);
    c.show("frmCreatEd");
    std::vector<std::uint8_t> expected = c.monBytes();
    c.type(box, " -1234.5 ");  // a half goes to the even neighbour
    c.click("frmCreatEd", "Command3");
    const std::size_t at = 3 * core::CreatureRecord::SlotLength + static_cast<std::size_t>(offset);
    expected[at] = static_cast<std::uint8_t>(-1234 & 0xFF);
    expected[at + 1] = static_cast<std::uint8_t>((-1234 >> 8) & 0xFF);
    QCOMPARE(test_support::toHex(c.monBytes()), test_support::toHex(expected));
    QCOMPARE(c.box(box)->text(), QString("-1234"));
    QCOMPARE(c.messages(), std::vector<QString>{"Creature Saved"});
  }

  void theWindowShowsTheWorkingRecord() {
    Creatures c;
    core::CreatureRecord odd = creature_test::beast(1);
    odd.CreatureType = 7;  // outside the type list
    odd.HitPointScaling = -1;
    odd.Sex = 2;
    odd.Saves = {1, 2, 3, 4, 5, 6};
    c.writeCreatures({odd, creature_test::beast(2)});
    c.open();
    ui::Form* editor = c.show("frmCreatEd");
    QCOMPARE(editor->windowTitle(), QString("Creature Editor"));
    QCOMPARE(c.recordLine(), QString("Record 1 of 2"));
    QCOMPARE(c.box("Text1")->text(), QString("Beast 1"));
    QCOMPARE(c.box("Text2")->text(), QString("Beast 1s"));
    QCOMPARE(c.box("Text3")->text(), QString("1"));
    QCOMPARE(c.box("Text20_5")->text(), QString("6"));
    QCOMPARE(c.list("frmCreatEd", "Combo1")->position(), -1);
    QCOMPARE(c.list("frmCreatEd", "Combo1")->itemText(3), QString("Water Element"));
    QCOMPARE(c.list("frmCreatEd", "Combo2")->position(), -1);
    QCOMPARE(c.list("frmCreatEd", "Combo3")->currentText(), QString("Female"));
    QCOMPARE(c.list("frmCreatEd", "Combo2")->toolTip(),
             QString("Hit Points in relation to level of Map and Creature"));
    QVERIFY(!c.list("frmCreatEd", "Combo1")->isEditable());
    QCOMPARE(c.control<QLabel>("frmCreatEd", "Text20_1Label")->text(),
             QString("Para, Poi, Death:"));
    for (const auto& [name, text] : {std::pair{"Command2", "New Creature"},
                                     {"Command3", "Save Creature"},
                                     {"Command5", "Show List"},
                                     {"Command6", "View"},
                                     {"Command9", "Edit"}})
      QCOMPARE(c.control<QPushButton>("frmCreatEd", name)->text(), QString(text));

    // A save that did not touch the lists keeps the codes they cannot show.
    c.type("Text1", "Odd");
    c.click("frmCreatEd", "Command3");
    const core::CreatureRecord stored = c.storedEntry(1);
    QCOMPARE(stored.CreatureType, std::int16_t(7));
    QCOMPARE(stored.HitPointScaling, std::int16_t(-1));
    QCOMPARE(stored.CreatureName, padded("Odd"));
    // Choosing from a list stores its position.
    Creatures::choose(c.list("frmCreatEd", "Combo1"), 2);
    c.click("frmCreatEd", "Command3");
    QCOMPARE(c.storedEntry(1).CreatureType, std::int16_t(2));
  }

  void savingANameStoresItBlankPadded() {
    Creatures c;
    c.open(4);
    c.show("frmCreatEd");
    c.type("Text1", "Orc");
    c.click("frmCreatEd", "Command3");
    const std::vector<std::uint8_t> slot = c.slotBytes(5);
    QCOMPARE(std::string(slot.begin() + 2, slot.begin() + 22),
             std::string("Orc") + std::string(17, ' '));
    QCOMPARE(c.messages(), std::vector<QString>{"Creature Saved"});
    QCOMPARE(c.defs->Creature.CreatureName, padded("Orc"));
  }

  void pagingStopsAtTheEnds_data() {
    QTest::addColumn<long>("start");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("line");
    QTest::newRow("> on 12 of 12") << 12L << "Command4"
                                   << "Record 12 of 12";
    QTest::newRow("< on 1") << 1L << "Command1"
                            << "Record 1 of 12";
    QTest::newRow("> on 1") << 1L << "Command4"
                            << "Record 2 of 12";
    QTest::newRow(">> on 3") << 3L << "Command8"
                             << "Record 12 of 12";
    QTest::newRow("<< on 9") << 9L << "Command7"
                             << "Record 1 of 12";
  }
  void pagingStopsAtTheEnds() {
    QFETCH(long, start);
    QFETCH(QString, button);
    QFETCH(QString, line);
    Creatures c;
    c.open(start);
    c.show("frmCreatEd");
    const std::vector<std::uint8_t> before = c.monBytes();
    c.click("frmCreatEd", button);
    QCOMPARE(c.recordLine(), line);
    QCOMPARE(c.box("Text1")->text(), "Beast " + line.split(' ')[1]);
    QVERIFY(c.defs->CreatureScratch == c.defs->Creature);
    QVERIFY(c.monBytes() == before);
  }

  // The entry on screen becomes a new last entry, its special effects with it.
  void newCreatureAppendsTheScreen() {
    Creatures c;
    std::vector<std::uint8_t> header(core::CreatureRecord::PackedSize, 0x5A);
    std::vector<core::CreatureRecord> entries;
    for (int k = 1; k <= 12; ++k) entries.push_back(creature_test::beast(k));
    entries[4].SetCreatureSpecial(2, core::SpecialSlotField::Chance, 50);
    c.writeCreatures(entries, header);
    c.open(5);
    c.show("frmCreatEd");
    const std::vector<std::uint8_t> before = c.monBytes();
    c.type("Text1", "Copy");
    c.click("frmCreatEd", "Command2");

    QCOMPARE(c.recordLine(), QString("Record 13 of 13"));
    QCOMPARE(c.defs->CreatureCount, 13L);
    const std::vector<std::uint8_t> after = c.monBytes();
    QCOMPARE(after.size(), std::size_t{14} * core::CreatureRecord::SlotLength);
    QCOMPARE(integerAt(after, 0), std::int16_t(13));
    // Every other header byte, and every byte of entries 1..12 (entry 5 too), is unchanged.
    QVERIFY(std::equal(before.begin() + 2, before.end(), after.begin() + 2));
    const core::CreatureRecord added = c.storedEntry(13);
    QCOMPARE(added.CreatureNo, std::int16_t(13));
    QCOMPARE(added.CreatureName, padded("Copy"));
    QCOMPARE(added.CreatureSpecials, entries[4].CreatureSpecials);
    QVERIFY(c.defs->Creature == added);
    QVERIFY(c.defs->CreatureScratch == added);
    QVERIFY(c.messages().empty());
  }

  void anEmptyCatalogueAddsItsFirstCreature() {
    Creatures c(0);
    c.open();
    c.show("frmCreatEd");
    QCOMPARE(c.recordLine(), QString("Record 0 of 0"));
    c.click("frmCreatEd", "Command8");
    c.click("frmCreatEd", "Command3");
    QCOMPARE(c.messages(),
             std::vector<QString>{
                 "There is no creature to save here: use \"New Creature\" to add one."});
    QCOMPARE(integerAt(c.monBytes(), 0), std::int16_t(0));
    c.type("Text1", "First");
    c.click("frmCreatEd", "Command2");
    QCOMPARE(c.recordLine(), QString("Record 1 of 1"));
    QCOMPARE(integerAt(c.monBytes(), 0), std::int16_t(1));
    QCOMPARE(c.storedEntry(1).CreatureName, padded("First"));
  }

  void aFullCatalogueRefusesNewCreature() {
    Creatures c(0);
    std::vector<std::uint8_t> header{0xFF, 0x7F};  // 32767 entries
    c.writeCreatures({}, header);
    test_support::writeBytes(c.dir->datFile("Mon.dat"), {0xFF, 0x7F});
    c.open(32767);
    c.show("frmCreatEd");
    c.click("frmCreatEd", "Command2");
    QCOMPARE(c.messages().size(), std::size_t{1});
    QVERIFY(c.messages().front().startsWith("Cannot add another creature"));
    QCOMPARE(c.monBytes(), (std::vector<std::uint8_t>{0xFF, 0x7F}));
  }

  void aNumberThatCannotBeStoredWritesNothing_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("button");
    QTest::newRow("empty, save") << ""
                                 << "Command3";
    QTest::newRow("text, save") << "4 heads"
                                << "Command3";
    QTest::newRow("too large, new") << "32768"
                                    << "Command2";
    QTest::newRow("too small, new") << "-32769"
                                    << "Command2";
  }
  void aNumberThatCannotBeStoredWritesNothing() {
    QFETCH(QString, typed);
    QFETCH(QString, button);
    Creatures c;
    c.open(2);
    c.show("frmCreatEd");
    const std::vector<std::uint8_t> before = c.monBytes();
    c.type("Text1", "Renamed");
    c.type("Text4", typed);
    c.click("frmCreatEd", button);
    QVERIFY(c.monBytes() == before);
    QCOMPARE(c.defs->CreatureCount, 12L);
    QCOMPARE(c.recordLine(), QString("Record 2 of 12"));
    QCOMPARE(c.box("Text4")->text(), typed);
    QCOMPARE(c.box("Text1")->text(), QString("Renamed"));
    QCOMPARE(c.defs->Creature.CreatureName, padded("Beast 2"));
    QCOMPARE(c.messages().size(), std::size_t{1});
    QVERIFY2(c.messages().front().startsWith("\"Hit Points (sides)\" must be a whole number"),
             qPrintable(c.messages().front()));
  }

  // Typing, or a special slot changed in the working record, is asked about before it is lost.
  void unsavedChangesAreAskedAbout_data() {
    QTest::addColumn<QString>("change");
    QTest::addColumn<QString>("leave");
    QTest::addColumn<int>("choice");
    QTest::addColumn<QString>("lineAfter");
    QTest::addColumn<QString>("storedName");
    const int save = int(ui::Dialogs::SaveChoice::Save);
    const int discard = int(ui::Dialogs::SaveChoice::Discard);
    const int cancel = int(ui::Dialogs::SaveChoice::Cancel);
    QTest::newRow("typing, >, save") << "typing"
                                     << ">" << save << "Record 3 of 12"
                                     << "Changed";
    QTest::newRow("typing, >, discard") << "typing"
                                        << ">" << discard << "Record 3 of 12"
                                        << "Beast 2";
    QTest::newRow("typing, <<, cancel") << "typing"
                                        << "<<" << cancel << "Record 2 of 12"
                                        << "Beast 2";
    QTest::newRow("special, close, cancel") << "special"
                                            << "close" << cancel << "Record 2 of 12"
                                            << "Beast 2";
    QTest::newRow("special, close, save") << "special"
                                          << "close" << save << ""
                                          << "Beast 2";
    QTest::newRow("typing, list, discard") << "typing"
                                           << "list" << discard << "Record 7 of 12"
                                           << "Beast 2";
    QTest::newRow("typing, list, cancel") << "typing"
                                          << "list" << cancel << "Record 2 of 12"
                                          << "Beast 2";
  }
  void unsavedChangesAreAskedAbout() {
    QFETCH(QString, change);
    QFETCH(QString, leave);
    QFETCH(int, choice);
    QFETCH(QString, lineAfter);
    QFETCH(QString, storedName);
    Creatures c;
    c.open(2);
    c.show("frmCreatEd");
    if (change == "typing") c.type("Text1", "Changed");
    if (change == "special")
      c.defs->Creature.SetCreatureSpecial(1, core::SpecialSlotField::Chance, 20);
    c.dialogs.answerSave(static_cast<ui::Dialogs::SaveChoice>(choice));
    if (leave == ">") c.click("frmCreatEd", "Command4");
    if (leave == "<<") c.click("frmCreatEd", "Command7");
    if (leave == "close") c.find("frmCreatEd")->close();
    if (leave == "list") {
      c.click("frmCreatEd", "Command5");
      creature_test::doubleClickRow(c.control<ui::ListView>("frmCreatList2", "ListView1"), 7);
      QCOMPARE(c.find("frmCreatList2") == nullptr, lineAfter != "Record 2 of 12");
    }
    QCOMPARE(c.dialogs.shown().front().prompt, QString("Save changes to creature 2?"));
    if (lineAfter.isEmpty()) {
      QVERIFY(!c.find("frmCreatEd"));
    } else {
      QCOMPARE(c.recordLine(), lineAfter);
    }
    QCOMPARE(c.storedEntry(2).CreatureName, padded(storedName.toStdString()));
    if (change == "special" && choice == int(ui::Dialogs::SaveChoice::Save))
      QCOMPARE(c.storedEntry(2).CreatureSpecial(1, core::SpecialSlotField::Chance),
               std::int16_t(20));
    if (lineAfter == "Record 2 of 12" && change == "typing")
      QCOMPARE(c.box("Text1")->text(), QString("Changed"));
  }

  // The box only shows the record's state; a change in the special slots keeps the typing.
  void specialEffectsFollowTheWorkingRecord() {
    Creatures c;
    c.open(1);
    c.show("frmCreatEd");
    auto* check = c.control<QCheckBox>("frmCreatEd", "Check1");
    QVERIFY(!check->isChecked());
    QTest::mouseClick(check, Qt::LeftButton);
    QVERIFY(!check->isChecked());
    c.type("Text1", "Typed");
    c.defs->Creature.SetCreatureSpecial(10, core::SpecialSlotField::Chance, 10);
    c.defs->NotifyChanged(core::CreaturesChanged);
    c.settle();
    QVERIFY(check->isChecked());
    QCOMPARE(c.box("Text1")->text(), QString("Typed"));
    QTest::mouseClick(check, Qt::LeftButton);
    QVERIFY(check->isChecked());
  }

  void viewShowsTheStoredPictureUnderTheStoredName() {
    Creatures c;
    core::WriteBmp(c.dir->data() / "MON12.BMP", core::Bitmap(7, 5, 0x102030));
    c.open(12);
    c.show("frmCreatEd");
    c.type("Text19", "3");  // not saved: not shown
    c.click("frmCreatEd", "Command6");
    auto* viewer = qobject_cast<ui::PictureForm*>(c.find("frmCreatBit"));
    QVERIFY(viewer);
    QCOMPARE(viewer->windowTitle(), QString::fromStdString(padded("Beast 12")));
    QCOMPARE(viewer->picture()->image().size(), QSize(7, 5));
    QVERIFY(viewer->problem().isEmpty());
    // Paging on follows in the viewer: creature 11 has no picture.
    c.dialogs.answerSave(ui::Dialogs::SaveChoice::Discard);
    c.click("frmCreatEd", "Command1");
    c.settle();
    QVERIFY(viewer->picture()->image().isNull());
    QCOMPARE(viewer->windowTitle(), QString::fromStdString(padded("Beast 11")));
    QVERIFY2(viewer->problem().contains("Mon11.bmp"), qPrintable(viewer->problem()));
    QCOMPARE(c.messages().size(), std::size_t{0});
  }
};

REGISTER_TEST(CreatureEditorTest);
#include "test_frm_creat_ed.moc"
