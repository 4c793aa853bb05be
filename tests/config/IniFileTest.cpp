#include "config/IniFile.h"
#include "config/SettingsKeys.h"

#include "support/CapturingMessageSink.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

using namespace tw;

namespace {

class IniFileTest : public ::testing::Test {
protected:
    twtest::TempDir dir;
    twtest::CapturingMessageSink sink;
    std::string path = dir.file("settings.txt");
};

} // namespace

TEST_F(IniFileTest, MissingFileGivesEveryDefaultOfTheKeyTableWithoutCreatingTheFile) {
    EXPECT_EQ(readIni(path, kRefreshCombo), "2");
    for (const auto& key : kUnitCombos) {
        EXPECT_EQ(readIni(path, key), "0");
    }
    EXPECT_EQ(readIni(path, kSpeedCombo), "0");
    EXPECT_EQ(readIni(path, kShowBarChart), "True");
    EXPECT_EQ(readIni(path, kChartVisible), "True");
    EXPECT_EQ(readIni(path, kAllInterfaces), "1");
    EXPECT_EQ(readIni(path, kAlarmDisabled), "1");
    EXPECT_EQ(readIni(path, kNumAlarms), "0");
    EXPECT_EQ(readIni(path, kAudibleAlarmInAlarmWindow), "1");
    EXPECT_EQ(readIni(path, kAudibleAlarmInNotification), "0");
    EXPECT_EQ(readIni(path, kAudioPath, "/opt/tw/wakeup.wav"), "/opt/tw/wakeup.wav");
    EXPECT_EQ(readIniValue(path, "General", "nothing"), "");
    EXPECT_TRUE(sink.messages.empty());
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(IniFileTest, LookupIgnoresCaseAndTrimsBlanksAndAcceptsLfLines) {
    dir.write("settings.txt", "[general]\n  RefreshCombo =  5  \n[Alarm]\r\nnumalarms=3\r\n");
    EXPECT_EQ(readIni(path, kRefreshCombo), "5");
    EXPECT_EQ(readIni(path, kNumAlarms), "3");
}

// "[void]" is how the program stores nothing; a bare empty value is a damaged entry.
TEST_F(IniFileTest, EmptyAndVoidValuesReadEmptyButOnlyTheBareOneShowsLoadError) {
    dir.write("settings.txt", "[General]\r\nspeedCombo=[void]\r\nrefreshCombo=\r\n");
    EXPECT_EQ(readIni(path, kSpeedCombo), "");
    EXPECT_TRUE(sink.messages.empty());
    EXPECT_EQ(readIni(path, kRefreshCombo), "");
    EXPECT_EQ(sink.messages, std::vector<std::string>{"Load ini-file error."});
}

TEST_F(IniFileTest, WriteReplacesInPlaceAndKeepsEveryOtherLine) {
    dir.write("settings.txt", "; note\r\n[General]\r\nbytesText=1\r\nREFRESHCOMBO=2\r\nspeedCombo=0\r\n\r\n[Alarm]\r\n"
                              "refreshCombo=9\r\n");
    writeIniValue(path, "general", "refreshCombo", "7");
    EXPECT_EQ(dir.read("settings.txt"), "; note\r\n[General]\r\nbytesText=1\r\nrefreshCombo=7\r\nspeedCombo=0\r\n\r\n"
                                        "[Alarm]\r\nrefreshCombo=9\r\n");
}

TEST_F(IniFileTest, NewKeyGoesAfterTheLastEntryOfItsSection) {
    dir.write("settings.txt", "[General]\nbytesText=1\n\n[Alarm]\nNumAlarms=0\n");
    writeIniValue(path, "General", "chartVisible", "False");
    EXPECT_EQ(dir.read("settings.txt"),
              "[General]\r\nbytesText=1\r\nchartVisible=False\r\n\r\n[Alarm]\r\nNumAlarms=0\r\n");
}

TEST_F(IniFileTest, MissingSectionIsAppendedAtTheEndAndTheFileIsCreatedByTheFirstWrite) {
    writeIniValue(path, "General", "bytesText", "1");
    writeIniValue(path, "Alarm", "NumAlarms", "2");
    EXPECT_EQ(dir.read("settings.txt"), "[General]\r\nbytesText=1\r\n[Alarm]\r\nNumAlarms=2\r\n");
    EXPECT_EQ(readIniValue(path, "Alarm", "NumAlarms", "0"), "2");
}

TEST_F(IniFileTest, WrittenValuesAreCutTo2047CharactersAndALineBreakCannotSplitTheEntry) {
    const std::string value(3000, 'x');
    writeIniValue(path, "Alarm", "AudioPath", value);
    EXPECT_EQ(readIniValue(path, "Alarm", "AudioPath"), value.substr(0, 2047));
    writeIniValue(path, "Alarm", "AudioPath", "a\r\n[General]\nrefreshCombo=0");
    EXPECT_EQ(readIni(path, kRefreshCombo), "2");
}

TEST_F(IniFileTest, FailedWriteShowsSaveError) {
    const std::string inMissingFolder = dir.file("no/such/settings.txt");
    writeIniValue(inMissingFolder, "General", "bytesText", "1");
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0], "ini-file save error.");
}

TEST_F(IniFileTest, DeleteRemovesTheEntryAndEveryBlankLineKeepingTheOrder) {
    dir.write("settings.txt", "[Interfaces]\r\n\r\nNumInterfaces=2\r\nRow1a=Interface\r\n\r\nRow2a=Single IP\r\n"
                              "Row2b=10.0.0.1\r\n\r\n[Alarm]\r\nNumAlarms=0\r\n");
    deleteIniKey(path, "Interfaces", "Row2a");
    EXPECT_EQ(dir.read("settings.txt"), "[Interfaces]\r\nNumInterfaces=2\r\nRow1a=Interface\r\nRow2b=10.0.0.1\r\n"
                                        "[Alarm]\r\nNumAlarms=0\r\n");
}

// The section and the key must both match, with their exact case, or nothing is deleted.
TEST_F(IniFileTest, DeleteChangesNothingWithoutAnExactMatchOfSectionAndKey) {
    const std::string text = "[Interfaces]\r\n\r\nNumInterfaces=0\r\n[alarm]\r\nRow1a=download\r\n[Alarm]\r\n"
                             "row1a=upload\r\n";
    dir.write("settings.txt", text);
    deleteIniKey(path, "Interfaces", "Row1a");
    deleteIniKey(path, "Nowhere", "Row1a");
    deleteIniKey(path, "Alarm", "Row1a");
    EXPECT_EQ(dir.read("settings.txt"), text);
    EXPECT_TRUE(sink.messages.empty());
}

TEST(IniConversions, NumbersAndBooleansReadTheWayTheProgramStoresThem) {
    EXPECT_EQ(iniToInt(" 3 "), 3);
    EXPECT_EQ(iniToInt("2.5"), 2);
    EXPECT_EQ(iniToInt("3.5"), 4);
    EXPECT_EQ(iniToInt("-1"), -1);
    EXPECT_EQ(iniToInt("", 7), 7);
    EXPECT_EQ(iniToInt("12abc", 7), 7);
    EXPECT_EQ(iniToInt("1e30", 7), 7);
    EXPECT_DOUBLE_EQ(iniToDouble("+1.25"), 1.25);
    EXPECT_TRUE(iniToBool("True"));
    EXPECT_TRUE(iniToBool("true"));
    EXPECT_FALSE(iniToBool("False", true));
    EXPECT_TRUE(iniToBool("1"));
    EXPECT_FALSE(iniToBool("0", true));
    EXPECT_TRUE(iniToBool("maybe", true));
    EXPECT_EQ(rowKey(12, 'c'), "Row12c");
}

namespace {

// Repeated sections in other cases, repeated keys, entries before any section, blanks and a header without its
// closing bracket: the places where an index could answer otherwise than a scan.
constexpr std::string_view kTrickyFile = "orphan=1\r\n[General]\r\nrefreshCombo=1\r\n REFRESHCOMBO = 2\r\n"
                                         "speedCombo=\r\n[ALARM]\r\nNumAlarms=3\r\n[general]\r\nrefreshCombo=9\r\n"
                                         "bytesText=4\r\n[Alarm\r\nnumalarms=5\r\nRow1a=upload\r\n\r\n"
                                         "[Interfaces]\r\nRow1a = eth0 \r\n";

const std::vector<std::pair<std::string, std::string>> kTrickyQueries = {
    {"General", "refreshCombo"}, {" general ", "REFRESHCOMBO"},
    {"General", "bytesText"},    {"General", "orphan"},
    {"General", "speedCombo"},   {"Alarm", "NumAlarms"},
    {"alarm", "row1a"},          {"Interfaces", "ROW1A"},
    {"Nowhere", "Row1a"},        {"", "orphan"}};

} // namespace

TEST_F(IniFileTest, ADocumentReadManyTimesAnswersEveryKeyAsASingleReadOfTheFileDoes) {
    dir.write("settings.txt", std::string(kTrickyFile));
    std::vector<std::string> single;
    for (const auto& [section, key] : kTrickyQueries) {
        single.push_back(readIniValue(path, section, key, "default"));
    }
    const auto doc = IniDocument::load(path);
    for (int round = 0; round < 2; ++round) { // the first lookups scan, the later ones use the index
        for (std::size_t i = 0; i < kTrickyQueries.size(); ++i) {
            EXPECT_EQ(doc.read(kTrickyQueries[i].first, kTrickyQueries[i].second, "default"), single[i])
                << kTrickyQueries[i].first << "/" << kTrickyQueries[i].second;
        }
    }
    EXPECT_EQ(single[0], "1");
    EXPECT_EQ(single[5], "3");
    EXPECT_EQ(single[7], "eth0");
    EXPECT_EQ(single[8], "default");
}

TEST_F(IniFileTest, WritesAndDeletesInOnePassLeaveTheLinesThatOneAfterTheOtherWould) {
    dir.write("settings.txt", std::string(kTrickyFile));
    auto oneByOne = IniDocument::load(path);
    auto together = IniDocument::load(path);
    for (const char* key : {"Row1a", "Row9z", "NumAlarms", "numalarms"}) {
        oneByOne.deleteKey("ALARM", key);
    }
    EXPECT_EQ(together.deleteKeys("ALARM", {"Row1a", "Row9z", "NumAlarms", "numalarms"}), 1u);
    const std::vector<std::pair<std::string, std::string>> entries = {
        {"refreshcombo", "7"}, {"newKey", "a"}, {"Row2b", "b"}, {"NEWKEY", "c"}, {"bytesText", "d"}};
    for (const auto& section : {"general", "Fresh"}) {
        for (const auto& [key, value] : entries) {
            oneByOne.write(section, key, value);
        }
        together.writeEntries(section, entries);
    }
    EXPECT_EQ(together.lines(), oneByOne.lines());
    // The index follows the moved lines.
    EXPECT_EQ(together.read("General", "newkey"), "c");
    EXPECT_EQ(together.read("fresh", "bytesText"), "d");
    EXPECT_EQ(together.read("Alarm", "NumAlarms"), "");
}

// Single reads keep the parsed file while it stands as it was read; any change of it is seen at the next read.
TEST_F(IniFileTest, SingleReadsSeeEveryChangeOfTheFileEvenOfTheSameSize) {
    const auto anHourAgo = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
    dir.write("settings.txt", "[General]\r\nrefreshCombo=1\r\n");
    std::filesystem::last_write_time(path, anHourAgo);
    EXPECT_EQ(readIniValue(path, "General", "refreshCombo"), "1");
    EXPECT_EQ(readIniValue(path, "General", "refreshCombo"), "1"); // from the kept document
    dir.write("settings.txt", "[General]\r\nrefreshCombo=3\r\n");  // in place, the same size, written just now
    EXPECT_EQ(readIniValue(path, "General", "refreshCombo"), "3");
    dir.write("settings.txt", "[General]\r\nrefreshCombo=4\r\n"); // again within the time stamp's granularity
    EXPECT_EQ(readIniValue(path, "General", "refreshCombo"), "4");
    writeIniValue(path, "General", "refreshCombo", "5");
    EXPECT_EQ(readIniValue(path, "General", "refreshCombo"), "5");
}
