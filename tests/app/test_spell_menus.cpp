#include "maps/main_window_fixture.h"
#include "spells/forms.h"
#include "support/test_registry.h"
#include "ui/controls.h"

#include <QTest>

using main_window_test::MainWindow;
using main_window_test::Unopened;

// The main window's spell menu entries open the spell windows once the registry knows them.
class SpellMenusTest : public QObject {
  Q_OBJECT

 private slots:
  void spellMenusOpenTheSpellWindows() {
    MainWindow w{Unopened{}};
    w.defs = std::make_unique<core::ModDefinitions>(w.dir->root());
    w.hub = std::make_unique<ui::ChangeHub>(*w.defs);
    w.registry = std::make_unique<ui::FormsRegistry>(w.hub.get());
    spells::AddForms(*w.registry, *w.defs, w.dialogs);
    w.registry->add("frmMapEd", [&w] {
      return std::make_unique<maps::frmMapEd>(*w.defs, w.dialogs, *w.registry);
    });
    w.window = w.registry->show<maps::frmMapEd>("frmMapEd");
    QVERIFY(w.window);
    QVERIFY(w.action("mnuMagEdit")->isEnabled());
    QVERIFY(w.action("mnuSpellProg")->isEnabled());

    // After start-up the working record holds the header; the editor opens on spell 1.
    w.trigger("mnuMagEdit");
    ui::Form* editor = w.registry->find("frmMagicEd");
    QVERIFY(editor && editor->isVisible());
    QCOMPARE(editor->findChild<ui::Label*>("MainLabel")->text(), QString("Record 1 of 1"));
    QCOMPARE(editor->findChild<ui::TextBox*>("Text1")->text(), QString("Spark 1"));

    w.trigger("mnuSpellProg");
    ui::Form* progression = w.registry->find("frmMagicProg");
    QVERIFY(progression && progression->isVisible());
    QCOMPARE(progression->findChild<ui::Label*>("Label4")->text(), QString(" 0"));
    QVERIFY(w.registry->closeAll());
  }
};

REGISTER_TEST(SpellMenusTest);
#include "test_spell_menus.moc"
