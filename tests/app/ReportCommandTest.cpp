#include "app/ReportCommand.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

using namespace tw;

namespace {

class ReportCommandTest : public ::testing::Test {
protected:
    twtest::TempDir dir;
    std::string path = dir.file("datasource.txt");
    DateTime now = DateTime::fromCivil(2004, 3, 15, 12, 0);
    std::ostringstream out;
    std::ostringstream err;
};

} // namespace

TEST_F(ReportCommandTest, MissingHistoryReportsZerosAsSuccessAndAnUnreadableOneFailsWithAMessage) {
    EXPECT_EQ(runReport(path, now, true, out, err), 0);
    EXPECT_EQ(out.str(), "{\"today\":{\"received\":0,\"sent\":0},\"month\":{\"received\":0,\"sent\":0}}\n");
    EXPECT_EQ(err.str(), "");

    out.str("");
    std::filesystem::create_directory(path);
    EXPECT_NE(runReport(path, now, true, out, err), 0);
    EXPECT_EQ(out.str(), "");
    EXPECT_NE(err.str().find("cannot read the history file"), std::string::npos);
}

TEST_F(ReportCommandTest, JsonGivesWholeBytesOfTodayAndThisMonth) {
    dir.write("datasource.txt", "'h\n'h\n'h\n"
                                "2004-03-15 08:00;2004-03-15 09:00;12345678901;1536;0;0;\n"
                                "2004-03-01 08:00;2004-03-01 09:00;1000;24;0;0;\n"
                                "2004-02-15 08:00;2004-02-15 09:00;7;7;0;0;\n");
    EXPECT_EQ(runReport(path, now, true, out, err), 0);
    EXPECT_EQ(out.str(), "{\"today\":{\"received\":12345678901,\"sent\":1536},"
                         "\"month\":{\"received\":12345679901,\"sent\":1560}}\n");
}

TEST_F(ReportCommandTest, SumsAreExactPast2To64AndPastTheRangeOfDoubles) {
    const std::string huge = "1" + std::string(308, '0'); // 1e308 as the program writes it
    dir.write("datasource.txt", "'h\n'h\n'h\n"
                                "2004-03-15 08:00;2004-03-15 09:00;18446744073709551615;1.5e3;0;0;\n"
                                "2004-03-15 10:00;2004-03-15 11:00;18446744073709551615;0;0;0;\n"
                                "2004-03-15 12:00;2004-03-15 13:00;18446744073709551615;1e400;0;0;\n"
                                "2004-03-02 08:00;2004-03-02 09:00;" +
                                    huge + ";7;0;0;\n2004-03-03 08:00;2004-03-03 09:00;" + huge + ";0;0;0;\n");
    EXPECT_EQ(runReport(path, now, true, out, err), 0);
    EXPECT_EQ(out.str(), "{\"today\":{\"received\":36893488147419103230,\"sent\":1500},"
                         "\"month\":{\"received\":2" +
                             std::string(288, '0') + "36893488147419103230,\"sent\":1507}}\n")
        << "an amount beyond the range of doubles (1e400) is a broken line";
}

TEST_F(ReportCommandTest, HumanFormUsesTheMainWindowTexts) {
    dir.write("datasource.txt", "'h\n'h\n'h\n2004-03-01 08:00;2004-03-01 09:00;1023;1;0;0;\n");
    EXPECT_EQ(runReport(path, now, false, out, err), 0);
    EXPECT_EQ(out.str(), "Today:      Download    0 bytes   Upload    0 bytes   Total    0 bytes\n"
                         "This Month: Download    1.0 kB   Upload    0.0 kB   Total    1.0 kB\n");
}

TEST_F(ReportCommandTest, ABillingMonthStartingOnThe15thTakesTheSessionsFromThe15thOfLastMonth) {
    dir.write("datasource.txt", "'h\n'h\n'h\n"
                                "2004-02-14 23:59;2004-02-15 00:10;1;0;0;0;\n"
                                "2004-02-15 00:00;2004-02-15 01:00;20;0;0;0;\n"
                                "2004-03-14 08:00;2004-03-14 09:00;300;0;0;0;\n"
                                "2004-03-15 08:00;2004-03-15 09:00;4000;0;0;0;\n");
    EXPECT_EQ(runReport(path, DateTime::fromCivil(2004, 3, 14, 12, 0), true, out, err, 15), 0);
    EXPECT_EQ(out.str(), "{\"today\":{\"received\":300,\"sent\":0},\"month\":{\"received\":320,\"sent\":0}}\n");
    out.str("");
    EXPECT_EQ(runReport(path, now, false, out, err, 15), 0);
    EXPECT_NE(out.str().find("This Period: Download "), std::string::npos) << out.str();
    EXPECT_EQ(out.str().find("Today:       Download "), 0u) << "the labels line up";
}
