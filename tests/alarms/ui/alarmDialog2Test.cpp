#include "alarms/ui/alarmDialog2.h"
#include "alarms/ui/addalarmDialog.h"
#include "alarms/ui/editAlarmDialog.h"

#include "alarms/AlarmList.h"
#include "config/IniFile.h"
#include "support/CapturingMessageSink.h"
#include "support/TempDir.h"
#include "support/qt_ModalAnswerer.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include <filesystem>

using tw::AlarmRow;

namespace {

class AlarmWindowTest : public testing::Test {
protected:
    AlarmWindowTest() {
        std::filesystem::copy_file(std::filesystem::path(TALLYWAVE_SOURCE_DIR) / "src/resources/wakeup.wav",
                                   dir.file("wakeup.wav"));
    }

    std::string settings() const { return dir.file("settings.txt"); }
    std::string read(std::string_view key) const { return tw::readIniValue(settings(), "Alarm", key, "<missing>"); }
    void alarmSection(const std::string& lines) const { dir.write("settings.txt", "[Alarm]\r\n" + lines); }
    std::unique_ptr<tw::alarmDialog2> open() {
        return std::make_unique<tw::alarmDialog2>(settings(), dir.file("wakeup.wav"), &alarms);
    }
    template <class T> static T* child(QWidget* w, const char* name) {
        T* found = w->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    static void pressOk(QWidget* w) { child<QPushButton>(w, "OKButton")->click(); }
    static void select(tw::alarmDialog2& w, int row) {
        auto* list = child<QTreeWidget>(&w, "ListView1");
        list->setCurrentItem(list->topLevelItem(row));
    }

    twtest::TempDir dir;
    twtest::CapturingMessageSink messages;
    std::vector<tw::alarmClass1> alarms = std::vector<tw::alarmClass1>(1);
};

const std::string kEquivalent = "Equivalent alarms found.\nRemoving the redundant alarm now.";

} // namespace

TEST_F(AlarmWindowTest, opensWithTheDefaultsWhenThereIsNoSettingsFile) {
    auto w = open();
    EXPECT_EQ(w->windowTitle(), "Alarms");
    EXPECT_EQ(child<QTabWidget>(w.get(), "tbsAlarms")->tabText(0), "Alarm list");
    EXPECT_TRUE(child<QCheckBox>(w.get(), "disableAll")->isChecked());
    EXPECT_FALSE(child<QTreeWidget>(w.get(), "ListView1")->isEnabled());
    EXPECT_FALSE(child<QPushButton>(w.get(), "Command1")->isEnabled());
    EXPECT_TRUE(child<QCheckBox>(w.get(), "soundCheck")->isChecked());
    EXPECT_EQ(child<QLineEdit>(w.get(), "pathText")->text().toStdString(), dir.file("wakeup.wav"));
    EXPECT_FALSE(child<QCheckBox>(w.get(), "autDisconnectCheck")->isChecked());
    EXPECT_FALSE(child<QLineEdit>(w.get(), "secondsText")->isEnabled());
    EXPECT_FALSE(child<QCheckBox>(w.get(), "disableCancelCheck")->isEnabled());
    EXPECT_EQ(child<QLineEdit>(w.get(), "secondsText")->text(), "10");
    EXPECT_TRUE(child<QCheckBox>(w.get(), "transparentCheck")->isChecked());
    EXPECT_EQ(child<QComboBox>(w.get(), "transparentCombo")->currentText(), "5%");
    EXPECT_TRUE(w->rows().empty());
}

TEST_F(AlarmWindowTest, storedLimitsAreShownWithTheLargestExactUnit) {
    alarmSection("AlarmDisabled=0\r\nNumAlarms=3\r\nRow1a=download\r\nRow1b=per day\r\nRow1c=1536\r\n"
                 "Row2a=upload\r\nRow2b=per month\r\nRow2c=1572864\r\nRow3a=download/upload\r\n"
                 "Row3b=per session\r\nRow3c=5368709120\r\nAudibleAlarm=0\r\nPercentInvisible=3\r\n");
    auto w = open();
    EXPECT_EQ(w->rows(), (std::vector<AlarmRow>{{"download", "per day", "1536 bytes"},
                                                {"upload", "per month", "1536 kB"},
                                                {"download/upload", "per session", "5 GB"}}));
    EXPECT_TRUE(child<QTreeWidget>(w.get(), "ListView1")->isEnabled());
    EXPECT_FALSE(child<QLineEdit>(w.get(), "pathText")->isEnabled());
    EXPECT_FALSE(child<QPushButton>(w.get(), "chPathButton")->isEnabled());
    EXPECT_EQ(child<QComboBox>(w.get(), "transparentCombo")->currentText(), "20%");
}

TEST_F(AlarmWindowTest, okRemovesEquivalentAlarmsSavesTheRowsAndRebuildsTheRules) {
    alarmSection("AlarmDisabled=0\r\nNumAlarms=4\r\nRow1a=download\r\nRow1b=per day\r\nRow1c=1048576\r\n"
                 "Row2a=upload\r\nRow2b=per day\r\nRow2c=1048576\r\nRow3a=download\r\nRow3b=per day\r\n"
                 "Row3c=1048576\r\nRow4a=x\r\nRow4b=y\r\nRow4c=1\r\n");
    auto w = open();
    w->appendRow({"download", "per day", "1024 kB"});
    pressOk(w.get());
    EXPECT_EQ(w->result(), QDialog::Accepted);
    EXPECT_EQ(messages.messages, (std::vector<std::string>{kEquivalent, kEquivalent}));
    EXPECT_EQ(read("NumAlarms"), "3");
    EXPECT_EQ(read("Row1c"), "1048576");
    EXPECT_EQ(read("Row2a"), "upload");
    EXPECT_EQ(read("Row3a"), "x");
    EXPECT_EQ(read("Row4a"), "<missing>");
    EXPECT_EQ(read("AlarmDisabled"), "0");
    EXPECT_EQ(read("AudibleAlarm"), "1");
    EXPECT_EQ(read("AudioPath"), dir.file("wakeup.wav"));
    EXPECT_EQ(read("SecondsDelay"), "10");
    EXPECT_EQ(read("isInvisible"), "1");
    EXPECT_EQ(read("PercentInvisible"), "0");
    ASSERT_EQ(alarms.size(), 3u);
    EXPECT_EQ(alarms[0].getString(), "Download limit of 1 MB/day.");
    EXPECT_EQ(alarms[1].getString(), "Upload limit of 1 MB/day.");
}

TEST_F(AlarmWindowTest, cancelWritesNothingAndOkStoresDisabledAlarmsButRunsNone) {
    auto cancelled = open();
    cancelled->appendRow({"download", "per session", "5 MB"});
    child<QPushButton>(cancelled.get(), "CancelButton")->click();
    EXPECT_FALSE(std::filesystem::exists(settings()));
    EXPECT_EQ(alarms.size(), 1u) << "the running rules stay";

    auto w = open();
    w->appendRow({"download", "per session", "5 MB"});
    pressOk(w.get());
    EXPECT_EQ(read("AlarmDisabled"), "1");
    EXPECT_EQ(read("Row1c"), "5242880");
    EXPECT_TRUE(alarms.empty());
}

TEST_F(AlarmWindowTest, missingSoundFileKeepsTheWindowOpenOnTheOptionsTab) {
    auto w = open();
    w->show();
    QApplication::setActiveWindow(w.get());
    child<QLineEdit>(w.get(), "pathText")->setText("/nowhere/bell.wav");
    pressOk(w.get());
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(messages.messages,
              std::vector<std::string>{"The Sound-file could not be found.\nPlease enter a valid path."});
    EXPECT_EQ(child<QTabWidget>(w.get(), "tbsAlarms")->currentIndex(), 1);
    EXPECT_TRUE(child<QLineEdit>(w.get(), "pathText")->hasFocus());
    EXPECT_EQ(child<QLineEdit>(w.get(), "pathText")->selectedText(), "/nowhere/bell.wav");
    EXPECT_FALSE(std::filesystem::exists(settings()));
}

TEST_F(AlarmWindowTest, disconnectDelayMustBeAWholeNumberFrom1To99OnlyWhenTheBoxIsChecked) {
    auto w = open();
    child<QCheckBox>(w.get(), "autDisconnectCheck")->setChecked(true);
    for (const auto& [text, message] : std::vector<std::pair<QString, std::string>>{
             {"0", "Disconnect delay time must be between 1 and 99 seconds!"},
             {"100", "Disconnect delay time must be between 1 and 99 seconds!"},
             {"ten", "Disconnect delay time must be an integer!"}}) {
        messages.messages.clear();
        child<QLineEdit>(w.get(), "secondsText")->setText(text);
        pressOk(w.get());
        EXPECT_EQ(messages.messages, std::vector<std::string>{message}) << text.toStdString();
        EXPECT_EQ(child<QLineEdit>(w.get(), "secondsText")->selectedText(), text);
    }
    EXPECT_FALSE(std::filesystem::exists(settings()));
    child<QCheckBox>(w.get(), "autDisconnectCheck")->setChecked(false);
    pressOk(w.get());
    EXPECT_EQ(read("SecondsDelay"), "ten");
    EXPECT_EQ(read("automaticDisconnect"), "0");
}

TEST_F(AlarmWindowTest, editedAlarmMovesToTheEndOfTheList) {
    alarmSection("AlarmDisabled=0\r\nNumAlarms=3\r\nRow1a=download\r\nRow1b=per day\r\nRow1c=2048\r\n"
                 "Row2a=upload\r\nRow2b=per day\r\nRow2c=1\r\nRow3a=upload\r\nRow3b=per month\r\nRow3c=1\r\n");
    auto w = open();
    select(*w, 0);
    twtest::ModalAnswerer answer;
    std::vector<std::string> preloaded;
    answer.then([&](QWidget* dialog) {
        preloaded = {child<QComboBox>(dialog, "Combo2")->currentText().toStdString(),
                     child<QComboBox>(dialog, "Combo1")->currentText().toStdString(),
                     child<QLineEdit>(dialog, "amountText")->text().toStdString(),
                     child<QComboBox>(dialog, "totalCombo")->currentText().toStdString(),
                     dialog->windowTitle().toStdString()};
        child<QLineEdit>(dialog, "amountText")->setText("3");
        child<QPushButton>(dialog, "OKButton")->click();
    });
    child<QPushButton>(w.get(), "Command1")->click();
    EXPECT_EQ(preloaded, (std::vector<std::string>{"download", "per day", "2", "kB", "Edit alarm"}));
    pressOk(w.get());
    EXPECT_EQ(read("Row3a"), "download");
    EXPECT_EQ(read("Row3c"), "3072");
    EXPECT_EQ(read("Row1a"), "upload");
}

TEST_F(AlarmWindowTest, addDialogOffersPerSecondOnlyForSpeedsAndChecksTheAmount) {
    auto w = open();
    tw::addalarmDialog add(w.get());
    EXPECT_EQ(add.windowTitle(), "Add alarm");
    auto* kind = child<QComboBox>(&add, "Combo2");
    auto* period = child<QComboBox>(&add, "Combo1");
    EXPECT_EQ(period->count(), 3);
    EXPECT_EQ(child<QLineEdit>(&add, "amountText")->text(), "1");
    kind->setCurrentText("upload speed");
    EXPECT_EQ(period->currentText(), "per second");
    EXPECT_FALSE(period->isEnabled());
    kind->setCurrentText("total speed");
    EXPECT_EQ(period->count(), 4);
    kind->setCurrentText("download");
    EXPECT_EQ(period->count(), 3);
    EXPECT_EQ(period->currentText(), "per session");
    EXPECT_TRUE(period->isEnabled());

    period->setCurrentText("per month");
    child<QComboBox>(&add, "totalCombo")->setCurrentText("MB");
    for (const auto& [amount, message] : std::vector<std::pair<QString, std::string>>{
             {"-1", "Alarm value can't be negative!"}, {"abc", "Alarm value must be numeric!"}}) {
        messages.messages.clear();
        child<QLineEdit>(&add, "amountText")->setText(amount);
        child<QPushButton>(&add, "OKButton")->click();
        EXPECT_EQ(messages.messages, std::vector<std::string>{message});
        EXPECT_EQ(add.result(), 0);
        EXPECT_EQ(child<QLineEdit>(&add, "amountText")->selectedText(), amount);
    }
    child<QLineEdit>(&add, "amountText")->setText("0.5");
    child<QPushButton>(&add, "OKButton")->click();
    EXPECT_EQ(add.result(), QDialog::Accepted);
    EXPECT_EQ(add.row(), (AlarmRow{"download", "per month", "0.5 MB"}));
}

TEST_F(AlarmWindowTest, theListTakesTheRowOfAnAddDialogClosedWithOkOnlyAndEditAndDeleteNeedASelection) {
    auto w = open();
    child<QCheckBox>(w.get(), "disableAll")->setChecked(false);
    twtest::ModalAnswerer answer;
    answer.then([](QWidget* dialog) { child<QPushButton>(dialog, "CancelButton")->click(); });
    answer.then([](QWidget* dialog) { child<QPushButton>(dialog, "OKButton")->click(); });
    child<QPushButton>(w.get(), "addInterfaceButton")->click();
    EXPECT_TRUE(w->rows().empty());
    child<QPushButton>(w.get(), "addInterfaceButton")->click();
    EXPECT_EQ(w->rows(), (std::vector<AlarmRow>{{"download", "per session", "1 bytes"}}));
    child<QTreeWidget>(w.get(), "ListView1")->clearSelection();
    child<QPushButton>(w.get(), "removeInterfaceButton")->click();
    child<QPushButton>(w.get(), "Command1")->click(); // no dialog opens: the test would hang otherwise
    EXPECT_EQ(w->rows().size(), 1u);
}

TEST_F(AlarmWindowTest, anAmountTypedWithATrailingBlankKeepsItsUnitWhenEdited) {
    auto w = open();
    w->show();
    auto* disableAll = child<QCheckBox>(w.get(), "disableAll");
    QTest::mouseClick(disableAll, Qt::LeftButton, {}, QPoint(8, disableAll->height() / 2)); // on its box
    twtest::ModalAnswerer answer;
    answer.then([](QWidget* dialog) {
        auto* amount = child<QLineEdit>(dialog, "amountText");
        amount->setFocus();
        QTest::keyClick(amount, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(amount, "5 ");
        auto* unit = child<QComboBox>(dialog, "totalCombo");
        unit->setFocus();
        QTest::keyClick(unit, Qt::Key_Down);
        QTest::keyClick(unit, Qt::Key_Down);
        QTest::mouseClick(child<QPushButton>(dialog, "OKButton"), Qt::LeftButton);
    });
    QTest::mouseClick(child<QPushButton>(w.get(), "addInterfaceButton"), Qt::LeftButton);
    ASSERT_EQ(w->rows(), (std::vector<AlarmRow>{{"download", "per session", "5  MB"}}));

    QString unitShown;
    answer.then([&](QWidget* dialog) {
        unitShown = child<QComboBox>(dialog, "totalCombo")->currentText();
        QTest::mouseClick(child<QPushButton>(dialog, "OKButton"), Qt::LeftButton);
    });
    auto* list = child<QTreeWidget>(w.get(), "ListView1");
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->topLevelItem(0)).center());
    QTest::mouseClick(child<QPushButton>(w.get(), "Command1"), Qt::LeftButton);
    EXPECT_EQ(unitShown, "MB");
    EXPECT_EQ(w->rows(), (std::vector<AlarmRow>{{"download", "per session", "5  MB"}}));
    pressOk(w.get());
    EXPECT_EQ(read("Row1c"), "5242880");
}

TEST_F(AlarmWindowTest, browsingPutsTheChosenFileIntoThePathBoxButOneThatCannotPlayIsRefusedThereAndOnOk) {
    std::filesystem::copy_file(dir.file("wakeup.wav"), dir.file("bell.wav"));
    dir.write("bell.mp3", std::string("ID3\x04\x00\x00\x00\x00\x00\x21\xFF\xFB\x90\x00", 14));
    alarmSection("AudibleAlarm=1\r\n");
    auto w = open();
    w->show();
    EXPECT_EQ(w->findChild<QLabel*>("soundHint")->text(), "Specify the path to a wav file.");
    auto* path = child<QLineEdit>(w.get(), "pathText");
    twtest::ModalAnswerer answer;
    QString title;
    QStringList filters;
    auto browseTo = [&](const char* file) {
        answer.then([&, file](QWidget* dialog) {
            auto* files = qobject_cast<QFileDialog*>(dialog);
            ASSERT_NE(files, nullptr);
            title = files->windowTitle();
            filters = files->nameFilters();
            files->selectFile(QString::fromStdString(dir.file(file)));
            static_cast<QDialog*>(files)->accept();
        });
        QTest::mouseClick(child<QPushButton>(w.get(), "chPathButton"), Qt::LeftButton);
    };
    child<QTabWidget>(w.get(), "tbsAlarms")->setCurrentIndex(1);
    browseTo("bell.wav");
    EXPECT_EQ(title, "Open Sound-file");
    EXPECT_EQ(filters, (QStringList{"Wave (*.wav)", "All files (*)"}));
    EXPECT_EQ(path->text().toStdString(), dir.file("bell.wav"));
    EXPECT_TRUE(messages.messages.empty());

    browseTo("bell.mp3");
    const std::string cannotPlay = "The Sound-file cannot be played.\nOnly uncompressed WAV files can be played.";
    EXPECT_EQ(messages.messages, std::vector<std::string>{cannotPlay});
    EXPECT_EQ(path->text().toStdString(), dir.file("bell.wav"));

    // Typed by hand, it is refused on OK.
    messages.messages.clear();
    path->setFocus();
    QTest::keyClick(path, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(path, QString::fromStdString(dir.file("bell.mp3")));
    QTest::mouseClick(child<QPushButton>(w.get(), "OKButton"), Qt::LeftButton);
    EXPECT_EQ(messages.messages, std::vector<std::string>{cannotPlay});
    EXPECT_EQ(w->result(), 0);
    EXPECT_EQ(path->selectedText().toStdString(), dir.file("bell.mp3"));
    EXPECT_EQ(read("AudioPath"), "<missing>");
}
