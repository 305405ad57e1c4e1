#include "spell_windows_fixture.h"
#include "spells/frm_magic_ed.h"
#include "support/list_view_clicks.h"
#include "support/test_registry.h"
#include "ui/catalogue_list.h"
#include "ui/controls.h"
#include "ui/twips.h"

#include <QTest>

using namespace spell_test;

namespace {

ui::ListView* listOf(SpellWindows& w) {
  auto* list = w.registry->show<ui::CatalogueList>("frmMagicList");
  return list ? list->list() : nullptr;
}

}  // namespace

using test_support::doubleClickRow;

class FrmMagicListTest : public QObject {
  Q_OBJECT

 private slots:
  void everySpellHasItsRow() {
    core::SpellRecord last = sampleSpell("Odd", 9, 6);
    last.Description = std::string(1023, 'w') + "!";
    SpellWindows w(
        {sampleSpell("Heal Me", 0, 0), sampleSpell("Glow", 5, 3), sampleSpell("Daze", 8, 6), last});
    w.defs->Spell = sampleSpell("Working");
    const core::SpellRecord working = w.defs->Spell;
    ui::ListView* list = listOf(w);
    QCOMPARE(list->window()->windowTitle(), QString("Magic List"));
    QCOMPARE(list->columnCount(), 6);
    QCOMPARE(list->columnWidth(5), ui::TwipsToPixels(5000));
    QCOMPARE(list->rowCount(), 4);
    QCOMPARE(list->row(3).key, QString("0 3"));
    QCOMPARE(list->cellText(1, 1), QString::fromStdString(test_support::padded("Heal Me")));
    QStringList types, targets;
    for (int row = 1; row <= 3; ++row) {
      types << list->cellText(row, 2);
      targets << list->cellText(row, 3);
    }
    QCOMPARE(types, QStringList({"Heal", "Light", "Confuse"}));
    QCOMPARE(targets, QStringList({"Self", "CombatSelf", "CombatAll"}));
    // A type outside its table leaves its own cell empty; the others keep their columns.
    QCOMPARE(list->cellText(4, 2), QString());
    QCOMPARE(list->cellText(4, 3), QString("CombatAll"));
    QCOMPARE(list->cellText(4, 4), QString("7"));
    QCOMPARE(list->cellText(4, 5).size(), 1024);
    QVERIFY(list->cellText(4, 5).endsWith("!"));
    QVERIFY(w.defs->Spell == working);
  }

  void anEmptyCatalogueListsNothing() {
    SpellWindows w({});
    ui::ListView* list = listOf(w);
    QCOMPARE(list->columnCount(), 6);
    QCOMPARE(list->rowCount(), 0);
  }

  void aDoubleClickShowsTheSpellInTheEditor() {
    SpellWindows w(test_support::namedEntries<core::SpellRecord>(5, "Spell"));
    auto* ed = w.registry->show<spells::frmMagicEd>("frmMagicEd");
    ed->pager().pick(3);
    ui::ListView* list = listOf(w);
    // Changes on screen are asked about first; Cancel keeps the list open.
    SpellWindows::control<ui::TextBox>(ed, "Text1")->setText("Edited");
    w.dialogs.answerSave(ui::Dialogs::SaveChoice::Cancel);
    doubleClickRow(list, 4);
    QVERIFY(w.registry->find("frmMagicList"));
    QCOMPARE(SpellWindows::control<ui::Label>(ed, "MainLabel")->text(), QString("Record 3 of 5"));

    w.dialogs.answerSave(ui::Dialogs::SaveChoice::Discard);
    doubleClickRow(list, 4);
    QVERIFY(!w.registry->find("frmMagicList"));
    QCOMPARE(SpellWindows::control<ui::Label>(ed, "MainLabel")->text(), QString("Record 4 of 5"));
    QCOMPARE(w.defs->SpellScratch.SpellNo, std::int16_t{4});
  }
};

REGISTER_TEST(FrmMagicListTest);
#include "test_frm_magic_list.moc"
