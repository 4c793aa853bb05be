#pragma once

#include "app/AllowanceForecast.h"
#include "app/MonitorView.h"

#include <QString>

#include <array>
#include <cstdint>
#include <optional>

class QGroupBox;
class QLabel;
class QProgressBar;
class QWidget;

namespace tw {

struct MainLayout;

// The three framed panels "This Session", "Today" and "This Month". Value labels are named by array and index:
// "downloadLabel_0".."downloadLabel_2", "uploadLabel_i", "totalLabel_i" (index i = period i), and the session's
// "speedDwnldLabel", "speedUploadLabel", "speedTotalLabel". With a monthly allowance the month panel has two more
// lines: the bar "allowanceBar" with the share "allowanceLabel", and the forecast "forecastLabel".
class PeriodPanels {
public:
    explicit PeriodPanels(QWidget* parent);

    // unitSettings 0..2 are the panels' amount units, 3 the speed unit (0 variable; out of range = variable).
    void showTotals(const PeriodRecords& periods, const std::array<int, 4>& unitSettings, char decimalSeparator);
    void showSpeeds(std::int32_t download, std::int32_t upload, int speedUnit, char decimalSeparator);
    // The month panel's title: "This Month" for the calendar month, else "This period" with its dates as tooltip.
    void showMonthPeriod(const MonthPeriod& period, bool calendarMonth);
    // The allowance lines of the month panel; none hides them. The layout makes room for them (extraRows).
    void showAllowance(const std::optional<AllowanceForecast>& allowance);
    int extraRows() const { return m_allowanceShown ? kAllowanceRows : 0; }
    static constexpr int kAllowanceRows = 2;

    void applyLayout(const MainLayout& layout);
    void setVisible(bool visible);

    QGroupBox* panel(int index) const { return m_panels[index]; }

private:
    std::array<QGroupBox*, 3> m_panels{};
    std::array<std::array<QLabel*, 3>, 3> m_headings{};
    std::array<QLabel*, 3> m_download{};
    std::array<QLabel*, 3> m_upload{};
    std::array<QLabel*, 3> m_total{};
    std::array<QLabel*, 3> m_speedHeadings{};
    std::array<QLabel*, 3> m_speeds{};
    QProgressBar* m_allowanceBar = nullptr;
    QLabel* m_allowanceLabel = nullptr;
    QLabel* m_forecastLabel = nullptr;
    bool m_allowanceShown = false;

    struct ShownSpeeds {
        std::int32_t download = 0;
        std::int32_t upload = 0;
        int unit = 0;
        char decimalSeparator = 0;
        bool operator==(const ShownSpeeds&) const = default;
    };
    struct ShownTotals {
        std::array<double, 6> amounts{};
        std::array<int, 4> units{};
        char decimalSeparator = 0;
        bool operator==(const ShownTotals&) const = default;
    };
    std::optional<ShownSpeeds> m_shownSpeeds;
    std::optional<ShownTotals> m_shownTotals;
};

// The locale's decimal separator as one character ('.' when it is not plain ASCII).
char localeDecimalSeparator();

} // namespace tw
