// The billing month and the allowance on the "General" page of the settings window.
#include "config/ui/frmOptions.h"

#include "config/IniFile.h"
#include "platform/fake/FakeStartupEntry.h"
#include "support/CapturingMessageSink.h"
#include "support/TempDir.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class OptionsBillingTest : public testing::Test {
protected:
    std::string settings() const { return dir.file("settings.txt"); }
    std::string read(std::string_view key) const { return tw::readIniValue(settings(), "General", key, "<missing>"); }
    std::unique_ptr<tw::frmOptions> open() {
        auto w = std::make_unique<tw::frmOptions>(settings(), startup);
        w->show();
        QApplication::setActiveWindow(w.get());
        return w;
    }
    template <class T> static T* child(QWidget* w, const char* name) {
        T* found = w->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    // Types into the control as a person does: everything selected first, then the keys.
    static void type(QWidget* control, const QString& text) {
        control->setFocus();
        QTest::keyClick(control, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(control, text);
    }
    static void pressOk(tw::frmOptions& w) { QTest::mouseClick(child<QPushButton>(&w, "OKButton"), Qt::LeftButton); }

    twtest::TempDir dir;
    twtest::CapturingMessageSink messages;
    tw::FakeStartupEntry startup;
};

} // namespace

TEST_F(OptionsBillingTest, theDefaultsAreTheCalendarMonthAndNoAllowanceAndOkLeavesTheFileWithoutTheirKeys) {
    auto w = open();
    EXPECT_EQ(child<QSpinBox>(w.get(), "monthStartDay")->value(), 1);
    EXPECT_EQ(child<QSpinBox>(w.get(), "monthStartDay")->minimum(), 1);
    EXPECT_EQ(child<QSpinBox>(w.get(), "monthStartDay")->maximum(), 28);
    EXPECT_EQ(child<QLineEdit>(w.get(), "allowanceText")->text(), "0");
    EXPECT_EQ(child<QComboBox>(w.get(), "allowanceCombo")->currentText(), "GB");
    pressOk(*w);
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(read("monthStartDay"), "<missing>");
    EXPECT_EQ(read("monthlyAllowance"), "<missing>");
    EXPECT_EQ(read("bytesText"), "1") << "the window was saved";
}

TEST_F(OptionsBillingTest, loadsTheAllowanceInTheLargestUnitThatDividesItAndStoresWhatIsTypedInBytes) {
    dir.write("settings.txt", "[General]\r\nmonthStartDay=15\r\nmonthlyAllowance=53687091200\r\n");
    auto w = open();
    EXPECT_EQ(child<QSpinBox>(w.get(), "monthStartDay")->value(), 15);
    EXPECT_EQ(child<QLineEdit>(w.get(), "allowanceText")->text(), "50");
    EXPECT_EQ(child<QComboBox>(w.get(), "allowanceCombo")->currentText(), "GB");

    type(child<QSpinBox>(w.get(), "monthStartDay"), "28");
    type(child<QLineEdit>(w.get(), "allowanceText"), "1.5");
    child<QComboBox>(w.get(), "allowanceCombo")->setCurrentIndex(2); // MB
    pressOk(*w);
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(read("monthStartDay"), "28");
    EXPECT_EQ(read("monthlyAllowance"), "1572864");

    // Back to the defaults: the keys now say so.
    auto again = open();
    EXPECT_EQ(child<QLineEdit>(again.get(), "allowanceText")->text(), "1536");
    EXPECT_EQ(child<QComboBox>(again.get(), "allowanceCombo")->currentText(), "kB");
    type(child<QSpinBox>(again.get(), "monthStartDay"), "1");
    type(child<QLineEdit>(again.get(), "allowanceText"), "0");
    pressOk(*again);
    EXPECT_EQ(read("monthStartDay"), "1");
    EXPECT_EQ(read("monthlyAllowance"), "0");
}

TEST_F(OptionsBillingTest, aRefusedAllowanceBringsTheGeneralTabForwardWithTheTextSelectedAndSavesNothing) {
    auto w = open();
    for (const auto& [text, message] : std::vector<std::pair<QString, std::string>>{
             {"abc", "Monthly allowance must be numeric!"},
             {"-2", "Monthly allowance can't be negative!"},
             {"9000000", "Monthly allowance too large!\nMaximum value is 8388608 GB."}}) {
        messages.messages.clear();
        type(child<QLineEdit>(w.get(), "allowanceText"), text);
        child<QTabWidget>(w.get(), "tbsOptions")->setCurrentIndex(2);
        pressOk(*w);
        EXPECT_TRUE(w->isVisible()) << text.toStdString();
        EXPECT_EQ(messages.messages, std::vector<std::string>{message});
        EXPECT_EQ(child<QTabWidget>(w.get(), "tbsOptions")->currentIndex(), 0);
        EXPECT_EQ(child<QLineEdit>(w.get(), "allowanceText")->selectedText(), text);
        EXPECT_TRUE(child<QLineEdit>(w.get(), "allowanceText")->hasFocus());
    }
    EXPECT_EQ(read("bytesText"), "<missing>");
}
