#include "app/ExportCommand.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace tw;

namespace {

class ExportCommandTest : public ::testing::Test {
protected:
    twtest::TempDir dir;
    std::string path = dir.file("datasource.txt");
    std::ostringstream out;
    std::ostringstream err;
};

} // namespace

TEST_F(ExportCommandTest, TheSessionsBetweenTheDatesOldestFirst) {
    dir.write("datasource.txt", "'h\n'h\n'h\n"
                                "2004-03-15 08:00;2004-03-15 09:00;12345678901;1536;0;0;\n"
                                "2004-03-01 08:00;2004-03-01 09:00;1000;24;7;8;\n"
                                "broken line\n"
                                "2004-02-15 08:00;2004-02-15 09:00;7;7;0;0;\n");
    EXPECT_EQ(runExport(path, ExportFormat::Csv, DateTime::fromCivil(2004, 3, 1), std::nullopt, out, err), 0);
    EXPECT_EQ(out.str(), "start,stop,received,sent,max download,max upload\r\n"
                         "2004-03-01T08:00,2004-03-01T09:00,1000,24,7,8\r\n"
                         "2004-03-15T08:00,2004-03-15T09:00,12345678901,1536,0,0\r\n");
    EXPECT_EQ(err.str(), "");
}

TEST_F(ExportCommandTest, AMissingHistoryIsEmptyAndOneWithoutItsHeaderFails) {
    EXPECT_EQ(runExport(path, ExportFormat::Json, std::nullopt, std::nullopt, out, err), 0);
    EXPECT_EQ(out.str(), "{\"sessions\":[],\"total\":{\"received\":0,\"sent\":0}}\n");

    out.str("");
    dir.write("datasource.txt", "'h\n");
    EXPECT_EQ(runExport(path, ExportFormat::Json, std::nullopt, std::nullopt, out, err), 1);
    EXPECT_NE(err.str().find("is not a history file"), std::string::npos);
    EXPECT_EQ(out.str(), "");
}
