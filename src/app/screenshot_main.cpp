// Renders the editor's windows, loaded and painted on a game folder, to PNG files in a folder:
//   editor_screenshot <game folder> <pictures folder>
// Run with QT_QPA_PLATFORM=offscreen where there is no display.
#include "app/editor_forms.h"
#include "core/catalogue_sweep.h"
#include "core/definitions.h"
#include "ui/catalogue_list.h"
#include "ui/change_hub.h"
#include "ui/dialogs.h"
#include "ui/forms_registry.h"
#include "ui/list_filter.h"

#include <QLineEdit>

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPixmap>

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
};

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
  auto* list = registry.show<ui::CatalogueList>("frmCreatList2");
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
      {"main-window.png", "frmMapEd", {}},
      {"shop-editor.png", "frmShopEd",
       [](core::ModDefinitions& defs, ui::FormsRegistry&) { defs.ReadShopPair(1); }},
      {"shop-add-item.png", "frmShopItemAdd",
       [](core::ModDefinitions& defs, ui::FormsRegistry&) {
         // The first empty stock position of the shop on screen, as Ctrl-I picks it.
         defs.ShopInsertSlot = 0;
         while (defs.ShopInsertSlot < core::ShopStockSize - 1 &&
                defs.Shop.Stock[static_cast<std::size_t>(defs.ShopInsertSlot)] != 0)
           ++defs.ShopInsertSlot;
       }},
      {"equipment-editor.png", "frmEquipEd", ShowScroll},
      {"equipment-list.png", "frmEquipList2", {}},
      {"item-effects.png", "frmEquipEffect", ShowItemWithEffects},
      {"effect-editor.png", "frmEquipEffEd", {}},
      {"special-encounter.png", "frmMapSpe",
       [](core::ModDefinitions& defs, ui::FormsRegistry&) {
         PickSpecial(defs, [](const core::MapSpecial& s) { return s.Kind == 5 && s.CondFlag > 0; });
       }},
      {"special-shop.png", "frmMapSpe",
       [](core::ModDefinitions& defs, ui::FormsRegistry&) {
         PickSpecial(defs, [](const core::MapSpecial& s) { return s.Kind == 2 && s.Param1 == 1; });
       }},
      {"spell-editor.png", "frmMagicEd", {}},
      {"spell-list.png", "frmMagicList", {}},
      {"spell-progression.png", "frmMagicProg", {}},
      // The Drowned Priest of the demo data carries three special effects.
      {"creature-editor.png", "frmCreatEd",
       [](core::ModDefinitions& defs, ui::FormsRegistry&) { (void)defs.ReadCreaturePair(4); }},
      {"creature-list.png", "frmCreatList2", {}},
      {"creature-list-found.png", "frmCreatList2", FindCreatures},
      {"creature-specials.png", "frmCreatSpe",
       [](core::ModDefinitions& defs, ui::FormsRegistry&) { (void)defs.ReadCreaturePair(4); }},
      {"map-texts.png", "frmTextEd",
       [](core::ModDefinitions& defs, ui::FormsRegistry&) { defs.TextPage = 0; }},
      {"map-long-text-entry.png", "frmLTextEnter",
       [](core::ModDefinitions& defs, ui::FormsRegistry&) { defs.TextIndex = 0; }},
      {"map-encounter.png", "frmMapEnc",
       [](core::ModDefinitions& defs, ui::FormsRegistry&) { defs.EncounterSlot = 0; }},
      {"where-used.png", "frmWhereUsed", ShowMostUsedItem},
      {"game-check.png", "frmGameCheck", {}},
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

  UnattendedDialogs dialogs;
  core::ModDefinitions defs(dataDir.toStdString());
  ui::ChangeHub hub(defs);
  ui::FormsRegistry registry(&hub);
  AddEditorForms(registry, defs, dialogs);
  if (!registry.show("frmMapEd")) return 1;  // its load opens the data files

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
    window->adjustSize();
    hub.flush();
    QApplication::processEvents();
    const QString file = output.filePath(shot.file);
    if (!window->grab().save(file, "PNG")) {
      std::fprintf(stderr, "Cannot write the picture %s\n", qPrintable(file));
      ++failures;
      continue;
    }
    std::printf("%s\n", qPrintable(file));
  }
  return failures == 0 ? 0 : 1;
}
