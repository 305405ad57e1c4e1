#include "core/catalogue_records.h"
#include "record_bytes.h"
#include "support/test_registry.h"

#include <QTest>

#include <array>
#include <random>
#include <string>
#include <vector>

using namespace core;
using record_bytes::integerAt;
using record_bytes::packed;

namespace {

using Stock = std::array<std::int16_t, ShopStockSize>;

Stock stockOf(std::initializer_list<std::int16_t> front) {
  Stock stock{};
  std::copy(front.begin(), front.end(), stock.begin());
  return stock;
}

template <class Record>
void checkGarbageRoundTrip(unsigned seed) {
  std::mt19937 random(seed);
  for (int run = 0; run < 50; ++run) {
    const auto bytes = record_bytes::garbage(Record::PackedSize, random);
    QCOMPARE(packed(Record::unpack(bytes)), bytes);
  }
  const auto pattern = record_bytes::everyByte(Record::PackedSize);
  QCOMPARE(packed(Record::unpack(pattern)), pattern);
  const std::vector<std::uint8_t> zeros(Record::PackedSize, 0);
  QCOMPARE(packed(Record::unpack(zeros)), zeros);
}

CreatureRecord creatureWithHits(std::int16_t dice, std::int16_t sides, std::int16_t bonus) {
  CreatureRecord creature;
  creature.HitDice = dice;
  creature.HitSides = sides;
  creature.HitBonus = bonus;
  return creature;
}

}  // namespace

class CatalogueRecordsTest : public QObject {
  Q_OBJECT

 private slots:
  void everyRecordRoundTripsGarbage() {
    checkGarbageRoundTrip<ItemRecord>(1);
    checkGarbageRoundTrip<ShopRecord>(2);
    checkGarbageRoundTrip<CreatureRecord>(3);
    checkGarbageRoundTrip<SpellRecord>(4);
    checkGarbageRoundTrip<SpellProgRecord>(5);
  }

  void newRecordsPackAsZerosAndBlanks() {
    const auto item = packed(ItemRecord());
    QCOMPARE(integerAt(item, 0), std::int16_t{0});
    QCOMPARE(std::string(item.begin() + 2, item.begin() + 42), std::string(40, ' '));
    QCOMPARE(integerAt(item, 180), std::int16_t{0});
    const auto spell = packed(SpellRecord());
    QCOMPARE(std::string(spell.begin() + 182, spell.end()), std::string(32 + 1024, ' '));
  }

  // --- Items ---

  void itemFieldsAtTheirOffsets() {
    ItemRecord item;
    item.ItemNo = 4;
    item.ItemName = "Long Sword";
    item.PluralName = "Long Swords";
    item.ItemType = 11;
    item.UseCode = 3;
    item.DamageBonus = -2;
    item.Speed = 7;
    item.Cost = 32767;
    const auto bytes = packed(item);
    QCOMPARE(integerAt(bytes, 0), std::int16_t{4});
    QCOMPARE(std::string(bytes.begin() + 2, bytes.begin() + 22), "Long Sword          ");
    QCOMPARE(std::string(bytes.begin() + 22, bytes.begin() + 42), "Long Swords         ");
    QCOMPARE(integerAt(bytes, 42), std::int16_t{11});
    QCOMPARE(integerAt(bytes, 44), std::int16_t{3});
    QCOMPARE(integerAt(bytes, 58), std::int16_t{-2});
    QCOMPARE(integerAt(bytes, 112), std::int16_t{7});
    QCOMPARE(integerAt(bytes, 114), std::int16_t{32767});
  }

  void itemUsableByThiefAndMage() {
    ItemRecord item;
    item.UsableBy[2] = -1;
    item.UsableBy[4] = -1;
    const auto bytes = packed(item);
    for (std::size_t offset = 60; offset < 112; ++offset) {
      const bool flagged = offset == 64 || offset == 65 || offset == 68 || offset == 69;
      QCOMPARE(bytes[offset], flagged ? std::uint8_t{0xFF} : std::uint8_t{0});
    }
  }

  void itemEffectSlotsAreFieldMajor() {
    ItemRecord item;
    item.SetEffect(2, EffectField::Kind, 5);
    item.SetEffect(2, EffectField::What, 1);
    item.SetEffect(2, EffectField::Power, 2);
    const auto bytes = packed(item);
    QCOMPARE(integerAt(bytes, 120), std::int16_t{5});
    QCOMPARE(integerAt(bytes, 142), std::int16_t{1});
    QCOMPARE(integerAt(bytes, 164), std::int16_t{2});

    std::vector<std::uint8_t> raw(ItemRecord::PackedSize, 0);
    PutIntegerAt(raw, 136, 9);  // kind of slot 10
    PutIntegerAt(raw, 180, 4);  // power of slot 10
    const ItemRecord read = ItemRecord::unpack(raw);
    QCOMPARE(read.Effect(10, EffectField::Kind), std::int16_t{9});
    QCOMPARE(read.Effect(10, EffectField::Power), std::int16_t{4});
  }

  void itemEffectsCountSlotTen() {
    ItemRecord item;
    QVERIFY(!item.HasEffects());
    item.SetEffect(3, EffectField::What, 6);  // a value, but no kind
    item.SetEffect(4, EffectField::Kind, -1);
    QVERIFY(!item.HasEffects());
    item.SetEffect(10, EffectField::Kind, 1);
    QVERIFY(item.HasEffects());
  }

  void itemNamesAreCutAndPadded() {
    ItemRecord item;
    item.ItemName = std::string("Twenty-five characters!!!");
    item.PluralName = "Axe";
    const ItemRecord read = ItemRecord::unpack(packed(item));
    QCOMPARE(read.ItemName, std::string("Twenty-five characte"));
    QCOMPARE(read.PluralName, "Axe" + std::string(17, ' '));
  }

  // --- Shops ---

  void shopFieldsAtTheirOffsets() {
    ShopRecord shop;
    shop.ShopNo = 3;
    shop.ShopType = 1;
    shop.ShopName = "Ye Olde Shoppe";
    shop.Stock[0] = 12;
    shop.Stock[15] = -4;
    const auto bytes = packed(shop);
    QCOMPARE(integerAt(bytes, 0), std::int16_t{3});
    QCOMPARE(integerAt(bytes, 2), std::int16_t{1});
    QCOMPARE(std::string(bytes.begin() + 4, bytes.begin() + 29),
             "Ye Olde Shoppe" + std::string(11, ' '));
    QCOMPARE(integerAt(bytes, 29), std::int16_t{12});
    QCOMPARE(integerAt(bytes, 59), std::int16_t{-4});
  }

  void packShopStock_data() {
    QTest::addColumn<QList<int>>("before");
    QTest::addColumn<QList<int>>("after");
    QTest::newRow("repeat and gap") << QList<int>{7, 0, 7, 3} << QList<int>{7, 3};
    QTest::newRow("already packed") << QList<int>{1, 2, 3} << QList<int>{1, 2, 3};
    QTest::newRow("empty") << QList<int>{} << QList<int>{};
    QTest::newRow("gaps everywhere")
        << QList<int>{0, 0, 5, 0, 0, 0, 6, 0, 0, 0, 0, 0, 0, 0, 0, 9} << QList<int>{5, 6, 9};
    QTest::newRow("later copy cleared") << QList<int>{4, 8, 4, 8, 2, 4} << QList<int>{4, 8, 2};
    QTest::newRow("negatives stay in order") << QList<int>{0, -1, 3, -1} << QList<int>{-1, 3};
    QTest::newRow("full and distinct")
        << QList<int>{16, 15, 14, 13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1}
        << QList<int>{16, 15, 14, 13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1};
    QTest::newRow("all the same") << QList<int>(16, 5) << QList<int>{5};
  }
  void packShopStock() {
    QFETCH(QList<int>, before);
    QFETCH(QList<int>, after);
    Stock stock{};
    for (int i = 0; i < before.size(); ++i) {
      stock[static_cast<std::size_t>(i)] = static_cast<std::int16_t>(before[i]);
    }
    Stock expected{};
    for (int i = 0; i < after.size(); ++i) {
      expected[static_cast<std::size_t>(i)] = static_cast<std::int16_t>(after[i]);
    }
    pack_shop_stock(stock);
    QCOMPARE(stock, expected);
  }

  void packShopStockOfTheEdgeCase() {
    Stock stock = stockOf({7, 0, 7, 3});
    pack_shop_stock(stock);
    QCOMPARE(stock, stockOf({7, 3}));
  }

  // --- Creatures ---

  void creatureFieldsAtTheirOffsets() {
    CreatureRecord creature;
    creature.CreatureNo = 2;
    creature.CreatureName = "Orc";
    creature.CreatureType = 3;
    creature.HitDice = 3;
    creature.HitSides = 5;
    creature.HitBonus = 2;
    creature.Intelligence = 11;
    creature.Saves[5] = 17;
    creature.GoldDice = 6;
    creature.ExperiencePerHit = -9;
    const auto bytes = packed(creature);
    QCOMPARE(std::string(bytes.begin() + 2, bytes.begin() + 22), "Orc" + std::string(17, ' '));
    QCOMPARE(integerAt(bytes, 42), std::int16_t{3});
    QCOMPARE(integerAt(bytes, 48), std::int16_t{3});
    QCOMPARE(integerAt(bytes, 50), std::int16_t{5});
    QCOMPARE(integerAt(bytes, 52), std::int16_t{2});
    QCOMPARE(integerAt(bytes, 74), std::int16_t{11});
    QCOMPARE(integerAt(bytes, 86), std::int16_t{17});
    QCOMPARE(integerAt(bytes, 154), std::int16_t{6});
    QCOMPARE(integerAt(bytes, 162), std::int16_t{-9});
  }

  void creatureSpecialsAreFieldMajor() {
    CreatureRecord creature;
    creature.SetCreatureSpecial(3, SpecialSlotField::Power, 8);
    creature.SetCreatureSpecial(0, SpecialSlotField::Chance, -1);
    creature.SetCreatureSpecial(10, SpecialSlotField::Effect, 2);
    const auto bytes = packed(creature);
    QCOMPARE(integerAt(bytes, 138), std::int16_t{8});
    QCOMPARE(integerAt(bytes, 88), std::int16_t{-1});
    QCOMPARE(integerAt(bytes, 130), std::int16_t{2});
  }

  void averageHits_data() {
    QTest::addColumn<int>("dice");
    QTest::addColumn<int>("sides");
    QTest::addColumn<int>("bonus");
    QTest::addColumn<int>("hits");
    QTest::newRow("3D5+2") << 3 << 5 << 2 << 9;
    QTest::newRow("3D5-10") << 3 << 5 << -10 << -3;
    QTest::newRow("3D3+0 rounds 4.5 down") << 3 << 3 << 0 << 4;
    QTest::newRow("1D-3 rounds toward minus infinity") << 1 << -3 << 0 << -2;
    QTest::newRow("-3D5 rounds -7.5 down") << -3 << 5 << 0 << -8;
    QTest::newRow("largest") << 32767 << 32767 << 32767 << 536870911;
    QTest::newRow("smallest") << -32768 << 32767 << -32768 << -536887296;
  }
  void averageHits() {
    QFETCH(int, dice);
    QFETCH(int, sides);
    QFETCH(int, bonus);
    QFETCH(int, hits);
    const CreatureRecord creature =
        creatureWithHits(static_cast<std::int16_t>(dice), static_cast<std::int16_t>(sides),
                         static_cast<std::int16_t>(bonus));
    QCOMPARE(AverageHits(creature), static_cast<long>(hits));
  }

  void averageExpIsNotRounded() {
    CreatureRecord creature = creatureWithHits(3, 5, 2);
    creature.Experience = 10;
    creature.ExperiencePerHit = 2;
    QCOMPARE(AverageExp(creature), 28.0);
    creature.ExperiencePerHit = -3;
    QCOMPARE(AverageExp(creature), -17.0);
  }

  void specialEffectsLookOnlyAtTheChance() {
    CreatureRecord creature;
    for (int slot = 0; slot < SlotTable::SlotCount; ++slot) {
      creature.SetCreatureSpecial(slot, SpecialSlotField::Effect, 1);
    }
    QVERIFY(!HasSpecialEffects(creature));
    creature.SetCreatureSpecial(10, SpecialSlotField::Chance, 30);
    QVERIFY(HasSpecialEffects(creature));
    creature.SetCreatureSpecial(10, SpecialSlotField::Chance, 0);
    creature.SetCreatureSpecial(4, SpecialSlotField::Chance, -1);
    QVERIFY(HasSpecialEffects(creature));
  }

  // --- Spells ---

  void spellFieldsAtTheirOffsets() {
    SpellRecord spell;
    spell.SpellNo = 9;
    spell.SpellName = "Fireball";
    spell.CastLevel = 3;
    spell.Target = 5;
    spell.UsableBy[7] = -1;
    spell.CastCost = 12;
    spell.LevelDurationBonus = -5;
    spell.SaveVs = 4;
    spell.SaveEffect = 3;
    spell.SetSpellSpecial(10, SpecialSlotField::Power, 77);
    const auto bytes = packed(spell);
    QCOMPARE(integerAt(bytes, 22), std::int16_t{3});
    QCOMPARE(integerAt(bytes, 28), std::int16_t{5});
    QCOMPARE(integerAt(bytes, 44), std::int16_t{-1});
    QCOMPARE(integerAt(bytes, 42), std::int16_t{0});
    QCOMPARE(integerAt(bytes, 82), std::int16_t{12});
    QCOMPARE(integerAt(bytes, 110), std::int16_t{-5});
    QCOMPARE(integerAt(bytes, 112), std::int16_t{4});
    QCOMPARE(integerAt(bytes, 114), std::int16_t{3});
    QCOMPARE(integerAt(bytes, 180), std::int16_t{77});
  }

  void spellTextsAreCutAndPadded() {
    SpellRecord spell;
    spell.DamageDesc = "fire!";
    spell.Description = std::string(1024, 'd') + "extra";
    const auto bytes = packed(spell);
    QCOMPARE(std::string(bytes.begin() + 182, bytes.begin() + 214), "fire!" + std::string(27, ' '));
    QCOMPARE(std::string(bytes.begin() + 214, bytes.end()), std::string(1024, 'd'));
    const SpellRecord read = SpellRecord::unpack(bytes);
    QCOMPARE(read.Description, std::string(1024, 'd'));
    QCOMPARE(read.DamageDesc.size(), DamageDescWidth);
  }

  // --- Spell progression ---

  void progressionRecordIsFiveIntegers() {
    SpellProgRecord prog;
    prog.ProgNo = 3;
    prog.ProgClass = 2;
    prog.ProgLevel = 4;
    prog.ProgSpell = 2;
    prog.ProgReplaces = -1;
    const auto bytes = packed(prog);
    QCOMPARE(bytes, (std::vector<std::uint8_t>{3, 0, 2, 0, 4, 0, 2, 0, 0xFF, 0xFF}));
    QCOMPARE(SpellProgRecord::unpack(bytes), prog);
  }
};

REGISTER_TEST(CatalogueRecordsTest);
#include "test_catalogue_records.moc"
