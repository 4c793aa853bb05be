#pragma once

// moc cannot parse the C++20 library headers these pull in.
#ifndef Q_MOC_RUN
#include "history/clsADT.h"
#endif
#include "history/ui/LogViewerLayout.h"

#include <QDialog>
#include <QHash>

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;
class QTabBar;
class QTableWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace tw {

class HistoryChartWidget;
class ProgressSink;

// "View logs": the history by year, month and day with statistics, charts and the session list, where sessions are
// added, edited and deleted. Works on its own copy of the history; the file changes only on OK (exec() then
// returns Accepted). The running session, when given, is listed in blue and can be neither changed nor saved.
class editloggsForm : public QDialog {
    Q_OBJECT
public:
    editloggsForm(std::string historyPath, const std::optional<clsSessionData>& runningSession, ProgressSink* progress,
                  QWidget* parent = nullptr);

    const clsADT& historyTree() const { return m_history; }

    // The shown period: year, month and day, 0 where the level has none; all 0 when nothing is shown.
    struct Period {
        int year = 0;
        int month = 0;
        int day = 0;
    };
    Period shownPeriod() const { return m_shown; }
    // Shows a period as a click on its tree node does; false when the tree has no such node.
    bool selectPeriod(const Period& period);

    // Opens at the size the viewer had when it was last closed, kept in this settings file, and keeps it there again.
    void rememberSizeIn(std::string settingsPath);

    void done(int result) override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void buildPeriodTree();
    void buildTabs();
    void buildStatisticsTab();
    void buildDataTab();
    void connectControls();
    // Sizes every control to its texts in the window's font; the window is never made smaller than they need.
    void fitToContents();
    LogViewerContents measureContents();
    QSize measureStatistics();
    void fitStatisticsCells();
    // largest: the largest download, upload and speeds the list shows.
    void fitListColumns(const std::array<double, 4>& largest);
    QStringList legendCaptions();
    QSize fittingScreen(QSize wanted) const;
    void layoutControls();
    void fillTree(bool autoSelect);
    void showNode(QTreeWidgetItem* node, bool sortAndSelect);
    void fillStatistics(const NodeStatistics& node);
    void addSessionRows(const std::vector<const clsSessionData*>& sessions);
    void drawChart();
    void updateLegend();
    void chooseTab(int index);
    void toggleEnlarged();
    void reselect(const Period& before);

    void addLog();
    void editLog();
    void deleteLog();
    void changeHistory(const std::function<void()>& change);
    void exportLogs();
    void confirm();

    // The running session's End; an amount as the list shows it ("# ### ### ### ### ##0").
    static const QString& nowText();
    static QString amountText(double amount);

    // The session of the list's current row while it is selected, or none.
    const clsSessionData* currentRowSession() const;
    // The row Edit and Delete work on; none, after telling the user why, when it may not be changed.
    const clsSessionData* changeableRowSession(const QString& refusalForTheRunningSession);
    void showMessage(const QString& text);

    std::string m_historyPath;
    std::string m_settingsPath; // where the window's size is kept; none when empty
    clsADT m_history;
    Period m_shown;
    bool m_filling = false;
    bool m_enlarged = false;
    bool m_readOnly = false; // the file could not be read as a history: it is never saved
    std::vector<clsSessionData> m_rowSessions;
    QHash<QString, QTreeWidgetItem*> m_nodesByKey;
    LogViewerContents m_contents;
    std::array<int, 3> m_statisticsColumnWidths{};
    int m_statisticsRowHeight = 0;

    QLabel* m_treeLabel = nullptr;
    QTreeWidget* m_periods = nullptr;
    QTabBar* m_tabs = nullptr;
    QFrame* m_statisticsFrame = nullptr;
    QFrame* m_dataFrame = nullptr;
    HistoryChartWidget* m_chart = nullptr;
    QLabel* m_chartTypeLabel = nullptr;
    QComboBox* m_chartType = nullptr;
    QGroupBox* m_legend = nullptr;
    QFrame* m_legendBoxes[2] = {nullptr, nullptr};
    QLabel* m_legendCaptions[2] = {nullptr, nullptr};
    QTableWidget* m_statistics = nullptr;
    QTreeWidget* m_list = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_edit = nullptr;
    QPushButton* m_delete = nullptr;
    QPushButton* m_export = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
};

} // namespace tw
