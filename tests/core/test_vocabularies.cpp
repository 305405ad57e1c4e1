#include "core/vocabularies.h"
#include "support/test_registry.h"

#include <QTest>

#include <string>

using namespace core;

class VocabulariesTest : public QObject {
  Q_OBJECT

 private slots:
  // The tables themselves are the designer's; what matters is where they end.
  void lookupsOutsideAListAreEmpty() {
    for (const int empty : {0, 3, 6, 9, 12, -1}) QVERIFY(ItemTypeText(empty).empty());
    QVERIFY(ClassName(0).empty());
    QVERIFY(ClassName(9).empty());
    QCOMPARE(std::string(ClassName(8)), std::string("Merchant"));
    QCOMPARE(std::string(TextOfCode(FacingMaskNames, 15)), std::string("N, E, S, W"));
    QCOMPARE(std::string(TextOfCode(SaveNames, 3)), std::string("Pertification, Polymorph"));
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

REGISTER_TEST(VocabulariesTest);
#include "test_vocabularies.moc"
