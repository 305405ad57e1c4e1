#include "core/catalogue_records.h"
#include "core/map_record.h"
#include "record_bytes.h"
#include "support/test_registry.h"

#include <QTest>

#include <array>
#include <string>
#include <vector>

using namespace core;
using namespace record_bytes;

namespace {

using Stock = std::array<std::int16_t, ShopStockSize>;

Stock stockOf(const QList<int>& front) {
  Stock stock{};
  for (int i = 0; i < front.size(); ++i)
    stock[static_cast<std::size_t>(i)] = static_cast<std::int16_t>(front[i]);
  return stock;
}

// Gives every listed Integer field its own value and finds each at its file offset, both ways.
template <class Record>
void expectFieldOffsets(
    std::initializer_list<std::pair<std::int16_t Record::*, std::size_t>> fields) {
  Record record;
  std::int16_t value = 101;
  for (const auto& [field, offset] : fields) record.*field = value++;
  const auto bytes = packed(record);
  const Record back = Record::unpack(bytes);
  value = 101;
  for (const auto& [field, offset] : fields) {
    QVERIFY2(IntegerAt(bytes, offset) == value,
             qPrintable(QString("no field value %1 at offset %2").arg(value).arg(offset)));
    QCOMPARE(back.*field, value);
    ++value;
  }
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

  void everyIntegerFieldAtItsOffset() {
    expectFieldOffsets<ItemRecord>({{&ItemRecord::ItemNo, 0},
                                    {&ItemRecord::ItemType, 42},
                                    {&ItemRecord::UseCode, 44},
                                    {&ItemRecord::BonusAC, 46},
                                    {&ItemRecord::ArmourPercent, 48},
                                    {&ItemRecord::ToHit, 50},
                                    {&ItemRecord::ToHitPercent, 52},
                                    {&ItemRecord::DamageDice, 54},
                                    {&ItemRecord::DamageSides, 56},
                                    {&ItemRecord::DamageBonus, 58},
                                    {&ItemRecord::Speed, 112},
                                    {&ItemRecord::Cost, 114}});
    expectFieldOffsets<CreatureRecord>({{&CreatureRecord::CreatureNo, 0},
                                        {&CreatureRecord::CreatureType, 42},
                                        {&CreatureRecord::Sex, 44},
                                        {&CreatureRecord::Bitmap, 46},
                                        {&CreatureRecord::HitDice, 48},
                                        {&CreatureRecord::HitSides, 50},
                                        {&CreatureRecord::HitBonus, 52},
                                        {&CreatureRecord::Level, 54},
                                        {&CreatureRecord::HitPointScaling, 56},
                                        {&CreatureRecord::MagicPoints, 58},
                                        {&CreatureRecord::DamageDice, 60},
                                        {&CreatureRecord::DamageSides, 62},
                                        {&CreatureRecord::DamageBonus, 64},
                                        {&CreatureRecord::Speed, 66},
                                        {&CreatureRecord::Attack, 68},
                                        {&CreatureRecord::Defence, 70},
                                        {&CreatureRecord::Karma, 72},
                                        {&CreatureRecord::Intelligence, 74},
                                        {&CreatureRecord::GoldDice, 154},
                                        {&CreatureRecord::GoldSides, 156},
                                        {&CreatureRecord::GoldBonus, 158},
                                        {&CreatureRecord::Experience, 160},
                                        {&CreatureRecord::ExperiencePerHit, 162}});
    expectFieldOffsets<SpellRecord>({{&SpellRecord::SpellNo, 0},
                                     {&SpellRecord::CastLevel, 22},
                                     {&SpellRecord::Speed, 24},
                                     {&SpellRecord::SpellType, 26},
                                     {&SpellRecord::Target, 28},
                                     {&SpellRecord::CastCost, 82},
                                     {&SpellRecord::CastChance, 84},
                                     {&SpellRecord::ChancePerLevel, 86},
                                     {&SpellRecord::DamageDice, 88},
                                     {&SpellRecord::DamageSides, 90},
                                     {&SpellRecord::DamageBonus, 92},
                                     {&SpellRecord::LevelDamageDice, 94},
                                     {&SpellRecord::LevelDamageSides, 96},
                                     {&SpellRecord::LevelDamageBonus, 98},
                                     {&SpellRecord::DurationDice, 100},
                                     {&SpellRecord::DurationSides, 102},
                                     {&SpellRecord::DurationBonus, 104},
                                     {&SpellRecord::LevelDurationDice, 106},
                                     {&SpellRecord::LevelDurationSides, 108},
                                     {&SpellRecord::LevelDurationBonus, 110},
                                     {&SpellRecord::SaveVs, 112},
                                     {&SpellRecord::SaveEffect, 114}});
    expectFieldOffsets<ShopRecord>({{&ShopRecord::ShopNo, 0}, {&ShopRecord::ShopType, 2}});
    expectFieldOffsets<SpellProgRecord>({{&SpellProgRecord::ProgNo, 0},
                                         {&SpellProgRecord::ProgClass, 2},
                                         {&SpellProgRecord::ProgLevel, 4},
                                         {&SpellProgRecord::ProgSpell, 6},
                                         {&SpellProgRecord::ProgReplaces, 8}});
    expectFieldOffsets<MapRecord>({{&MapRecord::MapNo, 0},
                                   {&MapRecord::HitRefresh, 2},
                                   {&MapRecord::ManaRefresh, 4},
                                   {&MapRecord::EncounterChance, 6},
                                   {&MapRecord::EncounterLevel, 8},
                                   {&MapRecord::GraphicSet, 120}});
  }

  void newRecordsPackAsZerosAndBlanks() {
    const auto item = packed(ItemRecord());
    expectIntegers(item, {{0, 0}, {180, 0}});
    QCOMPARE(textAt(item, 2, 40), std::string(40, ' '));
    const auto spell = packed(SpellRecord());
    QCOMPARE(textAt(spell, 182, 32 + 1024), std::string(32 + 1024, ' '));
  }

  // Texts, flag arrays and field-major tables; the single Integers are checked above.
  void itemTextsFlagsAndEffectsAtTheirOffsets() {
    ItemRecord item;
    item.ItemName = "Long Sword";
    item.PluralName = "Long Swords";
    item.UsableBy[2] = -1;  // thief
    item.UsableBy[4] = -1;  // mage
    // Effects are field-major: ten kinds, then ten whats, then ten powers.
    item.SetEffect(2, EffectField::Kind, 5);
    item.SetEffect(2, EffectField::What, 1);
    item.SetEffect(2, EffectField::Power, 2);
    const auto bytes = packed(item);
    QCOMPARE(textAt(bytes, 2, 40), std::string("Long Sword          Long Swords         "));
    expectIntegers(bytes, {{120, 5}, {142, 1}, {164, 2}});
    for (std::size_t offset = 60; offset < 112; ++offset) {
      const bool flagged = offset == 64 || offset == 65 || offset == 68 || offset == 69;
      QCOMPARE(bytes[offset], flagged ? std::uint8_t{0xFF} : std::uint8_t{0});
    }

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

  void shopNameAndStockAtTheirOffsets() {
    ShopRecord shop;
    shop.ShopName = "Ye Olde Shoppe";
    shop.Stock[0] = 12;
    shop.Stock[15] = -4;
    const auto bytes = packed(shop);
    expectIntegers(bytes, {{29, 12}, {59, -4}});
    QCOMPARE(textAt(bytes, 4, 25), "Ye Olde Shoppe" + std::string(11, ' '));
  }

  void packShopStock_data() {
    QTest::addColumn<QList<int>>("before");
    QTest::addColumn<QList<int>>("after");
    QTest::newRow("repeat and gap") << QList<int>{7, 0, 7, 3} << QList<int>{7, 3};
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
    Stock stock = stockOf(before);
    pack_shop_stock(stock);
    QCOMPARE(stock, stockOf(after));
  }

  void creatureNameSavesAndSpecialsAtTheirOffsets() {
    CreatureRecord creature;
    creature.CreatureName = "Orc";
    creature.Saves[5] = 17;
    // Specials are field-major: eleven chances, eleven effects, eleven powers.
    creature.SetCreatureSpecial(0, SpecialSlotField::Chance, -1);
    creature.SetCreatureSpecial(10, SpecialSlotField::Effect, 2);
    creature.SetCreatureSpecial(3, SpecialSlotField::Power, 8);
    const auto bytes = packed(creature);
    QCOMPARE(textAt(bytes, 2, 20), "Orc" + std::string(17, ' '));
    expectIntegers(bytes, {{86, 17}, {88, -1}, {130, 2}, {138, 8}});
  }

  void averageHits_data() {
    QTest::addColumn<int>("dice");
    QTest::addColumn<int>("sides");
    QTest::addColumn<int>("bonus");
    QTest::addColumn<int>("hits");
    QTest::newRow("3D5+2") << 3 << 5 << 2 << 9;
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
    CreatureRecord creature;
    creature.HitDice = static_cast<std::int16_t>(dice);
    creature.HitSides = static_cast<std::int16_t>(sides);
    creature.HitBonus = static_cast<std::int16_t>(bonus);
    QCOMPARE(AverageHits(creature), static_cast<long>(hits));
  }

  void averageExpIsNotRounded() {
    CreatureRecord creature;
    creature.HitDice = 3;  // 3D5+2: 9 hits on average
    creature.HitSides = 5;
    creature.HitBonus = 2;
    creature.Experience = 10;
    creature.ExperiencePerHit = 2;
    QCOMPARE(AverageExp(creature), 28.0);
    creature.ExperiencePerHit = -3;
    QCOMPARE(AverageExp(creature), -17.0);
  }

  void specialEffectsLookOnlyAtTheChance() {
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

  void spellTextsFlagsAndSpecialsAtTheirOffsets() {
    SpellRecord spell;
    spell.SpellName = "Fireball";
    spell.UsableBy[7] = -1;
    spell.SetSpellSpecial(10, SpecialSlotField::Power, 77);
    spell.DamageDesc = "fire!";
    spell.Description = std::string(1024, 'd') + "extra";  // cut at the end of the record
    const auto bytes = packed(spell);
    expectIntegers(bytes, {{42, 0}, {44, -1}, {180, 77}});
    QCOMPARE(textAt(bytes, 2, 20), "Fireball" + std::string(12, ' '));
    QCOMPARE(textAt(bytes, 182, 32), "fire!" + std::string(27, ' '));
    QCOMPARE(textAt(bytes, 214, 1024), std::string(1024, 'd'));
  }
};

REGISTER_TEST(CatalogueRecordsTest);
#include "test_catalogue_records.moc"
