// The log viewer's sizing: every control as large as its texts need in the window's font, whatever the font.
#include "history/ui/editloggsForm.h"

#include "history/HistoryChart.h"
#include "widgets/ui/UiText.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QTabBar>
#include <QTableWidget>
#include <QTreeWidget>

#include <algorithm>

namespace tw {

namespace {

// The least size of the buttons and of the chart controls, from the window's original twip layout.
constexpr QSize kLeastButton{80, 26};
constexpr int kLeastChartControlsWidth = 150;

// Room around a cell's text: the item views' own margins, and a pixel each side for the grid lines.
int textPadding(const QWidget* view) {
    return 2 * (view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1) + 2;
}

} // namespace

void editloggsForm::fitToContents() {
    fitListColumns({});
    // The legend is as wide as its widest caption, whichever chart type is chosen.
    QLabel* probe = m_legendCaptions[0];
    const QString shown = probe->text();
    int widestCaption = 0;
    for (const QString& caption : legendCaptions()) {
        probe->setText(caption);
        widestCaption = std::max(widestCaption, probe->sizeHint().width());
    }
    probe->setText(shown);
    for (QLabel* caption : m_legendCaptions) {
        caption->setMinimumWidth(widestCaption);
    }
    m_contents = measureContents();
    setMinimumSize(fittingScreen(LogViewerLayout::minimumSize(m_contents)));
    layoutControls();
}

QStringList editloggsForm::legendCaptions() {
    QStringList captions;
    for (int type = 0; type < m_chartType->count(); ++type) {
        HistoryChartRequest request;
        request.type = static_cast<HistoryChartType>(type);
        for (const ChartLegendEntry& entry : layoutHistoryChart({}, request).legend) {
            captions << toQString(entry.caption);
        }
    }
    return captions;
}

LogViewerContents editloggsForm::measureContents() {
    const QFontMetrics metrics = fontMetrics();
    LogViewerContents c;
    const QLocale locale = QLocale::system();
    int widestMonth = 0;
    for (int m = 1; m <= 12; ++m) {
        widestMonth = std::max(widestMonth, metrics.horizontalAdvance(locale.standaloneMonthName(m)));
    }
    // A month stands under its year: two indentations in, the first for the year's branch sign.
    const int monthRow = 2 * m_periods->indentation() + widestMonth + textPadding(m_periods);
    c.treeWidth = std::max(m_treeLabel->sizeHint().width(),
                           monthRow + 2 * m_periods->frameWidth() + m_periods->verticalScrollBar()->sizeHint().width());
    c.treeLabelHeight = m_treeLabel->sizeHint().height();
    c.tabBarHeight = m_tabs->sizeHint().height();
    c.chartControlsWidth = std::max({kLeastChartControlsWidth, m_chartTypeLabel->sizeHint().width(),
                                     m_chartType->sizeHint().width(), m_legend->sizeHint().width()});
    c.chartTypeLabelHeight = m_chartTypeLabel->sizeHint().height();
    c.chartTypeHeight = m_chartType->sizeHint().height();
    c.legendHeight = m_legend->sizeHint().height();
    c.statistics = measureStatistics();
    int listWidth = 2 * m_list->frameWidth() + m_list->verticalScrollBar()->sizeHint().width();
    for (int column = 0; column < m_list->columnCount(); ++column) {
        listWidth += m_list->header()->sectionSize(column);
    }
    c.listWidth = listWidth;
    c.button = kLeastButton;
    for (QPushButton* b : {m_ok, m_cancel, m_export, m_add, m_edit, m_delete}) {
        c.button = c.button.expandedTo(b->sizeHint());
    }
    return c;
}

QSize editloggsForm::measureStatistics() {
    // Every value a cell can show is at most the total of the largest year.
    WholeBytes largest = 0;
    for (const clsADTYear& year : m_history.getYears()) {
        largest = std::max(largest, year.downloadedBytes() + year.uploadedBytes());
    }
    const QFontMetrics metrics = m_statistics->fontMetrics();
    const int cellWidth = metrics.horizontalAdvance(toQString(formatGroupedBytes(largest))) + textPadding(m_statistics);
    const QHeaderView* columns = m_statistics->horizontalHeader();
    const QHeaderView* rows = m_statistics->verticalHeader();
    int width = 0;
    for (int c = 0; c < 3; ++c) {
        m_statisticsColumnWidths[c] = std::max(columns->sectionSizeHint(c), cellWidth);
        width += m_statisticsColumnWidths[c];
    }
    m_statisticsRowHeight = metrics.height() + textPadding(m_statistics) / 2;
    for (int r = 0; r < 5; ++r) {
        m_statisticsRowHeight = std::max(m_statisticsRowHeight, rows->sectionSizeHint(r));
    }
    const int frame = 2 * m_statistics->frameWidth();
    return QSize(rows->sizeHint().width() + width + frame,
                 columns->sizeHint().height() + 5 * m_statisticsRowHeight + frame);
}

void editloggsForm::fitStatisticsCells() {
    // Each column and row gets what its contents need and an even share of the room left over.
    const int frame = 2 * m_statistics->frameWidth();
    int spareWidth = m_statistics->width() - frame - m_statistics->verticalHeader()->sizeHint().width();
    for (int width : m_statisticsColumnWidths) {
        spareWidth -= width;
    }
    spareWidth = std::max(spareWidth, 0);
    for (int c = 0; c < 3; ++c) {
        m_statistics->setColumnWidth(c, m_statisticsColumnWidths[c] + spareWidth / 3 + (c == 2 ? spareWidth % 3 : 0));
    }
    const int spareHeight =
        std::max(0, m_statistics->height() - frame - m_statistics->horizontalHeader()->sizeHint().height() -
                        5 * m_statisticsRowHeight);
    for (int r = 0; r < 5; ++r) {
        m_statistics->setRowHeight(r, m_statisticsRowHeight + spareHeight / 5 + (r == 4 ? spareHeight % 5 : 0));
    }
}

void editloggsForm::fitListColumns(const std::array<double, 4>& largest) {
    // From the widest texts a column can show, not from its rows: a year of sessions is tens of thousands of rows.
    // Columns only widen, so a column the user widened stays so.
    const QFontMetrics metrics = m_list->fontMetrics();
    QHeaderView* header = m_list->header();
    auto fit = [&](int column, const QString& widest) {
        const int needed =
            std::max(header->sectionSizeHint(column), metrics.horizontalAdvance(widest) + textPadding(m_list));
        if (header->sectionSize(column) < needed) {
            header->resizeSection(column, needed);
        }
    };
    const QString date = QStringLiteral("0000-00-00 00:00");
    fit(0, date);
    fit(1, metrics.horizontalAdvance(nowText()) > metrics.horizontalAdvance(date) ? nowText() : date);
    for (int c = 2; c < 6; ++c) {
        const QString value = amountText(largest[static_cast<std::size_t>(c - 2)]);
        const QString sample = QStringLiteral("000 000 000 000");
        fit(c, value.size() > sample.size() ? value : sample);
    }
}

QSize editloggsForm::fittingScreen(QSize wanted) const {
    return wanted.boundedTo(screen()->availableGeometry().size());
}

} // namespace tw
