#include "core/packing.h"
#include "support/test_registry.h"

#include <QTest>

#include <array>
#include <string>
#include <vector>

using namespace core;

class PackingTest : public QObject {
  Q_OBJECT

 private slots:
  void writerPacksFieldsWithoutGaps() {
    std::vector<std::uint8_t> bytes(15, 0xEE);
    PackWriter writer(bytes);
    writer.Integer(-2);
    writer.Long(0x01020304);
    writer.Text("abcdef", 3);
    writer.Text("z", 2);
    const std::array<std::int16_t, 2> pair = {258, -32768};
    writer.Integers(pair);
    QCOMPARE(writer.offset(), std::size_t{15});
    const std::vector<std::uint8_t> expected = {0xFE, 0xFF, 0x04, 0x03, 0x02, 0x01, 'a', 'b',
                                                'c',  'z',  ' ',  0x02, 0x01, 0x00, 0x80};
    QCOMPARE(bytes, expected);
  }

  void readerReadsTheSameFieldsBack() {
    const std::vector<std::uint8_t> bytes = {0xFE, 0xFF, 0xFC, 0xFF, 0xFF, 0xFF, 'a',
                                             0,    ' ',  0x02, 0x01, 0xFF, 0x7F};
    PackReader reader(bytes);
    QCOMPARE(reader.Integer(), std::int16_t{-2});
    QCOMPARE(reader.Long(), std::int32_t{-4});
    QCOMPARE(reader.Text(3), std::string("a\0 ", 3));  // trailing blank and NUL kept
    std::array<std::int16_t, 2> pair{};
    reader.Integers(pair);
    QCOMPARE(pair[0], std::int16_t{258});
    QCOMPARE(pair[1], std::int16_t{32767});
    QCOMPARE(reader.offset(), bytes.size());
  }

  void integerAtAnyOffset() {
    std::vector<std::uint8_t> bytes(6, 0);
    PutIntegerAt(bytes, 3, -300);
    QCOMPARE(bytes, (std::vector<std::uint8_t>{0, 0, 0, 0xD4, 0xFE, 0}));
    QCOMPARE(IntegerAt(bytes, 3), std::int16_t{-300});
    QCOMPARE(IntegerAt(bytes, 4), std::int16_t{0x00FE});
  }
};

REGISTER_TEST(PackingTest);
#include "test_packing.moc"
