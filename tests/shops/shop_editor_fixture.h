#pragma once

// The shop editor opened from the main window's menu on a temporary game folder, driven through
// its real controls.
#include "core/text.h"
#include "maps/main_window_fixture.h"
#include "shops/forms.h"
#include "shops/frm_shop_ed.h"
#include "ui/list_view.h"

#include <QMenu>
#include <QTest>

#include <vector>

namespace shop_test {

using Stock = std::vector<int>;

inline core::ShopRecord makeShop(const std::string& name, std::int16_t type, const Stock& stock) {
  core::ShopRecord shop;
  shop.ShopName = core::FixedText(name, core::ShopNameWidth);
  shop.ShopType = type;
  for (std::size_t i = 0; i < stock.size(); ++i)
    shop.Stock[i] = static_cast<std::int16_t>(stock[i]);
  return shop;
}

inline Stock asStock(const std::array<std::int16_t, core::ShopStockSize>& stock) {
  Stock items(stock.begin(), stock.end());
  while (!items.empty() && items.back() == 0) items.pop_back();
  return items;
}

// How the list shows items of the test catalogue: their full 20-character plural names.
inline QStringList pluralsOf(const Stock& stock) {
  QStringList names;
  for (int item : stock)
    names << QString::fromStdString(test_support::padded("Item " + std::to_string(item) + "s"));
  return names;
}

struct ShopEditor {
  main_window_test::MainWindow w{main_window_test::Unopened{}};
  QPointer<shops::frmShopEd> editor;

  // Twenty items named "Item k" (plural "Item ks"), then the shops; the header's other bytes
  // are a recognisable pattern.
  explicit ShopEditor(std::vector<core::ShopRecord> shops) {
    using namespace test_support;
    writeCatalogue(w.dir->datFile("Item.dat"), namedEntries<core::ItemRecord>(20, "Item"));
    writeCatalogue(shopFile(), std::move(shops), patternBytes(core::ShopRecord::SlotLength, 7));
    w.open();
    shops::AddForms(*w.registry, *w.defs, w.dialogs);
    emit w.window->findChild<QMenu*>("mnuItems")->aboutToShow();
  }

  std::filesystem::path shopFile() const { return w.dir->datFile("Shop.dat"); }
  core::ShopRecord stored(long shop) const {
    return test_support::storedSlot<core::ShopRecord>(shopFile(), shop + 1);
  }

  // The menu entry, as the designer opens the editor (on shop `shop` of the working record).
  shops::frmShopEd* open(long shop = 0) {
    if (shop > 0) w.defs->ShopEntry = shop;
    w.trigger("mnuShop");
    editor = w.registry->find<shops::frmShopEd>("frmShopEd");
    return editor;
  }

  template <class T = QWidget>
  T* control(const QString& name) const {
    return editor->findChild<T*>(name);
  }
  ui::ListView* list() const { return control<ui::ListView>("ListView1"); }
  void click(const QString& name) const {
    QTest::mouseClick(control<QWidget>(name), Qt::LeftButton);
  }
  void selectRows(const std::vector<int>& rows) const {
    list()->clearSelection();
    for (int row : rows) list()->setSelected(row, true);
  }
  void keyInList(Qt::Key key) const { QTest::keyClick(list(), key, Qt::ControlModifier); }
  QString recordLine() const { return control<ui::Label>("Label1")->text(); }
  QStringList rows() const {
    QStringList texts;
    for (int row = 1; row <= list()->rowCount(); ++row) texts << list()->row(row).text;
    return texts;
  }
  Stock working() const { return asStock(w.defs->Shop.Stock); }
  // Repaints that other windows' changes asked for.
  void flush() const {
    w.hub->flush();
    QCoreApplication::processEvents();
  }
};

}  // namespace shop_test
