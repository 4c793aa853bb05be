#include "history/ui/editloggsForm.h"
#include "history/ui/HistoryChartWidget.h"
#include "support/TempDir.h"
#include "support/qt_ModalAnswerer.h"

#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTableWidget>
#include <QTest>
#include <QTreeWidget>
#include <gmock/gmock.h>

#include <filesystem>
#include <memory>
#include <sys/fsuid.h>
#include <unistd.h>

using namespace tw;

namespace {

const std::string kHeader = "'2004-05-06 09:00:00\r\n'Source file for Tallywave\r\n"
                            "'Do not change this file unless absolutely sure.\r\n";

std::string line(const char* start, const char* stop, const char* down, const char* up = "0",
                 const char* speeds = "0;0") {
    return std::string(start) + ";" + stop + ";" + down + ";" + up + ";" + speeds + ";\r\n";
}

clsSessionData running(const char* start, double down = 0) {
    clsSessionData s;
    s.startDate = *DateTime::parse(start);
    s.downloaded = down;
    return s;
}

QTreeWidget* list(QWidget* w) {
    return w->findChild<QTreeWidget*>("monthListView");
}
QTreeWidget* tree(QWidget* w) {
    return w->findChild<QTreeWidget*>("TreeView1");
}
QPushButton* button(QWidget* w, const char* name) {
    return w->findChild<QPushButton*>(name);
}

QStringList column(QWidget* w, int c) {
    QStringList out;
    for (int r = 0; r < list(w)->topLevelItemCount(); ++r) {
        out << list(w)->topLevelItem(r)->text(c);
    }
    return out;
}

// Selects the list row whose column shows the text.
void selectRow(QWidget* w, int c, const QString& text) {
    for (int r = 0; r < list(w)->topLevelItemCount(); ++r) {
        if (list(w)->topLevelItem(r)->text(c) == text) {
            list(w)->setCurrentItem(list(w)->topLevelItem(r));
            return;
        }
    }
    FAIL() << "no row shows " << text.toStdString();
}

// The list and its buttons live on the "Data" tab, disabled while "Statistics" is chosen.
void chooseDataTab(QWidget* w) {
    w->findChild<QTabBar*>("tbsEdit")->setCurrentIndex(1);
}

void typeInto(QWidget* dialog, const char* field, const QString& text) {
    dialog->findChild<QLineEdit*>(field)->setText(text);
}

class editloggsFormTest : public testing::Test {
protected:
    void writeHistory(const std::string& lines) { dir.write("datasource.txt", kHeader + lines); }
    std::string history() const { return dir.read("datasource.txt"); }
    std::string path() const { return dir.file("datasource.txt"); }

    twtest::TempDir dir;
};

} // namespace

TEST_F(editloggsFormTest, OpensEmptyWithoutAHistoryAndAddDoesNothing) {
    editloggsForm viewer(path(), std::nullopt, nullptr);
    viewer.show();
    chooseDataTab(&viewer);
    EXPECT_EQ(viewer.windowTitle(), "View logs");
    EXPECT_EQ(tree(&viewer)->topLevelItemCount(), 0);
    EXPECT_EQ(list(&viewer)->topLevelItemCount(), 0);
    twtest::ModalAnswerer answerer;
    answerer.then([](QWidget* w) { w->close(); });
    button(&viewer, "addButton")->click();
    EXPECT_EQ(answerer.pending(), 1); // no dialog opened
    EXPECT_FALSE(std::filesystem::exists(path()));
}

TEST_F(editloggsFormTest, ShowsTheIdleRunningSessionInBlueUnderTodaysMonth) {
    editloggsForm viewer(path(), running("2004-05-06 09:30"), nullptr);
    viewer.show();
    ASSERT_EQ(tree(&viewer)->topLevelItemCount(), 1);
    EXPECT_EQ(tree(&viewer)->topLevelItem(0)->text(0), "2004");
    EXPECT_EQ(tree(&viewer)->currentItem(), tree(&viewer)->topLevelItem(0)->child(0));
    EXPECT_EQ(tree(&viewer)->currentItem()->child(0)->text(0), "6");
    ASSERT_EQ(list(&viewer)->topLevelItemCount(), 1);
    QTreeWidgetItem* row = list(&viewer)->topLevelItem(0);
    EXPECT_EQ(row->text(1), "******* now *******");
    EXPECT_EQ(row->foreground(3).color(), QColor(0, 0, 255));
}

TEST_F(editloggsFormTest, ListsSessionsWithTheirFormatsAndStatistics) {
    writeHistory(line("2004-05-06 09:30", "2004-05-06 11:02", "123456789", "2345678", "145000;31000") +
                 line("2004-05-07 10:00", "2004-05-07 10:30", "1000", "24"));
    editloggsForm viewer(path(), std::nullopt, nullptr);
    viewer.show();
    EXPECT_THAT(column(&viewer, 0), testing::ElementsAre("2004-05-07 10:00", "2004-05-06 09:30"));
    EXPECT_THAT(column(&viewer, 2), testing::ElementsAre("1 000", "123 456 789"));
    EXPECT_THAT(column(&viewer, 4), testing::ElementsAre("0", "145 000"));
    auto* grid = viewer.findChild<QTableWidget*>("statisticsGrid");
    EXPECT_EQ(grid->item(0, 0)->text(), "123 456 789"); // Max, download
    EXPECT_EQ(grid->item(2, 0)->text(), "61 728 895");  // Av. 61 728 894.5, rounded half up
    EXPECT_EQ(grid->item(4, 2)->text(), "125 803 491"); // Total, both
}

TEST_F(editloggsFormTest, AddsASessionAndShowsTheSamePeriodAgain) {
    writeHistory(line("2004-05-06 09:30", "2004-05-06 11:02", "100"));
    editloggsForm viewer(path(), std::nullopt, nullptr);
    viewer.show();
    chooseDataTab(&viewer);
    ASSERT_TRUE(viewer.selectPeriod({2004, 5, 6}));
    twtest::ModalAnswerer answerer;
    answerer.then([](QWidget* dialog) {
        typeInto(dialog, "stTime", "12:00");
        typeInto(dialog, "enTime", "12:30");
        typeInto(dialog, "dlText", "5 000");
        dialog->findChild<QPushButton*>("confirmButton")->click();
    });
    button(&viewer, "addButton")->click();
    EXPECT_EQ(viewer.shownPeriod().day, 6);
    EXPECT_THAT(column(&viewer, 2), testing::ElementsAre("5 000", "100"));
    EXPECT_EQ(viewer.historyTree().getDay(2004, 5, 6)->Count(), 2);
}

TEST_F(editloggsFormTest, EditsTheChosenOfTwoSessionsOfTheSameMinute) {
    writeHistory(line("2004-05-06 09:30", "2004-05-06 10:00", "100") +
                 line("2004-05-06 09:30", "2004-05-06 11:00", "200"));
    editloggsForm viewer(path(), std::nullopt, nullptr);
    viewer.show();
    chooseDataTab(&viewer);
    selectRow(&viewer, 2, "200");
    twtest::ModalAnswerer answerer;
    std::string shownAmount;
    answerer.then([&shownAmount](QWidget* dialog) {
        shownAmount = dialog->findChild<QLineEdit*>("dlText")->text().toStdString();
        typeInto(dialog, "dlText", "300");
        dialog->findChild<QPushButton*>("confirmButton")->click();
    });
    button(&viewer, "editButton")->click();
    EXPECT_EQ(shownAmount, "200");
    const auto& sessions = viewer.historyTree().getDay(2004, 5, 6)->getSessions();
    ASSERT_EQ(sessions.size(), 2u);
    EXPECT_EQ(sessions[0].downloaded, 100);
    EXPECT_EQ(sessions[1].downloaded, 300);
}

TEST_F(editloggsFormTest, DeletesTheChosenSessionAndFallsBackToTheMonthWhenItsDayGoes) {
    writeHistory(line("2004-05-06 09:30", "2004-05-06 10:00", "100") +
                 line("2004-05-06 09:30", "2004-05-06 11:00", "200") +
                 line("2004-05-07 09:30", "2004-05-07 11:00", "300"));
    editloggsForm viewer(path(), std::nullopt, nullptr);
    viewer.show();
    chooseDataTab(&viewer);
    ASSERT_TRUE(viewer.selectPeriod({2004, 5, 6}));
    selectRow(&viewer, 2, "200");
    button(&viewer, "deleteButton")->click();
    EXPECT_THAT(column(&viewer, 2), testing::ElementsAre("100"));

    QTest::keyClick(list(&viewer), Qt::Key_Delete);
    EXPECT_EQ(viewer.historyTree().getDay(2004, 5, 6), nullptr);
    EXPECT_EQ(viewer.shownPeriod().year, 2004);
    EXPECT_EQ(viewer.shownPeriod().month, 5);
    EXPECT_EQ(viewer.shownPeriod().day, 0);
    EXPECT_THAT(column(&viewer, 2), testing::ElementsAre("300"));
}

TEST_F(editloggsFormTest, DeletingWithTheYearShownKeepsTheYearShown) {
    writeHistory(line("2004-05-06 09:30", "2004-05-06 10:00", "100") +
                 line("2004-06-06 09:30", "2004-06-06 11:00", "200"));
    editloggsForm viewer(path(), std::nullopt, nullptr);
    viewer.show();
    chooseDataTab(&viewer);
    ASSERT_TRUE(viewer.selectPeriod({2004, 0, 0}));
    selectRow(&viewer, 2, "200");
    button(&viewer, "deleteButton")->click();
    EXPECT_EQ(viewer.shownPeriod().month, 0);
    EXPECT_EQ(tree(&viewer)->currentItem()->text(0), "2004");
}

TEST_F(editloggsFormTest, TheRunningSessionCanBeNeitherDeletedNorChanged) {
    writeHistory(line("2004-05-06 09:30", "2004-05-06 10:00", "100"));
    editloggsForm viewer(path(), running("2004-05-06 12:00", 50), nullptr);
    viewer.show();
    chooseDataTab(&viewer);
    ASSERT_TRUE(viewer.selectPeriod({2004, 5, 6}));
    selectRow(&viewer, 1, "******* now *******");
    twtest::ModalAnswerer answerer;
    answerer.clickMessageBox(QMessageBox::Ok);
    answerer.clickMessageBox(QMessageBox::Ok);
    button(&viewer, "deleteButton")->click();
    QTest::qWait(20); // lets the answerer see that the first box is gone
    button(&viewer, "editButton")->click();
    EXPECT_THAT(answerer.texts,
                testing::ElementsAre("You can't delete the current log.\nYou must stop it first in the main window.",
                                     "You can't change the current log.\nYou must stop it first in the main window."));
    EXPECT_EQ(viewer.historyTree().getDay(2004, 5, 6)->Count(), 2);
}

TEST_F(editloggsFormTest, CancelAfterChangesLeavesTheFileUntouched) {
    writeHistory(line("2004-05-06 09:30", "2004-05-06 10:00", "100") +
                 line("2004-05-07 09:30", "2004-05-07 10:00", "200"));
    const std::string before = history();
    editloggsForm viewer(path(), std::nullopt, nullptr);
    twtest::ModalAnswerer answerer;
    answerer.then([](QWidget* w) {
        chooseDataTab(w);
        w->findChild<QPushButton*>("deleteButton")->click();
        w->findChild<QPushButton*>("CancelButton")->click();
    });
    EXPECT_EQ(viewer.exec(), QDialog::Rejected);
    EXPECT_EQ(history(), before);
}

TEST_F(editloggsFormTest, OkSavesTheTreeWithoutTheRunningSession) {
    writeHistory(line("2004-05-06 09:30", "2004-05-06 10:00", "100") +
                 line("2004-05-07 09:30", "2004-05-07 10:00", "200"));
    editloggsForm viewer(path(), running("2004-05-07 12:00", 5), nullptr);
    twtest::ModalAnswerer answerer;
    answerer.then([](QWidget* w) {
        chooseDataTab(w);
        auto* rows = w->findChild<QTreeWidget*>("monthListView");
        rows->setCurrentItem(rows->topLevelItem(rows->topLevelItemCount() - 1)); // the oldest: 6 May
        w->findChild<QPushButton*>("deleteButton")->click();
        w->findChild<QPushButton*>("OKButton")->click();
    });
    EXPECT_EQ(viewer.exec(), QDialog::Accepted);
    EXPECT_EQ(history(), kHeader + line("2004-05-07 09:30", "2004-05-07 10:00", "200"));
}

TEST_F(editloggsFormTest, AFailedSaveSaysSoAndDoesNotCountAsSaved) {
    std::filesystem::create_directory(path()); // a folder where the file should be
    editloggsForm viewer(path(), running("2004-05-07 12:00", 5), nullptr);
    twtest::ModalAnswerer answerer;
    // Clicked from the event loop: the message box it opens must not run inside the answerer's handler.
    answerer.then(
        [](QWidget* w) { QTimer::singleShot(0, w->findChild<QPushButton*>("OKButton"), &QPushButton::click); });
    answerer.clickMessageBox(QMessageBox::Ok);
    EXPECT_EQ(viewer.exec(), QDialog::Rejected);
    EXPECT_THAT(answerer.texts, testing::ElementsAre("Couldn't save"));
}

// A file that is there but not a history as far as it can be read: shown read-only, and OK leaves it as it was.
TEST_F(editloggsFormTest, AFileItCannotReadAsAHistoryIsShownReadOnlyAndNeverSaved) {
    struct Case {
        const char* name;
        std::string content;
        std::filesystem::perms perms;
        const char* says;
    };
    const std::string session = "2004-05-06 09:30;2004-05-06 11:02;100;0;0;0;";
    const auto readable = std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                          std::filesystem::perms::group_read | std::filesystem::perms::others_read;
    for (const Case& c :
         {Case{"two CR-only lines", "'header\r" + session + "\r", readable, "is not a history file"},
          Case{"unreadable", kHeader + session + "\r\n", std::filesystem::perms::none, "cannot be read"}}) {
        SCOPED_TRACE(c.name);
        dir.write("datasource.txt", c.content);
        std::filesystem::permissions(path(), c.perms);
        twtest::ModalAnswerer answerer;
        answerer.clickMessageBox(QMessageBox::Ok);
        std::unique_ptr<editloggsForm> viewer;
        {
            // Root reads every file: open it as nobody would.
            const auto asUser = ::setfsuid(::geteuid() == 0 ? 65534 : ::geteuid());
            viewer = std::make_unique<editloggsForm>(path(), running("2004-05-07 12:00", 5), nullptr);
            ::setfsuid(static_cast<uid_t>(asUser));
        }
        ASSERT_EQ(answerer.texts.size(), 1u);
        EXPECT_THAT(answerer.texts[0], testing::HasSubstr(c.says));
        EXPECT_THAT(answerer.texts[0], testing::HasSubstr("read-only"));
        chooseDataTab(viewer.get());
        EXPECT_FALSE(button(viewer.get(), "addButton")->isEnabled());
        EXPECT_FALSE(button(viewer.get(), "deleteButton")->isEnabled());
        answerer.then(
            [](QWidget* w) { QTimer::singleShot(0, w->findChild<QPushButton*>("OKButton"), &QPushButton::click); });
        EXPECT_EQ(viewer->exec(), QDialog::Rejected);
        std::filesystem::permissions(path(), readable);
        EXPECT_EQ(history(), c.content);
    }
}

TEST_F(editloggsFormTest, HeaderClicksSortNumbersByValueAndTurnTheDirectionOver) {
    writeHistory(line("2004-05-06 09:30", "2004-05-06 10:00", "10000") +
                 line("2004-05-06 10:30", "2004-05-06 11:00", "9999") +
                 line("2004-05-06 11:30", "2004-05-06 12:00", "200000"));
    editloggsForm viewer(path(), std::nullopt, nullptr);
    viewer.show();
    QHeaderView* header = list(&viewer)->header();
    emit header->sectionClicked(2); // the initial direction is descending: now ascending
    EXPECT_THAT(column(&viewer, 2), testing::ElementsAre("9 999", "10 000", "200 000"));
    emit header->sectionClicked(2);
    EXPECT_THAT(column(&viewer, 2), testing::ElementsAre("200 000", "10 000", "9 999"));
    // Showing a period again keeps the chosen order.
    ASSERT_TRUE(viewer.selectPeriod({2004, 5, 6}));
    EXPECT_THAT(column(&viewer, 2), testing::ElementsAre("200 000", "10 000", "9 999"));
}

TEST_F(editloggsFormTest, CtrlTabMovesBetweenTheTabsBothWays) {
    editloggsForm viewer(path(), std::nullopt, nullptr);
    viewer.show();
    QApplication::setActiveWindow(&viewer);
    auto* tabs = viewer.findChild<QTabBar*>("tbsEdit");
    ASSERT_EQ(tabs->currentIndex(), 0);
    QTest::keyClick(tree(&viewer), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(tabs->currentIndex(), 1);
    EXPECT_TRUE(list(&viewer)->isVisible());
    QTest::keyClick(list(&viewer), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(tabs->currentIndex(), 0);
    QTest::keyClick(tree(&viewer), Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(tabs->currentIndex(), 1);
}

TEST_F(editloggsFormTest, DoubleClickingTheChartEnlargesItAndBack) {
    writeHistory(line("2004-05-06 09:30", "2004-05-06 10:00", "100"));
    editloggsForm viewer(path(), std::nullopt, nullptr);
    viewer.show();
    auto* chart = viewer.findChild<HistoryChartWidget*>("pb");
    const int normalWidth = chart->width();
    EXPECT_EQ(chart->currentLayout().gridYs.size(), 4u);
    QTest::mouseDClick(chart, Qt::LeftButton);
    EXPECT_EQ(chart->currentLayout().gridYs.size(), 8u);
    EXPECT_GT(chart->width(), normalWidth);
    QTest::mouseDClick(chart, Qt::LeftButton);
    EXPECT_EQ(chart->width(), normalWidth);
    // A month has a slot per calendar day.
    EXPECT_EQ(chart->currentLayout().slotLabels.size(), 31u);
}

TEST_F(editloggsFormTest, NeverShrinksBelowItsLeastSize) {
    editloggsForm viewer(path(), std::nullopt, nullptr);
    viewer.show();
    viewer.resize(100, 100);
    EXPECT_EQ(viewer.width(), 633);
    EXPECT_EQ(viewer.height(), 447);
}
