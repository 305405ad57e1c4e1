// "Where Used" in the four catalogue editors and the game data check of the main window, driven
// through their real controls: the places listed, and a double-click that reaches them.
#include "app/editor_forms.h"
#include "core/vocabularies.h"
#include "maps/main_window_fixture.h"
#include "support/list_view_clicks.h"
#include "support/test_registry.h"
#include "ui/list_view.h"
#include "ui/progress_run.h"

#include <QHeaderView>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>

#include <thread>

namespace {

using main_window_test::MainWindow;
using main_window_test::settle;
using namespace test_support;

// On top of the main window's game: map 2 holds, on square 5X, 6Y, a text (special 0) and an
// encounter with creature 1 and item 2 as treasure (special 3), and on 7X, 8Y an exit to shop 2
// (special 4); shop 1 stocks item 2; item 1 casts spell 1 from effect slot 1.
struct Game {
  MainWindow w{main_window_test::Unopened{}};

  Game() {
    core::MapRecord second = sampleMap(2);
    second.SetEncounter(0, core::EncounterField::Creature, 2);
    putSpecial(second, 0, core::ShowText, 5, 6, 0);
    putSpecial(second, 3, core::Encounter, 5, 6, 1);
    second.SetSpecial(3, core::SpecialField::Param3, 2);
    putSpecial(second, 4, core::ExitToBuilding, 7, 8, 1, 2);
    writeMapSlot(w.dir->datFile("Maps.dat"), 2, second);
    auto shops = namedEntries<core::ShopRecord>(2, "Store");
    shops[0].Stock[0] = 2;
    writeCatalogue(w.dir->datFile("Shop.dat"), shops);
    auto items = namedEntries<core::ItemRecord>(2, "Blade");
    items[0].SetEffect(1, core::EffectField::Kind, 2);  // Many Use Spell, spell 1
    writeCatalogue(w.dir->datFile("Item.dat"), items);
    w.open();
    AddEditorForms(*w.registry, *w.defs, w.dialogs);
    w.refreshMenus();
  }

  ui::ListView* list(const QString& form, const QString& name) const {
    return w.formControl<ui::ListView>(form, name);
  }
  // The rows of a list, each as its cells joined by " | ".
  QStringList rows(const QString& form, const QString& name) const {
    QStringList rows;
    ui::ListView* view = list(form, name);
    for (int r = 1; view && r <= view->rowCount(); ++r) {
      QStringList cells;
      for (int c = 0; c < view->columnCount(); ++c) cells << view->cellText(r, c);
      rows << cells.join(" | ");
    }
    return rows;
  }
  QStringList whereUsed() const { return rows("frmWhereUsed", "ListView1"); }
  QString recordLine(const QString& form) const {
    return w.formText(form, form == "frmShopEd" ? "Label1" : "MainLabel");
  }
};

}  // namespace

class WhereUsedTest : public QObject {
  Q_OBJECT

 private slots:
  // Each editor lists the places that name the entry it shows, by button or by Shift+F12.
  void eachEditorListsThePlacesOfItsEntry_data() {
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("form");
    QTest::addColumn<int>("nexts");  // ">" clicks after opening, to reach the entry
    QTest::addColumn<bool>("byKey");
    QTest::addColumn<QStringList>("places");
    QTest::newRow("item 2") << "mnuItemEdit"
                            << "frmEquipEd" << 1 << true
                            << QStringList{"Map 2, square 5X, 6Y, special 3 | Encounter treasure",
                                           "Shop 1, stock position 0 | Stock"};
    QTest::newRow("creature 2") << "mnuMonEdit"
                                << "frmCreatEd" << 1 << false
                                << QStringList{"Map 1, encounter slot 0 | Random encounter",
                                               "Map 2, encounter slot 0 | Random encounter",
                                               "Map 3, encounter slot 0 | Random encounter"};
    QTest::newRow("spell 1") << "mnuMagEdit"
                             << "frmMagicEd" << 0 << true
                             << QStringList{"Item 1, effect slot 1 | Many Use Spell"};
    // The shop editor opens on the last shop.
    QTest::newRow("shop 2") << "mnuShop"
                            << "frmShopEd" << 0 << false
                            << QStringList{"Map 2, square 7X, 8Y, special 4 | Exit to Building"};
  }
  void eachEditorListsThePlacesOfItsEntry() {
    QFETCH(QString, menu);
    QFETCH(QString, form);
    QFETCH(int, nexts);
    QFETCH(bool, byKey);
    QFETCH(QStringList, places);
    Game g;
    g.w.trigger(menu);
    for (int i = 0; i < nexts; ++i)
      g.w.clickIn(form, form == "frmShopEd" ? "Command5" : "Command4");
    if (byKey) {
      ui::Form* editor = g.w.form(form);
      g.w.activate(editor);
      QTest::keyClick(editor->focusWidget() ? editor->focusWidget() : editor, Qt::Key_F12,
                      Qt::ShiftModifier);
    } else {
      g.w.clickIn(form, "cmdWhereUsed");
    }
    QVERIFY(g.w.form("frmWhereUsed"));
    QCOMPARE(g.whereUsed(), places);
  }

  // The open map counts as it stands in memory; a double-click goes to the map on the square,
  // asking about the open map's unsaved changes first, with the special's line shown and its
  // editor open; another goes to the shop in its editor.
  void aDoubleClickGoesToThePlace() {
    Game g;
    g.w.defs->Document().Apply("Reward", [](core::MapRecord& map) {
      putSpecial(map, 9, core::Reward, 2, 3, 2);
      map.SetSpecial(9, core::SpecialField::Param3, 2);  // item 2, not saved
    });
    g.w.trigger("mnuItemEdit");
    g.w.clickIn("frmEquipEd", "Command4");
    g.w.clickIn("frmEquipEd", "cmdWhereUsed");
    QCOMPARE(g.whereUsed(), (QStringList{"Map 1, square 2X, 3Y, special 9 | Reward",
                                         "Map 2, square 5X, 6Y, special 3 | Encounter treasure",
                                         "Shop 1, stock position 0 | Stock"}));

    g.w.dialogs.answerSave(ui::Dialogs::SaveChoice::Cancel);
    doubleClickRow(g.list("frmWhereUsed", "ListView1"), 2);
    QCOMPARE(g.w.defs->CurrentMap, std::int16_t{1});  // cancelled: the map stays
    QVERIFY(g.w.formClosed("frmMapSpe"));
    g.w.dialogs.answerSave(ui::Dialogs::SaveChoice::Discard);
    doubleClickRow(g.list("frmWhereUsed", "ListView1"), 2);
    settle();
    QCOMPARE(g.w.dialogs.messages().size(), std::size_t{0});
    QCOMPARE(g.w.defs->CurrentMap, std::int16_t{2});
    QCOMPARE(g.w.selected(), QPoint(5, 6));
    QCOMPARE(g.w.text("Label2"), QString("2"));
    // Special 0 is the square's first line; special 3 is shown at the top.
    QVERIFY2(g.w.text("Label15_0").startsWith("Encounter 0 Beast 1"),
             qPrintable(g.w.text("Label15_0")));
    QCOMPARE(g.w.text("Label15_1"), QString());
    QVERIFY(!g.w.formClosed("frmMapSpe"));
    QCOMPARE(g.w.defs->CurrentSpecial, std::int16_t{3});

    doubleClickRow(g.list("frmWhereUsed", "ListView1"), 2);  // the list follows the new map
    QCOMPARE(g.whereUsed().size(), 2);
    doubleClickRow(g.list("frmWhereUsed", "ListView1"), 2);
    QCOMPARE(g.recordLine("frmShopEd"), QString("Record 1 of 2"));
    QCOMPARE(g.w.formControl<ui::TextBox>("frmShopEd", "Text1")->text(), QString("Store 1"));
  }

  // The findings window lists what the checker finds, sorts by a heading, filters, says that the
  // open map is checked with its unsaved changes, and a double-click goes to a finding's place.
  void theFindingsWindowListsSortsFiltersAndGoesThere() {
    Game g;
    g.w.defs->Document().Apply("Exit", [](core::MapRecord& map) {
      putSpecial(map, 7, core::ExitToBuilding, 4, 4, 1, 9);  // no shop 9, not saved
    });
    g.w.trigger("mnuCheckData");
    QVERIFY(g.w.form("frmGameCheck"));
    QCOMPARE(g.w.formText("frmGameCheck", "lblSummary"),
             QString("12 findings: 4 errors, 8 notes. Map 1 is checked as it stands in the "
                     "editor, with its unsaved changes."));
    const QString shop9 =
        "error | Maps.dat | Map 1, square 4X, 4Y, special 7 | Exit to Building names shop 9, but "
        "Shop.dat holds 2 shops";
    const QString creature3 =
        "error | Mon.dat | Creature 3 | Bitmap names picture 0, but Data/Mon0.bmp is missing";
    const auto rows = [&g] { return g.rows("frmGameCheck", "lvwFindings"); };
    QCOMPARE(rows().size(), 12);
    QVERIFY(rows().front().startsWith("note | Maps.dat | Map 1, square 0X, 0Y | Its East side"));
    QCOMPARE(rows().at(3), shop9);  // files, then places, in the checker's order
    ui::ListView* list = g.list("frmGameCheck", "lvwFindings");
    const auto clickHeading = [list](int column) {
      QHeaderView* headings = list->horizontalHeader();
      QTest::mouseClick(headings->viewport(), Qt::LeftButton, {},
                        QPoint(headings->sectionViewportPosition(column) + 5, 5));
    };
    clickHeading(0);  // severity: errors first, each severity in the checker's order
    QCOMPARE(rows().front(), shop9);
    QCOMPARE(rows().at(3), creature3);
    QVERIFY(rows().at(4).startsWith("note"));
    clickHeading(0);  // the other way round
    QVERIFY(rows().front().startsWith("note | Maps.dat | Map 1, square 0X, 0Y"));
    QCOMPARE(rows().back(), creature3);
    clickHeading(1);  // file: Maps.dat before Mon.dat
    QVERIFY(rows().front().contains("| Maps.dat |"));
    QCOMPARE(rows().back(), creature3);

    QTest::keyClicks(g.w.formControl<QWidget>("frmGameCheck", "txtFilter"), "SHOP 9");
    QCOMPARE(rows(), QStringList{shop9});
    doubleClickRow(list, 1);
    QCOMPARE(g.w.defs->CurrentMap, std::int16_t{1});  // the open map itself: nothing asked
    QCOMPARE(g.w.selected(), QPoint(4, 4));
    QCOMPARE(g.w.defs->CurrentSpecial, std::int16_t{7});
    QVERIFY(!g.w.formClosed("frmMapSpe"));

    auto* filter = g.w.formControl<ui::TextBox>("frmGameCheck", "txtFilter");
    filter->clear();
    QTest::keyClicks(filter, "creature 2 ");
    QCOMPARE(rows().size(), 1);
    doubleClickRow(list, 1);
    QCOMPARE(g.recordLine("frmCreatEd"), QString("Record 2 of 3"));
    QVERIFY(g.w.dialogs.shown().empty());
  }

  // A long run shows its progress bar with Cancel, and Cancel stops the job.
  void cancelStopsALongRun() {
    Game g;
    bool shown = false;
    QTimer::singleShot(300, [&] {
      auto* dialog = g.w.window->findChild<QProgressDialog*>("dlgProgress");
      shown = dialog && dialog->isVisible();
      if (dialog) QTest::mouseClick(dialog->findChild<QPushButton*>(), Qt::LeftButton);
    });
    int calls = 0;
    const bool finished = ui::RunWithProgress(
        g.w.window, "Working",
        [&](const auto& progress) {
          while (progress(0.5)) {
            ++calls;
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
          }
        },
        100);
    QVERIFY(shown);
    QVERIFY(!finished);
    QVERIFY(calls > 0);
  }
};

REGISTER_TEST(WhereUsedTest);
#include "test_where_used.moc"
