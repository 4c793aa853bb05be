// The month panel as a billing period with an allowance, and as it always was without them.
#include "MainWindowFixture.h"

#include "app/ui/LiveChart.h"
#include "app/ui/MainLayout.h"
#include "app/ui/PeriodPanels.h"
#include "support/qt_ModalAnswerer.h"

#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

using namespace twtest;

namespace {

class MonthPanelTest : public MainWindowTest {
protected:
    QGroupBox* monthFrame() const { return window->findChild<QGroupBox*>("monthFrame"); }
    QString label(const char* name) const {
        auto* l = window->findChild<QLabel*>(name);
        return l && l->isVisibleTo(window.get()) ? l->text() : QStringLiteral("<hidden>");
    }
    bool eventuallyToolTip(const QString& part) const {
        return QTest::qWaitFor([&] { return trayOf(*window)->toolTip().contains(part); }, 3000);
    }
    // Confirms the settings window as it loaded the file.
    void confirmSettings() {
        ModalAnswerer answerer;
        answerer.then([](QWidget* dialog) { dialog->findChild<QPushButton*>("OKButton")->click(); });
        window->onSettings();
    }
};

} // namespace

TEST_F(MonthPanelTest, WithoutBillingSettingsThePanelIsTheCalendarMonthAsAlways) {
    dir.write("datasource.txt", "'h\r\n'h\r\n'h\r\n2026-03-01 08:00;2026-03-01 09:00;1024;0;0;0;\r\n");
    tw::frmMain& w = open();
    w.show();
    EXPECT_EQ(monthFrame()->title(), "This Month");
    EXPECT_TRUE(monthFrame()->toolTip().isEmpty());
    EXPECT_EQ(label("allowanceLabel"), "<hidden>");
    EXPECT_EQ(label("forecastLabel"), "<hidden>");
    EXPECT_FALSE(w.findChild<QProgressBar*>("allowanceBar")->isVisibleTo(&w));
    EXPECT_EQ(named<tw::LiveChart>(w, "chartPicture")->y(), tw::MainLayout::toPixels(tw::MainLayout::kChartTopTw));
    EXPECT_TRUE(trayOf(w)->toolTip().endsWith("\u00b7 Month 1.0 kB")) << trayOf(w)->toolTip().toStdString();
}

TEST_F(MonthPanelTest, ABillingPeriodWithAnAllowanceShowsItsDatesShareAndForecastInThePanelAndTheTray) {
    // 2026-03-10 in the period from February 15th to March 14th: 24 of its 28 days, 24 GB used so far.
    dir.write("settings.txt", "[General]\r\nrefreshCombo=9\r\nmonthStartDay=15\r\nmonthlyAllowance=53687091200\r\n");
    dir.write("datasource.txt", "'h\r\n'h\r\n'h\r\n2026-02-20 08:00;2026-02-20 09:00;25769803776;0;0;0;\r\n"
                                "2026-02-14 08:00;2026-02-14 09:00;999;0;0;0;\r\n");
    tw::frmMain& w = open();
    w.show();
    EXPECT_EQ(monthFrame()->title(), "This period");
    EXPECT_EQ(monthFrame()->toolTip(), "From 2026-02-15 to 2026-03-14");
    EXPECT_EQ(label("totalLabel_2").trimmed(), "24.0 GB");
    EXPECT_EQ(label("allowanceLabel"), "48 % of 50 GB");
    EXPECT_EQ(label("forecastLabel"), "at this pace: 28 GB by the 14th");
    EXPECT_EQ(w.findChild<QProgressBar*>("allowanceBar")->value(), 480);
    EXPECT_TRUE(eventuallyToolTip("\u00b7 Period 24.0 GB\n48 % of 50 GB \u00b7 at this pace: 28 GB by the 14th"))
        << trayOf(w)->toolTip().toStdString();
    // The month panel holds the lines; the chart starts below it.
    auto* forecast = w.findChild<QLabel*>("forecastLabel");
    EXPECT_LE(forecast->mapTo(&w, QPoint(0, forecast->height())).y(),
              monthFrame()->mapTo(&w, QPoint(0, 0)).y() + monthFrame()->height());
    EXPECT_GT(named<tw::LiveChart>(w, "chartPicture")->y(), monthFrame()->geometry().bottom());

    tick(6ll << 30, 0); // 30 GB at 24 days of 28 is 35 GB by the end
    EXPECT_EQ(label("allowanceLabel"), "60 % of 50 GB");
    EXPECT_EQ(label("forecastLabel"), "at this pace: 35 GB by the 14th");
    tick(20ll << 30, 0);
    EXPECT_EQ(label("allowanceLabel"), "100 % of 50 GB");
    EXPECT_EQ(label("forecastLabel"), "allowance used up");
    EXPECT_EQ(w.findChild<QProgressBar*>("allowanceBar")->value(), 1000);
}

TEST_F(MonthPanelTest, SettingAnAllowanceGrowsTheWindowByItsLinesAndRemovingItGivesThemBack) {
    tw::frmMain& w = open();
    w.show();
    const int height = w.height();
    const int chartHeight = named<tw::LiveChart>(w, "chartPicture")->height();

    dir.write("settings.txt", "[General]\r\nrefreshCombo=9\r\nmonthlyAllowance=1073741824\r\n");
    confirmSettings();
    EXPECT_EQ(label("allowanceLabel"), "0 % of 1 GB");
    EXPECT_EQ(monthFrame()->title(), "This Month") << "an allowance alone keeps the calendar month";
    EXPECT_GT(w.height(), height);
    EXPECT_EQ(named<tw::LiveChart>(w, "chartPicture")->height(), chartHeight);

    dir.write("settings.txt", "[General]\r\nrefreshCombo=9\r\nmonthlyAllowance=0\r\n");
    confirmSettings();
    EXPECT_EQ(label("allowanceLabel"), "<hidden>");
    EXPECT_EQ(w.height(), height);
    EXPECT_EQ(named<tw::LiveChart>(w, "chartPicture")->height(), chartHeight);
}
