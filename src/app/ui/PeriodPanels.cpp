#include "app/ui/PeriodPanels.h"

#include "app/AmountFormatter.h"
#include "app/ui/MainLayout.h"
#include "widgets/ui/UiText.h"

#include <QGroupBox>
#include <QLabel>
#include <QLocale>
#include <QProgressBar>

#include <algorithm>

#include <algorithm>

namespace tw {

namespace {

constexpr int kRowTop = 20;
constexpr int kRowPitch = 22;
constexpr int kRowHeight = 20;
constexpr int kBarHeight = 8;
constexpr int kBarSteps = 1000;

QLabel* makeLabel(QWidget* parent, const QString& text, const QString& name, Qt::Alignment align) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setAlignment(align | Qt::AlignVCenter);
    return label;
}

} // namespace

char localeDecimalSeparator() {
    // Asking the system locale goes through its backend every time; the answer changes only with the locale.
    static QLocale askedOf;
    static char separator = 0;
    const QLocale locale;
    if (separator == 0 || !(locale == askedOf)) {
        const QString point = locale.decimalPoint();
        askedOf = locale;
        separator = point.size() == 1 && point.at(0).unicode() < 128 ? static_cast<char>(point.at(0).unicode()) : '.';
    }
    return separator;
}

PeriodPanels::PeriodPanels(QWidget* parent) {
    static const char* const kTitles[] = {"This Session", "Today", "This Month"};
    static const char* const kFrames[] = {"sessionFrame", "todayFrame", "monthFrame"};
    static const char* const kHeadings[] = {"Download:", "Upload:", "Total:"};
    for (int i = 0; i < 3; ++i) {
        m_panels[i] = new QGroupBox(QString::fromLatin1(kTitles[i]), parent);
        m_panels[i]->setObjectName(QString::fromLatin1(kFrames[i]));
        for (int r = 0; r < 3; ++r) {
            m_headings[i][r] = makeLabel(m_panels[i], QString::fromLatin1(kHeadings[r]),
                                         QStringLiteral("headingLabel_%1_%2").arg(i).arg(r), Qt::AlignLeft);
        }
        const Qt::Alignment right = Qt::AlignRight;
        m_download[i] = makeLabel(m_panels[i], QString(), QStringLiteral("downloadLabel_%1").arg(i), right);
        m_upload[i] = makeLabel(m_panels[i], QString(), QStringLiteral("uploadLabel_%1").arg(i), right);
        m_total[i] = makeLabel(m_panels[i], QString(), QStringLiteral("totalLabel_%1").arg(i), right);
        QFont bold = m_total[i]->font();
        bold.setBold(true);
        m_total[i]->setFont(bold);
    }
    static const char* const kSpeedHeadings[] = {"Download speed:", "Upload speed:", "Total speed:"};
    static const char* const kSpeedNames[] = {"speedDwnldLabel", "speedUploadLabel", "speedTotalLabel"};
    for (int r = 0; r < 3; ++r) {
        m_speedHeadings[r] = makeLabel(m_panels[0], QString::fromLatin1(kSpeedHeadings[r]),
                                       QStringLiteral("speedHeadingLabel_%1").arg(r), Qt::AlignLeft);
    }
    // Created after the headings, so they are drawn above the headings' free space.
    for (int r = 0; r < 3; ++r) {
        m_speeds[r] = makeLabel(m_panels[0], QString(), QString::fromLatin1(kSpeedNames[r]), Qt::AlignRight);
    }
    QFont bold = m_speeds[2]->font();
    bold.setBold(true);
    m_speeds[2]->setFont(bold);

    QGroupBox* month = m_panels[2];
    m_allowanceBar = new QProgressBar(month);
    m_allowanceBar->setObjectName(QStringLiteral("allowanceBar"));
    m_allowanceBar->setRange(0, kBarSteps);
    m_allowanceBar->setTextVisible(false);
    m_allowanceLabel = makeLabel(month, QString(), QStringLiteral("allowanceLabel"), Qt::AlignRight);
    m_forecastLabel = makeLabel(month, QString(), QStringLiteral("forecastLabel"), Qt::AlignRight);
    for (QWidget* w : std::initializer_list<QWidget*>{m_allowanceBar, m_allowanceLabel, m_forecastLabel}) {
        w->hide();
    }
}

void PeriodPanels::showMonthPeriod(const MonthPeriod& period, bool calendarMonth) {
    QGroupBox* month = m_panels[2];
    const QString title = calendarMonth ? QStringLiteral("This Month") : QStringLiteral("This period");
    const QString toolTip =
        calendarMonth ? QString()
                      : QStringLiteral("From %1 to %2")
                            .arg(toQString(period.start.toDateString()), toQString(period.lastDay().toDateString()));
    month->setTitle(title);
    // Every pass comes here; a tooltip set again, even unchanged, makes the panel lay itself out anew.
    if (month->toolTip() != toolTip) {
        month->setToolTip(toolTip);
    }
}

void PeriodPanels::showAllowance(const std::optional<AllowanceForecast>& allowance) {
    m_allowanceShown = allowance.has_value();
    for (QWidget* w : std::initializer_list<QWidget*>{m_allowanceBar, m_allowanceLabel, m_forecastLabel}) {
        w->setVisible(m_allowanceShown);
    }
    if (!allowance) {
        return;
    }
    m_allowanceBar->setValue(static_cast<int>(std::min(allowance->used, 1.0) * kBarSteps));
    m_allowanceLabel->setText(toQString(allowance->share));
    m_forecastLabel->setText(toQString(allowance->forecast));
}

void PeriodPanels::showTotals(const PeriodRecords& periods, const std::array<int, 4>& unitSettings,
                              char decimalSeparator) {
    // Most passes of a quiet link repeat the texts: formatting them again would be the pass's largest cost.
    ShownTotals shown{{}, unitSettings, decimalSeparator};
    for (std::size_t i = 0; i < 3; ++i) {
        shown.amounts[2 * i] = periods[i].getBytesReceived();
        shown.amounts[2 * i + 1] = periods[i].getBytesSent();
    }
    if (shown == m_shownTotals) {
        return;
    }
    m_shownTotals = shown;
    for (int i = 0; i < 3; ++i) {
        const dayObject& p = periods[static_cast<std::size_t>(i)];
        const AmountTexts texts = formatAmounts(p.getBytesReceived(), p.getBytesSent(),
                                                unitSettings[static_cast<std::size_t>(i)], decimalSeparator);
        m_download[i]->setText(toQString(texts.download));
        m_upload[i]->setText(toQString(texts.upload));
        m_total[i]->setText(toQString(texts.total));
    }
}

void PeriodPanels::showSpeeds(std::int32_t download, std::int32_t upload, int speedUnit, char decimalSeparator) {
    const ShownSpeeds shown{download, upload, speedUnit, decimalSeparator};
    if (shown == m_shownSpeeds) {
        return;
    }
    m_shownSpeeds = shown;
    const AmountTexts texts = formatSpeeds(download, upload, speedUnit, decimalSeparator);
    m_speeds[0]->setText(toQString(texts.download));
    m_speeds[1]->setText(toQString(texts.upload));
    m_speeds[2]->setText(toQString(texts.total));
}

void PeriodPanels::applyLayout(const MainLayout& l) {
    // A heading is never narrower than its text, whatever the font; it may run on under its value label, whose
    // text stands at the label's right end.
    auto placeHeading = [](QLabel* heading, int x, int y, int width) {
        heading->setGeometry(x, y, std::max(width, heading->sizeHint().width()), kRowHeight);
    };
    const QRect rects[] = {l.sessionPanel, l.todayPanel, l.monthPanel};
    for (int i = 0; i < 3; ++i) {
        m_panels[i]->setGeometry(rects[i]);
        QLabel* values[] = {m_download[i], m_upload[i], m_total[i]};
        for (int r = 0; r < 3; ++r) {
            const int y = kRowTop + r * kRowPitch;
            placeHeading(m_headings[i][r], l.headingX, y, l.headingWidth);
            values[r]->setGeometry(l.amountX, y, l.amountWidth, kRowHeight);
        }
    }
    for (int r = 0; r < 3; ++r) {
        const int y = kRowTop + r * kRowPitch;
        placeHeading(m_speedHeadings[r], l.speedHeadingX, y, l.speedHeadingWidth);
        m_speeds[r]->setGeometry(l.speedValueX, y, l.speedValueWidth, kRowHeight);
    }
    // The bar under the headings, the share under the amounts, the forecast across both.
    const int shareY = kRowTop + 3 * kRowPitch;
    m_allowanceBar->setGeometry(l.headingX, shareY + (kRowHeight - kBarHeight) / 2, l.amountX - l.headingX - 6,
                                kBarHeight);
    m_allowanceLabel->setGeometry(l.amountX, shareY, l.amountWidth, kRowHeight);
    m_forecastLabel->setGeometry(l.headingX, shareY + kRowPitch, l.amountX + l.amountWidth - l.headingX, kRowHeight);
}

void PeriodPanels::setVisible(bool visible) {
    for (QGroupBox* p : m_panels) {
        p->setVisible(visible);
    }
}

} // namespace tw
