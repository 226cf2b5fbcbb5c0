#include "component/base/UserData.h"

#include <gtest/gtest.h>

TEST(UserData, AddKeepsKeysUniqueAndCaseSensitive)
{
    TUserData d;
    EXPECT_TRUE(d.AddKeyandValue("Part", "A-1"));
    EXPECT_FALSE(d.AddKeyandValue("Part", "B-2"));
    EXPECT_EQ(d.GetValueByKey("Part"), "A-1");
    EXPECT_TRUE(d.AddKeyandValue("part", "lower"));
    EXPECT_EQ(d.GetCount(), 2);
    EXPECT_EQ(d.GetValueByKey("part"), "lower");
    EXPECT_EQ(d.GetValueByKey("missing"), "");
}

TEST(UserData, KeyByNoOutsideTheStoreIsEmpty)
{
    TUserData d;
    d.AddKeyandValue("a", "1");
    EXPECT_EQ(d.GetKeyByNo(0), "a");
    EXPECT_EQ(d.GetKeyByNo(1), "");
    EXPECT_EQ(d.GetKeyByNo(-1), "");
}

TEST(UserData, DeleteMiddleKeepsOrderAndChangeValueFindsFirst)
{
    TUserData d;
    d.AddKeyandValue("a", "1");
    d.AddKeyandValue("b", "2");
    d.AddKeyandValue("c", "3");
    EXPECT_TRUE(d.DeleteRecordByKey("b"));
    EXPECT_FALSE(d.DeleteRecordByKey("b"));
    ASSERT_EQ(d.GetCount(), 2);
    EXPECT_EQ(d.GetKeyByNo(0), "a");
    EXPECT_EQ(d.GetKeyByNo(1), "c");
    EXPECT_TRUE(d.ChangeValueByKey("c", "33"));
    EXPECT_FALSE(d.ChangeValueByKey("zz", "0"));
    EXPECT_EQ(d.GetValueByKey("c"), "33");
}

TEST(UserData, RenameToExistingKeyLetsTheFirstWin)
{
    TUserData d;
    d.AddKeyandValue("a", "1");
    d.AddKeyandValue("b", "2");
    EXPECT_TRUE(d.ReNameKey("b", "a"));
    EXPECT_FALSE(d.ReNameKey("nothing", "x"));
    EXPECT_EQ(d.GetCount(), 2);
    EXPECT_EQ(d.GetValueByKey("a"), "1");
    EXPECT_TRUE(d.ReNameKey("a", "z")); // the first "a" only
    EXPECT_EQ(d.GetValueByKey("a"), "2");
    EXPECT_EQ(d.GetKeyByNo(0), "z");
}

TEST(UserData, SetRecordsAndAssignReplaceEverything)
{
    TUserData d;
    d.AddKeyandValue("old", "x");
    d.SetUserDataRecord({{"k", "v"}, {"k", "w"}});
    EXPECT_EQ(d.GetCount(), 2);
    EXPECT_EQ(d.GetValueByKey("k"), "v");
    TUserData e;
    e.AddKeyandValue("e", "1");
    e.Assign(d);
    EXPECT_EQ(e.Records(), d.Records());
    e.ClearAll();
    EXPECT_EQ(e.GetCount(), 0);
    EXPECT_EQ(d.GetCount(), 2);
}
