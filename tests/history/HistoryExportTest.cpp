#include "history/HistoryExport.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace tw;

namespace {

const std::string kHeader = "'2004-05-06 09:00:00\r\n'Source file for Tallywave\r\n"
                            "'Do not change this file unless absolutely sure.\r\n";

class HistoryExportTest : public ::testing::Test {
protected:
    // Sessions out of order on purpose, as a hand-edited file or a log viewer's save may hold them.
    HistoryExportTest() {
        dir.write("datasource.txt", kHeader + "2004-03-06 12:00;2004-03-06 13:00;2000;20;200;2;\r\n"
                                              "2003-12-31 23:00;2003-12-31 23:59;1;1;1;1;\r\n"
                                              "'a comment\r\n"
                                              "2004-03-06 08:00;2004-03-06 09:30;1000;10;100;1;\r\n"
                                              "2004-02-29 10:00;2004-02-29 11:00;12345678901234567;5;9;9;\r\n");
        history.load(dir.file("datasource.txt"));
        history.updateStats();
    }

    static std::vector<std::string> starts(const std::vector<const clsSessionData*>& sessions) {
        std::vector<std::string> out;
        for (const clsSessionData* s : sessions) {
            out.push_back(s->startDate.toHistoryString());
        }
        return out;
    }

    twtest::TempDir dir;
    clsADT history;
};

} // namespace

TEST_F(HistoryExportTest, APeriodGivesItsSessionsOldestFirst) {
    EXPECT_EQ(starts(sessionsOfPeriod(history, 2004, 3, 6)),
              (std::vector<std::string>{"2004-03-06 08:00", "2004-03-06 12:00"}));
    EXPECT_EQ(starts(sessionsOfPeriod(history, 2004, 2)), std::vector<std::string>{"2004-02-29 10:00"});
    EXPECT_EQ(starts(sessionsOfPeriod(history, 2004)),
              (std::vector<std::string>{"2004-02-29 10:00", "2004-03-06 08:00", "2004-03-06 12:00"}));
    EXPECT_EQ(sessionsOfPeriod(history).size(), 4u);
    EXPECT_TRUE(sessionsOfPeriod(history, 2004, 4).empty());
    EXPECT_EQ(starts(sessionsBetween(history, DateTime::fromCivil(2004, 2, 29), DateTime::fromCivil(2004, 3, 5))),
              std::vector<std::string>{"2004-02-29 10:00"});
    EXPECT_EQ(starts(sessionsBetween(history, std::nullopt, DateTime::fromCivil(2003, 12, 31))),
              std::vector<std::string>{"2003-12-31 23:00"});
    EXPECT_EQ(sessionsBetween(history, DateTime::fromCivil(2004, 3, 6), std::nullopt).size(), 2u);
}

TEST_F(HistoryExportTest, CsvHasAHeaderRowIsoDatesAndWholeBytesExactly) {
    EXPECT_EQ(exportSessions(sessionsOfPeriod(history, 2004), ExportFormat::Csv),
              "start,stop,received,sent,max download,max upload\r\n"
              "2004-02-29T10:00,2004-02-29T11:00,12345678901234568,5,9,9\r\n"
              "2004-03-06T08:00,2004-03-06T09:30,1000,10,100,1\r\n"
              "2004-03-06T12:00,2004-03-06T13:00,2000,20,200,2\r\n")
        << "12345678901234567 is beyond doubles: the history holds it as 12345678901234568, as the viewer shows it";
    EXPECT_EQ(exportSessions({}, ExportFormat::Csv), "start,stop,received,sent,max download,max upload\r\n");
}

TEST_F(HistoryExportTest, JsonListsTheSessionsAndTheirExactTotalsAndTheRunningOneHasNoStop) {
    clsSessionData running;
    running.startDate = DateTime::fromCivil(2004, 3, 6, 14, 0);
    running.downloaded = 7;
    running.isCurrent = true;
    history.insertLog(running);
    EXPECT_EQ(exportSessions(sessionsOfPeriod(history, 2004, 3, 6), ExportFormat::Json),
              "{\"sessions\":[\n"
              "{\"start\":\"2004-03-06T08:00\",\"stop\":\"2004-03-06T09:30\",\"received\":1000,\"sent\":10,"
              "\"maxDownload\":100,\"maxUpload\":1},\n"
              "{\"start\":\"2004-03-06T12:00\",\"stop\":\"2004-03-06T13:00\",\"received\":2000,\"sent\":20,"
              "\"maxDownload\":200,\"maxUpload\":2},\n"
              "{\"start\":\"2004-03-06T14:00\",\"stop\":null,\"received\":7,\"sent\":0,\"maxDownload\":0,"
              "\"maxUpload\":0}\n"
              "],\"total\":{\"received\":3007,\"sent\":30}}\n");
    EXPECT_EQ(exportSessions({}, ExportFormat::Json), "{\"sessions\":[],\"total\":{\"received\":0,\"sent\":0}}\n");
}
