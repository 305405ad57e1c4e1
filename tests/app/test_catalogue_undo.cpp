#include "app/editor_forms.h"
#include "maps/main_window_fixture.h"
#include "support/list_view_clicks.h"
#include "support/test_registry.h"

#include <QAction>
#include <QMenu>
#include <QStatusBar>

#include <vector>

// Undo and redo of the catalogue editors' writes, checked in the bytes of the files.
namespace {

using main_window_test::MainWindow;
using namespace test_support;
using Bytes = std::vector<std::uint8_t>;

struct Editor {
  const char* form;
  const char* menu;
  const char* file;
  const char* step;  // what the steps call an entry
  const char* save;
  const char* add;
};

// The game files of the main window's fixture: items 1-2, creatures 1-3, shops 1-2, spell 1.
// clang-format off
const Editor Editors[] = {
    {"frmEquipEd", "mnuItemEdit", "Item.dat", "Item", "Command3", "Command2"},
    {"frmCreatEd", "mnuMonEdit", "Mon.dat", "Creature", "Command3", "Command2"},
    {"frmMagicEd", "mnuMagEdit", "Mag.dat", "Spell", "Command3", "Command2"},
    {"frmShopEd", "mnuShop", "Shop.dat", "Shop", "Command1", "Command3"},
};
// clang-format on

struct Session {
  MainWindow w;
  Session() {
    AddEditorForms(*w.registry, *w.defs, w.dialogs);
    w.refreshMenus();
  }

  Bytes bytes(const char* file) const { return readBytes(w.dir->datFile(file)); }
  ui::Form* open(const Editor& e) const {
    if (w.formClosed(e.form)) w.trigger(e.menu);
    return w.form(e.form);
  }
  QAction* entry(const char* form, const char* name) const {
    return w.form(form)->findChild<QAction*>(name);
  }
  QString entryText(const char* form, const char* name) const { return entry(form, name)->text(); }
  void trigger(const char* form, const char* name) const {
    entry(form, name)->trigger();
    main_window_test::settle();
  }
  QString status(const char* form) const { return w.form(form)->statusBar()->currentMessage(); }
  QString name(const Editor& e) const {
    return w.formControl<ui::TextBox>(e.form, "Text1")->text().trimmed();
  }
  void click(const char* form, const char* button) const {
    w.clickIn(form, button);
    main_window_test::settle();
  }
  // Types a new name and saves; the shop editor closes on "Save".
  void saveName(const Editor& e, const QString& name) const {
    main_window_test::retype(w.formControl<ui::TextBox>(e.form, "Text1"), name);
    click(e.form, e.save);
    open(e);
  }
};

}  // namespace

class CatalogueUndoTest : public QObject {
  Q_OBJECT

 private slots:
  // A save undone gives the file back byte for byte; redone, the bytes of the save.
  void saveIsUndoneAndRedone() {
    for (const Editor& e : Editors) {
      Session s;
      s.open(e);
      const long entry = e.step == QString("Shop") ? 2 : 1;
      const QString step = QString("Save %1 %2").arg(e.step).arg(entry);
      const Bytes before = s.bytes(e.file);
      const QString oldName = s.name(e);
      QVERIFY2(!s.entry(e.form, "mnuUndo")->isEnabled(), e.form);
      s.saveName(e, "Renamed");
      if (e.form == QString("frmEquipEd"))  // the item's save has no message box of its own
        QCOMPARE(s.status(e.form), QString("Saved item 1"));
      const Bytes saved = s.bytes(e.file);
      QVERIFY2(saved != before, e.form);
      QCOMPARE(s.entryText(e.form, "mnuUndo"), "&Undo " + step);

      s.trigger(e.form, "mnuUndo");
      QVERIFY2(s.bytes(e.file) == before, e.form);
      QCOMPARE(s.name(e), oldName);
      QCOMPARE(s.status(e.form), "Undid " + step);
      QCOMPARE(s.entryText(e.form, "mnuRedo"), "&Redo " + step);
      QVERIFY(!s.entry(e.form, "mnuUndo")->isEnabled());

      s.trigger(e.form, "mnuRedo");
      QVERIFY2(s.bytes(e.file) == saved, e.form);
      QCOMPARE(s.name(e), QString("Renamed"));
      QCOMPARE(s.status(e.form), "Redid " + step);
      QVERIFY(s.w.dialogs.unanswered() == 0);
    }
  }

  // "New" undone takes the entry off the end: the header's count and the file's length as
  // before, the editor on the last entry left. Redo appends it again.
  void appendIsUndoneToTheFileItHad() {
    for (const Editor& e : Editors) {
      Session s;
      s.open(e);
      const Bytes before = s.bytes(e.file);
      const long count = static_cast<long>(before[0]);
      s.click(e.form, e.add);
      const Bytes added = s.bytes(e.file);
      QCOMPARE(static_cast<long>(added[0]), count + 1);
      QCOMPARE(s.status(e.form),
               QString("Added %1 %2").arg(QString(e.step).toLower()).arg(count + 1));
      QVERIFY(s.w.form(e.form)->menuWidget()->findChild<QMenu*>("mnuWindow"));
      QCOMPARE(s.entryText(e.form, "mnuUndo"),
               QString("&Undo New %1 %2").arg(e.step).arg(count + 1));

      s.trigger(e.form, "mnuUndo");
      QVERIFY2(s.bytes(e.file) == before, e.form);  // length and count included
      const QString line = e.step == QString("Shop") ? "Label1" : "MainLabel";
      QCOMPARE(s.w.formText(e.form, line), QString("Record %1 of %1").arg(count));

      s.trigger(e.form, "mnuRedo");
      QVERIFY2(s.bytes(e.file) == added, e.form);
      QCOMPARE(s.w.formText(e.form, line), QString("Record %1 of %1").arg(count + 1));
    }
  }

  // Add and Remove of the spell progression, undone and redone as the file was.
  void progressionChangesAreUndone() {
    Session s;
    s.w.trigger("mnuSpellProg");
    const char* form = "frmMagicProg";
    s.w.formControl<ui::ComboBox>(form, "Combo1")->setPosition(4);  // Mage
    const Bytes empty = s.bytes("MagProg.dat");
    s.click(form, "Command1");
    s.w.formControl<ui::ComboBox>(form, "Combo3")->setPosition(2);  // level 3
    s.click(form, "Command1");
    const Bytes two = s.bytes("MagProg.dat");
    QCOMPARE(two.size(), std::size_t{30});
    QCOMPARE(s.entryText(form, "mnuUndo"), QString("&Undo Add Spell Progression Entry 2"));

    auto* list = s.w.formControl<ui::ListView>(form, "ListView1");
    list->setSelected(1, true);
    s.click(form, "Command2");
    const Bytes removed = s.bytes("MagProg.dat");
    QCOMPARE(removed[0], std::uint8_t{1});
    QCOMPARE(s.entryText(form, "mnuUndo"), QString("&Undo Remove Spell Progression Entry 1"));

    s.trigger(form, "mnuUndo");
    QVERIFY(s.bytes("MagProg.dat") == two);
    QCOMPARE(list->rowCount(), 2);
    QCOMPARE(s.w.formText(form, "Label4"), QString(" 2"));
    s.trigger(form, "mnuUndo");
    s.trigger(form, "mnuUndo");
    QVERIFY(s.bytes("MagProg.dat") == empty);  // the header alone again
    QCOMPARE(s.status(form), QString("Undid Add Spell Progression Entry 1"));
    QCOMPARE(list->rowCount(), 0);

    for (int step = 0; step < 3; ++step) s.trigger(form, "mnuRedo");
    QVERIFY(s.bytes("MagProg.dat") == removed);
    QCOMPARE(list->rowCount(), 1);
  }

  // Another editor saved over the entry since: the undo asks, as a save does; Cancel changes
  // nothing, Overwrite puts back the bytes from before the save.
  void undoOverAnotherEditorsChangeAsks() {
    Session s;
    const Editor& e = Editors[0];
    s.open(e);
    const Bytes before = s.bytes(e.file);
    s.saveName(e, "Mine");
    core::ItemRecord theirs = storedSlot<core::ItemRecord>(s.w.dir->datFile(e.file), 2);
    theirs.Cost = 999;
    Bytes changed = s.bytes(e.file);
    theirs.pack(
        std::span(changed).subspan(core::ItemRecord::SlotLength, core::ItemRecord::PackedSize));
    writeBytes(s.w.dir->datFile(e.file), changed);

    s.w.dialogs.answerOverwrite(false);
    s.trigger(e.form, "mnuUndo");
    QVERIFY(s.w.dialogs.last());
    QCOMPARE(s.w.dialogs.last()->prompt,
             QString("Item 1 was changed on disk since this editor wrote it. Overwrite it?"));
    QVERIFY(s.bytes(e.file) == changed);
    QCOMPARE(s.entryText(e.form, "mnuUndo"), QString("&Undo Save Item 1"));

    s.w.dialogs.answerOverwrite(true);
    s.trigger(e.form, "mnuUndo");
    QVERIFY(s.bytes(e.file) == before);
    QCOMPARE(s.w.defs->ItemName(1).substr(0, 7), std::string("Blade 1"));
  }

  // Ctrl+Z first takes back a box's own typing; in a box with none it undoes the save, after
  // the question about the typing elsewhere on screen.
  void keysGoToTheBoxFirst() {
    Session s;
    const Editor& e = Editors[0];
    ui::Form* editor = s.open(e);
    s.w.activate(editor);
    const Bytes before = s.bytes(e.file);
    s.saveName(e, "Mine");
    const Bytes saved = s.bytes(e.file);
    auto* plural = s.w.formControl<ui::TextBox>(e.form, "Text2");
    main_window_test::retype(plural, "Typed");
    QTest::keyClick(plural, Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(s.bytes(e.file) == saved);
    QVERIFY(plural->text() != "Typed");

    auto* cost = s.w.formControl<ui::TextBox>(e.form, "Text10");
    cost->setFocus();
    main_window_test::retype(plural, "Typed");
    cost->setFocus();
    s.w.dialogs.answerSave(ui::Dialogs::SaveChoice::Cancel);
    QTest::keyClick(cost, Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(s.w.dialogs.last());
    QCOMPARE(s.w.dialogs.last()->prompt, QString("Save changes to item 1?"));
    QVERIFY(s.bytes(e.file) == saved);

    s.w.dialogs.answerSave(ui::Dialogs::SaveChoice::Discard);
    QTest::keyClick(cost, Qt::Key_Z, Qt::ControlModifier);
    main_window_test::settle();
    QVERIFY(s.bytes(e.file) == before);
    QTest::keyClick(cost, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QVERIFY(s.bytes(e.file) == saved);
  }
};

REGISTER_TEST(CatalogueUndoTest);
#include "test_catalogue_undo.moc"
