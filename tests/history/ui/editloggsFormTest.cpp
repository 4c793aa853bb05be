#include "history/ui/editloggsForm.h"
#include "history/ui/HistoryChartWidget.h"
#include "support/FileRights.h"
#include "support/TempDir.h"
#include "support/qt_DarkPalette.h"
#include "support/qt_ModalAnswerer.h"
#include "widgets/ui/ProgramCursors.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTabBar>
#include <QTableWidget>
#include <QTest>
#include <QTreeWidget>
#include <gmock/gmock.h>

#include <filesystem>
#include <memory>

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

// Under a dark theme the blue and the cream of a light one would leave text unreadable.
TEST_F(editloggsFormTest, TheRunningSessionAndTheStripesStayReadableUnderADarkPalette) {
    writeHistory(line("2004-05-06 09:30", "2004-05-06 10:00", "100"));
    twtest::DarkPalette dark;
    editloggsForm viewer(path(), running("2004-05-06 12:00", 5), nullptr);
    viewer.show();
    const QPalette p = list(&viewer)->palette();
    for (const QPalette::ColorRole ground : {QPalette::Base, QPalette::AlternateBase}) {
        EXPECT_TRUE(twtest::readableOn(p.color(QPalette::Text), p.color(ground)));
        const QColor runningRow = list(&viewer)->topLevelItem(0)->foreground(1).color();
        ASSERT_EQ(list(&viewer)->topLevelItem(0)->text(1), "******* now *******");
        EXPECT_TRUE(twtest::readableOn(runningRow, p.color(ground))) << runningRow.name().toStdString();
    }
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

// Right after opening no row was ever clicked: Edit and Delete work on the newest session, and say so when the
// user has taken the choice away.
TEST_F(editloggsFormTest, EditAndDeleteRightAfterOpeningWorkOnTheNewestSession) {
    writeHistory(line("2004-05-06 09:30", "2004-05-06 10:00", "100") +
                 line("2004-05-07 09:30", "2004-05-07 10:00", "200"));
    editloggsForm viewer(path(), std::nullopt, nullptr);
    viewer.show();
    chooseDataTab(&viewer);
    twtest::ModalAnswerer answerer;
    std::string offered;
    answerer.then([&offered](QWidget* dialog) {
        offered = dialog->findChild<QLineEdit*>("dlText")->text().toStdString();
        dialog->findChild<QPushButton*>("cancelButton")->click();
    });
    QTest::mouseClick(button(&viewer, "editButton"), Qt::LeftButton);
    EXPECT_EQ(answerer.pending(), 0);
    EXPECT_EQ(offered, "200");

    QTest::mouseClick(button(&viewer, "deleteButton"), Qt::LeftButton);
    EXPECT_THAT(column(&viewer, 2), testing::ElementsAre("100"));

    // With no row chosen (how a list lets go of its choice depends on the desktop's style) the buttons say so.
    list(&viewer)->clearSelection();
    answerer.clickMessageBox(QMessageBox::Ok);
    QTest::mouseClick(button(&viewer, "deleteButton"), Qt::LeftButton);
    EXPECT_THAT(answerer.texts, testing::ElementsAre("Select a log in the list first."));
    EXPECT_THAT(column(&viewer, 2), testing::ElementsAre("100"));
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

TEST_F(editloggsFormTest, CancelAfterChangesLeavesTheFileUntouchedAndOkSavesTheTreeWithoutTheRunningSession) {
    writeHistory(line("2004-05-06 09:30", "2004-05-06 10:00", "100") +
                 line("2004-05-07 09:30", "2004-05-07 10:00", "200"));
    const std::string before = history();
    for (const auto& [closer, result, after] : std::vector<std::tuple<const char*, int, std::string>>{
             {"CancelButton", QDialog::Rejected, before},
             {"OKButton", QDialog::Accepted, kHeader + line("2004-05-07 09:30", "2004-05-07 10:00", "200")}}) {
        SCOPED_TRACE(closer);
        editloggsForm viewer(path(), running("2004-05-07 12:00", 5), nullptr);
        twtest::ModalAnswerer answerer;
        answerer.then([closer = closer](QWidget* w) {
            chooseDataTab(w);
            auto* rows = w->findChild<QTreeWidget*>("monthListView");
            rows->setCurrentItem(rows->topLevelItem(rows->topLevelItemCount() - 1)); // the oldest: 6 May
            w->findChild<QPushButton*>("deleteButton")->click();
            w->findChild<QPushButton*>(closer)->click();
        });
        EXPECT_EQ(viewer.exec(), result);
        EXPECT_EQ(history(), after);
    }
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
        auto open = [&] { viewer = std::make_unique<editloggsForm>(path(), running("2004-05-07 12:00", 5), nullptr); };
        if (c.perms == readable) {
            open();
        } else if (!twtest::withoutOwnersFileRights(open)) { // root reads every file: open it as nobody would
            std::filesystem::permissions(path(), readable);
            continue; // this system has no file its owner cannot read
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

// Real clicks: the header turns its own indicator over before it reports the click.
TEST_F(editloggsFormTest, HeaderClicksSortNumbersByValueAndTurnTheDirectionOverEachTime) {
    writeHistory(line("2004-05-06 09:30", "2004-05-06 10:00", "10000") +
                 line("2004-05-06 10:30", "2004-05-06 11:00", "9999") +
                 line("2004-05-06 11:30", "2004-05-06 12:00", "200000"));
    editloggsForm viewer(path(), std::nullopt, nullptr);
    viewer.show();
    chooseDataTab(&viewer);
    QHeaderView* header = list(&viewer)->header();
    auto clickHeader = [header](int column) {
        const QPoint centre(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                            header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, centre, 300); // never a double click
    };
    auto downloads = [&viewer] { return column(&viewer, 2).join(" | ").toStdString(); };
    const std::string ascending = "9 999 | 10 000 | 200 000";
    const std::string descending = "200 000 | 10 000 | 9 999";
    clickHeader(2); // the list starts descending: now ascending
    EXPECT_EQ(downloads(), ascending);
    clickHeader(2);
    EXPECT_EQ(downloads(), descending);
    clickHeader(2);
    EXPECT_EQ(downloads(), ascending);
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::AscendingOrder);
    // Showing a period again keeps the chosen order.
    ASSERT_TRUE(viewer.selectPeriod({2004, 5, 6}));
    EXPECT_EQ(downloads(), ascending);
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
    // The pointer is the program's own picture of what a double click does.
    auto shows = [chart](const QCursor& expected) {
        return chart->cursor().shape() == Qt::BitmapCursor &&
               chart->cursor().pixmap().toImage() == expected.pixmap().toImage();
    };
    ASSERT_NE(chartEnlargeCursor().pixmap().toImage(), chartReduceCursor().pixmap().toImage()); // both found
    const int normalWidth = chart->width();
    EXPECT_EQ(chart->currentLayout().gridYs.size(), 4u);
    EXPECT_TRUE(shows(chartEnlargeCursor()));
    QTest::mouseDClick(chart, Qt::LeftButton);
    EXPECT_EQ(chart->currentLayout().gridYs.size(), 8u);
    EXPECT_GT(chart->width(), normalWidth);
    EXPECT_TRUE(shows(chartReduceCursor()));
    QTest::mouseDClick(chart, Qt::LeftButton);
    EXPECT_EQ(chart->width(), normalWidth);
    EXPECT_TRUE(shows(chartEnlargeCursor()));
}

namespace {

// What a view's contents need (the views hide these from their users).
int columnNeeds(const QAbstractItemView* view, int column) {
    return view->sizeHintForColumn(column);
}
int rowNeeds(const QAbstractItemView* view, int row) {
    return view->sizeHintForRow(row);
}

// Every text of the viewer is shown whole at its present size: labels, buttons, the chart type list, the tree's
// month names, the list's columns, the statistics cells, the chart's axis and slot labels.
void expectNoTextIsCut(editloggsForm& viewer) {
    QCoreApplication::processEvents();
    for (QLabel* label : viewer.findChildren<QLabel*>()) {
        if (label->isVisibleTo(&viewer) && !label->text().isEmpty()) {
            EXPECT_GE(label->width(), label->sizeHint().width()) << label->text().toStdString();
        }
    }
    for (QPushButton* button : viewer.findChildren<QPushButton*>()) {
        EXPECT_GE(button->width(), button->sizeHint().width()) << button->text().toStdString();
    }
    auto* chartType = viewer.findChild<QComboBox*>("Combo1");
    EXPECT_GE(chartType->width(), chartType->sizeHint().width());

    QTreeWidget* periods = tree(&viewer);
    periods->expandAll();
    EXPECT_LE(columnNeeds(periods, 0), periods->viewport()->width());

    QTreeWidget* rows = list(&viewer);
    for (int c = 0; c < rows->columnCount(); ++c) {
        EXPECT_GE(rows->header()->sectionSize(c), columnNeeds(rows, c)) << "list column " << c;
        EXPECT_GE(rows->header()->sectionSize(c), rows->header()->sectionSizeHint(c)) << "list column " << c;
    }

    auto* grid = viewer.findChild<QTableWidget*>("statisticsGrid");
    for (int c = 0; c < 3; ++c) {
        EXPECT_GE(grid->columnWidth(c), columnNeeds(grid, c)) << "statistics column " << c;
        EXPECT_GE(grid->columnWidth(c), grid->horizontalHeader()->sectionSizeHint(c)) << "statistics column " << c;
    }
    EXPECT_GE(grid->verticalHeader()->width(), grid->verticalHeader()->sizeHint().width());
    for (int r = 0; r < 5; ++r) {
        EXPECT_GE(grid->rowHeight(r), rowNeeds(grid, r)) << "statistics row " << r;
    }
    EXPECT_LE(grid->columnViewportPosition(2) + grid->columnWidth(2), grid->viewport()->width());
    EXPECT_LE(grid->rowViewportPosition(4) + grid->rowHeight(4), grid->viewport()->height());

    auto* chart = viewer.findChild<HistoryChartWidget*>("pb");
    const QFontMetrics metrics = chart->fontMetrics();
    const HistoryChartLayout layout = chart->currentLayout();
    for (const ChartText& label : layout.axisLabels) {
        EXPECT_GE(label.x - metrics.horizontalAdvance(QString::fromStdString(label.text)), 0) << label.text;
        EXPECT_LT(label.x, layout.axisX);
    }
    for (std::size_t i = 0; i < layout.slotLabels.size(); ++i) {
        const ChartText& label = layout.slotLabels[i];
        const QRect rect(label.x, label.y, metrics.horizontalAdvance(QString::fromStdString(label.text)),
                         metrics.height());
        EXPECT_TRUE(chart->rect().contains(rect)) << label.text;
        if (i > 0) {
            const ChartText& before = layout.slotLabels[i - 1];
            EXPECT_GT(label.x, before.x + metrics.horizontalAdvance(QString::fromStdString(before.text)))
                << before.text << " and " << label.text;
        }
    }
}

} // namespace

TEST_F(editloggsFormTest, OpensLargeEnoughThatNoTextIsCutAndNeverShrinksSoFar) {
    writeHistory(line("2003-09-12 09:00", "2003-09-12 17:00", "166761513000", "21215408000", "2147483646;31000") +
                 line("2004-05-06 09:30", "2004-05-06 10:00", "100") +
                 line("2004-05-31 09:30", "2004-05-31 10:00", "123456789", "1234567"));
    const QFont normal = QApplication::font();
    for (const qreal points : {normal.pointSizeF(), 10.0}) {
        SCOPED_TRACE(points);
        QFont font = normal;
        font.setPointSizeF(points);
        QApplication::setFont(font);
        editloggsForm viewer(path(), running("2004-05-31 12:00", 5), nullptr);
        viewer.show();
        const QSize screen = viewer.screen()->availableGeometry().size();
        if (viewer.minimumWidth() >= screen.width() || viewer.minimumHeight() >= screen.height()) {
            // The window may not be larger than the screen; a font this wide needs a larger one.
            GTEST_SKIP() << "a " << screen.width() << "x" << screen.height() << " screen is too small for "
                         << viewer.font().family().toStdString() << " " << points;
        }
        EXPECT_GE(viewer.width(), 633);
        EXPECT_GE(viewer.height(), 447);
        for (const editloggsForm::Period& period :
             {editloggsForm::Period{2004, 5, 0}, editloggsForm::Period{2003, 0, 0},
              editloggsForm::Period{2004, 5, 31}}) {
            ASSERT_TRUE(viewer.selectPeriod(period));
            for (int type = 0; type < 5; ++type) {
                viewer.findChild<QComboBox*>("Combo1")->setCurrentIndex(type);
                SCOPED_TRACE(testing::Message() << period.year << "-" << period.month << "-" << period.day << " type "
                                                << type << " at " << viewer.width() << "x" << viewer.height());
                expectNoTextIsCut(viewer);
            }
        }
        viewer.resize(100, 100);
        SCOPED_TRACE("at the least size");
        expectNoTextIsCut(viewer);
    }
    QApplication::setFont(normal);
}

TEST_F(editloggsFormTest, ReopensAtTheSizeItWasClosedAtButNeverShrinksBelowItsLeastSize) {
    const std::string settings = dir.file("settings.txt");
    QSize least;
    QSize kept;
    {
        editloggsForm viewer(path(), std::nullopt, nullptr);
        viewer.rememberSizeIn(settings);
        viewer.show();
        least = viewer.minimumSize();
        EXPECT_GE(least.width(), 633);
        EXPECT_GE(least.height(), 447);
        // Larger than the least size, as far as the screen allows.
        kept = (least + QSize(40, 30)).boundedTo(viewer.screen()->availableGeometry().size());
        viewer.resize(kept);
        QTest::mouseClick(button(&viewer, "CancelButton"), Qt::LeftButton);
    }
    {
        editloggsForm viewer(path(), std::nullopt, nullptr);
        viewer.rememberSizeIn(settings);
        viewer.show();
        EXPECT_EQ(viewer.size(), kept);
    }
    dir.write("settings.txt", "[General]\r\nlogViewerWidth=100\r\nlogViewerHeight=90\r\n");
    editloggsForm viewer(path(), std::nullopt, nullptr);
    viewer.rememberSizeIn(settings);
    viewer.show();
    EXPECT_EQ(viewer.size(), least);
    viewer.resize(100, 100);
    EXPECT_EQ(viewer.size(), least);
}
