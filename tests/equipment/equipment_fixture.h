#pragma once

// The equipment windows on a temporary game folder, driven through their real controls.
#include "core/catalogue_records.h"
#include "core/definitions.h"
#include "equipment/forms.h"
#include "support/fixtures.h"
#include "support/list_view_clicks.h"
#include "support/scripted_dialogs.h"
#include "ui/change_hub.h"
#include "ui/controls.h"
#include "ui/forms_registry.h"

#include <QCoreApplication>
#include <QTest>

#include <memory>
#include <string>
#include <vector>

namespace equipment_test {

// `count` items named "Item k".
inline std::vector<core::ItemRecord> items(int count) {
  return test_support::namedEntries<core::ItemRecord>(count, "Item");
}

struct Equipment {
  std::unique_ptr<test_support::TestDataDir> dir = test_support::makeDataDir();
  std::unique_ptr<core::ModDefinitions> defs;
  ui::ScriptedDialogs dialogs;
  std::unique_ptr<ui::ChangeHub> hub;
  std::unique_ptr<ui::FormsRegistry> registry;

  // The items, three spells "Spell k", empty other catalogues and one map.
  explicit Equipment(std::vector<core::ItemRecord> entries) {
    using namespace test_support;
    writeCatalogue(dir->datFile("Item.dat"), std::move(entries));
    writeCatalogue(dir->datFile("Mag.dat"), namedEntries<core::SpellRecord>(3, "Spell"));
    for (const char* file : {"Mon.dat", "Shop.dat", "MagProg.dat"})
      writeBytes(dir->datFile(file), std::vector<std::uint8_t>(2, 0));
    writeMapSlot(dir->datFile("Maps.dat"), 1, sampleMap(1));
    defs = std::make_unique<core::ModDefinitions>(dir->root());
    const core::Status status = defs->Startup();
    if (!status.ok()) qFatal("%s", status.message().c_str());
    hub = std::make_unique<ui::ChangeHub>(*defs);
    registry = std::make_unique<ui::FormsRegistry>(hub.get());
    equipment::AddForms(*registry, *defs, dialogs);
  }

  std::filesystem::path itemFile() const { return dir->datFile("Item.dat"); }
  std::vector<std::uint8_t> fileBytes() const { return test_support::readBytes(itemFile()); }
  // Item k as Item.dat holds it.
  core::ItemRecord stored(long k) const {
    return test_support::storedSlot<core::ItemRecord>(itemFile(), k + 1);
  }

  // Reads item n and shows the editor on it, as the main window's menu does.
  ui::Form* openEditor(long n = 1) {
    if (!defs->ReadItemPair(n).ok()) return nullptr;
    return registry->show("frmEquipEd");
  }
  ui::Form* window(const QString& name) const { return registry->find(name); }

  template <class T>
  T* control(const QString& form, const QString& name) const {
    ui::Form* open = window(form);
    return open ? open->findChild<T*>(name) : nullptr;
  }
  // The editor's controls.
  template <class T>
  T* ed(const QString& name) const {
    return control<T>("frmEquipEd", name);
  }
  QString recordLine() const { return ed<ui::Label>("MainLabel")->text(); }
  void click(const QString& form, const QString& name) const {
    QTest::mouseClick(control<QWidget>(form, name), Qt::LeftButton);
  }
  void clickEd(const QString& name) const { click("frmEquipEd", name); }
  // The designer's choice in a list: the same click event as a pick with the mouse.
  void choose(const QString& form, const QString& list, int position) const {
    control<ui::ComboBox>(form, list)->setPosition(position);
  }
  void type(const QString& box, const QString& text) const { ed<ui::TextBox>(box)->setText(text); }
  // Runs what other windows' changes queued (the repaints of the change hub).
  void settle() const {
    hub->flush();
    QCoreApplication::processEvents();
  }

  void doubleClickRow(const QString& form, int position) const {
    test_support::doubleClickRow(control<ui::ListView>(form, "ListView1"), position);
  }
};

}  // namespace equipment_test
