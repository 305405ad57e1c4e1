#include "core_fixture.h"

#include <array>

using namespace core;
using namespace test_support;

namespace {

// Gives each field of a run of Integers from `offset` on its own value, and finds each there.
template <class Record>
void expectRun(std::size_t offset, std::initializer_list<std::int16_t Record::*> fields) {
  Record record;
  std::int16_t value = 101;
  for (const auto field : fields) record.*field = value++;
  const auto bytes = packedBytes(record);
  value = 101;
  for (std::size_t at = offset; at < offset + 2 * fields.size(); at += 2, ++value)
    QVERIFY2(IntegerAt(bytes, at) == value, qPrintable(QString("offset %1").arg(at)));
}

}  // namespace

class CatalogueRecordsTest : public QObject {
  Q_OBJECT

 private slots:
  void everyRecordRoundTripsByteForByte() {
    checkByteRoundTrip<ItemRecord>(1, 50);
    checkByteRoundTrip<ShopRecord>(2, 50);
    checkByteRoundTrip<CreatureRecord>(3, 50);
    checkByteRoundTrip<SpellRecord>(4, 50);
    checkByteRoundTrip<SpellProgRecord>(5, 50);
    checkByteRoundTrip<MapRecord>(6, 20);
  }

  // The single Integers; a byte round trip then shows that unpacking reads them there too.
  void everyIntegerFieldAtItsOffset() {
    using I = ItemRecord;
    expectRun<I>(0, {&I::ItemNo});
    expectRun<I>(42, {&I::ItemType, &I::UseCode, &I::BonusAC, &I::ArmourPercent, &I::ToHit,
                      &I::ToHitPercent, &I::DamageDice, &I::DamageSides, &I::DamageBonus});
    expectRun<I>(112, {&I::Speed, &I::Cost});
    using C = CreatureRecord;
    expectRun<C>(0, {&C::CreatureNo});
    expectRun<C>(
        42, {&C::CreatureType, &C::Sex, &C::Bitmap, &C::HitDice, &C::HitSides, &C::HitBonus,
             &C::Level, &C::HitPointScaling, &C::MagicPoints, &C::DamageDice, &C::DamageSides,
             &C::DamageBonus, &C::Speed, &C::Attack, &C::Defence, &C::Karma, &C::Intelligence});
    expectRun<C>(
        154, {&C::GoldDice, &C::GoldSides, &C::GoldBonus, &C::Experience, &C::ExperiencePerHit});
    using S = SpellRecord;
    expectRun<S>(0, {&S::SpellNo});
    expectRun<S>(22, {&S::CastLevel, &S::Speed, &S::SpellType, &S::Target});
    expectRun<S>(82,
                 {&S::CastCost, &S::CastChance, &S::ChancePerLevel, &S::DamageDice, &S::DamageSides,
                  &S::DamageBonus, &S::LevelDamageDice, &S::LevelDamageSides, &S::LevelDamageBonus,
                  &S::DurationDice, &S::DurationSides, &S::DurationBonus, &S::LevelDurationDice,
                  &S::LevelDurationSides, &S::LevelDurationBonus, &S::SaveVs, &S::SaveEffect});
    expectRun<ShopRecord>(0, {&ShopRecord::ShopNo, &ShopRecord::ShopType});
    using P = SpellProgRecord;
    expectRun<P>(0, {&P::ProgNo, &P::ProgClass, &P::ProgLevel, &P::ProgSpell, &P::ProgReplaces});
    using M = MapRecord;
    expectRun<M>(
        0, {&M::MapNo, &M::HitRefresh, &M::ManaRefresh, &M::EncounterChance, &M::EncounterLevel});
    expectRun<M>(120, {&M::GraphicSet});
  }

  // Texts, flag arrays and field-major tables. New records pack as zeros and blanks.
  void textsFlagsAndTablesAtTheirOffsets() {
    ItemRecord item;
    QCOMPARE(textAt(packedBytes(item), 2, 40), std::string(40, ' '));
    item.ItemName = "Long Sword";
    item.PluralName = "Long Swords";
    item.UsableBy[2] = -1;  // thief
    item.UsableBy[4] = -1;  // mage
    // Effects are field-major: ten kinds, then ten whats, then ten powers.
    item.SetEffect(2, EffectField::Kind, 5);
    item.SetEffect(2, EffectField::What, 1);
    item.SetEffect(10, EffectField::Power, 2);
    auto bytes = packedBytes(item);
    QCOMPARE(textAt(bytes, 2, 40), std::string("Long Sword          Long Swords         "));
    expectIntegers(bytes, {{120, 5}, {142, 1}, {180, 2}});
    for (std::size_t offset = 60; offset < 112; ++offset) {
      const bool flagged = offset == 64 || offset == 65 || offset == 68 || offset == 69;
      QCOMPARE(bytes[offset], flagged ? std::uint8_t{0xFF} : std::uint8_t{0});
    }

    ShopRecord shop;
    shop.ShopName = "Ye Olde Shoppe";
    shop.Stock[0] = 12;
    shop.Stock[15] = -4;
    bytes = packedBytes(shop);
    expectIntegers(bytes, {{29, 12}, {59, -4}});
    QCOMPARE(textAt(bytes, 4, 25), "Ye Olde Shoppe" + std::string(11, ' '));

    CreatureRecord creature;
    creature.CreatureName = "Orc";
    creature.Saves[5] = 17;
    // Specials are field-major: eleven chances, eleven effects, eleven powers.
    creature.SetCreatureSpecial(0, SpecialSlotField::Chance, -1);
    creature.SetCreatureSpecial(10, SpecialSlotField::Effect, 2);
    creature.SetCreatureSpecial(3, SpecialSlotField::Power, 8);
    bytes = packedBytes(creature);
    QCOMPARE(textAt(bytes, 2, 20), "Orc" + std::string(17, ' '));
    expectIntegers(bytes, {{86, 17}, {88, -1}, {130, 2}, {138, 8}});

    SpellRecord spell;
    spell.SpellName = "Fireball";
    spell.UsableBy[7] = -1;
    spell.SetSpellSpecial(10, SpecialSlotField::Power, 77);
    spell.DamageDesc = "fire!";
    spell.Description = std::string(1024, 'd') + "extra";  // cut at the end of the record
    bytes = packedBytes(spell);
    expectIntegers(bytes, {{42, 0}, {44, -1}, {180, 77}});
    QCOMPARE(textAt(bytes, 2, 20), "Fireball" + std::string(12, ' '));
    QCOMPARE(textAt(bytes, 182, 32), "fire!" + std::string(27, ' '));
    QCOMPARE(textAt(bytes, 214, 1024), std::string(1024, 'd'));
  }

  // An effect needs a kind above 0, in any slot up to the tenth; a creature special a chance.
  void effectsAndSpecialsInUse() {
    ItemRecord item;
    item.SetEffect(3, EffectField::What, 6);  // a value, but no kind
    item.SetEffect(4, EffectField::Kind, -1);
    QVERIFY(!item.HasEffects());
    item.SetEffect(10, EffectField::Kind, 1);
    QVERIFY(item.HasEffects());

    CreatureRecord creature;
    for (int slot = 0; slot < SlotTable::SlotCount; ++slot)
      creature.SetCreatureSpecial(slot, SpecialSlotField::Effect, 1);
    QVERIFY(!HasSpecialEffects(creature));
    creature.SetCreatureSpecial(10, SpecialSlotField::Chance, 30);
    QVERIFY(HasSpecialEffects(creature));
    creature.SetCreatureSpecial(10, SpecialSlotField::Chance, 0);
    creature.SetCreatureSpecial(4, SpecialSlotField::Chance, -1);
    QVERIFY(HasSpecialEffects(creature));
  }

  // Gaps closed, later copies cleared, the order kept.
  void packShopStock() {
    const std::pair<QList<int>, QList<int>> rows[] = {
        {{7, 0, 7, 3}, {7, 3}},
        {{0, 0, 5, 0, 0, 0, 6, 0, 0, 0, 0, 0, 0, 0, 0, 9}, {5, 6, 9}},
        {{4, 8, 4, 8, 2, 4}, {4, 8, 2}},
        {{0, -1, 3, -1}, {-1, 3}},
        {QList<int>(16, 5), {5}}};
    for (const auto& [before, after] : rows) {
      std::array<std::int16_t, ShopStockSize> stock{};
      std::copy(before.begin(), before.end(), stock.begin());
      pack_shop_stock(stock);
      QCOMPARE(QList<int>(stock.begin(), stock.end()), after + QList<int>(16 - after.size(), 0));
    }
  }

  // Half the sides per die plus the bonus, rounded toward minus infinity; the experience
  // those hits are worth.
  void averageHitsAndExp() {
    const std::array<int, 4> rows[] = {{3, 5, 2, 9},    // 9.5
                                       {3, 3, 0, 4},    // 4.5
                                       {1, -3, 0, -2},  // -1.5
                                       {-3, 5, 0, -8},  // -7.5
                                       {32767, 32767, 32767, 536870911},
                                       {-32768, 32767, -32768, -536887296}};
    for (const auto& [dice, sides, bonus, hits] : rows) {
      CreatureRecord creature;
      creature.HitDice = static_cast<std::int16_t>(dice);
      creature.HitSides = static_cast<std::int16_t>(sides);
      creature.HitBonus = static_cast<std::int16_t>(bonus);
      creature.Experience = 10;
      creature.ExperiencePerHit = -3;
      QCOMPARE(AverageHits(creature), static_cast<long>(hits));
      QCOMPARE(AverageExp(creature), 10.0 - 3.0 * hits);
    }
  }
};

REGISTER_TEST(CatalogueRecordsTest);
#include "test_catalogue_records.moc"
