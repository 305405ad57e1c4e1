#include "maps/main_window_fixture.h"
#include "spells/forms.h"
#include "support/test_registry.h"

// The main window's spell menu entries open the spell windows once the registry knows them.
class SpellMenusTest : public QObject {
  Q_OBJECT

 private slots:
  void spellMenusOpenTheSpellWindows() {
    main_window_test::MainWindow w;
    spells::AddForms(*w.registry, *w.defs, w.dialogs);
    w.refreshMenus();
    // After start-up the working record holds the header; the editor opens on spell 1.
    w.trigger("mnuMagEdit");
    QVERIFY(w.form("frmMagicEd")->isVisible());
    QCOMPARE(w.formText("frmMagicEd", "MainLabel"), QString("Record 1 of 1"));
    QCOMPARE(w.formControl<ui::TextBox>("frmMagicEd", "Text1")->text(), QString("Spark 1"));
    w.trigger("mnuSpellProg");
    QVERIFY(w.form("frmMagicProg")->isVisible());
    QCOMPARE(w.formText("frmMagicProg", "Label4"), QString(" 0"));
  }
};

REGISTER_TEST(SpellMenusTest);
#include "test_spell_menus.moc"
