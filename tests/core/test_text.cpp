// Texts as the files hold them and as the windows show them: numbers, the code page, names.
#include "core/numbers.h"
#include "core/text.h"
#include "core/vocabularies.h"
#include "core_fixture.h"

using namespace core;

Q_DECLARE_METATYPE(core::NumberError)

namespace {

void addReadingColumns() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<int>("value");
  QTest::addColumn<NumberError>("error");
}

void checkReading(const NumberReading& reading) {
  QFETCH(int, value);
  QFETCH(NumberError, error);
  QCOMPARE(static_cast<int>(reading.error), static_cast<int>(error));
  if (error == NumberError::None) QCOMPARE(static_cast<int>(reading.value), value);
}

}  // namespace

class TextTest : public QObject {
  Q_OBJECT

 private slots:
  void leadingNumber_data() {
    addReadingColumns();
    const auto ok = NumberError::None;
    QTest::newRow("rest ignored") << "12abc" << 12 << ok;
    QTest::newRow("empty gives 0") << "" << 0 << ok;
    QTest::newRow("no number gives 0") << "abc" << 0 << ok;
    QTest::newRow("blanks before the sign") << "  -3" << -3 << ok;
    QTest::newRow("blank after the sign ends it") << "- 3" << 0 << ok;
    QTest::newRow("exponent") << "1e3" << 1000 << ok;
    QTest::newRow("negative exponent") << "250e-1" << 25 << ok;
    QTest::newRow("exponent without digits") << "1e" << 1 << ok;
    QTest::newRow("fraction below a half") << ".5" << 0 << ok;
    QTest::newRow("second point ends it") << "1.5.5" << 2 << ok;
    QTest::newRow("2.5 to even") << "2.5" << 2 << ok;
    QTest::newRow("-3.5 to even") << "-3.5" << -4 << ok;
    QTest::newRow("2.51 up") << "2.51" << 3 << ok;
    QTest::newRow("32767.4 rounds into range") << "32767.4" << 32767 << ok;
    QTest::newRow("32767.5 rounds out of range") << "32767.5" << 0 << NumberError::OutOfRange;
    QTest::newRow("32768") << "32768" << 0 << NumberError::OutOfRange;
    QTest::newRow("-32768.5 to even") << "-32768.5" << -32768 << ok;
    QTest::newRow("-32769") << "-32769" << 0 << NumberError::OutOfRange;
    QTest::newRow("huge") << "99999999999999999999999" << 0 << NumberError::OutOfRange;
    QTest::newRow("tiny exponent") << "5e-99999" << 0 << ok;
    QTest::newRow("long tiny fraction") << "0." + QString(400, '0') + "7" << 0 << ok;
    QTest::newRow("comma is not a point") << "1,5" << 1 << ok;
  }
  void leadingNumber() {
    QFETCH(QString, text);
    checkReading(ReadLeadingNumber(text.toStdString()));
  }

  void wholeNumber_data() {
    addReadingColumns();
    const auto ok = NumberError::None;
    const auto nan = NumberError::NotANumber;
    QTest::newRow("surrounding blanks") << "  -3  " << -3 << ok;
    QTest::newRow("trailing letters") << "12abc" << 0 << nan;
    QTest::newRow("empty") << "" << 0 << nan;
    QTest::newRow("inner blank") << "1 2" << 0 << nan;
    QTest::newRow("dangling exponent") << "1e" << 0 << nan;
    QTest::newRow("half to even") << "4.5" << 4 << ok;
    QTest::newRow("out of range") << "40000" << 0 << NumberError::OutOfRange;
    QTest::newRow("out after rounding") << "-32768.6" << 0 << NumberError::OutOfRange;
  }
  void wholeNumber() {
    QFETCH(QString, text);
    checkReading(ReadWholeNumber(text.toStdString()));
  }

  void displayForms() {
    QCOMPARE(PlainNumber(-3), std::string("-3"));
    QCOMPARE(NumberWithLeadingBlank(15), std::string(" 15"));
    QCOMPARE(NumberWithLeadingBlank(0), std::string(" 0"));
    QCOMPARE(NumberWithLeadingBlank(-1), std::string("-1"));  // the sign takes the blank's place
    QCOMPARE(NumberWithLeadingBlank(2147483648LL), std::string(" 2147483648"));
  }

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
    QCOMPARE(EncodeWindows1252(decoded), all);  // so no two bytes share a character
  }

  // The euro sign, an undefined byte, the left single quote, the trade mark, Y diaeresis and
  // e acute, both ways.
  void codePageCharacters() {
    const std::pair<int, char32_t> rows[] = {{0x80, 0x20AC}, {0x81, 0x81},  {0x91, 0x2018},
                                             {0x99, 0x2122}, {0x9F, 0x178}, {0xE9, 0xE9}};
    for (const auto& [byte, character] : rows) {
      const std::string one(1, static_cast<char>(byte));
      QCOMPARE(DecodeWindows1252(one).at(0), character);
      QCOMPARE(EncodeWindows1252(std::u32string(1, character)), one);
    }
  }

  void charactersOutsideTheCodePageBecomeQuestionMarks() {
    // U+0080 is not in the code page: byte 0x80 is the euro sign.
    QCOMPARE(EncodeWindows1252(U"a\u0080b"), std::string("a?b"));
    QCOMPARE(EncodeWindows1252(U"\u4E00\U0001F600"), std::string("??"));
  }

  // The tables themselves are the designer's; what matters is where they end.
  void lookupsOutsideAListAreEmpty() {
    for (const int empty : {0, 3, 6, 9, 12, -1}) QVERIFY(ItemTypeText(empty).empty());
    for (const int outside : {0, 9}) QVERIFY(ClassName(outside).empty());
    QVERIFY(TextOfCode(SaveLabels, 0).empty());
    QVERIFY(TextOfCode(FacingMaskNames, 16).empty());
    QVERIFY(TextOfCode(SpecialKindNames, -1).empty());
    QVERIFY(TextOfCode(StatTexts, 0).empty());
  }

  void chancesAndTheirCodes() {
    QCOMPARE(std::string(SpecialChanceText(-1)), std::string("Always"));
    QCOMPARE(std::string(SpecialChanceText(30)), std::string("30%"));
    QVERIFY(SpecialChanceText(25).empty());
    QVERIFY(SpecialChanceText(100).empty());
    QCOMPARE(SpecialChanceCode(0), std::optional<std::int16_t>(0));
    QCOMPARE(SpecialChanceCode(1), std::optional<std::int16_t>(-1));
    QCOMPARE(SpecialChanceCode(10), std::optional<std::int16_t>(90));
    QVERIFY(!SpecialChanceCode(-1).has_value());
    QVERIFY(!SpecialChanceCode(11).has_value());
  }
};

REGISTER_TEST(TextTest);
#include "test_text.moc"
