#include "tools/ui/frmTraceroute.h"

#include "platform/fake/FakeIcmpNetwork.h"
#include "platform/fake/FakeResolver.h"
#include "support/qt_ModalAnswerer.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>
#include <gmock/gmock.h>

#include <atomic>
#include <thread>

using namespace tw;

namespace {

constexpr Ipv4Address kTarget{198, 18, 3, 2};

class TracerouteWindow : public testing::Test {
protected:
    TracerouteWindow() {
        resolver->addresses["target.example"] = kTarget;
        resolver->names[kTarget] = "target.example";
        network->answer = [](const FakeIcmpNetwork::Probe& p) {
            return p.ttl < 2 ? EchoResult{EchoStatus::TimeExceeded, {198, 18, 1, 1}, 2}
                             : EchoResult{EchoStatus::Reply, kTarget, 5};
        };
    }

    template <typename T> T* child(const char* name) { return window->findChild<T*>(name); }
    QPushButton* button() { return child<QPushButton>("Command1"); }
    QStringList log() { return child<QPlainTextEdit>("Text4")->toPlainText().split('\n', Qt::SkipEmptyParts); }
    QRadioButton* option(int index) { return window->findChildren<QRadioButton*>("Option1").at(index); }
    bool waitUntilIdle() {
        return QTest::qWaitFor([&] { return !window->isTracing() && button()->isEnabled(); }, 5000);
    }

    std::shared_ptr<FakeIcmpNetwork> network = std::make_shared<FakeIcmpNetwork>();
    std::shared_ptr<FakeResolver> resolver = std::make_shared<FakeResolver>();
    std::unique_ptr<frmTraceroute> window = std::make_unique<frmTraceroute>(nullptr, resolver, network->opener());
};

} // namespace

TEST_F(TracerouteWindow, OpensWithNeitherOptionAndBothBoxesEnabledAndSetAddressSelectsHostIp) {
    EXPECT_EQ(window->windowTitle(), "Traceroute");
    EXPECT_FALSE(option(0)->isChecked());
    EXPECT_FALSE(option(1)->isChecked());
    EXPECT_TRUE(child<QLineEdit>("hostText")->isEnabled());
    EXPECT_TRUE(child<QLineEdit>("hostIPText")->isEnabled());
    EXPECT_EQ(child<QLineEdit>("Text3")->text(), "32");
    EXPECT_EQ(child<QLineEdit>("Text2")->text(), "30");
    EXPECT_EQ(child<QLineEdit>("Text5")->text(), "5");
    EXPECT_EQ(child<QLineEdit>("timeoutText")->text(), "1000");

    option(0)->click();
    EXPECT_FALSE(child<QLineEdit>("hostIPText")->isEnabled());
    window->setAddress("198.18.3.2");
    EXPECT_TRUE(option(1)->isChecked());
    EXPECT_FALSE(child<QLineEdit>("hostText")->isEnabled());
    EXPECT_EQ(child<QLineEdit>("hostIPText")->text(), "198.18.3.2");
}

TEST_F(TracerouteWindow, AMissingAddressIsReportedAndNothingIsTraced) {
    twtest::ModalAnswerer answerer;
    answerer.clickMessageBox(QMessageBox::Ok);
    button()->click();
    EXPECT_THAT(answerer.texts, testing::ElementsAre("The host IP is missing."));
    EXPECT_EQ(button()->text(), "Start");
    EXPECT_TRUE(network->probes().empty());
}

TEST_F(TracerouteWindow, TracesOffTheWindowThreadAndShowsRowsLogAndNames) {
    window->setAddress("198.18.3.2");
    button()->click();
    EXPECT_EQ(button()->text(), "Stop");
    ASSERT_TRUE(waitUntilIdle());
    EXPECT_EQ(button()->text(), "Start");
    EXPECT_EQ(child<QLineEdit>("hostText")->text(), "target.example");
    auto* list = child<QTreeWidget>("ListView1");
    ASSERT_EQ(list->topLevelItemCount(), 2);
    EXPECT_EQ(list->topLevelItem(1)->text(0), "2");
    EXPECT_EQ(list->topLevelItem(1)->text(1), "5 ms");
    EXPECT_EQ(list->topLevelItem(1)->text(2), "198.18.3.2");
    EXPECT_EQ(list->topLevelItem(1)->text(3), "target.example");
    EXPECT_THAT(log(), testing::ElementsAre("Starting traceroute to target.example.", "Traceroute completed."));
}

TEST_F(TracerouteWindow, StopEndsTheTraceAfterTheProbeUnderWayWhileTheWindowStaysResponsive) {
    std::atomic<bool> release{false};
    network->onProbe = [&](const FakeIcmpNetwork::Probe&) {
        while (!release.load()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    };
    window->setAddress("198.18.3.2");
    button()->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return network->probes().size() == 1; }, 5000));
    button()->click(); // handled at once although a probe is blocking
    EXPECT_EQ(button()->text(), "Start");
    EXPECT_FALSE(button()->isEnabled());
    release = true;
    ASSERT_TRUE(waitUntilIdle());
    EXPECT_EQ(network->probes().size(), 1u);
    EXPECT_EQ(log().last(), "Aborted by user.");
}

TEST_F(TracerouteWindow, AHostNameThatDoesNotResolveIsNotTraced) {
    option(0)->click();
    child<QLineEdit>("hostText")->setText("nowhere.invalid");
    button()->click();
    ASSERT_TRUE(waitUntilIdle());
    EXPECT_EQ(button()->text(), "Start");
    EXPECT_EQ(child<QLineEdit>("hostIPText")->text(), "");
    EXPECT_THAT(log(), testing::ElementsAre("Unable to resolve the host name nowhere.invalid."));
    EXPECT_TRUE(network->probes().empty());
}

TEST_F(TracerouteWindow, ClosingTheWindowDuringAProbeGivesItUp) {
    network->onProbe = [&](const FakeIcmpNetwork::Probe&) {
        while (!network->cancelled()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    };
    window->setAddress("198.18.3.2");
    button()->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return network->probes().size() == 1; }, 5000));
    window.reset();
    EXPECT_TRUE(network->cancelled());
    EXPECT_EQ(network->closed(), 1);
}

TEST_F(TracerouteWindow, NoIcmpEndpointIsReportedInAMessageBox) {
    network->failToOpen = true;
    twtest::ModalAnswerer answerer;
    answerer.clickMessageBox(QMessageBox::Ok);
    window->setAddress("198.18.3.2");
    button()->click();
    ASSERT_TRUE(waitUntilIdle());
    QTest::qWait(50);
    EXPECT_THAT(answerer.texts, testing::ElementsAre("Unable to Open an Icmp File Handle."));
    EXPECT_EQ(button()->text(), "Start");
}

TEST_F(TracerouteWindow, ClosingTheWindowEndsARunningTrace) {
    network->onProbe = [&](const FakeIcmpNetwork::Probe&) {
        while (!network->cancelled()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    };
    window->setAddress("198.18.3.2");
    window->show();
    button()->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return network->probes().size() == 1; }, 5000));
    window->reject();
    ASSERT_TRUE(waitUntilIdle());
    EXPECT_TRUE(network->cancelled());
    EXPECT_EQ(log().last(), "Aborted by user.");
}
