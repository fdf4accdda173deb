#include <QLocale>
#include <gtest/gtest.h>

#include "accounts/LimitRule.h"

namespace {
const QString kUpperMg =
    "Error: The normal Uper limit Setting of Glucose Value ranges between 30mg/dL and 600mg/dL !!";
const QString kLowerMg =
    "Error: The normal lower limit Setting of Glucose Value ranges between 30mg/dL and 600mg/dL !!";
const QString kUpperMmol =
    "Error: The normal Uper limit Setting of Glucose Value ranges between 1.7mmol/L and "
    "33.3mmol/L !!";
const QString kLowerMmol =
    "Error: The normal lower limit Setting of Glucose Value ranges between 1.7mmol/L and "
    "33.3mmol/L !!";
const QString kOrder =
    "Error: The lower limit Setting of Glucose Value > The Uper limit Setting of Glucose Value!!";

QString errorOf(const QString& max, const QString& min, qint16 unit) {
    return checkLimits({max, min, max, min}, unit).error;
}
}  // namespace

TEST(LimitRule, ShowsLimitsInEachUnit) {
    EXPECT_EQ(limitText(120, kUnitMgdl), "120");
    EXPECT_EQ(limitText(120, kUnitMmol), "6.7");
    EXPECT_EQ(limitText(80, kUnitMmol), "4.4");
    EXPECT_EQ(limitText(126, kUnitMmol), "7.0");
    EXPECT_EQ(limitText(70, kUnitMmol), "3.9");
    EXPECT_EQ(limitText(9, kUnitMmol), "0.5");
}

TEST(LimitRule, StoresTypedNumbersRoundedHalfToEven) {
    EXPECT_EQ(storedLimit(7, kUnitMmol), 126);
    EXPECT_EQ(storedLimit(3.8, kUnitMmol), 68);
    EXPECT_EQ(storedLimit(6.7, kUnitMmol), 121);
    EXPECT_EQ(storedLimit(4.4, kUnitMmol), 79);
    EXPECT_EQ(storedLimit(6.75, kUnitMmol), 122);
    EXPECT_EQ(storedLimit(6.25, kUnitMmol), 112);
    EXPECT_EQ(storedLimit(33.3, kUnitMmol), 599);
    EXPECT_EQ(storedLimit(1.7, kUnitMmol), 31);
    EXPECT_EQ(storedLimit(5.6, kUnitMmol), 101);
    EXPECT_EQ(storedLimit(120, kUnitMgdl), 120);
    EXPECT_EQ(storedLimit(120.5, kUnitMgdl), 120);
    EXPECT_EQ(storedLimit(121.5, kUnitMgdl), 122);
}

TEST(LimitRule, ParsesDigitsWithOneDecimalPointAndBlanksAround) {
    EXPECT_EQ(parseTypedLimit("120"), 120.0);
    EXPECT_EQ(parseTypedLimit("6.7"), 6.7);
    EXPECT_EQ(parseTypedLimit("  5.5 "), 5.5);
    EXPECT_EQ(parseTypedLimit("7."), 7.0);
    EXPECT_EQ(parseTypedLimit(".5"), 0.5);
    for (const QString& bad : QStringList{"", " ", ".", "6,7", "1.2.3", "-5", "+5", "1e2", "12a", "6 7",
                              "0x10", QString::fromUtf8("١٢٠")})
        EXPECT_FALSE(parseTypedLimit(bad).has_value()) << bad.toStdString();
}

TEST(LimitRule, ParsingIgnoresTheLocale) {
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(parseTypedLimit("6.7"), 6.7);
    EXPECT_FALSE(parseTypedLimit("6,7").has_value());
    EXPECT_EQ(limitText(120, kUnitMmol), "6.7");
    QLocale::setDefault(before);
}

TEST(LimitRule, RangeBoundariesInMmol) {
    const LimitCheck ok = checkLimits({"33.3", "1.7", "33.3", "1.7"}, kUnitMmol);
    EXPECT_EQ(ok.error, "");
    EXPECT_EQ(ok.max, 599);
    EXPECT_EQ(ok.min, 31);
    EXPECT_EQ(errorOf("33.4", "1.7", kUnitMmol), kUpperMmol);
    EXPECT_EQ(errorOf("33.3", "1.6", kUnitMmol), kLowerMmol);
}

TEST(LimitRule, LowerAboveUpperIsRefusedEqualIsAccepted) {
    EXPECT_EQ(errorOf("5.5", "5.9", kUnitMmol), kOrder);
    EXPECT_EQ(errorOf("100", "101", kUnitMgdl), kOrder);
    const LimitCheck equal = checkLimits({"5.5", "5.5", "5.5", "5.5"}, kUnitMmol);
    EXPECT_EQ(equal.error, "");
    EXPECT_EQ(equal.max, 99);
    EXPECT_EQ(equal.min, 99);
}

TEST(LimitRule, PostMealPairIsCheckedAfterTheFirstPair) {
    EXPECT_EQ(checkLimits({"700", "80", "700", "80"}, kUnitMgdl).error, kUpperMg);
    EXPECT_EQ(checkLimits({"120", "80", "700", "80"}, kUnitMgdl).error, kUpperMg);
    EXPECT_EQ(checkLimits({"120", "80", "120", "10"}, kUnitMgdl).error, kLowerMg);
    EXPECT_EQ(checkLimits({"120", "80", "100", "110"}, kUnitMgdl).error, kOrder);
    const LimitCheck ok = checkLimits({"7", "3.8", "7", "3.8"}, kUnitMmol);
    EXPECT_EQ(ok.error, "");
    EXPECT_EQ(QList<qint16>({ok.max, ok.min, ok.maxp, ok.minp}), QList<qint16>({126, 68, 126, 68}));
}

TEST(LimitRule, BoxesWithoutANumberFailTheirRangeCheck) {
    EXPECT_EQ(checkLimits({"", "80", "120", "80"}, kUnitMgdl).error, kUpperMg);
    EXPECT_EQ(checkLimits({"120", "abc", "120", "80"}, kUnitMgdl).error, kLowerMg);
    EXPECT_EQ(checkLimits({"120", "80", "", "80"}, kUnitMgdl).error, kUpperMg);
    EXPECT_EQ(checkLimits({"120", "80", "120", " "}, kUnitMmol).error, kUpperMmol);
    EXPECT_EQ(checkLimits({"6", "4", "6", "x"}, kUnitMmol).error, kLowerMmol);
}
