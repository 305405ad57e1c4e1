#include "demo_files.h"
#include "support/test_registry.h"

#include <QTest>

#include <algorithm>
#include <array>
#include <filesystem>
#include <set>

namespace fs = std::filesystem;
using namespace demo_test;

namespace {

constexpr int NamedClasses = 8;

// Usable-by flags hold -1 or 0; element 0 and the unnamed classes 9..25 are never set.
void VerifyUsableBy(const std::array<std::int16_t, core::UsableByCount>& flags, const char* what) {
  QVERIFY2(flags[0] == 0, what);
  int classes = 0;
  for (int n = 1; n < core::UsableByCount; ++n) {
    QVERIFY2(flags[n] == 0 || flags[n] == -1, what);
    if (n > NamedClasses) QVERIFY2(flags[n] == 0, what);
    if (flags[n] == -1) ++classes;
  }
  QVERIFY2(classes > 0, what);
}

}  // namespace

class DemoCatalogueTest : public QObject {
  Q_OBJECT

 private:
  const fs::path dat_ = DemoFolder() / "Dat";
  const CatalogueFile<core::ItemRecord> items_ = ReadCatalogue<core::ItemRecord>(dat_ / "Item.dat");
  const CatalogueFile<core::ShopRecord> shops_ = ReadCatalogue<core::ShopRecord>(dat_ / "Shop.dat");
  const CatalogueFile<core::CreatureRecord> creatures_ =
      ReadCatalogue<core::CreatureRecord>(dat_ / "Mon.dat");
  const CatalogueFile<core::SpellRecord> spells_ =
      ReadCatalogue<core::SpellRecord>(dat_ / "Mag.dat");
  const CatalogueFile<core::SpellProgRecord> progression_ =
      ReadCatalogue<core::SpellProgRecord>(dat_ / "MagProg.dat");

 private slots:
  // Headers count the entries, entries know their slot, names are filled and distinct.
  void headersEntriesAndNames() {
    auto check = [](const auto& file, int minimum, auto nameOf, const char* what) {
      using Record = typename std::decay_t<decltype(file.entries)>::value_type;
      QVERIFY2(file.headerCount >= minimum, what);
      QCOMPARE(static_cast<int>(file.entries.size()), file.headerCount);
      QCOMPARE(file.fileSize,
               (static_cast<std::size_t>(file.headerCount) + 1) * Record::SlotLength);
      std::set<std::string> names;
      for (std::size_t k = 1; k <= file.entries.size(); ++k) {
        QCOMPARE(static_cast<std::size_t>(file.entries[k - 1].entryNumber()), k);
        const std::string name = nameOf(file.entries[k - 1]);
        QVERIFY2(name.find_first_not_of(' ') != std::string::npos, what);
        names.insert(name);
      }
      QVERIFY2(names.size() == file.entries.size(), what);
    };
    check(
        items_, 11, [](const auto& r) { return r.ItemName; }, "Item.dat");
    check(
        items_, 11, [](const auto& r) { return r.PluralName; }, "Item.dat plurals");
    check(
        shops_, 4, [](const auto& r) { return r.ShopName; }, "Shop.dat");
    check(
        creatures_, 4, [](const auto& r) { return r.CreatureName; }, "Mon.dat");
    check(
        spells_, 9, [](const auto& r) { return r.SpellName; }, "Mag.dat");
    check(
        progression_, 8, [](const auto& r) { return std::to_string(r.ProgNo); }, "MagProg.dat");
    for (const auto& c : creatures_.entries)
      QVERIFY(c.PluralName.find_first_not_of(' ') != std::string::npos);
  }

  void itemsCoverEveryTypeAndEffectKind() {
    std::set<int> types, kinds, useEffects, stats;
    for (const auto& item : items_.entries) {
      const QByteArray name = QByteArray::fromStdString(item.ItemName);
      types.insert(item.ItemType);
      VerifyUsableBy(item.UsableBy, name.constData());
      if (item.ItemType == 11) {  // a scroll holds a spell number
        QVERIFY2(item.UseCode >= 1 && item.UseCode <= spells_.headerCount, name);
      } else {
        QVERIFY2(item.UseCode >= 0 && item.UseCode <= 10, name);
      }
      for (int slot = 0; slot < core::SlotTable::SlotCount; ++slot) {
        const int kind = item.Effect(slot, core::EffectField::Kind);
        const int what = item.Effect(slot, core::EffectField::What);
        const int power = item.Effect(slot, core::EffectField::Power);
        kinds.insert(kind);
        if (kind == 0) {
          QVERIFY2(what == 0 && power == 0, name);
        } else if (kind <= 4) {  // a spell, as its position in the spell list
          QVERIFY2(what >= 0 && what < spells_.headerCount, name);
          QCOMPARE(power, 0);
        } else if (kind <= 8) {
          QVERIFY2(what >= 0 && what <= 9 && power >= 0 && power <= 9, name);
          useEffects.insert(what);
        } else {
          QVERIFY2(kind <= 10, name);
          QVERIFY2(what >= 1 && what <= 8, name);
          QCOMPARE(power, 0);
          stats.insert(what);
        }
      }
    }
    for (int t = 1; t <= 11; ++t) QVERIFY2(types.count(t), qPrintable(QString("type %1").arg(t)));
    for (int k = 0; k <= 10; ++k) QVERIFY2(kinds.count(k), qPrintable(QString("kind %1").arg(k)));
    QCOMPARE(useEffects.size(), std::size_t{10});
    QCOMPARE(stats.size(), std::size_t{8});
  }

  void shopsOfBothTypesHoldPackedStock() {
    std::set<int> types;
    for (const auto& shop : shops_.entries) {
      const QByteArray name = QByteArray::fromStdString(shop.ShopName);
      types.insert(shop.ShopType);
      QVERIFY2(shop.ShopType == 0 || shop.ShopType == 1, name);
      QVERIFY2(shop.Stock[0] > 0, name);
      auto tidy = shop.Stock;
      core::pack_shop_stock(tidy);
      QVERIFY2(tidy == shop.Stock, name);  // no repeats, no gaps
      for (std::int16_t item : shop.Stock) QVERIFY2(item >= 0 && item <= items_.headerCount, name);
    }
    QCOMPARE(types, (std::set<int>{0, 1}));
  }

  void creaturesCoverEveryTypeAndBothSpecials() {
    std::set<int> types, sexes, effects, chances;
    for (const auto& c : creatures_.entries) {
      const QByteArray name = QByteArray::fromStdString(c.CreatureName);
      types.insert(c.CreatureType);
      sexes.insert(c.Sex);
      QVERIFY2(c.Bitmap > 0, name);
      QVERIFY2(c.HitDice > 0 && c.HitSides > 0, name);
      for (int slot = 0; slot < core::SlotTable::SlotCount; ++slot) {
        const int chance = c.CreatureSpecial(slot, core::SpecialSlotField::Chance);
        const int effect = c.CreatureSpecial(slot, core::SpecialSlotField::Effect);
        const int power = c.CreatureSpecial(slot, core::SpecialSlotField::Power);
        effects.insert(effect);
        // Only the chances the special editor can choose.
        QVERIFY2(chance == -1 || (chance >= 0 && chance <= 90 && chance % 10 == 0), name);
        if (effect == 0) {
          QVERIFY2(chance == 0 && power == 0, name);
        } else {
          QVERIFY2(slot < 10, name);  // the editors show slots 0..9 only
          QVERIFY2(chance != 0, name);
          chances.insert(chance);
          if (effect == 1) QVERIFY2(power >= 0 && power <= 9, name);
          if (effect == 2) QVERIFY2(power >= 0 && power < spells_.headerCount, name);
          QVERIFY2(effect <= 2, name);
        }
      }
    }
    QCOMPARE(types, (std::set<int>{0, 1, 2, 3}));
    QCOMPARE(sexes, (std::set<int>{0, 1, 2}));
    QCOMPARE(effects, (std::set<int>{0, 1, 2}));
    QVERIFY(chances.count(-1));
  }

  void spellsCoverEveryTypeTargetAndSave() {
    std::set<int> types, targets, saves, saveEffects;
    for (const auto& s : spells_.entries) {
      const QByteArray name = QByteArray::fromStdString(s.SpellName);
      types.insert(s.SpellType);
      targets.insert(s.Target);
      saves.insert(s.SaveVs);
      if (s.SaveVs != 0) saveEffects.insert(s.SaveEffect);
      VerifyUsableBy(s.UsableBy, name.constData());
      QVERIFY2(s.Description.find_first_not_of(' ') != std::string::npos, name);
    }
    QCOMPARE(types, (std::set<int>{0, 1, 2, 3, 4, 5, 6, 7, 8}));
    QCOMPARE(targets, (std::set<int>{0, 1, 2, 3, 4, 5, 6}));
    QCOMPARE(saves, (std::set<int>{0, 1, 2, 3, 4, 5}));
    QCOMPARE(saveEffects, (std::set<int>{0, 1, 2, 3}));
  }

  void progressionCoversEveryClassAndLevel() {
    std::set<int> classes, levels;
    for (const auto& p : progression_.entries) {
      classes.insert(p.ProgClass);
      levels.insert(p.ProgLevel);
      QVERIFY(p.ProgClass >= 0 && p.ProgClass < NamedClasses);
      QVERIFY(p.ProgLevel >= 1 && p.ProgLevel <= 20);
      QVERIFY(p.ProgSpell >= 1 && p.ProgSpell <= spells_.headerCount);
      QVERIFY(p.ProgReplaces >= 0 && p.ProgReplaces <= spells_.headerCount);
      QVERIFY(p.ProgReplaces != p.ProgSpell);
      // A class learns only spells its members may cast.
      const auto& spell = spells_.entries[static_cast<std::size_t>(p.ProgSpell - 1)];
      QVERIFY2(spell.UsableBy[static_cast<std::size_t>(p.ProgClass + 1)] == -1,
               spell.SpellName.c_str());
    }
    QCOMPARE(classes.size(), std::size_t{8});
    QCOMPARE(levels.size(), std::size_t{20});
  }
};

REGISTER_TEST(DemoCatalogueTest);
#include "test_demo_catalogues.moc"
