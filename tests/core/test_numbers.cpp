#include "core/numbers.h"
#include "support/test_registry.h"

#include <QTest>

#include <string>

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

class NumbersTest : public QObject {
  Q_OBJECT

 private slots:
  void leadingNumber_data() {
    addReadingColumns();
    const auto ok = NumberError::None;
    QTest::newRow("plain") << "15" << 15 << ok;
    QTest::newRow("rest ignored") << "12abc" << 12 << ok;
    QTest::newRow("empty gives 0") << "" << 0 << ok;
    QTest::newRow("no number gives 0") << "abc" << 0 << ok;
    QTest::newRow("blanks before the sign") << "  -3" << -3 << ok;
    QTest::newRow("sign alone") << "-" << 0 << ok;
    QTest::newRow("blank after the sign ends it") << "- 3" << 0 << ok;
    QTest::newRow("exponent") << "1e3" << 1000 << ok;
    QTest::newRow("negative exponent") << "250e-1" << 25 << ok;
    QTest::newRow("exponent without digits") << "1e" << 1 << ok;
    QTest::newRow("fraction below a half") << ".5" << 0 << ok;
    QTest::newRow("second point ends it") << "1.5.5" << 2 << ok;
    QTest::newRow("2.5 to even") << "2.5" << 2 << ok;
    QTest::newRow("-3.5 to even") << "-3.5" << -4 << ok;
    QTest::newRow("2.51 up") << "2.51" << 3 << ok;
    QTest::newRow("-0.4 is zero") << "-0.4" << 0 << ok;
    QTest::newRow("largest") << "32767" << 32767 << ok;
    QTest::newRow("32767.4 rounds into range") << "32767.4" << 32767 << ok;
    QTest::newRow("32767.5 rounds out of range") << "32767.5" << 0 << NumberError::OutOfRange;
    QTest::newRow("32768") << "32768" << 0 << NumberError::OutOfRange;
    QTest::newRow("smallest") << "-32768" << -32768 << ok;
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
    QTest::newRow("plain") << "15" << 15 << ok;
    QTest::newRow("surrounding blanks") << "  -3  " << -3 << ok;
    QTest::newRow("trailing letters") << "12abc" << 0 << nan;
    QTest::newRow("empty") << "" << 0 << nan;
    QTest::newRow("inner blank") << "1 2" << 0 << nan;
    QTest::newRow("exponent") << "1e3" << 1000 << ok;
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
};

REGISTER_TEST(NumbersTest);
#include "test_numbers.moc"
