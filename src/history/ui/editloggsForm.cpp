#include "history/ui/editloggsForm.h"

#include "config/SettingsKeys.h"
#include "history/ExactAmount.h"
#include "history/HistoryChart.h"
#include "history/ui/ExportDialog.h"
#include "history/ui/HistoryChartWidget.h"
#include "history/ui/LogViewerLayout.h"
#include "history/ui/frmpopupAddLogs.h"
#include "history/ui/frmpopupEditLogs.h"
#include "widgets/ui/MessageBoxes.h"
#include "widgets/ui/PaletteColours.h"
#include "widgets/ui/StripedList.h"
#include "widgets/ui/TabbedDialog.h"
#include "widgets/ui/UiText.h"
#include "widgets/ui/modSortListView.h"

#include <QComboBox>
#include <QDate>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTabBar>
#include <QTableWidget>
#include <QTreeWidget>

namespace tw {

namespace {

// The least size of the buttons, from the window's original twip layout (15 twips a pixel).
constexpr int kLegendSwatch = 14;

constexpr int kYearRole = Qt::UserRole + 1;
constexpr int kMonthRole = Qt::UserRole + 2;
constexpr int kDayRole = Qt::UserRole + 3;
constexpr int kKeyRole = Qt::UserRole + 4;
constexpr int kRowSessionRole = Qt::UserRole + 5;

QString yearKey(int y) {
    return QStringLiteral("i%1").arg(y);
}
QString monthKey(int y, int m) {
    return QStringLiteral("j%1%2").arg(y).arg(m);
}
QString dayKey(int y, int m, int d) {
    return QStringLiteral("k%1.%2.%3").arg(y).arg(m).arg(d);
}

template <class Node> std::vector<const Node*> newestFirst(const std::vector<Node>& nodes) {
    std::vector<const Node*> out;
    out.reserve(nodes.size());
    for (auto it = nodes.rbegin(); it != nodes.rend(); ++it) {
        out.push_back(&*it);
    }
    return out;
}

void collectSessions(const clsADTDay& day, std::vector<const clsSessionData*>& out) {
    const auto& sessions = day.getSessions();
    for (auto it = sessions.rbegin(); it != sessions.rend(); ++it) {
        out.push_back(&*it);
    }
}

void collectSessions(const clsADTMonth& month, std::vector<const clsSessionData*>& out) {
    for (const clsADTDay* day : newestFirst(month.getDays())) {
        collectSessions(*day, out);
    }
}

void collectSessions(const clsADTYear& year, std::vector<const clsSessionData*>& out) {
    for (const clsADTMonth* month : newestFirst(year.getMonths())) {
        collectSessions(*month, out);
    }
}

} // namespace

const QString& editloggsForm::nowText() {
    static const QString text = QStringLiteral("******* now *******");
    return text;
}

QString editloggsForm::amountText(double amount) {
    return toQString(formatGroupedBytes(wholeBytesFromDouble(amount)));
}

editloggsForm::editloggsForm(std::string historyPath, const std::optional<clsSessionData>& runningSession,
                             ProgressSink* progress, QWidget* parent)
    : QDialog(parent), m_historyPath(std::move(historyPath)) {
    setObjectName(QStringLiteral("editloggsForm"));
    setWindowTitle(tr("View logs"));

    m_history.load(m_historyPath, progress);
    // A file that is there but is not a history as far as it could be read is shown, never replaced.
    m_readOnly = !m_history.canBeSaved();
    if (runningSession) {
        clsSessionData running = *runningSession;
        running.isCurrent = true;
        m_history.insertLog(running);
    }
    m_history.updateStats();

    buildControls();
    fitToContents();
    resize(fittingScreen(LogViewerLayout::openingSize(m_contents)));
    chooseTab(0);
    fillTree(true);
    if (m_readOnly) {
        for (QPushButton* b : {m_add, m_edit, m_delete}) {
            b->setEnabled(false);
        }
        const QString reason = m_history.fileState() == clsADT::FileState::Unreadable
                                   ? tr("cannot be read")
                                   : tr("is not a history file (it has fewer than its three header lines)");
        showMessageBox(parentWidget() != nullptr ? parentWidget() : this,
                       tr("The history file %1 %2.").arg(toQString(m_historyPath), reason) + "\n" +
                           tr("The logs are shown read-only: nothing is changed or saved."),
                       QMessageBox::Warning);
    }
}

void editloggsForm::rememberSizeIn(std::string settingsPath) {
    m_settingsPath = std::move(settingsPath);
    const QSize kept(iniToInt(readIni(m_settingsPath, kLogViewerWidth)),
                     iniToInt(readIni(m_settingsPath, kLogViewerHeight)));
    if (!kept.isEmpty()) {
        resize(fittingScreen(kept.expandedTo(minimumSize())));
    }
}

void editloggsForm::done(int result) {
    if (!m_settingsPath.empty()) {
        const QSize kept = isMaximized() || isFullScreen() ? normalGeometry().size() : size();
        writeIni(m_settingsPath, kLogViewerWidth, std::to_string(kept.width()));
        writeIni(m_settingsPath, kLogViewerHeight, std::to_string(kept.height()));
    }
    QDialog::done(result);
}

void editloggsForm::buildControls() {
    buildPeriodTree();
    buildTabs();
    buildStatisticsTab();
    buildDataTab();

    m_export = new QPushButton(tr("Export..."), this);
    m_export->setObjectName(QStringLiteral("exportButton"));
    m_export->setAutoDefault(false);
    m_ok = new QPushButton(tr("OK"), this);
    m_ok->setObjectName(QStringLiteral("OKButton"));
    m_ok->setDefault(true);
    m_cancel = new QPushButton(tr("Cancel"), this);
    m_cancel->setObjectName(QStringLiteral("CancelButton"));

    connectControls();
}

void editloggsForm::buildPeriodTree() {
    m_treeLabel = new QLabel(tr("Choose interval:"), this);
    m_periods = new QTreeWidget(this);
    m_periods->setObjectName(QStringLiteral("TreeView1"));
    m_periods->setHeaderHidden(true);
    m_periods->setColumnCount(1);
}

void editloggsForm::buildTabs() {
    m_tabs = new QTabBar(this);
    m_tabs->setObjectName(QStringLiteral("tbsEdit"));
    m_tabs->addTab(tr("Statistics"));
    m_tabs->addTab(tr("Data"));
    m_tabs->setFocusPolicy(Qt::NoFocus);

    m_statisticsFrame = new QFrame(this);
    m_dataFrame = new QFrame(this);
    for (QFrame* frame : {m_statisticsFrame, m_dataFrame}) {
        frame->setObjectName(QStringLiteral("tabFrame"));
        frame->setAutoFillBackground(true);
    }
}

void editloggsForm::buildStatisticsTab() {
    m_chart = new HistoryChartWidget(m_statisticsFrame);
    m_chartTypeLabel = new QLabel(tr("Type of graph:"), m_statisticsFrame);
    m_chartType = new QComboBox(m_statisticsFrame);
    m_chartType->setObjectName(QStringLiteral("Combo1"));
    m_chartType->addItems(
        {tr("Download"), tr("Upload"), tr("Download & upload"), tr("Max downl. speed"), tr("Max upload speed")});
    m_chartType->setCurrentIndex(static_cast<int>(HistoryChartType::DownloadAndUpload));

    m_legend = new QGroupBox(tr("Description"), m_statisticsFrame);
    auto* legendLayout = new QGridLayout(m_legend);
    for (int i = 0; i < 2; ++i) {
        m_legendBoxes[i] = new QFrame(m_legend);
        m_legendBoxes[i]->setFixedSize(kLegendSwatch, kLegendSwatch);
        m_legendBoxes[i]->setFrameShape(QFrame::Box);
        m_legendBoxes[i]->setAutoFillBackground(true);
        m_legendCaptions[i] = new QLabel(m_legend);
        // A one-series type hides the second entry; the box keeps its size for either kind.
        for (QWidget* part : std::initializer_list<QWidget*>{m_legendBoxes[i], m_legendCaptions[i]}) {
            QSizePolicy policy = part->sizePolicy();
            policy.setRetainSizeWhenHidden(true);
            part->setSizePolicy(policy);
        }
        legendLayout->addWidget(m_legendBoxes[i], i, 0);
        legendLayout->addWidget(m_legendCaptions[i], i, 1);
    }
    legendLayout->setColumnStretch(1, 1);

    m_statistics = new QTableWidget(5, 3, m_statisticsFrame);
    m_statistics->setObjectName(QStringLiteral("statisticsGrid"));
    m_statistics->setHorizontalHeaderLabels({tr("Download"), tr("Upload"), tr("Download & upload")});
    m_statistics->setVerticalHeaderLabels({tr("Max"), tr("Min"), tr("Av."), tr("Med."), tr("Total")});
    m_statistics->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_statistics->setSelectionMode(QAbstractItemView::NoSelection);
    m_statistics->setFocusPolicy(Qt::NoFocus);
    // Sized by fitStatisticsCells: to their contents, sharing whatever room is left over.
    m_statistics->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_statistics->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_statistics->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_statistics->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    for (int r = 0; r < 5; ++r) {
        for (int c = 0; c < 3; ++c) {
            auto* cell = new QTableWidgetItem;
            cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_statistics->setItem(r, c, cell);
        }
    }
}

void editloggsForm::buildDataTab() {
    m_list = makeStripedList(m_dataFrame, QStringLiteral("monthListView"));
    m_list->setAllColumnsShowFocus(true);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setHeaderLabels(
        {tr("Start"), tr("End"), tr("Download"), tr("Upload"), tr("Max download speed"), tr("Max upload speed")});
    const SortType columnTypes[] = {SortType::Text,   SortType::Text,   SortType::Number,
                                    SortType::Number, SortType::Number, SortType::Number};
    for (int c = 0; c < 6; ++c) {
        modSortListView::setColumnSortType(m_list, c, columnTypes[c]);
        m_list->headerItem()->setTextAlignment(c, (c < 2 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
    }
    m_list->header()->setSortIndicator(0, Qt::DescendingOrder); // newest first, as the rows are added
    m_list->header()->setSortIndicatorShown(true);

    m_add = new QPushButton(tr("Add..."), m_dataFrame);
    m_add->setObjectName(QStringLiteral("addButton"));
    m_edit = new QPushButton(tr("Edit..."), m_dataFrame);
    m_edit->setObjectName(QStringLiteral("editButton"));
    m_delete = new QPushButton(tr("Delete"), m_dataFrame);
    m_delete->setObjectName(QStringLiteral("deleteButton"));
    for (QPushButton* b : {m_add, m_edit, m_delete}) {
        b->setAutoDefault(false);
    }
}

void editloggsForm::connectControls() {
    connect(m_periods, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* current) {
        if (!m_filling && current != nullptr) {
            showNode(current, true);
        }
    });
    connect(m_tabs, &QTabBar::currentChanged, this, &editloggsForm::chooseTab);
    connect(m_chartType, &QComboBox::currentIndexChanged, this, [this](int) { drawChart(); });
    connect(m_chart, &HistoryChartWidget::doubleClicked, this, &editloggsForm::toggleEnlarged);
    modSortListView::sortOnHeaderClicks(m_list);
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, [this] { editLog(); });
    connect(m_add, &QPushButton::clicked, this, &editloggsForm::addLog);
    connect(m_edit, &QPushButton::clicked, this, &editloggsForm::editLog);
    connect(m_delete, &QPushButton::clicked, this, &editloggsForm::deleteLog);
    connect(m_export, &QPushButton::clicked, this, &editloggsForm::exportLogs);
    connect(m_ok, &QPushButton::clicked, this, &editloggsForm::confirm);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);

    cycleTabsWithCtrlTab(this, m_tabs);
    m_list->installEventFilter(this);
}

bool editloggsForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_list && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Delete && key->modifiers() == Qt::NoModifier) {
            deleteLog();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void editloggsForm::chooseTab(int index) {
    if (m_tabs->currentIndex() != index) {
        m_tabs->setCurrentIndex(index); // comes back here through the signal
        return;
    }
    const bool statistics = index == 0;
    m_statisticsFrame->setVisible(statistics);
    m_statisticsFrame->setEnabled(statistics);
    m_dataFrame->setVisible(!statistics);
    m_dataFrame->setEnabled(!statistics);
}

void editloggsForm::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    layoutControls();
}

void editloggsForm::layoutControls() {
    const LogViewerLayout l = LogViewerLayout::compute(size(), m_contents);
    m_ok->setGeometry(l.okButton);
    m_cancel->setGeometry(l.cancelButton);
    m_export->setGeometry(l.exportButton);
    m_treeLabel->setGeometry(l.treeLabel);
    m_periods->setGeometry(l.tree);
    m_tabs->setGeometry(l.tabs);

    m_dataFrame->setGeometry(l.tabArea);
    m_list->setGeometry(l.list);
    m_add->setGeometry(l.addButton);
    m_edit->setGeometry(l.editButton);
    m_delete->setGeometry(l.deleteButton);

    // Enlarged, the Statistics frame covers the window but for the OK and Cancel row, and the chart fills it.
    // Whatever the enlarged chart would only partly cover is hidden with it.
    for (QWidget* covered : std::initializer_list<QWidget*>{m_chartTypeLabel, m_chartType, m_legend, m_statistics,
                                                            m_treeLabel, m_periods, m_tabs}) {
        covered->setVisible(!m_enlarged);
    }
    if (m_enlarged) {
        m_statisticsFrame->setGeometry(l.enlargedChart);
        m_statisticsFrame->raise();
        m_chart->setGeometry(QRect(QPoint(0, 0), l.enlargedChart.size()));
        return;
    }
    m_statisticsFrame->setGeometry(l.tabArea);
    m_chart->setGeometry(l.chart);
    m_chartTypeLabel->setGeometry(l.chartTypeLabel);
    m_chartType->setGeometry(l.chartType);
    m_legend->setGeometry(l.legend);
    m_statistics->setGeometry(l.statistics);
    fitStatisticsCells();
}

void editloggsForm::toggleEnlarged() {
    m_enlarged = !m_enlarged;
    m_chart->setEnlarged(m_enlarged);
    layoutControls();
}

void editloggsForm::fillTree(bool autoSelect) {
    m_filling = true;
    m_periods->clear();
    m_list->clear();
    m_nodesByKey.clear();
    m_shown = {};
    m_rowSessions.clear();
    if (m_history.Count() == 0) {
        m_chart->clearChart();
        fillStatistics(NodeStatistics{});
        updateLegend();
        m_filling = false;
        return;
    }
    const QLocale locale = QLocale::system();
    auto makeNode = [this](const QString& text, const QString& key, int y, int m, int d) {
        auto* item = new QTreeWidgetItem(QStringList{text});
        item->setData(0, kKeyRole, key);
        item->setData(0, kYearRole, y);
        item->setData(0, kMonthRole, m);
        item->setData(0, kDayRole, d);
        m_nodesByKey.insert(key, item);
        return item;
    };
    QList<QTreeWidgetItem*> years;
    for (const clsADTYear* year : newestFirst(m_history.getYears())) {
        const int y = year->getYear();
        QTreeWidgetItem* yearItem = makeNode(QString::number(y), yearKey(y), y, 0, 0);
        for (const clsADTMonth* month : newestFirst(year->getMonths())) {
            const int m = month->getMonth();
            QTreeWidgetItem* monthItem =
                makeNode(locale.standaloneMonthName(m, QLocale::LongFormat), monthKey(y, m), y, m, 0);
            yearItem->addChild(monthItem);
            for (const clsADTDay* day : newestFirst(month->getDays())) {
                const int d = day->getDay();
                monthItem->addChild(makeNode(QString::number(d), dayKey(y, m, d), y, m, d));
            }
        }
        years.push_back(yearItem);
    }
    m_periods->addTopLevelItems(years);
    m_filling = false;
    if (autoSelect) {
        QTreeWidgetItem* firstMonth = years.front()->childCount() > 0 ? years.front()->child(0) : nullptr;
        if (firstMonth != nullptr) {
            m_filling = true;
            m_periods->setCurrentItem(firstMonth);
            m_periods->scrollToItem(firstMonth);
            m_filling = false;
            showNode(firstMonth, false);
            // Edit and Delete have a row to work on from the start: the newest, listed first.
            m_list->setCurrentItem(m_list->topLevelItem(0));
        }
    }
}

bool editloggsForm::selectPeriod(const Period& period) {
    const QString key = period.day != 0     ? dayKey(period.year, period.month, period.day)
                        : period.month != 0 ? monthKey(period.year, period.month)
                                            : yearKey(period.year);
    QTreeWidgetItem* node = m_nodesByKey.value(key, nullptr);
    if (node == nullptr) {
        return false;
    }
    m_filling = true;
    m_periods->setCurrentItem(node);
    m_periods->scrollToItem(node);
    m_filling = false;
    showNode(node, true);
    return true;
}

void editloggsForm::reselect(const Period& before) {
    for (const Period& candidate : {before, Period{before.year, before.month, 0}, Period{before.year, 0, 0}}) {
        if (candidate.year != 0 && selectPeriod(candidate)) {
            return;
        }
    }
    if (m_periods->topLevelItemCount() > 0) {
        QTreeWidgetItem* first = m_periods->topLevelItem(0);
        selectPeriod({first->data(0, kYearRole).toInt(), 0, 0});
    }
}

void editloggsForm::showNode(QTreeWidgetItem* node, bool sortAndSelect) {
    const Period period{node->data(0, kYearRole).toInt(), node->data(0, kMonthRole).toInt(),
                        node->data(0, kDayRole).toInt()};
    const clsADTYear* year = m_history.getYear(period.year);
    if (year == nullptr) {
        return;
    }
    m_shown = period;
    std::vector<const clsSessionData*> sessions;
    if (period.month == 0) {
        fillStatistics(*year);
        collectSessions(*year, sessions);
    } else if (const clsADTMonth* month = year->findMonth(period.month); month != nullptr && period.day == 0) {
        fillStatistics(*month);
        collectSessions(*month, sessions);
    } else if (const clsADTDay* day = month != nullptr ? month->findDay(period.day) : nullptr; day != nullptr) {
        fillStatistics(*day);
        collectSessions(*day, sessions);
    }
    addSessionRows(sessions);
    drawChart();
    if (sortAndSelect) {
        modSortListView::sortAgain(m_list);
        if (m_list->topLevelItemCount() > 0) {
            m_list->setCurrentItem(m_list->topLevelItem(0));
        }
    }
}

void editloggsForm::fillStatistics(const NodeStatistics& node) {
    const ExactAmount total(node.downloadedBytes() + node.uploadedBytes());
    const ExactAmount* values[5][3] = {
        {&node.getDLMax(), &node.getULMax(), &node.getTotalMax()},
        {&node.getDLMin(), &node.getULMin(), &node.getTotalMin()},
        {&node.getDLAve(), &node.getULAve(), &node.getTotalAve()},
        {&node.getDLMed(), &node.getULMed(), &node.getTotalMed()},
        {&node.getDL(), &node.getUL(), &total},
    };
    for (int r = 0; r < 5; ++r) {
        for (int c = 0; c < 3; ++c) {
            m_statistics->item(r, c)->setText(toQString(formatGroupedBytes(*values[r][c])));
        }
    }
}

void editloggsForm::addSessionRows(const std::vector<const clsSessionData*>& sessions) {
    m_list->clear();
    m_rowSessions.clear();
    m_rowSessions.reserve(sessions.size());
    QList<QTreeWidgetItem*> rows;
    rows.reserve(static_cast<qsizetype>(sessions.size()));
    std::array<double, 4> largest{};
    const QColor running = emphasisTextColour(m_list->palette());
    for (const clsSessionData* s : sessions) {
        const double values[] = {s->downloaded, s->uploaded, static_cast<double>(s->maxDownloadSpeed),
                                 static_cast<double>(s->maxUploadSpeed)};
        for (std::size_t i = 0; i < largest.size(); ++i) {
            largest[i] = std::max(largest[i], values[i]);
        }
        auto* row = new QTreeWidgetItem(QStringList{toQString(s->startDate.toHistoryString()),
                                                    s->isCurrent ? nowText() : toQString(s->stopDate.toHistoryString()),
                                                    amountText(s->downloaded), amountText(s->uploaded),
                                                    amountText(s->maxDownloadSpeed), amountText(s->maxUploadSpeed)});
        for (int c = 2; c < 6; ++c) {
            row->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
        }
        if (s->isCurrent) {
            for (int c = 0; c < 6; ++c) {
                row->setForeground(c, running);
            }
        }
        row->setData(0, kRowSessionRole, static_cast<int>(m_rowSessions.size()));
        m_rowSessions.push_back(*s);
        rows.push_back(row);
    }
    m_list->addTopLevelItems(rows);
    fitListColumns(largest);
}

void editloggsForm::drawChart() {
    m_chart->setChartType(static_cast<HistoryChartType>(std::max(0, m_chartType->currentIndex())));
    updateLegend();
    const clsADTYear* year = m_history.getYear(m_shown.year);
    if (year == nullptr) {
        m_chart->clearChart();
        return;
    }
    if (m_shown.month == 0) {
        std::array<std::string, 12> names;
        const QLocale locale = QLocale::system();
        for (int m = 1; m <= 12; ++m) {
            names[m - 1] = locale.monthName(m, QLocale::ShortFormat).toStdString();
        }
        m_chart->setSlots(chartSlotsOfYear(*year, names), false);
        return;
    }
    const clsADTMonth* month = year->findMonth(m_shown.month);
    if (month == nullptr) {
        m_chart->clearChart();
    } else if (m_shown.day == 0) {
        m_chart->setSlots(chartSlotsOfMonth(*month, m_shown.year), false);
    } else if (const clsADTDay* day = month->findDay(m_shown.day)) {
        m_chart->setSlots(chartSlotsOfDay(*day), true);
    } else {
        m_chart->clearChart();
    }
}

void editloggsForm::updateLegend() {
    const std::vector<ChartLegendEntry> legend = m_chart->currentLayout().legend;
    for (int i = 0; i < 2; ++i) {
        const bool shown = i < static_cast<int>(legend.size());
        m_legendBoxes[i]->setVisible(shown);
        m_legendCaptions[i]->setVisible(shown);
        if (shown) {
            QPalette p = m_legendBoxes[i]->palette();
            p.setColor(QPalette::Window,
                       legend[i].series == ChartSeries::Download ? QColor(0, 128, 0) : QColor(128, 0, 0));
            m_legendBoxes[i]->setPalette(p);
            m_legendCaptions[i]->setText(toQString(legend[i].caption));
        }
    }
}

const clsSessionData* editloggsForm::currentRowSession() const {
    const QTreeWidgetItem* row = m_list->currentItem();
    if (row == nullptr || !row->isSelected()) {
        return nullptr;
    }
    const int index = row->data(0, kRowSessionRole).toInt();
    return index >= 0 && index < static_cast<int>(m_rowSessions.size()) ? &m_rowSessions[index] : nullptr;
}

void editloggsForm::showMessage(const QString& text) {
    showMessageBox(this, text, QMessageBox::Information);
}

void editloggsForm::addLog() {
    if (m_readOnly || m_history.Count() == 0) {
        return;
    }
    QDate offered = QDate::currentDate();
    if (const clsSessionData* row = currentRowSession()) {
        offered = QDate(row->startDate.year, row->startDate.month, row->startDate.day);
    } else if (m_shown.day != 0) {
        offered = QDate(m_shown.year, m_shown.month, m_shown.day);
    }
    frmpopupAddLogs dialog(this);
    dialog.setValues(offered);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    changeHistory([&] { m_history.insertLog(dialog.session()); });
}

const clsSessionData* editloggsForm::changeableRowSession(const QString& refusalForTheRunningSession) {
    if (m_readOnly || m_history.Count() == 0) {
        return nullptr;
    }
    const clsSessionData* row = currentRowSession();
    if (row == nullptr) {
        showMessage(tr("Select a log in the list first."));
        return nullptr;
    }
    if (row->isCurrent) {
        showMessage(refusalForTheRunningSession + "\n" + tr("You must stop it first in the main window."));
        return nullptr;
    }
    return row;
}

void editloggsForm::editLog() {
    const clsSessionData* row = changeableRowSession(tr("You can't change the current log."));
    if (row == nullptr) {
        return;
    }
    const clsSessionData old = *row;
    frmpopupEditLogs dialog(this);
    dialog.setValues(old);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    changeHistory([&] {
        m_history.deleteLog(old);
        m_history.insertLog(dialog.session());
    });
}

void editloggsForm::deleteLog() {
    const clsSessionData* row = changeableRowSession(tr("You can't delete the current log."));
    if (row == nullptr) {
        return;
    }
    const clsSessionData chosen = *row;
    changeHistory([&] { m_history.deleteLog(chosen); });
}

void editloggsForm::changeHistory(const std::function<void()>& change) {
    // The statistics, the tree and the selection follow every change; the period that was shown stays shown.
    const Period before = m_shown;
    change();
    m_history.updateStats();
    fillTree(false);
    reselect(before);
    fitToContents(); // a larger total may need wider statistics cells
}

void editloggsForm::exportLogs() {
    QString name;
    if (m_shown.day != 0) {
        name = QDate(m_shown.year, m_shown.month, m_shown.day).toString(Qt::ISODate);
    } else if (m_shown.month != 0) {
        name = QLocale::system().standaloneMonthName(m_shown.month, QLocale::LongFormat) + QLatin1Char(' ') +
               QString::number(m_shown.year);
    } else if (m_shown.year != 0) {
        name = QString::number(m_shown.year);
    }
    ExportDialog dialog(m_history, m_shown.year, m_shown.month, m_shown.day, name, this);
    dialog.exec();
}

void editloggsForm::confirm() {
    if (m_readOnly) {
        reject();
        return;
    }
    if (m_history.save(m_historyPath)) {
        accept();
        return;
    }
    showMessage(tr("Couldn't save"));
    reject();
}

} // namespace tw
