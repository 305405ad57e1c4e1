#pragma once

// The spell windows on a temporary game folder, driven through their real controls.
#include "core/definitions.h"
#include "core/packing.h"
#include "spells/forms.h"
#include "support/fixtures.h"
#include "support/scripted_dialogs.h"
#include "ui/controls.h"
#include "ui/forms_registry.h"

#include <QAbstractButton>
#include <QTest>

#include <memory>
#include <vector>

namespace spell_test {

// A spell whose fields are all recognisable, its special table included.
inline core::SpellRecord sampleSpell(const std::string& name, std::int16_t type = 0,
                                     std::int16_t target = 0) {
  core::SpellRecord spell;
  test_support::nameEntry(spell, name);
  spell.SpellType = type;
  spell.Target = target;
  spell.CastCost = 7;
  spell.SaveVs = 2;
  spell.SaveEffect = 3;
  for (int slot = 0; slot < 11; ++slot)
    spell.SetSpellSpecial(slot, core::SpecialSlotField(slot % 3),
                          static_cast<std::int16_t>(slot * 9 - 40));
  return spell;
}

inline core::SpellProgRecord prog(int progClass, int level, int spell = 1, int replaces = 0) {
  return {.ProgClass = static_cast<std::int16_t>(progClass),
          .ProgLevel = static_cast<std::int16_t>(level),
          .ProgSpell = static_cast<std::int16_t>(spell),
          .ProgReplaces = static_cast<std::int16_t>(replaces)};
}

struct SpellWindows {
  std::unique_ptr<test_support::TestDataDir> dir = test_support::makeDataDir();
  std::unique_ptr<core::ModDefinitions> defs;
  ui::ScriptedDialogs dialogs;
  std::unique_ptr<ui::FormsRegistry> registry;

  // Writes Mag.dat and MagProg.dat (a header holding `progHeader` when given) and opens them.
  explicit SpellWindows(std::vector<core::SpellRecord> spells,
                        std::vector<core::SpellProgRecord> progression = {},
                        std::vector<std::uint8_t> progHeader = {}) {
    test_support::writeCatalogue(magFile(), std::move(spells));
    test_support::writeCatalogue(progFile(), std::move(progression), std::move(progHeader));
    open();
  }

  void open() {
    registry.reset();
    defs = std::make_unique<core::ModDefinitions>(dir->root());
    QVERIFY(defs->OpenSpellFiles().ok());
    registry = std::make_unique<ui::FormsRegistry>();
    spells::AddForms(*registry, *defs, dialogs);
  }

  std::filesystem::path magFile() const { return dir->datFile("Mag.dat"); }
  std::filesystem::path progFile() const { return dir->datFile("MagProg.dat"); }
  std::vector<std::uint8_t> magSlot(long slot, std::size_t offset = 0,
                                    std::size_t size = core::SpellRecord::PackedSize) const {
    return test_support::readBytes(magFile(), (slot - 1) * core::SpellRecord::SlotLength + offset,
                                   size);
  }
  std::string magText(long slot, std::size_t offset, std::size_t size) const {
    const auto bytes = magSlot(slot, offset, size);
    return std::string(bytes.begin(), bytes.end());
  }
  // The five Integers of a MagProg.dat slot.
  std::vector<int> progSlot(long slot) const {
    const auto bytes = test_support::readBytes(progFile(), (slot - 1) * 10, 10);
    std::vector<int> values;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
      values.push_back(core::IntegerAt(bytes, i));
    return values;
  }
};

template <class Control>
Control* control(QWidget* window, const QString& name) {
  return window->findChild<Control*>(name);
}
inline void click(QWidget* window, const QString& button) {
  QTest::mouseClick(control<QAbstractButton>(window, button), Qt::LeftButton);
}
// The text of a box or a label.
inline QString textOf(QWidget* window, const QString& name) {
  if (auto* box = control<ui::TextBox>(window, name)) return box->text();
  if (auto* area = control<ui::TextArea>(window, name)) return area->text();
  return control<QLabel>(window, name)->text();
}
inline ui::ComboBox* combo(QWidget* window, const QString& name) {
  return control<ui::ComboBox>(window, name);
}

}  // namespace spell_test
