#pragma once

// The creature windows on a temporary game folder, made through the forms registry as the
// program makes them, and driven through their real controls.
#include "core/definitions.h"
#include "creatures/forms.h"
#include "support/fixtures.h"
#include "ui/change_hub.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/forms_registry.h"
#include "ui/list_view.h"

#include <QApplication>
#include <QTest>

#include <memory>
#include <string>
#include <vector>

namespace creature_test {

using test_support::padded;

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

  // `count` beasts (creature 5 with two special effects) and `spells` spells "Spell k".
  explicit Creatures(int count = 12, int spells = 5) {
    std::vector<core::CreatureRecord> entries;
    for (int k = 1; k <= count; ++k) entries.push_back(beast(k));
    if (count >= 5) {
      entries[4].SetCreatureSpecial(0, core::SpecialSlotField::Chance, -1);
      entries[4].SetCreatureSpecial(0, core::SpecialSlotField::Effect, 2);
      entries[4].SetCreatureSpecial(0, core::SpecialSlotField::Power, 2);
      entries[4].SetCreatureSpecial(3, core::SpecialSlotField::Chance, 30);
    }
    writeCreatures(entries);
    test_support::writeCatalogue(dir->datFile("Mag.dat"),
                                 test_support::namedEntries<core::SpellRecord>(spells, "Spell"));
    for (const char* file : {"Item.dat", "Shop.dat", "MagProg.dat", "Maps.dat"})
      test_support::writeBytes(dir->datFile(file), {});
  }

  void writeCreatures(const std::vector<core::CreatureRecord>& entries,
                      std::vector<std::uint8_t> header = {}) const {
    test_support::writeCatalogue(dir->datFile("Mon.dat"), entries, std::move(header));
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
  QString recordLine() const {
    const auto* label = control<QLabel>("frmCreatEd", "MainLabel");
    return label ? label->text() : QString("<no editor>");
  }
  void click(const QString& form, const QString& name) const {
    QTest::mouseClick(control<QWidget>(form, name), Qt::LeftButton);
  }
  void type(const QString& name, const QString& text) const {
    ui::TextBox* target = box(name);
    target->selectAll();
    QTest::keyClicks(target, text);
    if (text.isEmpty()) QTest::keyClick(target, Qt::Key_Delete);
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
  // The packed bytes of Mon.dat slot `slot`.
  std::vector<std::uint8_t> slotBytes(long slot) const {
    return test_support::readBytes(
        dir->datFile("Mon.dat"),
        static_cast<std::uint64_t>(slot - 1) * core::CreatureRecord::SlotLength,
        core::CreatureRecord::PackedSize);
  }
  core::CreatureRecord storedEntry(long entry) const {
    std::vector<std::uint8_t> bytes = slotBytes(entry + 1);
    bytes.resize(core::CreatureRecord::PackedSize, 0);
    return core::CreatureRecord::unpack(bytes);
  }
  std::vector<QString> messages() const { return dialogs.messages(); }
};

// Double-clicks row `position` (1-based) of a list window's ListView1.
inline void doubleClickRow(ui::ListView* list, int position) {
  const QRect cell = list->visualRect(list->model()->index(position - 1, 0));
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell.center());
  QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, cell.center());
}

inline std::int16_t integerAt(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
  return static_cast<std::int16_t>(bytes.at(offset) | (bytes.at(offset + 1) << 8));
}

}  // namespace creature_test
