#include "core/text.h"
#include "support/test_registry.h"

#include <QTest>

#include <string>

using namespace core;

class TextTest : public QObject {
  Q_OBJECT

 private slots:
  void fixedTextCutsAndPads() {
    QCOMPARE(FixedText("Twenty-five characters!!!", 20), std::string("Twenty-five characte"));
    QCOMPARE(FixedText("Orc", 20), std::string("Orc") + std::string(17, ' '));
    QCOMPARE(FixedText(std::string("a\0b", 3), 4), std::string("a\0b ", 4));
  }

  void trimRemovesOnlyTrailingBlanks() {
    QCOMPARE(TrimTrailingBlanks("  Sword   "), std::string("  Sword"));
    QCOMPARE(TrimTrailingBlanks("    "), std::string());
    QCOMPARE(TrimTrailingBlanks(std::string("x\0 ", 3)), std::string("x\0", 2));
  }

  void everyByteRoundTrips() {
    std::string all;
    for (int byte = 0; byte < 256; ++byte) all.push_back(static_cast<char>(byte));
    const std::u32string decoded = DecodeWindows1252(all);
    QCOMPARE(decoded.size(), std::size_t{256});
    QCOMPARE(EncodeWindows1252(decoded), all);  // so no two bytes share a character
  }

  void codePageCharacters_data() {
    QTest::addColumn<int>("byte");
    QTest::addColumn<uint>("character");
    QTest::newRow("euro") << 0x80 << 0x20ACu;
    QTest::newRow("undefined 0x81") << 0x81 << 0x81u;
    QTest::newRow("undefined 0x8D") << 0x8D << 0x8Du;
    QTest::newRow("undefined 0x9D") << 0x9D << 0x9Du;
    QTest::newRow("left single quote") << 0x91 << 0x2018u;
    QTest::newRow("trade mark") << 0x99 << 0x2122u;
    QTest::newRow("Y diaeresis") << 0x9F << 0x178u;
    QTest::newRow("e acute") << 0xE9 << 0xE9u;
  }
  void codePageCharacters() {
    QFETCH(int, byte);
    QFETCH(uint, character);
    const std::string one(1, static_cast<char>(byte));
    QCOMPARE(static_cast<uint>(DecodeWindows1252(one).at(0)), character);
    QCOMPARE(EncodeWindows1252(std::u32string(1, static_cast<char32_t>(character))), one);
  }

  void charactersOutsideTheCodePageBecomeQuestionMarks() {
    // U+0080 is not in the code page: byte 0x80 is the euro sign.
    QCOMPARE(EncodeWindows1252(U"a\u0080b"), std::string("a?b"));
    QCOMPARE(EncodeWindows1252(U"\u4E00\U0001F600"), std::string("??"));
  }
};

REGISTER_TEST(TextTest);
#include "test_text.moc"
