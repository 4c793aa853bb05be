// The log viewer at the size it opens at: its statistics tab, its data tab and an enlarged chart, over a month of
// sessions; and its data tab under a dark palette.
#include "Screenshots.h"
#include "history/HistoryFormat.h"
#include "history/ui/HistoryChartWidget.h"
#include "history/ui/editloggsForm.h"

#include "common/TextFile.h"
#include "support/TempDir.h"
#include "support/qt_DarkPalette.h"

#include <QComboBox>
#include <QTabBar>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

using namespace tw;

namespace {

std::string sessionLine(const DateTime& start, const DateTime& stop, long long down, long long up, const char* speeds) {
    return start.toHistoryString() + ";" + stop.toHistoryString() + ";" + std::to_string(down) + ";" +
           std::to_string(up) + ";" + speeds + ";";
}

} // namespace

TEST(LogViewerScreenshots, BothTabsAndTheEnlargedChart) {
    std::vector<std::string> lines = historyHeaderLines(DateTime::fromCivil(2004, 5, 6, 9, 0));
    lines.push_back(sessionLine(DateTime::fromCivil(2004, 4, 12, 9, 0), DateTime::fromCivil(2004, 4, 12, 17, 0),
                                912345678, 12345678, "240000;40000"));
    for (int day = 1; day <= 28; day += 1 + day % 3) {
        for (int s = 0; s < 1 + day % 3; ++s) {
            lines.push_back(sessionLine(DateTime::fromCivil(2004, 5, day, 8 + 4 * s, 5 * day % 60),
                                        DateTime::fromCivil(2004, 5, day, 10 + 4 * s, 5 * day % 60),
                                        30'000'000LL + 7'777'777LL * ((day * 7 + s * 3) % 11),
                                        2'000'000LL + 1'234'567LL * ((day + s) % 5), "145000;31000"));
        }
    }
    twtest::TempDir dir;
    dir.write("datasource.txt", joinLines(lines));
    clsSessionData running;
    running.startDate = DateTime::fromCivil(2004, 5, 29, 9, 30);
    running.downloaded = 4'500'000;
    auto showDataTab = [](editloggsForm& viewer) {
        viewer.findChild<QTabBar*>("tbsEdit")->setCurrentIndex(1);
        auto* list = viewer.findChild<QTreeWidget*>("monthListView");
        list->setCurrentItem(list->topLevelItem(2)); // the running session's colour shows
    };
    {
        editloggsForm viewer(dir.file("datasource.txt"), running, nullptr);
        twtest::saveScreenshot(viewer, "log-viewer-statistics.png");
        showDataTab(viewer);
        twtest::saveScreenshot(viewer, "log-viewer-data.png");
        viewer.findChild<QTabBar*>("tbsEdit")->setCurrentIndex(0);
        viewer.findChild<QComboBox*>("Combo1")->setCurrentIndex(3);
        QTest::mouseDClick(viewer.findChild<HistoryChartWidget*>("pb"), Qt::LeftButton);
        twtest::saveScreenshot(viewer, "log-viewer-enlarged.png");
    }
    twtest::DarkPalette dark;
    editloggsForm viewer(dir.file("datasource.txt"), running, nullptr);
    showDataTab(viewer);
    twtest::saveScreenshot(viewer, "log-viewer-dark.png");
}
