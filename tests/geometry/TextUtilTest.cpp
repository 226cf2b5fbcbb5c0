// Padding of strings with spaces.
#include "component/base/TextUtil.h"

#include <gtest/gtest.h>

TEST(AppendSpace, PadsToOneMoreThanN)
{
    EXPECT_EQ(AppendSpace(QStringLiteral("ab"), 4), QStringLiteral("ab   "));
    EXPECT_EQ(AppendSpace(QStringLiteral("abcd"), 4), QStringLiteral("abcd "));
    EXPECT_EQ(AppendSpace(QString(), 0), QStringLiteral(" "));
    EXPECT_EQ(AppendSpace(QString(), 3).size(), 4);
}

TEST(AppendSpace, LongerStringsComeBackUnchanged)
{
    EXPECT_EQ(AppendSpace(QStringLiteral("abcdef"), 4), QStringLiteral("abcdef"));
    EXPECT_EQ(AppendSpace(QStringLiteral("abcde"), 4), QStringLiteral("abcde"));
    EXPECT_EQ(AppendSpace(QStringLiteral("x"), -1), QStringLiteral("x"));
    EXPECT_EQ(AppendSpace(QString(), -1), QString());
}
