#include "history/ui/editloggsForm.h"

#include "history/ExactAmount.h"
#include "history/HistoryChart.h"
#include "history/ui/HistoryChartWidget.h"
#include "history/ui/frmpopupAddLogs.h"
#include "history/ui/frmpopupEditLogs.h"
#include "widgets/ui/MessageBoxes.h"
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

// The window's least size and the tab area, from its original twip layout (15 twips a pixel).
constexpr int kMinWidth = 633;
constexpr int kMinHeight = 447;
constexpr int kTabAreaLeft = 136;
constexpr int kTabAreaTop = 48;
constexpr int kMargin = 8;
constexpr int kButtonWidth = 80;
constexpr int kButtonHeight = 26;

constexpr int kYearRole = Qt::UserRole + 1;
constexpr int kMonthRole = Qt::UserRole + 2;
constexpr int kDayRole = Qt::UserRole + 3;
constexpr int kKeyRole = Qt::UserRole + 4;
constexpr int kRowSessionRole = Qt::UserRole + 5;

const QString kNowText = QStringLiteral("******* now *******");
const QColor kRunningColour(0, 0, 255);

QString yearKey(int y) {
    return QStringLiteral("i%1").arg(y);
}
QString monthKey(int y, int m) {
    return QStringLiteral("j%1%2").arg(y).arg(m);
}
QString dayKey(int y, int m, int d) {
    return QStringLiteral("k%1.%2.%3").arg(y).arg(m).arg(d);
}

QString grouped(double amount) {
    return toQString(formatGroupedBytes(wholeBytesFromDouble(amount)));
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
    setMinimumSize(kMinWidth, kMinHeight);
    resize(kMinWidth, kMinHeight);
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

void editloggsForm::buildControls() {
    m_treeLabel = new QLabel(tr("Choose interval:"), this);
    m_periods = new QTreeWidget(this);
    m_periods->setObjectName(QStringLiteral("TreeView1"));
    m_periods->setHeaderHidden(true);
    m_periods->setColumnCount(1);

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
        m_legendBoxes[i]->setFixedSize(14, 14);
        m_legendBoxes[i]->setFrameShape(QFrame::Box);
        m_legendBoxes[i]->setAutoFillBackground(true);
        m_legendCaptions[i] = new QLabel(m_legend);
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
    m_statistics->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_statistics->verticalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    for (int r = 0; r < 5; ++r) {
        for (int c = 0; c < 3; ++c) {
            auto* cell = new QTableWidgetItem;
            cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_statistics->setItem(r, c, cell);
        }
    }

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
    m_list->header()->setSectionsClickable(true);
    m_list->header()->setSortIndicator(0, Qt::DescendingOrder); // newest first, as the rows are added
    m_list->header()->setSortIndicatorShown(true);
    // Widths from the widest texts the columns show, so long lists need no measuring.
    const QFontMetrics metrics = m_list->fontMetrics();
    const int padding = 2 * metrics.horizontalAdvance(QLatin1Char('0'));
    const int dateWidth = metrics.horizontalAdvance(QStringLiteral("0000-00-00 00:00")) + padding;
    m_list->header()->resizeSection(0, dateWidth);
    m_list->header()->resizeSection(1, std::max(dateWidth, metrics.horizontalAdvance(kNowText) + padding));
    for (int c = 2; c < 6; ++c) {
        const int textWidth = metrics.horizontalAdvance(m_list->headerItem()->text(c));
        m_list->header()->resizeSection(
            c, std::max(textWidth, metrics.horizontalAdvance(QStringLiteral("000 000 000 000"))) + padding);
    }

    m_add = new QPushButton(tr("Add..."), m_dataFrame);
    m_add->setObjectName(QStringLiteral("addButton"));
    m_edit = new QPushButton(tr("Edit..."), m_dataFrame);
    m_edit->setObjectName(QStringLiteral("editButton"));
    m_delete = new QPushButton(tr("Delete"), m_dataFrame);
    m_delete->setObjectName(QStringLiteral("deleteButton"));
    for (QPushButton* b : {m_add, m_edit, m_delete}) {
        b->setAutoDefault(false);
    }

    m_ok = new QPushButton(tr("OK"), this);
    m_ok->setObjectName(QStringLiteral("OKButton"));
    m_ok->setDefault(true);
    m_cancel = new QPushButton(tr("Cancel"), this);
    m_cancel->setObjectName(QStringLiteral("CancelButton"));

    connect(m_periods, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* current) {
        if (!m_filling && current != nullptr) {
            showNode(current, true);
        }
    });
    connect(m_tabs, &QTabBar::currentChanged, this, &editloggsForm::chooseTab);
    connect(m_chartType, &QComboBox::currentIndexChanged, this, [this](int) { drawChart(); });
    connect(m_chart, &HistoryChartWidget::doubleClicked, this, &editloggsForm::toggleEnlarged);
    connect(m_list->header(), &QHeaderView::sectionClicked, this,
            [this](int column) { modSortListView::headerClicked(m_list, column); });
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, [this] { editLog(); });
    connect(m_add, &QPushButton::clicked, this, &editloggsForm::addLog);
    connect(m_edit, &QPushButton::clicked, this, &editloggsForm::editLog);
    connect(m_delete, &QPushButton::clicked, this, &editloggsForm::deleteLog);
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
    const int w = width();
    const int h = height();
    const int bottomRow = h - kMargin - kButtonHeight;
    m_cancel->setGeometry(w - kMargin - kButtonWidth, bottomRow, kButtonWidth, kButtonHeight);
    m_ok->setGeometry(w - 2 * (kMargin + kButtonWidth), bottomRow, kButtonWidth, kButtonHeight);

    m_treeLabel->setGeometry(kMargin, kMargin, kTabAreaLeft - 2 * kMargin, 18);
    m_periods->setGeometry(kMargin, kMargin + 20, kTabAreaLeft - 2 * kMargin, bottomRow - 2 * kMargin - 20);
    m_tabs->setGeometry(kTabAreaLeft, kMargin + 10, w - kTabAreaLeft - kMargin, kTabAreaTop - kMargin - 10);

    const QRect tabArea(kTabAreaLeft, kTabAreaTop, w - kTabAreaLeft - kMargin, bottomRow - kMargin - kTabAreaTop);
    m_dataFrame->setGeometry(tabArea);

    // Data tab: the list over the buttons.
    const int fw = tabArea.width();
    const int fh = tabArea.height();
    m_list->setGeometry(0, 0, fw, fh - kButtonHeight - kMargin);
    m_delete->setGeometry(fw - kButtonWidth, fh - kButtonHeight, kButtonWidth, kButtonHeight);
    m_edit->setGeometry(fw - 2 * kButtonWidth - kMargin, fh - kButtonHeight, kButtonWidth, kButtonHeight);
    m_add->setGeometry(fw - 3 * kButtonWidth - 2 * kMargin, fh - kButtonHeight, kButtonWidth, kButtonHeight);

    // Statistics tab: the chart above, chart type, legend and statistics grid below. Enlarged, the frame covers
    // the window but for the OK and Cancel row, and the chart fills it.
    // Whatever the enlarged chart would only partly cover is hidden with it.
    for (QWidget* covered : std::initializer_list<QWidget*>{m_chartTypeLabel, m_chartType, m_legend, m_statistics,
                                                            m_treeLabel, m_periods, m_tabs}) {
        covered->setVisible(!m_enlarged);
    }
    if (m_enlarged) {
        m_statisticsFrame->setGeometry(0, 0, w - 10, h - 70);
        m_statisticsFrame->raise();
        m_chart->setGeometry(0, 0, w - 10, h - 70);
        return;
    }
    m_statisticsFrame->setGeometry(tabArea);
    const int lowerHeight = 150;
    m_chart->setGeometry(0, 4, fw, fh - lowerHeight - 4 - kMargin);
    const int lowerTop = fh - lowerHeight;
    m_chartTypeLabel->setGeometry(0, lowerTop, 150, 18);
    m_chartType->setGeometry(0, lowerTop + 20, 150, 24);
    m_legend->setGeometry(0, lowerTop + 52, 150, lowerHeight - 52);
    m_statistics->setGeometry(160, lowerTop, fw - 160, lowerHeight);
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
    for (const clsSessionData* s : sessions) {
        auto* row = new QTreeWidgetItem(QStringList{toQString(s->startDate.toHistoryString()),
                                                    s->isCurrent ? kNowText : toQString(s->stopDate.toHistoryString()),
                                                    grouped(s->downloaded), grouped(s->uploaded),
                                                    grouped(s->maxDownloadSpeed), grouped(s->maxUploadSpeed)});
        for (int c = 2; c < 6; ++c) {
            row->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
        }
        if (s->isCurrent) {
            for (int c = 0; c < 6; ++c) {
                row->setForeground(c, kRunningColour);
            }
        }
        row->setData(0, kRowSessionRole, static_cast<int>(m_rowSessions.size()));
        m_rowSessions.push_back(*s);
        rows.push_back(row);
    }
    m_list->addTopLevelItems(rows);
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
    if (row == nullptr) {
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

void editloggsForm::editLog() {
    if (m_readOnly || m_history.Count() == 0) {
        return;
    }
    const clsSessionData* row = currentRowSession();
    if (row == nullptr) {
        return;
    }
    if (row->isCurrent) {
        showMessage(tr("You can't change the current log.") + "\n" + tr("You must stop it first in the main window."));
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
    if (m_readOnly || m_history.Count() == 0) {
        return;
    }
    const clsSessionData* row = currentRowSession();
    if (row == nullptr) {
        return;
    }
    if (row->isCurrent) {
        showMessage(tr("You can't delete the current log.") + "\n" + tr("You must stop it first in the main window."));
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
