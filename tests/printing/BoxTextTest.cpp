#include "printing/BoxText.h"

#include <gtest/gtest.h>

using namespace tagwright::printing::boxtext;

TEST(BoxText, leadingNumberReadsSignDigitsAndFractionOnly)
{
    EXPECT_EQ(leadingNumber(QStringLiteral("  12abc")), 12);
    EXPECT_EQ(leadingNumber(QStringLiteral(".5")), 0.5);
    EXPECT_EQ(leadingNumber(QStringLiteral("+5")), 5);
    EXPECT_EQ(leadingNumber(QStringLiteral("-2")), -2);
    EXPECT_EQ(leadingNumber(QStringLiteral("2.5 copies")), 2.5);
    EXPECT_EQ(leadingNumber(QStringLiteral("1e3")), 1);
    EXPECT_EQ(leadingNumber(QStringLiteral("1.2.3")), 1.2);
    for (const char* none : {"", "abc", "-", ".", " + 4"})
        EXPECT_EQ(leadingNumber(QString::fromLatin1(none)), 0) << none;
}

TEST(BoxText, roundingTiesGoToTheEvenNeighbour)
{
    EXPECT_EQ(roundHalfEven(201.5), 202);
    EXPECT_EQ(roundHalfEven(202.5), 202);
    EXPECT_EQ(roundHalfEven(-0.5), 0);
    EXPECT_EQ(roundHalfEven(-1.5), -2);
    EXPECT_EQ(roundHalfEven(2.4999), 2);
}

TEST(BoxText, blankMeansSortingAtOrBeforeSixSpaces)
{
    EXPECT_TRUE(isBlank(QString()));
    EXPECT_TRUE(isBlank(QStringLiteral("      ")));
    EXPECT_TRUE(isBlank(QStringLiteral(" \tX")));
    EXPECT_FALSE(isBlank(QStringLiteral("       ")));
    EXPECT_FALSE(isBlank(QStringLiteral(" A")));
}
