#pragma once

#include "app/MonitorView.h"

#include <QString>

#include <array>

class QGroupBox;
class QLabel;
class QWidget;

namespace tw {

struct MainLayout;

// The three framed panels "This Session", "Today" and "This Month". Value labels are named by array and index:
// "downloadLabel_0".."downloadLabel_2", "uploadLabel_i", "totalLabel_i" (index i = period i), and the session's
// "speedDwnldLabel", "speedUploadLabel", "speedTotalLabel".
class PeriodPanels {
public:
    explicit PeriodPanels(QWidget* parent);

    // unitSettings 0..2 are the panels' amount units, 3 the speed unit (0 variable; out of range = variable).
    void showTotals(const PeriodRecords& periods, const std::array<int, 4>& unitSettings, char decimalSeparator);
    void showSpeeds(std::int32_t download, std::int32_t upload, int speedUnit, char decimalSeparator);

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
};

// The locale's decimal separator as one character ('.' when it is not plain ASCII).
char localeDecimalSeparator();

} // namespace tw
