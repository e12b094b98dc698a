#include "store/FieldValues.h"

#include <gtest/gtest.h>

using namespace tagwright::store;

TEST(FieldValues, missingValuesReadAsTheirDefaults)
{
    const QVariant missing;
    EXPECT_EQ(fields::fontName(missing), "MS Sans Serif");
    EXPECT_FLOAT_EQ(fields::fontSize(missing), 8.25f);
    EXPECT_TRUE(fields::bold(missing));
    EXPECT_FALSE(fields::italic(missing));
    EXPECT_FALSE(fields::flag(missing));
    EXPECT_EQ(fields::text(missing), "");
    EXPECT_EQ(fields::text(missing, QStringLiteral("0")), "0");
}

TEST(FieldValues, flagsAreOnOnlyForOneAndAbove)
{
    EXPECT_FALSE(fields::flag(0));
    EXPECT_FALSE(fields::flag(-1));
    EXPECT_FALSE(fields::flag(0.5));
    EXPECT_TRUE(fields::flag(1));
    EXPECT_TRUE(fields::flag(2));
}

TEST(FieldValues, storedValuesReadAsStored)
{
    EXPECT_EQ(fields::fontName(QStringLiteral("Arial")), "Arial");
    EXPECT_FLOAT_EQ(fields::fontSize(12.0), 12.0f);
    EXPECT_FALSE(fields::bold(0));
    EXPECT_TRUE(fields::italic(1));
}

TEST(FieldValues, numbersShowInShortestDecimalForm)
{
    EXPECT_EQ(fields::text(QVariant(qlonglong(-3))), "-3");
    EXPECT_EQ(fields::text(QVariant(40.0)), "40");
    EXPECT_EQ(fields::text(QVariant(double(8.25f))), "8.25");
    EXPECT_EQ(fields::text(QStringLiteral(" text ")), " text ");
}
