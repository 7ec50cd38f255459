// zeb.exe as a person starts it on Windows.

#include "program_run.h"

#include <gtest/gtest.h>

TEST(Program, WithoutLibreOfficeItSaysOfficeErrorAndEndsWithTwo)
{
    const ProgramEnd end = run_until_office_error("zeb.exe");
    ASSERT_TRUE(end.started);
    EXPECT_TRUE(end.ended) << "zeb.exe did not end after its box";
    EXPECT_EQ(end.exit_code, 2u);
    EXPECT_NE(end.box_text.find("ZEB works through LibreOffice and could not reach it."), std::string::npos) << end.box_text;
    EXPECT_NE(end.box_text.find("LibreOffice is not installed"), std::string::npos) << end.box_text;
}
