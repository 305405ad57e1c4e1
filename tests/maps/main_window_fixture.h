#pragma once

// A main window on a temporary game folder, driven through its real controls.
#include "core/bitmap.h"
#include "core/catalogue_records.h"
#include "core/definitions.h"
#include "core/tile_sheet.h"
#include "maps/forms.h"
#include "maps/frm_map_ed.h"
#include "maps/map_view.h"
#include "support/fixtures.h"
#include "support/scripted_dialogs.h"
#include "ui/change_hub.h"
#include "ui/controls.h"
#include "ui/forms_registry.h"
#include "ui/picture_box.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <string>

namespace main_window_test {

// The Back.bmp of the test folder: one colour the editor's own background never uses.
inline constexpr std::uint32_t BackColour = 0xC8D8E8;

// A window that another helper has not built yet, standing in for it: counts its paints.
class StandInForm : public ui::Form {
 public:
  explicit StandInForm(const QString& name) : ui::Form(name) {}
  int paints = 0;

 protected:
  void Form_Paint() override { ++paints; }
};

// Map 1..3 in Maps.dat, three named creatures, two items, two shops, one spell, no progression,
// and the pictures.
inline void writeGameFiles(const test_support::TestDataDir& dir) {
  using namespace test_support;
  for (std::int16_t n = 1; n <= 3; ++n) {
    core::MapRecord map = sampleMap(n);
    map.EncounterChance = static_cast<std::int16_t>(5 * n);
    // Slot 0: creature 2, 2D6+1, 25% others.
    const std::int16_t encounter[5] = {2, 2, 6, 1, 25};
    for (int f = 0; f < 5; ++f)
      map.SetEncounter(0, static_cast<core::EncounterField>(f), encounter[f]);
    writeMapSlot(dir.datFile("Maps.dat"), n, map);
  }
  writeCatalogue(dir.datFile("Mon.dat"), namedEntries<core::CreatureRecord>(3, "Beast"));
  writeCatalogue(dir.datFile("Item.dat"), namedEntries<core::ItemRecord>(2, "Blade"));
  writeCatalogue(dir.datFile("Shop.dat"), namedEntries<core::ShopRecord>(2, "Store"));
  writeCatalogue(dir.datFile("Mag.dat"), namedEntries<core::SpellRecord>(1, "Spark"));
  writeCatalogue(dir.datFile("MagProg.dat"), std::vector<core::SpellProgRecord>{});
  core::WriteBmp(dir.data() / "Back.bmp", core::Bitmap(434, 434, BackColour));
  core::WriteBmp(dir.data() / "Tiles.bmp", core::MakeTileSheet());
}

struct Unopened {};

// What the editor remembers (the zoom) goes to a folder of the tests' own, never the user's.
inline void useTestSettings() {
  static QTemporaryDir folder;
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder.path());
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder.path());
}

struct MainWindow {
  std::unique_ptr<test_support::TestDataDir> dir = test_support::makeDataDir();
  std::unique_ptr<core::ModDefinitions> defs;
  ui::ScriptedDialogs dialogs;
  std::unique_ptr<ui::ChangeHub> hub;
  std::unique_ptr<ui::FormsRegistry> registry;
  QPointer<maps::frmMapEd> window;  // closing deletes it later

  // Writes the game files and opens the window on them.
  MainWindow() : MainWindow(Unopened{}) { open(); }
  // Writes the game files only: the test changes them, then calls open().
  explicit MainWindow(Unopened) {
    writeGameFiles(*dir);
    useTestSettings();
    QSettings().remove("MapView");  // every test starts at 1x
  }

  std::filesystem::path mapsFile() const { return dir->datFile("Maps.dat"); }
  core::MapRecord mapOnDisk(long slot) const {
    return core::MapRecord::unpack(test_support::mapSlotBytes(mapsFile(), slot));
  }

  // Makes the window through the forms registry, as main does, and shows it (load and paint).
  // Opening again (the next start) first ends the last run in the order main does: the windows,
  // then the hub, then the data they point into.
  maps::frmMapEd* open() {
    registry.reset();
    hub.reset();
    defs = std::make_unique<core::ModDefinitions>(dir->root());
    hub = std::make_unique<ui::ChangeHub>(*defs);
    registry = std::make_unique<ui::FormsRegistry>(hub.get());
    registry->add("frmMapEd",
                  [this] { return std::make_unique<maps::frmMapEd>(*defs, dialogs, *registry); });
    window = registry->show<maps::frmMapEd>("frmMapEd");
    return window;
  }

  // A stand-in for a window that is not built yet.
  void addStandIn(const QString& name) {
    registry->add(name, [name] { return std::make_unique<StandInForm>(name); });
  }
  StandInForm* standIn(const QString& name) const {
    return static_cast<StandInForm*>(registry->find(name));
  }

  template <class T = ui::Label>
  T* control(const QString& name) const {
    return window->findChild<T*>(name);
  }
  QPoint selected() const { return QPoint(defs->SelectedX, defs->SelectedY); }
  QString text(const QString& labelName) const {
    return control(labelName) ? control(labelName)->text() : "<no " + labelName + ">";
  }
  // Every (label, text) pair as shown.
  void expectTexts(std::initializer_list<std::pair<const char*, const char*>> shown) const {
    for (const auto& [name, expected] : shown)
      QVERIFY2(text(name) == expected, qPrintable(name + (" shows " + text(name))));
  }
  QAction* action(const QString& name) const { return window->findChild<QAction*>(name); }

  void click(const QString& name) const {
    QTest::mouseClick(control<QWidget>(name), Qt::LeftButton);
  }
  void trigger(const QString& menuEntry) const { action(menuEntry)->trigger(); }
  // Shortcuts reach a window only while it is the active one (the main window by default).
  void activate(QWidget* target = nullptr) const {
    QWidget* active = target ? target : window.data();
    active->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(active));
  }
  // Where pixel `pixel` of the 1x picture lies in the map view at its zoom (the middle of its
  // block, inside the ring of the focus frame).
  QPoint viewPoint(QPoint pixel) const {
    const int zoom = window->zoom();
    return pixel * zoom + QPoint(zoom / 2, zoom / 2) + QPoint(2, 2);
  }
  // Clicks pixel `pixel` of the map view's picture (inside the ring of its focus frame).
  void clickViewPixel(QPoint pixel, Qt::MouseButton button = Qt::LeftButton) const {
    QTest::mouseClick(control<QWidget>("picMap"), button, {}, viewPoint(pixel));
  }
  // Clicks the middle of square (x, y) of the map view.
  void clickSquare(int x, int y, Qt::MouseButton button = Qt::LeftButton) const {
    clickViewPixel(QPoint(13 * x + 6, 13 * y + 6), button);
  }
  // A drag with `button` through the 1x picture pixels `path`, as the mouse gives it.
  void drag(std::initializer_list<QPoint> path, Qt::MouseButton button = Qt::LeftButton) const {
    QWidget* view = control<QWidget>("picMap");
    const auto send = [view, button](QEvent::Type type, QPoint at, Qt::MouseButtons held) {
      QMouseEvent event(type, at, view->mapToGlobal(at),
                        type == QEvent::MouseMove ? Qt::NoButton : button, held, Qt::NoModifier);
      QCoreApplication::sendEvent(view, &event);
    };
    QPoint last = viewPoint(*path.begin());
    send(QEvent::MouseButtonPress, last, button);
    for (QPoint pixel : path) send(QEvent::MouseMove, last = viewPoint(pixel), button);
    send(QEvent::MouseButtonRelease, last, Qt::NoButton);
  }
  std::vector<QString> messages() const { return dialogs.messages(); }
  // The view shows the map and its selection drawn on Back.bmp's plain colour (or on the
  // editor's own background).
  bool viewShowsTheMap(bool ownBackground = false) const {
    QImage expected = ui::ToQImage(core::MakeMapBackground()).convertToFormat(QImage::Format_RGB32);
    if (!ownBackground) expected.fill(BackColour);
    maps::DrawMapGrid(expected, ui::ToQImage(core::MakeTileSheet()), defs->Document().Map(),
                      defs->SelectedX, defs->SelectedY);
    return control<ui::PictureBox>("picMap")->image().convertToFormat(QImage::Format_RGB32) ==
           expected;
  }

  // Registers the map's own windows, as the editor program has them, for the menus to see.
  void addEditors() {
    maps::AddForms(*registry, *defs, dialogs);
    refreshMenus();
  }
  // Lets every menu see the windows the registry knows now.
  void refreshMenus() const {
    for (QMenu* menu : window->findChildren<QMenu*>()) emit menu->aboutToShow();
  }
  // The open window `name`, or null.
  ui::Form* form(const QString& name) const { return registry->find(name); }
  // A control of the open window `formName`, or null.
  template <class T = QWidget>
  T* formControl(const QString& formName, const QString& name) const {
    return form(formName) ? form(formName)->findChild<T*>(name) : nullptr;
  }
  QString formText(const QString& formName, const QString& name) const {
    const auto* shown = formControl<ui::Label>(formName, name);
    return shown ? shown->text() : "<no " + name + ">";
  }
  bool formClosed(const QString& name) const { return !form(name) || form(name)->isClosed(); }
  void clickIn(const QString& formName, const QString& name) const {
    QTest::mouseClick(formControl(formName, name), Qt::LeftButton);
  }
};

// Lets the change hub run the repaints queued by a store.
inline void settle() {
  QCoreApplication::processEvents();
}

// Replaces a box's text the way typing does: select all, then type.
template <class Box>
void retype(Box* box, const QString& text) {
  box->setFocus();
  box->selectAll();
  QTest::keyClick(box, Qt::Key_Delete);
  QTest::keyClicks(box, text);
}

}  // namespace main_window_test
