#include "app/editor_forms.h"
#include "maps/main_window_fixture.h"
#include "support/test_registry.h"
#include "ui/catalogue_list.h"
#include "ui/list_filter.h"
#include "ui/window_ids.h"
#include "ui/window_places.h"

#include <QApplication>
#include <QScreen>
#include <QScrollArea>
#include <QStatusBar>
#include <QTemporaryDir>

namespace {

using main_window_test::MainWindow;
using main_window_test::settle;

QStringList windowMenuEntries(const MainWindow& w) {
  auto* menu = w.window->findChild<QMenu*>("mnuWindow");
  emit menu->aboutToShow();
  QStringList entries;
  for (QAction* action : menu->actions())
    if (!action->isSeparator()) entries << action->text();
  return entries;
}

QString folderName(const MainWindow& w) {
  return QString::fromStdString(w.dir->root().filename().string());
}

void pressOn(QWidget* window, QKeyCombination key) {
  window->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(window));
  QTest::keyClick(window, key.key(), key.keyboardModifiers());
  settle();
}

// A window larger than any screen, for the scroll test.
class HugeForm : public ui::Form {
 public:
  HugeForm() : ui::Form("frmHuge") { body()->setMinimumSize(5000, 4000); }
};

}  // namespace

// The windows as one workspace: the Window menu and its keys, titles, the status bar, where
// windows open and that they are remembered.
class WorkspaceTest : public QObject {
  Q_OBJECT

 private slots:
  // The menu lists the open windows by title in the order they opened; Ctrl+number and
  // Ctrl+Tab bring one forward from any window.
  void windowMenuAndKeysReachEveryWindow() {
    MainWindow w;
    AddEditorForms(*w.registry, *w.defs, w.dialogs);
    w.refreshMenus();
    w.trigger("mnuItemEdit");
    w.trigger("mnuMagEdit");
    const QString game = " - " + folderName(w) + " - Map Editor";
    QCOMPARE(windowMenuEntries(w),
             QStringList({"Map 1" + game, "Blade 1 - Equipment Editor", "Spark 1 - Spell Editor",
                          "&Next Window", "&Previous Window"}));
    ui::Form* spells = w.form(ui::window::SpellEditor);
    QTest::keyClicks(spells->findChild<QLineEdit*>("Text1"), "s");  // marked at the keystroke
    QTRY_COMPARE(spells->shownTitle(), QString("Spark 1 - Spell Editor*"));
    QTest::keyClick(spells->findChild<QLineEdit*>("Text1"), Qt::Key_Backspace);
    QTRY_COMPARE(spells->shownTitle(), QString("Spark 1 - Spell Editor"));
    pressOn(spells, Qt::CTRL | Qt::Key_2);
    QTRY_COMPARE(QApplication::activeWindow(), w.form(ui::window::ItemEditor));
    pressOn(w.form(ui::window::ItemEditor), Qt::CTRL | Qt::Key_Tab);
    QTRY_COMPARE(QApplication::activeWindow(), spells);
    pressOn(spells, Qt::CTRL | Qt::Key_Tab);  // round the end, to the main window
    QTRY_COMPARE(QApplication::activeWindow(), w.window.data());
    pressOn(w.window, Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab);
    QTRY_COMPARE(QApplication::activeWindow(), spells);
    spells->closeForm();
    settle();
    QCOMPARE(windowMenuEntries(w).size(), 4);
  }

  // The title names the map and the folder and marks unsaved changes; the status bar says what
  // Save, Open, Undo and New did; New takes the first number Maps.dat does not hold.
  void titleAndStatusFollowTheCommands() {
    MainWindow w;
    const QString game = " - " + folderName(w) + " - Map Editor";
    QCOMPARE(w.window->shownTitle(), "Map 1" + game);
    w.click("Label16_0");  // North side: the next wall code
    QCOMPARE(w.window->shownTitle(), "Map 1" + game + "*");
    w.trigger("mnuSave");
    QCOMPARE(w.window->statusBar()->currentMessage(), QString("Saved map 1 to Dat/Maps.dat"));
    QCOMPARE(w.window->shownTitle(), "Map 1" + game);
    w.click("Label16_0");
    const QString step = w.action("mnuUndo")->text().mid(QString("&Undo ").size());
    w.trigger("mnuUndo");
    QCOMPARE(w.window->statusBar()->currentMessage(), "Undid " + step);
    w.dialogs.answerInput("2");
    w.trigger("mnuOpen");
    QCOMPARE(w.window->statusBar()->currentMessage(), QString("Opened map 2"));
    QCOMPARE(w.window->shownTitle(), "Map 2" + game);
    w.trigger("mnuNew");
    QCOMPARE(w.defs->CurrentMap, std::int16_t{4});  // maps 1 to 3 are held
    QCOMPARE(w.text("Label2"), QString("4"));
    QCOMPARE(w.window->statusBar()->currentMessage(), QString("New map 4"));
    w.trigger("mnuSave");
    QCOMPARE(w.mapOnDisk(4).GraphicSet, std::int16_t{0});
    QCOMPARE(w.messages().size(), std::size_t{0});
  }

  // The browser lists the maps of Maps.dat (a blank slot left out), filters them, and opens the
  // one picked through the unsaved-changes question.
  void mapBrowserOpensThePickedMap() {
    MainWindow w;
    core::MapRecord fourth = test_support::sampleMap(4);
    fourth.SetText(0, "Sunken Crypt");
    test_support::putSpecial(fourth, 7, 1, 3, 3, 0, 0);
    fourth.SetEncounter(2, core::EncounterField::Creature, 3);
    test_support::writeMapSlot(w.mapsFile(), 5, fourth);  // slot 4 stays zeros
    AddEditorForms(*w.registry, *w.defs, w.dialogs);
    w.refreshMenus();
    w.click("Label16_0");  // an unsaved change
    pressOn(w.window, Qt::CTRL | Qt::SHIFT | Qt::Key_O);
    auto* browser = qobject_cast<ui::CatalogueList*>(w.form(ui::window::MapBrowser));
    QVERIFY(browser);
    ui::ListView* list = browser->list();
    QCOMPARE(list->rowCount(), 4);
    QStringList last;
    for (int column = 0; column < 5; ++column) last << list->cellText(4, column);
    QCOMPARE(last, QStringList({" 5", "2", "1", "1", "Sunken Crypt"}));
    browser->filter()->box()->setText("nkenk");  // every pair of letters is in "Sunken"
    QCOMPARE(list->rowCount(), 0);
    browser->filter()->box()->setText("crypt");
    QCOMPARE(list->rowCount(), 1);
    w.dialogs.answerSave(ui::Dialogs::SaveChoice::Cancel);
    QTest::keyClick(browser->filter()->box(), Qt::Key_Return);
    QCOMPARE(w.defs->CurrentMap, std::int16_t{1});  // cancelled: the map and its change stay
    QVERIFY(w.window->isWindowModified());
    w.dialogs.answerSave(ui::Dialogs::SaveChoice::Discard);
    QTest::keyClick(browser->filter()->box(), Qt::Key_Return);
    QCOMPARE(w.defs->CurrentMap, std::int16_t{5});
    QVERIFY(w.defs->Document().Map() == w.mapOnDisk(5));
    QVERIFY(w.formClosed(ui::window::MapBrowser));
  }

  // Every window of the editor opens fully on the screen, whatever the screen's size.
  void everyWindowOpensOnTheScreen() {
    MainWindow w;
    AddEditorForms(*w.registry, *w.defs, w.dialogs);
    w.defs->CurrentSpecial = 0;
    w.defs->SpecialReload = 1;
    const QRect screen = w.window->screen()->availableGeometry();
    for (const char* name :
         {ui::window::MainWindow, ui::window::ItemEditor, ui::window::ItemEffects,
          ui::window::EffectEditor, ui::window::CreatureEditor, ui::window::CreatureSpecials,
          ui::window::ShopEditor, ui::window::ShopItemAdd, ui::window::SpellEditor,
          ui::window::SpellList, ui::window::SpellProgression, ui::window::SpecialEditor,
          ui::window::MapTexts, ui::window::MapLongTexts, ui::window::MapEncounter,
          ui::window::MapBrowser, ui::window::GameCheck}) {
      QVERIFY2(w.registry->open(name).ok(), name);
      const ui::Form* form = w.form(name);
      QVERIFY2(form && screen.contains(form->frameGeometry()), name);
    }
  }

  // An owned window opens beside its owner where there is room; any window fits its screen,
  // scrolling what does not; a kept place comes back only while it fits.
  void windowsOpenOnTheScreenAndComeBackWhereLeft() {
    const QRect area(0, 0, 1024, 768);
    QCOMPARE(ui::BesideOwner({200, 300}, {100, 100, 500, 400}, area), QRect(600, 100, 200, 300));
    QCOMPARE(ui::BesideOwner({500, 300}, {300, 100, 500, 300}, area), QRect(300, 400, 500, 300));
    // No room on any side: the nearest fitted place to the right.
    QCOMPARE(ui::BesideOwner({500, 300}, {300, 100, 500, 400}, area), QRect(524, 100, 500, 300));
    QCOMPARE(ui::FitInside({900, 700, 300, 200}, area), QRect(724, 568, 300, 200));
    QCOMPARE(ui::FitInside({-50, 10, 2000, 100}, area), QRect(0, 10, 1024, 100));

    ui::FormsRegistry registry;
    registry.add("frmHuge", [] { return std::make_unique<HugeForm>(); });
    ui::Form* huge = registry.show("frmHuge");
    const QRect screen = huge->screen()->availableGeometry();
    QVERIFY2(screen.contains(huge->frameGeometry()),
             qPrintable(QString("%1x%2").arg(huge->width()).arg(huge->height())));
    QVERIFY(qobject_cast<QScrollArea*>(huge->centralWidget()));
    huge->closeForm();

    QTemporaryDir dir;
    const ui::WindowPlaces places(dir.filePath("places.ini"));
    registry.setPlaces(&places);
    registry.add("frmSmall", [] { return std::make_unique<ui::Form>("frmSmall"); });
    ui::Form* small = registry.show("frmSmall");
    const QRect kept(screen.topLeft() + QPoint(40, 50), QSize(220, 160));
    small->setGeometry(kept);
    small->closeForm();
    settle();
    QCOMPARE(registry.show("frmSmall")->geometry(), kept);
    registry.find("frmSmall")
        ->setGeometry(QRect(screen.bottomRight() - QPoint(10, 10), kept.size()));
    registry.close("frmSmall");
    settle();
    QVERIFY(screen.contains(registry.show("frmSmall")->geometry()));
  }
};

REGISTER_TEST(WorkspaceTest);
#include "test_workspace.moc"
