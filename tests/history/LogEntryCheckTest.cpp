#include "history/LogEntryCheck.h"

#include <gmock/gmock.h>

using namespace tw;

namespace {

LogEntryTexts entry(std::string down = "0", std::string up = "1") {
    return {"00:00", "23:59", std::move(down), std::move(up), "0", "0"};
}

std::string problemOf(const LogEntryTexts& t, LogEntryDialogKind kind = LogEntryDialogKind::Add) {
    auto p = checkLogEntry(t, kind);
    return p ? p->message : "";
}

} // namespace

TEST(LogEntryCheck, TheDefaultsAreRefusedAsBothZeroButAnUploadOfOneAndAnEndBeforeTheStartPass) {
    LogEntryTexts t = entry("0", "0");
    auto p = checkLogEntry(t, LogEntryDialogKind::Add);
    ASSERT_TRUE(p);
    EXPECT_EQ(p->field, LogEntryField::Downloaded);
    EXPECT_EQ(p->message, "Download and upload can't both be zero.");
    EXPECT_EQ(problemOf(t, LogEntryDialogKind::Edit),
              "Download and upload can't both be zero.\nPlease change at least one of them or simply\n"
              "remove the log in the View logs window.");
    t.uploaded = "1";
    t.startTime = "22:00";
    t.endTime = "7:05";
    EXPECT_FALSE(checkLogEntry(t, LogEntryDialogKind::Add));
}

TEST(LogEntryCheck, ChecksRunInOrderAndStopAtTheFirstFailure) {
    LogEntryTexts t = {"25:00", "xx", "a", "b", "c", "d"};
    EXPECT_EQ(problemOf(t), "Start time is not a time value.\nIt should be on the form \"hh:mm\".");
    t.startTime = "10:00";
    EXPECT_EQ(problemOf(t), "End time is not a time value.\nIt should be on the form \"hh:mm\".");
    t.endTime = "11:00";
    EXPECT_EQ(problemOf(t), "Number of downloaded bytes are not numeric.");
    t.downloaded = "1 000";
    EXPECT_EQ(problemOf(t), "Number of uploaded bytes are not numeric.");
    t.uploaded = "-5"; // negative amounts are refused as not numeric
    EXPECT_EQ(problemOf(t), "Number of uploaded bytes are not numeric.");
    t.uploaded = "0";
    EXPECT_EQ(problemOf(t), "Download speed are not numeric.");
    t.maxDownloadSpeed = "1";
    EXPECT_EQ(problemOf(t), "Upload speed are not numeric.");
    t.maxUploadSpeed = "2";
    EXPECT_EQ(problemOf(t), "");
}

TEST(LogEntryCheck, AmountsOf28CharactersPassAnd29AreTooBig) {
    EXPECT_EQ(problemOf(entry(std::string(28, '9'))), "");
    EXPECT_EQ(problemOf(entry(std::string(29, '9'))), "The number of downloaded bytes is too big.");
    EXPECT_EQ(problemOf(entry("1", std::string(29, '1'))), "The number of uploaded bytes is too big.");
}

TEST(LogEntryCheck, SpeedsUpTo2147483646PassExactly) {
    LogEntryTexts t = entry();
    t.maxDownloadSpeed = "2147483646";
    t.maxUploadSpeed = "2 147 483 646";
    EXPECT_EQ(problemOf(t), "");
    t.maxDownloadSpeed = "2147483647";
    EXPECT_EQ(problemOf(t), "The download speed is too large.");
    t.maxDownloadSpeed = "2147483646.5";
    EXPECT_EQ(problemOf(t), "The download speed is too large.");
    t.maxDownloadSpeed = "1";
    t.maxUploadSpeed = "99999999999";
    EXPECT_EQ(problemOf(t), "The upload speed is too large.");
}

TEST(LogEntryCheck, BuildsTheSessionOnTheChosenDateWithBlanksRemoved) {
    LogEntryTexts t = {"9:05", "10:30:59", "1 234 567", "12", "1000.6", "7"};
    clsSessionData s = sessionFromLogEntry(DateTime::fromCivil(2004, 5, 6, 13, 14, 15), t);
    EXPECT_EQ(s.startDate, DateTime::fromCivil(2004, 5, 6, 9, 5));
    EXPECT_EQ(s.stopDate, DateTime::fromCivil(2004, 5, 6, 10, 30));
    EXPECT_EQ(s.downloaded, 1234567);
    EXPECT_EQ(s.uploaded, 12);
    EXPECT_EQ(s.maxDownloadSpeed, 1001);
    EXPECT_FALSE(s.isCurrent);
}
