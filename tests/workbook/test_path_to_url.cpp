#include "zeb_main.h"

#include <gtest/gtest.h>

TEST(PathToUrl, WindowsPathsTakeTheirUrlForm)
{
    EXPECT_EQ(path_to_url("C:\\Sheets\\My Book.ods"), "file:///C|/Sheets/My%20Book.ods");
    EXPECT_EQ(path_to_url(""), "file:///");
    EXPECT_EQ(path_to_url("\\\\server\\share\\a b.ods"), "file://///server/share/a%20b.ods");
    EXPECT_EQ(path_to_url("C:\\two  blanks.ods"), "file:///C|/two%20%20blanks.ods");
}

TEST(PathToUrl, PercentHashAndQuestionMarkAreEscapedInEveryPath)
{
    EXPECT_EQ(path_to_url("C:\\a%62#b?.ods"), "file:///C|/a%2562%23b%3F.ods");
    EXPECT_EQ(path_to_url("/home/a b.ods"), "file:///home/a%20b.ods");
    EXPECT_EQ(path_to_url("/t/hash#x.ods"), "file:///t/hash%23x.ods");
    EXPECT_EQ(path_to_url("/t/p%62.ods"), "file:///t/p%2562.ods");
    EXPECT_EQ(path_to_url("/t/what?.ods"), "file:///t/what%3F.ods");
    EXPECT_EQ(path_to_url("/t/caf\xC3\xA9.ods"), "file:///t/caf%C3%A9.ods");
    EXPECT_EQ(path_to_url("/"), "file:///");
}
