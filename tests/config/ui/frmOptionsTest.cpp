#include "config/ui/frmOptions.h"

#include "config/IconSensitivity.h"
#include "config/IniFile.h"
#include "platform/fake/FakeStartupEntry.h"
#include "support/CapturingMessageSink.h"
#include "support/TempDir.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

class OptionsTest : public testing::Test {
protected:
    std::string settings() const { return dir.file("settings.txt"); }
    std::string read(std::string_view section, std::string_view key) const {
        return tw::readIniValue(settings(), section, key, "<missing>");
    }

    std::unique_ptr<tw::frmOptions> open() {
        auto window = std::make_unique<tw::frmOptions>(settings(), startup);
        window->setConnectionPicker([this](QWidget*, const std::vector<tw::MonitoredConnection>& existing) {
            seenExisting = existing;
            return nextConnection;
        });
        return window;
    }
    template <class T> static T* child(QWidget* w, const char* name) {
        T* found = w->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    static void pressOk(tw::frmOptions& w) { child<QPushButton>(&w, "OKButton")->click(); }
    static void setSensitivity(tw::frmOptions& w, const QString& text, int unit) {
        child<QLineEdit>(&w, "bytesText")->setText(text);
        child<QComboBox>(&w, "bytesCombo")->setCurrentIndex(unit);
    }

    twtest::TempDir dir;
    twtest::CapturingMessageSink messages;
    tw::FakeStartupEntry startup;
    std::optional<tw::MonitoredConnection> nextConnection;
    std::vector<tw::MonitoredConnection> seenExisting;
};

} // namespace

TEST_F(OptionsTest, opensWithTheDefaultsWhenThereIsNoSettingsFile) {
    auto w = open();
    EXPECT_EQ(w->windowTitle(), "Settings");
    auto* tabs = child<QTabWidget>(w.get(), "tbsOptions");
    ASSERT_EQ(tabs->count(), 4);
    EXPECT_EQ(tabs->tabText(0), "General");
    EXPECT_EQ(tabs->tabText(3), "Chart");
    EXPECT_EQ(tabs->currentIndex(), 0);
    EXPECT_EQ(child<QComboBox>(w.get(), "refreshCombo")->currentText(), "1 second");
    EXPECT_EQ(child<QLineEdit>(w.get(), "bytesText")->text(), "1");
    EXPECT_EQ(child<QComboBox>(w.get(), "bytesCombo")->currentText(), "bytes/s");
    EXPECT_TRUE(child<QCheckBox>(w.get(), "allInterfacesCheck")->isChecked());
    EXPECT_FALSE(child<QTreeWidget>(w.get(), "ListView1")->isEnabled());
    EXPECT_FALSE(child<QPushButton>(w.get(), "addInterfaceButton")->isEnabled());
    EXPECT_FALSE(child<QCheckBox>(w.get(), "startUpCheck")->isChecked());
    const auto units = w->findChildren<QComboBox*>("unitCombo");
    ASSERT_EQ(units.size(), 3);
    EXPECT_EQ(units[2]->currentText(), "Variable");
    EXPECT_TRUE(w->findChildren<QRadioButton*>("chartType")[0]->isChecked());
    EXPECT_EQ(w->findChildren<QRadioButton*>("chartType")[0]->text(), "Bar chart");
    EXPECT_TRUE(messages.messages.empty());
}

TEST_F(OptionsTest, loadsEveryControlFromTheSettingsFile) {
    dir.write("settings.txt", "[General]\r\nbytesText=2.5\r\nbytesCombo=1\r\nrefreshCombo=9\r\nunitCombo_1=3\r\n"
                              "speedCombo=2\r\nshowBarChart=False\r\n[Interfaces]\r\nallInterfaces=0\r\n"
                              "NumInterfaces=2\r\nRow1a=Interface\r\nRow1b=eth0\r\nRow2a=IP Range\r\n"
                              "Row2b=10.0.0.1-10.0.0.9\r\n");
    startup.set = true;
    auto w = open();
    EXPECT_EQ(child<QLineEdit>(w.get(), "bytesText")->text(), "2.5");
    EXPECT_EQ(child<QComboBox>(w.get(), "bytesCombo")->currentIndex(), 1);
    EXPECT_EQ(child<QComboBox>(w.get(), "refreshCombo")->currentText(), "1 minute");
    EXPECT_EQ(w->findChildren<QComboBox*>("unitCombo")[1]->currentText(), "MB");
    EXPECT_EQ(child<QComboBox>(w.get(), "speedCombo")->currentText(), "kB/s");
    EXPECT_TRUE(w->findChildren<QRadioButton*>("chartType")[1]->isChecked());
    EXPECT_TRUE(child<QCheckBox>(w.get(), "startUpCheck")->isChecked());
    EXPECT_TRUE(child<QTreeWidget>(w.get(), "ListView1")->isEnabled());
    EXPECT_EQ(w->connections(), (std::vector<tw::MonitoredConnection>{{tw::kKindInterface, "eth0"},
                                                                      {tw::kKindIpRange, "10.0.0.1-10.0.0.9"}}));
}

TEST_F(OptionsTest, refusedSensitivityBringsTheGeneralTabForwardWithTheTextSelected) {
    auto w = open();
    w->show();
    QApplication::setActiveWindow(w.get());
    for (const auto& [text, unit, message] : std::vector<std::tuple<QString, int, std::string>>{
             {"1025", 2, "Sensitivity value too large!\nMaximum value is 1024 MB/s."},
             {"0.4", 0, "Sensitivity must be at least 1 byte/s!"},
             {"abc", 0, "Sensitivity value must be numeric!"}}) {
        messages.messages.clear();
        setSensitivity(*w, text, unit);
        child<QTabWidget>(w.get(), "tbsOptions")->setCurrentIndex(3);
        pressOk(*w);
        EXPECT_TRUE(w->isVisible()) << text.toStdString();
        EXPECT_EQ(messages.messages, std::vector<std::string>{message});
        EXPECT_EQ(child<QTabWidget>(w.get(), "tbsOptions")->currentIndex(), 0);
        EXPECT_EQ(child<QLineEdit>(w.get(), "bytesText")->selectedText(), text);
        EXPECT_TRUE(child<QLineEdit>(w.get(), "bytesText")->hasFocus());
    }
    EXPECT_EQ(read("General", "bytesText"), "<missing>");
}

// The largest value is accepted; a fraction is stored as typed, the icon's threshold rounded to whole bytes.
TEST_F(OptionsTest, acceptedSensitivityIsStoredAsTypedWithItsThreshold) {
    for (const auto& [text, unit, threshold] :
         std::vector<std::tuple<QString, int, std::int32_t>>{{"1024", 2, 1073741824}, {"1.6", 0, 2}}) {
        SCOPED_TRACE(text.toStdString());
        auto w = open();
        setSensitivity(*w, text, unit);
        pressOk(*w);
        EXPECT_EQ(w->result(), QDialog::Accepted);
        EXPECT_EQ(read("General", "bytesText"), text.toStdString());
        EXPECT_EQ(read("General", "bytesCombo"), std::to_string(unit));
        EXPECT_EQ(tw::loadIconSensitivity(settings()), threshold);
    }
}

TEST_F(OptionsTest, okWritesEveryControlAndTheConnectionRowsInListOrder) {
    dir.write("settings.txt", "[Interfaces]\r\nNumInterfaces=3\r\nRow1a=Interface\r\nRow1b=eth0\r\n"
                              "Row2a=Single IP\r\nRow2b=10.0.0.2\r\nRow3a=Interface\r\nRow3b=wlan0\r\n");
    auto w = open();
    child<QCheckBox>(w.get(), "allInterfacesCheck")->setChecked(false);
    auto* list = child<QTreeWidget>(w.get(), "ListView1");
    list->setCurrentItem(list->topLevelItem(1));
    QTest::keyClick(list, Qt::Key_Delete);
    nextConnection = tw::MonitoredConnection{tw::kKindSingleIp, "192.168.1.7"};
    child<QPushButton>(w.get(), "addInterfaceButton")->click();
    EXPECT_EQ(seenExisting.size(), 2u);
    child<QComboBox>(w.get(), "refreshCombo")->setCurrentIndex(0);
    w->findChildren<QComboBox*>("unitCombo")[2]->setCurrentIndex(4);
    w->findChildren<QRadioButton*>("chartType")[1]->setChecked(true);
    pressOk(*w);

    EXPECT_EQ(read("General", "refreshCombo"), "0");
    EXPECT_EQ(read("General", "unitCombo_2"), "4");
    EXPECT_EQ(read("General", "unitCombo_0"), "0");
    EXPECT_EQ(read("General", "speedCombo"), "0");
    EXPECT_EQ(read("General", "showBarChart"), "False");
    EXPECT_EQ(read("Interfaces", "allInterfaces"), "0");
    EXPECT_EQ(read("Interfaces", "NumInterfaces"), "3");
    EXPECT_EQ(read("Interfaces", "Row2b"), "wlan0");
    EXPECT_EQ(read("Interfaces", "Row3a"), "Single IP");
    EXPECT_EQ(read("Interfaces", "Row3b"), "192.168.1.7");
}

TEST_F(OptionsTest, removingAllConnectionsLeavesNoRowKeys) {
    dir.write("settings.txt", "[Interfaces]\r\nallInterfaces=0\r\nNumInterfaces=2\r\nRow1a=Interface\r\n"
                              "Row1b=eth0\r\nRow2a=Single IP\r\nRow2b=10.0.0.2\r\n[Alarm]\r\nRow1a=download\r\n");
    auto w = open();
    auto* list = child<QTreeWidget>(w.get(), "ListView1");
    for (int i = 0; i < 3; ++i) { // the third press finds the list empty
        list->setCurrentItem(list->topLevelItem(0));
        child<QPushButton>(w.get(), "removeInterfaceButton")->click();
    }
    pressOk(*w);
    EXPECT_EQ(read("Interfaces", "NumInterfaces"), "0");
    const std::string content = dir.read("settings.txt");
    const std::string interfaces = content.substr(0, content.find("[Alarm]"));
    EXPECT_EQ(interfaces.find("Row"), std::string::npos) << content;
    EXPECT_EQ(read("Alarm", "Row1a"), "download");
}

TEST_F(OptionsTest, startWithLoginFollowsTheCheckBoxAndReportsFailuresWithoutStoppingTheSave) {
    auto w = open();
    child<QCheckBox>(w.get(), "startUpCheck")->setChecked(true);
    startup.failureText = "Error creating registry key entry.\r\nkey: /x/autostart\r\n";
    pressOk(*w);
    EXPECT_EQ(messages.messages, std::vector<std::string>{"Error creating registry key entry.\nkey: /x/autostart"});
    EXPECT_EQ(w->result(), QDialog::Accepted);
    EXPECT_EQ(read("General", "showBarChart"), "True");

    startup.failureText.clear();
    startup.set = true;
    auto again = open();
    child<QCheckBox>(again.get(), "startUpCheck")->setChecked(false);
    pressOk(*again);
    EXPECT_FALSE(startup.set);
}

TEST_F(OptionsTest, cancelWritesNothing) {
    auto w = open();
    setSensitivity(*w, "5", 1);
    child<QPushButton>(w.get(), "CancelButton")->click();
    EXPECT_EQ(w->result(), QDialog::Rejected);
    EXPECT_EQ(startup.setCalls, 0);
    EXPECT_FALSE(std::filesystem::exists(settings()));
}

TEST_F(OptionsTest, ctrlTabCyclesThroughTheTabsBothWays) {
    auto w = open();
    w->show();
    QApplication::setActiveWindow(w.get());
    auto* tabs = child<QTabWidget>(w.get(), "tbsOptions");
    QTest::keyClick(w.get(), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(tabs->currentIndex(), 1);
    tabs->setCurrentIndex(3);
    QTest::keyClick(w.get(), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(tabs->currentIndex(), 0);
    QTest::keyClick(w.get(), Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(tabs->currentIndex(), 3);
}
