// The creature editor and its list.
#include "creature_fixture.h"
#include "support/test_registry.h"
#include "ui/picture_box.h"
#include "ui/picture_viewer.h"

#include "core/bitmap.h"

#include <QCheckBox>

using creature_test::Creatures;
using test_support::padded;

class CreatureEditorTest : public QObject {
  Q_OBJECT

 private slots:
  // The name goes blank-padded into its place, every number box into its own Integer.
  void everyBoxIsStoredAtItsOffset() {
    const std::pair<const char*, std::size_t> boxes[] = {
        {"Text19", 46},   {"Text3", 48},   {"Text4", 50},   {"Text5", 52},   {"Text21", 54},
        {"Text22", 58},   {"Text8", 60},   {"Text9", 62},   {"Text10", 64},  {"Text14", 66},
        {"Text15", 68},   {"Text16", 70},  {"Text7", 72},   {"Text6", 74},   {"Text20_0", 76},
        {"Text20_5", 86}, {"Text11", 154}, {"Text12", 156}, {"Text13", 158}, {"Text17", 160},
        {"Text18", 162}};
    Creatures c;
    c.open(3);
    c.show("frmCreatEd");
    std::vector<std::uint8_t> expected = c.monBytes();
    const std::size_t slot = 3 * core::CreatureRecord::SlotLength;
    c.type("Text1", "Orc");
    std::ranges::copy(padded("Orc"), expected.begin() + static_cast<long>(slot) + 2);
    std::int16_t value = -1234;
    for (const auto& [box, offset] : boxes) {
      c.type(box, QString::number(value));
      core::PutIntegerAt(expected, slot + offset, value);
      value = static_cast<std::int16_t>(value + 111);
    }
    c.click("frmCreatEd", "Command3");
    QCOMPARE(test_support::toHex(c.monBytes()), test_support::toHex(expected));
    QCOMPARE(c.messages(), std::vector<QString>{"Creature Saved"});
  }

  // The list shows type and averages; its pick becomes the working record the editor opens on.
  // Codes no list can show leave the list blank and survive a save; a pick stores its position.
  void theListAndTheCodedLists() {
    core::CreatureRecord odd = creature_test::beast(1);
    odd.HitSides = -3;     // -1.5 rounds down to -2
    odd.CreatureType = 7;  // no type
    odd.Sex = 2;
    core::CreatureRecord orc = creature_test::beast(2);
    orc.HitDice = 3;
    orc.HitSides = 5;
    orc.HitBonus = 2;
    orc.Experience = 10;
    orc.ExperiencePerHit = 2;
    orc.CreatureType = 3;
    Creatures c({odd, orc});
    c.open(2);
    c.show("frmCreatList2");
    ui::ListView* list = c.rows("frmCreatList2");
    const QStringList expected[] = {{" 1", "Beast 1             ", "", "-2", "0"},
                                    {" 2", "Beast 2             ", "Water Element", "9", "28"}};
    for (int row = 1; row <= 2; ++row) {
      QStringList cells;
      for (int column = 0; column < 5; ++column) cells << list->cellText(row, column);
      QCOMPARE(cells, expected[row - 1]);
    }
    QCOMPARE(c.defs->Creature.CreatureNo, std::int16_t(2));  // the working record is untouched
    test_support::doubleClickRow(list, 1);
    QVERIFY(!c.find("frmCreatList2"));
    QVERIFY(c.defs->CreatureScratch == c.defs->Creature);
    c.show("frmCreatEd");
    QCOMPARE(c.recordLine(), QString("Record 1 of 2"));
    QCOMPARE(c.list("frmCreatEd", "Combo1")->position(), -1);
    QCOMPARE(c.list("frmCreatEd", "Combo3")->currentText(), QString("Female"));
    c.type("Text1", "Odd");
    c.click("frmCreatEd", "Command3");
    QCOMPARE(c.storedEntry(1).CreatureType, std::int16_t(7));
    Creatures::choose(c.list("frmCreatEd", "Combo1"), 0);
    c.click("frmCreatEd", "Command3");
    QCOMPARE(c.storedEntry(1).CreatureType, std::int16_t(0));

    // The pager is wired: ">" moves, and a number that cannot be stored is refused by its caption.
    c.click("frmCreatEd", "Command4");
    QCOMPARE(c.recordLine(), QString("Record 2 of 2"));
    QCOMPARE(c.box("Text1")->text(), QString("Beast 2"));
    const std::vector<std::uint8_t> before = c.monBytes();
    c.type("Text4", "4 heads");
    c.click("frmCreatEd", "Command3");
    QVERIFY(c.monBytes() == before);
    QCOMPARE(c.messages().size(), std::size_t{3});  // two saves, then the refusal
    QVERIFY(c.messages().back().startsWith("\"Hit Points (sides)\" must be a whole number"));
  }

  // The entry on screen becomes a new last entry, its special effects with it; the header's
  // other bytes stay.
  void newCreatureAppendsTheScreen() {
    Creatures c;
    c.open(5);
    c.show("frmCreatEd");
    c.show("frmCreatList2");
    const std::vector<std::uint8_t> before = c.monBytes();
    c.type("Text1", "Copy");
    c.click("frmCreatEd", "Command2");
    QCOMPARE(c.recordLine(), QString("Record 13 of 13"));
    const std::vector<std::uint8_t> after = c.monBytes();
    QCOMPARE(after.size(), std::size_t{14} * core::CreatureRecord::SlotLength);
    QCOMPARE(core::IntegerAt(after, 0), std::int16_t(13));
    QVERIFY(std::equal(before.begin() + 2, before.end(), after.begin() + 2));
    const core::CreatureRecord added = c.storedEntry(13);
    QCOMPARE(added.CreatureName, padded("Copy"));
    QCOMPARE(added.CreatureSpecials, c.storedEntry(5).CreatureSpecials);
    QVERIFY(c.defs->Creature == added);
    QCOMPARE(c.rows("frmCreatList2")->cellText(13, 1), QString::fromStdString(padded("Copy")));
  }

  // A pick in the list and a special slot changed in the working record are both asked about.
  void unsavedChangesAreAskedAbout() {
    Creatures c;
    c.open(2);
    c.show("frmCreatEd");
    c.type("Text1", "Changed");
    c.click("frmCreatEd", "Command5");
    c.dialogs.answerSave(ui::Dialogs::SaveChoice::Discard);
    test_support::doubleClickRow(c.rows("frmCreatList2"), 7);
    QCOMPARE(c.dialogs.shown().back().prompt, QString("Save changes to creature 2?"));
    QCOMPARE(c.recordLine(), QString("Record 7 of 12"));
    QCOMPARE(c.storedEntry(2).CreatureName, padded("Beast 2"));

    // The "special effects" box follows the working record, and the typing stays.
    auto* check = c.control<QCheckBox>("frmCreatEd", "Check1");
    QTest::mouseClick(check, Qt::LeftButton);
    QVERIFY(!check->isChecked());
    c.type("Text1", "Typed");
    c.defs->Creature.SetCreatureSpecial(1, core::SpecialSlotField::Chance, 20);
    c.defs->NotifyChanged(core::CreaturesChanged);
    c.settle();
    QVERIFY(check->isChecked());
    QCOMPARE(c.box("Text1")->text(), QString("Typed"));
    c.dialogs.answerSave(ui::Dialogs::SaveChoice::Save);
    c.find("frmCreatEd")->close();
    QVERIFY(!c.find("frmCreatEd"));
    QCOMPARE(c.storedEntry(7).CreatureSpecial(1, core::SpecialSlotField::Chance), 20);
  }

  // Editor B renames creature 1 under editor A. Without edits A pages on unasked; with edits
  // A's Save meets the changed-on-disk question, and Cancel leaves B's name on disk.
  void anotherEditorsSaveIsNeverOverwrittenUnasked() {
    Creatures c;
    c.open(1);
    c.show("frmCreatEd");
    core::ModDefinitions b(c.dir->root());
    QVERIFY(b.Startup().ok());
    const auto renameFirst = [&b](const std::string& name) {
      QVERIFY(b.ReadCreaturePair(1).ok());
      test_support::nameEntry(b.Creature, name);
      QVERIFY(b.WriteCreature().ok());
    };
    renameFirst("Troll");
    const std::vector<std::uint8_t> saved = c.monBytes();
    c.click("frmCreatEd", "Command4");  // ">"
    QVERIFY(c.dialogs.shown().empty());
    QCOMPARE(c.recordLine(), QString("Record 2 of 12"));
    QVERIFY(c.monBytes() == saved);

    c.click("frmCreatEd", "Command1");  // "<" reads B's creature
    QCOMPARE(c.box("Text1")->text(), QString("Troll"));
    renameFirst("Ogre");
    c.type("Text6", "9");
    c.dialogs.answerSave(ui::Dialogs::SaveChoice::Save);
    c.click("frmCreatEd", "Command4");
    QCOMPARE(c.dialogs.shown().size(), std::size_t{2});
    QCOMPARE(c.dialogs.shown()[0].prompt, QString("Save changes to creature 1?"));
    QCOMPARE(c.dialogs.shown()[1].prompt,
             QString("Creature 1 was changed on disk since it was opened. Overwrite it?"));
    QCOMPARE(c.recordLine(), QString("Record 1 of 12"));
    QCOMPARE(c.storedEntry(1).CreatureName, padded("Ogre"));
    QCOMPARE(c.storedEntry(1).Intelligence, std::int16_t{0});
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
    // Paging on follows in the viewer: creature 11 has no picture.
    c.dialogs.answerSave(ui::Dialogs::SaveChoice::Discard);
    c.click("frmCreatEd", "Command1");
    c.settle();
    QVERIFY(viewer->picture()->image().isNull());
    QVERIFY2(viewer->problem().contains("Mon11.bmp"), qPrintable(viewer->problem()));
  }

  // Tab reads the window row by row, left to right, from the name round to the name again; the
  // unlabelled saving throw names its field in its tip, and "Special Effects" takes no click.
  void tabFollowsTheScreen() {
    Creatures c;
    c.open(5);
    ui::Form* editor = c.show("frmCreatEd");
    QCOMPARE(editor->focusWidget(), c.box("Text1"));
    QStringList visited;
    for (int i = 0; i < 40; ++i) {
      QTest::keyClick(editor->focusWidget(), Qt::Key_Tab);
      visited << editor->focusWidget()->objectName();
    }
    QCOMPARE(
        visited.join(' '),
        QString("Text2 Combo1 Text19 Command6 Text6 Combo3 Text14 Text7 Text8 Text9 Text10 "
                "Text15 Text3 Text4 Text5 Text16 Text22 Text17 Text18 Text11 Text12 Text13 "
                "Text21 Combo2 Text20_0 Text20_3 Text20_1 Text20_4 Text20_2 Text20_5 "
                "Command9 Command2 Command3 Command7 Command1 Command4 Command8 cmdGoTo Command5 "
                "cmdWhereUsed"));
    QTest::keyClick(editor->focusWidget(), Qt::Key_Tab);
    QCOMPARE(editor->focusWidget(), c.box("Text1"));

    QCOMPARE(c.box("Text20_0")->toolTip(), QString("Save vs. None"));
    auto* check = c.control<ui::CheckBox>("frmCreatEd", "Check1");
    QVERIFY(check->isReadOnly());
    QCOMPARE(check->palette().color(QPalette::Base), check->palette().color(QPalette::Window));
  }
};

REGISTER_TEST(CreatureEditorTest);
#include "test_frm_creat_ed.moc"
