// "Export..." in the log viewer: the period shown or everything, as CSV or JSON, into a file.
#include "history/ui/ExportDialog.h"
#include "history/ui/editloggsForm.h"
#include "support/TempDir.h"
#include "support/qt_ModalAnswerer.h"

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

using namespace tw;

namespace {

// A path as the system writes it (backslashes on Windows), to compare paths of the dialog with the test's own.
std::string native(const QString& path) {
    return QDir::toNativeSeparators(path).toStdString();
}

const std::string kHeader = "'2004-05-06 09:00:00\r\n'Source file for Tallywave\r\n"
                            "'Do not change this file unless absolutely sure.\r\n";

class ExportDialogTest : public testing::Test {
protected:
    ExportDialogTest() {
        dir.write("datasource.txt", kHeader + "2004-03-06 08:00;2004-03-06 09:30;9007199254740993;10;100;1;\r\n"
                                              "2004-03-06 12:00;2004-03-06 13:00;2000;20;200;2;\r\n"
                                              "2004-03-01 12:00;2004-03-01 13:00;9007199254740993;7;0;0;\r\n"
                                              "2004-02-29 10:00;2004-02-29 11:00;5;5;9;9;\r\n");
    }

    std::unique_ptr<editloggsForm> openViewer() {
        clsSessionData running;
        running.startDate = DateTime::fromCivil(2004, 3, 6, 14, 0);
        running.downloaded = 3;
        auto viewer = std::make_unique<editloggsForm>(dir.file("datasource.txt"), running, nullptr);
        viewer->show();
        return viewer;
    }

    // Clicks "Export..." and answers the dialog: the choices clicked, the file typed, then OK.
    void exportFrom(editloggsForm& viewer, std::vector<const char*> clicks, const std::string& file) {
        twtest::ModalAnswerer answerer;
        answerer.then([&](QWidget* dialog) {
            for (const char* option : clicks) {
                QTest::mouseClick(dialog->findChild<QRadioButton*>(option), Qt::LeftButton, {}, QPoint(5, 5));
            }
            auto* path = dialog->findChild<QLineEdit*>("exportPath");
            path->selectAll();
            QTest::keyClicks(path, QString::fromStdString(file));
            QTest::mouseClick(dialog->findChild<QPushButton*>("OKButton"), Qt::LeftButton);
        });
        QTest::mouseClick(viewer.findChild<QPushButton*>("exportButton"), Qt::LeftButton);
        EXPECT_EQ(answerer.pending(), 0);
    }

    // The viewer's "Total" row, digits only.
    static std::string gridTotal(editloggsForm& viewer, int column) {
        return viewer.findChild<QTableWidget*>("statisticsGrid")->item(4, column)->text().remove(' ').toStdString();
    }

    twtest::TempDir dir;
};

} // namespace

TEST_F(ExportDialogTest, theSelectedMonthAsJsonCarriesTheViewersTotalsIncludingTheRunningSession) {
    auto viewer = openViewer();
    ASSERT_TRUE(viewer->selectPeriod({2004, 3, 0}));
    exportFrom(*viewer, {"jsonOption"}, dir.file("march.json"));
    const std::string json = dir.read("march.json");
    EXPECT_EQ(json.find("{\"sessions\":[\n{\"start\":\"2004-03-01T12:00\""), 0u) << json;
    EXPECT_NE(json.find("{\"start\":\"2004-03-06T14:00\",\"stop\":null,\"received\":3,"), std::string::npos);
    EXPECT_EQ(json.find("2004-02-29"), std::string::npos);
    // Sums beyond 2^53 as the grid shows them, to the byte.
    EXPECT_NE(
        json.find("\"total\":{\"received\":" + gridTotal(*viewer, 0) + ",\"sent\":" + gridTotal(*viewer, 1) + "}}"),
        std::string::npos)
        << json << gridTotal(*viewer, 0);
}

TEST_F(ExportDialogTest, aDayAsCsvAndEverythingAsCsvWithTheHeaderRow) {
    auto viewer = openViewer();
    ASSERT_TRUE(viewer->selectPeriod({2004, 3, 6}));
    exportFrom(*viewer, {}, dir.file("day.csv"));
    EXPECT_EQ(dir.read("day.csv"), "start,stop,received,sent,max download,max upload\r\n"
                                   "2004-03-06T08:00,2004-03-06T09:30,9007199254740992,10,100,1\r\n"
                                   "2004-03-06T12:00,2004-03-06T13:00,2000,20,200,2\r\n"
                                   "2004-03-06T14:00,,3,0,0,0\r\n");
    exportFrom(*viewer, {"everythingOption"}, dir.file("all.csv"));
    const std::string all = dir.read("all.csv");
    EXPECT_EQ(all.find("start,stop,received,sent,max download,max upload\r\n2004-02-29T10:00"), 0u) << all;
    EXPECT_EQ(std::count(all.begin(), all.end(), '\n'), 6);
}

TEST_F(ExportDialogTest, theProposedNameFollowsTheChoicesAndAFileThatCannotBeWrittenKeepsTheDialogOpen) {
    clsADT history;
    history.load(dir.file("datasource.txt"));
    history.updateStats();
    ExportDialog dialog(history, 2004, 3, 0, "March 2004", nullptr);
    dialog.show();
    EXPECT_TRUE(dialog.path().endsWith("/tallywave-2004-03.csv")) << dialog.path().toStdString();
    EXPECT_EQ(dialog.findChild<QRadioButton*>("periodOption")->text(), "The selected period: March 2004");
    QTest::mouseClick(dialog.findChild<QRadioButton*>("jsonOption"), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(dialog.path().endsWith("/tallywave-2004-03.json"));
    QTest::mouseClick(dialog.findChild<QRadioButton*>("everythingOption"), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(dialog.path().endsWith("/tallywave.json"));

    dialog.setFileChooser([&](QWidget*, const QString& proposed, ExportFormat format) {
        EXPECT_EQ(proposed, dialog.path());
        EXPECT_EQ(format, ExportFormat::Json);
        return QString::fromStdString(dir.file("mine.json"));
    });
    QTest::mouseClick(dialog.findChild<QPushButton*>("browseButton"), Qt::LeftButton);
    EXPECT_EQ(native(dialog.path()), dir.file("mine.json"));
    QTest::mouseClick(dialog.findChild<QRadioButton*>("csvOption"), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(native(dialog.path()), dir.file("mine.csv")) << "the user's name keeps, with the format's suffix";

    dialog.findChild<QLineEdit*>("exportPath")->setText(QString::fromStdString(dir.file("no-such-folder/x.csv")));
    twtest::ModalAnswerer answerer;
    answerer.clickMessageBox(QMessageBox::Ok);
    QTest::mouseClick(dialog.findChild<QPushButton*>("OKButton"), Qt::LeftButton);
    ASSERT_EQ(answerer.texts.size(), 1u);
    EXPECT_EQ(answerer.texts[0],
              "Couldn't export to " + native(QString::fromStdString(dir.file("no-such-folder/x.csv"))));
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
}
