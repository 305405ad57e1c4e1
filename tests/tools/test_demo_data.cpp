// What a designer relies on in the demo data: every file loads, and every code the windows
// show occurs at least once. The files are read back independently of the generator.

#include "core/catalogue_records.h"
#include "core/map_record.h"
#include "core/tile_sheet.h"
#include "demodata/demo_data.h"
#include "support/fixtures.h"
#include "support/test_registry.h"

#include <QImage>
#include <QTemporaryDir>
#include <QTest>

#include <filesystem>
#include <set>
#include <span>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using test_support::readBytes;

namespace {

const fs::path& DemoFolder() {
  static QTemporaryDir dir;
  static const fs::path root = dir.path().toStdString();
  static const core::Status status = demodata::WriteDemoData(root);
  if (!status.ok()) qFatal("cannot write the demo data: %s", status.message().c_str());
  return root;
}

// Whole slots of `slotLength` bytes from `first` on, each unpacked.
template <class Record>
std::vector<Record> Slots(const fs::path& path, std::size_t first = 0) {
  const std::vector<std::uint8_t> bytes = readBytes(path);
  std::vector<Record> records;
  for (std::size_t at = first * Record::SlotLength; at + Record::PackedSize <= bytes.size();
       at += Record::SlotLength)
    records.push_back(Record::unpack(std::span(bytes).subspan(at, Record::PackedSize)));
  return records;
}

// The header counts the entries and the file holds them whole.
template <class Record>
bool Loads(const char* name) {
  const std::vector<std::uint8_t> bytes = readBytes(DemoFolder() / "Dat" / name);
  const std::vector<Record> entries = Slots<Record>(DemoFolder() / "Dat" / name, 1);
  const auto header = static_cast<std::size_t>(bytes.at(0) | (bytes.at(1) << 8));
  return header >= 4 && entries.size() == header &&
         bytes.size() == (header + 1) * Record::SlotLength;
}

std::set<int> Range(int first, int last) {
  std::set<int> codes;
  for (int code = first; code <= last; ++code) codes.insert(code);
  return codes;
}

QImage LoadImage(const fs::path& path) {
  return QImage(QString::fromStdString(path.string()));
}

}  // namespace

class DemoDataTest : public QObject {
  Q_OBJECT

  const fs::path dat_ = DemoFolder() / "Dat", data_ = DemoFolder() / "Data";
  const std::vector<core::ItemRecord> items_ = Slots<core::ItemRecord>(dat_ / "Item.dat", 1);
  const std::vector<core::ShopRecord> shops_ = Slots<core::ShopRecord>(dat_ / "Shop.dat", 1);
  const std::vector<core::CreatureRecord> creatures_ =
      Slots<core::CreatureRecord>(dat_ / "Mon.dat", 1);
  const std::vector<core::SpellRecord> spells_ = Slots<core::SpellRecord>(dat_ / "Mag.dat", 1);
  const std::vector<core::SpellProgRecord> progression_ =
      Slots<core::SpellProgRecord>(dat_ / "MagProg.dat", 1);
  const std::vector<core::MapRecord> maps_ = Slots<core::MapRecord>(dat_ / "Maps.dat");

 private slots:
  // Catalogues as counted; maps 1, 2, 3 ... in the first slots.
  void filesLoad() {
    QVERIFY(Loads<core::ItemRecord>("Item.dat"));
    QVERIFY(Loads<core::ShopRecord>("Shop.dat"));
    QVERIFY(Loads<core::CreatureRecord>("Mon.dat"));
    QVERIFY(Loads<core::SpellRecord>("Mag.dat"));
    QVERIFY(Loads<core::SpellProgRecord>("MagProg.dat"));
    QVERIFY(maps_.size() >= 3);
    QCOMPARE(readBytes(dat_ / "Maps.dat").size(), maps_.size() * core::MapRecord::SlotLength);
  }

  void codesAreShown_data() {
    QTest::addColumn<std::set<int>>("seen");
    QTest::addColumn<std::set<int>>("shown");
    // Each value of one Integer field over a catalogue's entries.
    const auto each = [](const auto& entries, auto field) {
      std::set<int> codes;
      for (const auto& entry : entries) codes.insert(entry.*field);
      return codes;
    };
    std::set<int> effectKinds, useEffects, stats, specialEffects, always, saveEffects;
    for (const auto& item : items_)
      for (int slot = 0; slot < core::SlotTable::SlotCount; ++slot) {
        const int kind = item.Effect(slot, core::EffectField::Kind);
        effectKinds.insert(kind);
        if (kind >= 5)
          (kind <= 8 ? useEffects : stats).insert(item.Effect(slot, core::EffectField::What));
      }
    for (const auto& c : creatures_)
      for (int slot = 0; slot < core::SlotTable::SlotCount; ++slot) {
        specialEffects.insert(c.CreatureSpecial(slot, core::SpecialSlotField::Effect));
        if (c.CreatureSpecial(slot, core::SpecialSlotField::Chance) == -1) always.insert(-1);
      }
    for (const auto& s : spells_)
      if (s.SaveVs != 0) saveEffects.insert(s.SaveEffect);
    using namespace core;
    QTest::newRow("item types") << each(items_, &ItemRecord::ItemType) << Range(1, 11);
    QTest::newRow("item effect kinds") << effectKinds << Range(0, 10);
    QTest::newRow("item use effects") << useEffects << Range(0, 9);
    QTest::newRow("item stats") << stats << Range(1, 8);
    QTest::newRow("shop types") << each(shops_, &ShopRecord::ShopType) << Range(0, 1);
    QTest::newRow("creature types")
        << each(creatures_, &CreatureRecord::CreatureType) << Range(0, 3);
    QTest::newRow("creature sexes") << each(creatures_, &CreatureRecord::Sex) << Range(0, 2);
    QTest::newRow("creature special effects") << specialEffects << Range(0, 2);
    QTest::newRow("creature special 'always'") << always << Range(-1, -1);
    QTest::newRow("spell types") << each(spells_, &SpellRecord::SpellType) << Range(0, 8);
    QTest::newRow("spell targets") << each(spells_, &SpellRecord::Target) << Range(0, 6);
    QTest::newRow("spell saves") << each(spells_, &SpellRecord::SaveVs) << Range(0, 5);
    QTest::newRow("spell save effects") << saveEffects << Range(0, 3);
    QTest::newRow("progression classes")
        << each(progression_, &SpellProgRecord::ProgClass) << Range(0, 7);
    QTest::newRow("progression levels")
        << each(progression_, &SpellProgRecord::ProgLevel) << Range(1, 20);

    std::set<int> walls, kinds, tests, buildings, temples, arrivals, facing, flagWhens, rewards;
    for (const auto& map : maps_) {
      for (int y = 0; y < core::MapSize; ++y)
        for (int x = 0; x < core::MapSize; ++x)
          for (int side = 0; side < core::SideCount; ++side)
            if (map.WallCode(x, y, side) != 0) walls.insert(map.WallCode(x, y, side) * 4 + side);
      for (int i = 0; i < core::SpecialCount; ++i) {
        const core::MapSpecial s = map.GetSpecial(i);
        kinds.insert(s.Kind);  // 0 is a free entry
        tests.insert(s.CondFlag > 0 ? s.CondTest : 0);
        if (s.Kind == 1) arrivals.insert(s.Param4);
        if (s.Kind == 2) buildings.insert(s.Param1);
        if (s.Kind == 2 && s.Param1 == 2) temples.insert(s.Param2);
        if (s.Kind == 3 || s.Kind == 4 || s.Kind == 7)
          for (int bit = 0; bit < 4; ++bit)
            if (s.Param2 & (1 << bit)) facing.insert(bit);
        if (s.Kind == 6) flagWhens.insert(s.Param2);
        if (s.Kind == 8) rewards.insert(s.Param1);
      }
    }
    QTest::newRow("wall codes 1..7 on every side, as code * 4 + side") << walls << Range(4, 31);
    QTest::newRow("special kinds") << kinds << Range(0, 8);
    QTest::newRow("condition tests") << tests << Range(0, 5);
    QTest::newRow("buildings") << buildings << Range(0, 3);
    QTest::newRow("temples") << temples << Range(0, 2);
    QTest::newRow("arrival facings") << arrivals << Range(0, 4);
    QTest::newRow("facing directions") << facing << Range(0, 3);
    QTest::newRow("flag set when") << flagWhens << Range(0, 2);
    QTest::newRow("rewards") << rewards << Range(0, 2);
  }

  void codesAreShown() {
    QFETCH(std::set<int>, seen);
    QFETCH(std::set<int>, shown);
    QCOMPARE(seen, shown);
  }

  // Every bitmap loads (that each Draw Picture number and each creature has its picture, and
  // that entries and maps carry their numbers, the checker's run on the demo data shows).
  void bitmapsLoad() {
    for (const auto& entry : fs::directory_iterator(data_))
      QVERIFY2(!LoadImage(entry.path()).isNull(), entry.path().string().c_str());
    QCOMPARE(LoadImage(data_ / "Back.bmp").size(), QSize(434, 434));
    QCOMPARE(LoadImage(data_ / "Tiles.bmp").size(),
             QSize(core::TileSheetWidth, core::TileSheetHeight));
  }
};

REGISTER_TEST(DemoDataTest);
#include "test_demo_data.moc"
