#pragma once

// The creature windows on a temporary game folder, made through the forms registry as the
// program makes them, and driven through their real controls.
#include "core/definitions.h"
#include "core/packing.h"
#include "creatures/forms.h"
#include "support/fixtures.h"
#include "support/list_view_clicks.h"
#include "support/scripted_dialogs.h"
#include "ui/change_hub.h"
#include "ui/controls.h"
#include "ui/forms_registry.h"

#include <QApplication>
#include <QTest>

#include <memory>
#include <string>
#include <vector>

namespace creature_test {

// Creature k of the test folder: "Beast k", with values that tell the entries apart.
inline core::CreatureRecord beast(int k) {
  core::CreatureRecord creature;
  test_support::nameEntry(creature, "Beast " + std::to_string(k));
  creature.CreatureType = static_cast<std::int16_t>(k % 4);
  creature.HitDice = static_cast<std::int16_t>(k);
  creature.HitSides = 6;
  creature.Bitmap = static_cast<std::int16_t>(k);
  return creature;
}

struct Creatures {
  std::unique_ptr<test_support::TestDataDir> dir = test_support::makeDataDir();
  std::unique_ptr<core::ModDefinitions> defs;
  ui::ScriptedDialogs dialogs;
  std::unique_ptr<ui::ChangeHub> hub;
  std::unique_ptr<ui::FormsRegistry> registry;

  // Twelve beasts, creature 5 with special effects in slots 0, 3 and 10, after a header whose
  // other bytes are a pattern (or `entries` as given); five spells.
  explicit Creatures(std::vector<core::CreatureRecord> entries = {}) {
    if (entries.empty()) {
      for (int k = 1; k <= 12; ++k) entries.push_back(beast(k));
      const std::int16_t specials[][4] = {{0, -1, 2, 2}, {3, 30, 0, 0}, {10, 77, 9, -5}};
      for (const auto& [slot, chance, effect, power] : specials) {
        entries[4].SetCreatureSpecial(slot, core::SpecialSlotField::Chance, chance);
        entries[4].SetCreatureSpecial(slot, core::SpecialSlotField::Effect, effect);
        entries[4].SetCreatureSpecial(slot, core::SpecialSlotField::Power, power);
      }
    }
    test_support::writeCatalogue(dir->datFile("Mon.dat"), entries,
                                 test_support::patternBytes(core::CreatureRecord::PackedSize, 5));
    test_support::writeCatalogue(dir->datFile("Mag.dat"),
                                 test_support::namedEntries<core::SpellRecord>(5, "Spell"));
    for (const char* file : {"Item.dat", "Shop.dat", "MagProg.dat", "Maps.dat"})
      test_support::writeBytes(dir->datFile(file), {});
  }

  // Starts the data store and the windows; then reads creature `entry` as the menu does.
  void open(long entry = 1) {
    defs = std::make_unique<core::ModDefinitions>(dir->root());
    QVERIFY(defs->Startup().ok());
    hub = std::make_unique<ui::ChangeHub>(*defs);
    registry = std::make_unique<ui::FormsRegistry>(hub.get());
    creatures::AddForms(*registry, *defs, dialogs);
    QVERIFY(defs->ReadCreaturePair(entry).ok());
  }

  ui::Form* show(const QString& form) const { return registry->show(form); }
  ui::Form* find(const QString& form) const { return registry->find(form); }

  template <class T>
  T* control(const QString& form, const QString& name) const {
    ui::Form* window = find(form);
    return window ? window->findChild<T*>(name) : nullptr;
  }
  ui::TextBox* box(const QString& name) const { return control<ui::TextBox>("frmCreatEd", name); }
  ui::ComboBox* list(const QString& form, const QString& name) const {
    return control<ui::ComboBox>(form, name);
  }
  ui::ListView* rows(const QString& form) const { return control<ui::ListView>(form, "ListView1"); }
  QString recordLine() const { return control<QLabel>("frmCreatEd", "MainLabel")->text(); }
  void click(const QString& form, const QString& name) const {
    QTest::mouseClick(control<QWidget>(form, name), Qt::LeftButton);
  }
  void type(const QString& name, const QString& text) const {
    ui::TextBox* target = box(name);
    target->selectAll();
    QTest::keyClicks(target, text);
  }
  // The pick a list's pop-up makes: the position, then its click event.
  static void choose(ui::ComboBox* list, int position) {
    list->setCurrentIndex(position);
    emit list->activated(position);
  }
  // Lets the change hub repaint the windows other windows changed.
  void settle() const {
    hub->flush();
    QApplication::processEvents();
  }

  std::vector<std::uint8_t> monBytes() const {
    return test_support::readBytes(dir->datFile("Mon.dat"));
  }
  core::CreatureRecord storedEntry(long entry) const {
    return test_support::storedSlot<core::CreatureRecord>(dir->datFile("Mon.dat"), entry + 1);
  }
  std::vector<QString> messages() const { return dialogs.messages(); }
};

}  // namespace creature_test
