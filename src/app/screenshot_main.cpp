// Renders the editor's windows, loaded and painted on a game folder, to PNG files in a folder:
//   editor_screenshot <game folder> <pictures folder>
// Run with QT_QPA_PLATFORM=offscreen where there is no display.
#include "app/editor_forms.h"
#include "app/game_folder_choice.h"
#include "app/start_dialog.h"
#include "core/catalogue_sweep.h"
#include "core/definitions.h"
#include "maps/frm_map_ed.h"
#include "ui/catalogue_list.h"
#include "ui/change_hub.h"
#include "ui/dialogs.h"
#include "ui/forms_registry.h"
#include "ui/list_filter.h"
#include "ui/window_ids.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>
#include <QSettings>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

namespace {

// No one is there to answer: messages go to the terminal and questions are cancelled.
class UnattendedDialogs final : public ui::Dialogs {
 public:
  std::optional<QString> inputBox(QWidget*, const QString&, const QString&,
                                  const QString&) override {
    return std::nullopt;
  }
  void messageBox(QWidget*, const QString& text, const QString&) override {
    std::fprintf(stderr, "%s\n", qPrintable(text));
  }
  SaveChoice askSaveDiscardCancel(QWidget*, const QString&, const QString&) override {
    return SaveChoice::Cancel;
  }
  MoveChoice askMoveKeepCancel(QWidget*, const QString&, const QString&) override {
    return MoveChoice::Cancel;
  }
  bool askConfirm(QWidget*, const QString&, const QString&, const QString&) override {
    return false;
  }
  bool askOpenAnyway(QWidget*, const QString&, const QString&) override { return false; }
  QString chooseDirectory(QWidget*, const QString&) override { return {}; }
};

// One picture: the window to grab, after `prepare` has set up what it shows.
struct Shot {
  const char* file;  // in the pictures folder
  const char* form;
  std::function<void(core::ModDefinitions&, ui::FormsRegistry&)> prepare;
  QSize size = {};             // the window's size; its own size when not given
  const char* part = nullptr;  // one control of the window instead of all of it
  // The picture of the window; its own grab when none is given.
  std::function<QPixmap(ui::Form*)> picture = {};
};

maps::frmMapEd& MainWindow(ui::FormsRegistry& registry) {
  return *static_cast<maps::frmMapEd*>(registry.find(ui::window::MainWindow));
}

// Two editors open beside the main window, and a save that the status bar tells of.
void OpenEditorsAndSave(core::ModDefinitions&, ui::FormsRegistry& registry) {
  for (ui::Form* form : registry.openForms())
    if (form->objectName() != ui::window::MainWindow) form->closeForm();
  (void)registry.open(ui::window::ItemEditor);
  (void)registry.open(ui::window::SpellEditor);
  ui::Form* main = registry.show(ui::window::MainWindow);
  if (auto* save = main ? main->findChild<QAction*>("mnuSave") : nullptr) save->trigger();
}

// The window with its Window menu drawn open under the menu's title.
QPixmap WithWindowMenu(ui::Form* window) {
  const QPixmap shown = window->grab();
  auto* menu = window->findChild<QMenu*>("mnuWindow");
  if (!menu) return shown;
  emit menu->aboutToShow();
  menu->adjustSize();
  const QRect title = window->menuBar()->actionGeometry(menu->menuAction());
  const QPoint at = window->menuBar()->mapTo(window, title.bottomLeft());
  // The menu may reach past the window's right edge, as it does on screen.
  QPixmap picture(shown.size().expandedTo(QSize(at.x() + menu->width(), at.y() + menu->height())));
  picture.fill(Qt::white);
  QPainter painter(&picture);
  painter.drawPixmap(0, 0, shown);
  painter.drawPixmap(at, menu->grab());
  return picture;
}

// Reads the first item that `wanted` accepts into the item working record.
template <class Wanted>
void ReadFirstItem(core::ModDefinitions& defs, Wanted wanted) {
  long found = 0;
  (void)core::ForEachEntry(defs.Items(), defs.ItemCount,
                           [&](long entry, const core::ItemRecord& item) {
                             if (found == 0 && wanted(item)) found = entry;
                           });
  if (found > 0) (void)defs.ReadItemPair(found);
}

void ShowScroll(core::ModDefinitions& defs, ui::FormsRegistry&) {
  ReadFirstItem(defs, [](const core::ItemRecord& item) { return item.ItemType == 11; });
}

void ShowItemWithEffects(core::ModDefinitions& defs, ui::FormsRegistry&) {
  ReadFirstItem(defs, [](const core::ItemRecord& item) {
    return item.Effect(0, core::EffectField::Kind) >= 5 &&
           item.Effect(1, core::EffectField::Kind) > 0;
  });
  defs.SelectedEffectSlot = 0;
  defs.EffectRefillPending = 1;
}

// Loads the first demo map holding a special that `wanted` picks, and hands that special to the
// special square editor as the main window's specials panel does.
void PickSpecial(core::ModDefinitions& defs, bool (*wanted)(const core::MapSpecial&)) {
  for (std::int16_t n = 1; n <= 20 && defs.LoadMap(n).ok(); ++n) {
    for (int i = 0; i < core::SpecialCount; ++i) {
      const core::MapSpecial special = defs.Document().Map().GetSpecial(i);
      if (!wanted(special)) continue;
      defs.Document().Select(special.SquareX, special.SquareY);
      defs.CurrentSpecial = static_cast<std::int16_t>(i);
      defs.SpecialReload = 1;
      return;
    }
  }
}

// The creature list filtered by a few letters and ordered by its "Average Hits" column, the most
// first, as two clicks on its heading leave it.
void FindCreatures(core::ModDefinitions&, ui::FormsRegistry& registry) {
  auto* list = registry.show<ui::CatalogueList>(ui::window::CreatureList);
  if (!list || !list->filter()) return;
  list->filter()->box()->setText("o");
  list->list()->sortByColumn(3, Qt::DescendingOrder);
}

// The Where Used list of the item that most places name.
void ShowMostUsedItem(core::ModDefinitions& defs, ui::FormsRegistry&) {
  if (!defs.References().Build().ok()) return;
  std::size_t most = 0;
  defs.WhereUsedTarget = core::RefTarget::Item;
  for (long item = 1; item <= defs.ItemCount; ++item) {
    const std::size_t uses = defs.References().UsesOf(core::RefTarget::Item, item).size();
    if (uses <= most) continue;
    most = uses;
    defs.WhereUsedEntry = item;
  }
}

const std::vector<Shot>& Shots() {
  static const std::vector<Shot> shots = {
      {"main-window.png", ui::window::MainWindow, {}},
      {"shop-editor.png", ui::window::ShopEditor,
       [](core::ModDefinitions& defs, ui::FormsRegistry&) { defs.ReadShopPair(1); }},
      {"shop-add-item.png", ui::window::ShopItemAdd,
       [](core::ModDefinitions& defs, ui::FormsRegistry&) {
         // The first empty stock position of the shop on screen, as Ctrl-I picks it.
         defs.ShopInsertSlot = 0;
         while (defs.ShopInsertSlot < core::ShopStockSize - 1 &&
                defs.Shop.Stock[static_cast<std::size_t>(defs.ShopInsertSlot)] != 0)
           ++defs.ShopInsertSlot;
       }},
      {"equipment-editor.png", ui::window::ItemEditor, ShowScroll},
      {"equipment-list.png", ui::window::ItemList, {}},
      {"item-effects.png", ui::window::ItemEffects, ShowItemWithEffects},
      {"effect-editor.png", ui::window::EffectEditor, {}},
      {"special-encounter.png", ui::window::SpecialEditor,
       [](core::ModDefinitions& defs, ui::FormsRegistry&) {
         PickSpecial(defs, [](const core::MapSpecial& s) { return s.Kind == 5 && s.CondFlag > 0; });
       }},
      {"special-shop.png", ui::window::SpecialEditor,
       [](core::ModDefinitions& defs, ui::FormsRegistry&) {
         PickSpecial(defs, [](const core::MapSpecial& s) { return s.Kind == 2 && s.Param1 == 1; });
       }},
      {"spell-editor.png", ui::window::SpellEditor, {}},
      {"spell-list.png", ui::window::SpellList, {}},
      {"spell-progression.png", ui::window::SpellProgression, {}},
      // The Drowned Priest of the demo data carries three special effects.
      {"creature-editor.png", ui::window::CreatureEditor,
       [](core::ModDefinitions& defs, ui::FormsRegistry&) { (void)defs.ReadCreaturePair(4); }},
      {"creature-list.png", ui::window::CreatureList, {}},
      {"creature-list-found.png", ui::window::CreatureList, FindCreatures},
      {"creature-specials.png", ui::window::CreatureSpecials,
       [](core::ModDefinitions& defs, ui::FormsRegistry&) { (void)defs.ReadCreaturePair(4); }},
      {"map-texts.png", ui::window::MapTexts,
       [](core::ModDefinitions& defs, ui::FormsRegistry&) { defs.TextPage = 0; }},
      {"map-long-text-entry.png", ui::window::MapLongTextEntry,
       [](core::ModDefinitions& defs, ui::FormsRegistry&) { defs.TextIndex = 0; }},
      {"map-encounter.png", ui::window::MapEncounter,
       [](core::ModDefinitions& defs, ui::FormsRegistry&) { defs.EncounterSlot = 0; }},
      {"where-used.png", ui::window::WhereUsed, ShowMostUsedItem},
      {"game-check.png", ui::window::GameCheck, {}},
      {"map-browser.png", ui::window::MapBrowser, {}},
      {"main-window-workspace.png",
       ui::window::MainWindow,
       OpenEditorsAndSave,
       {},
       nullptr,
       WithWindowMenu},
      // A maximised window on a 1280 x 1024 screen at 2x, a region selected.
      {"main-window-2x.png", ui::window::MainWindow,
       [](core::ModDefinitions& defs, ui::FormsRegistry& registry) {
         registry.close(ui::window::MapEncounter);
         MainWindow(registry).resize(1280, 1024);
         MainWindow(registry).setZoom(2);
         defs.Document().Select(2, 9);
         defs.Document().SetRegion(core::SquareRect::Spanning(2, 9, 8, 13));
       },
       QSize(1280, 1024)},
      {"wall-tool-bar.png", ui::window::MainWindow,
       [](core::ModDefinitions&, ui::FormsRegistry& registry) {
         MainWindow(registry).findChild<QAction*>("mnuToolWall")->trigger();
         MainWindow(registry).findChild<QComboBox*>("cboWallCode")->setCurrentIndex(6);
       },
       QSize(1280, 1024), "toolBar"},
  };
  return shots;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const QStringList arguments = QApplication::arguments();
  if (arguments.size() != 3) {
    std::fprintf(stderr, "usage: editor_screenshot <game folder> <pictures folder>\n");
    return 2;
  }
  const QString dataDir = QFileInfo(arguments.at(1)).absoluteFilePath();
  const QDir output(QFileInfo(arguments.at(2)).absoluteFilePath());
  QDir().mkpath(output.absolutePath());

  // The pictures show the view as it opens (1x), whatever zoom the editor last had here.
  QTemporaryDir settings;
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
  UnattendedDialogs dialogs;
  core::ModDefinitions defs(dataDir.toStdString());
  ui::ChangeHub hub(defs);
  ui::FormsRegistry registry(&hub);
  AddEditorForms(registry, defs, dialogs);
  if (!registry.show(ui::window::MainWindow)) return 1;  // its load opens the data files

  int failures = 0;
  for (const Shot& shot : Shots()) {
    if (shot.prepare) shot.prepare(defs, registry);
    ui::Form* window = registry.show(shot.form);
    if (!window) {
      std::fprintf(stderr, "No window %s in this build\n", shot.form);
      ++failures;
      continue;
    }
    window->refresh();
    if (shot.size.isValid())
      window->resize(shot.size);
    else
      window->adjustSize();
    hub.flush();
    QApplication::processEvents();
    const QString file = output.filePath(shot.file);
    QWidget* shown = shot.part ? window->findChild<QWidget*>(shot.part) : window;
    // A bar is shown as far as its last control reaches.
    const QRect area = shown && shot.part
                           ? QRect(0, 0, shown->childrenRect().right() + 8, shown->height())
                           : QRect(QPoint(0, 0), QSize(-1, -1));
    const QPixmap picture = shot.picture ? shot.picture(window)
                            : shown      ? shown->grab(area)
                                         : QPixmap();
    if (!shown || !picture.save(file, "PNG")) {
      std::fprintf(stderr, "Cannot write the picture %s\n", qPrintable(file));
      ++failures;
      continue;
    }
    std::printf("%s\n", qPrintable(file));
  }

  // The start dialog of an editor started with no game folder, before any was opened.
  GameFolderChoice folders(settings.filePath("folders.ini"), dataDir, dialogs);
  StartDialog start(folders);
  start.show();
  QApplication::processEvents();
  const QString startFile = output.filePath("start-dialog.png");
  if (start.grab().save(startFile, "PNG")) {
    std::printf("%s\n", qPrintable(startFile));
  } else {
    std::fprintf(stderr, "Cannot write the picture %s\n", qPrintable(startFile));
    ++failures;
  }
  return failures == 0 ? 0 : 1;
}
