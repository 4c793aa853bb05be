#include "tools/ui/frmTraceroute.h"

#include "platform/SystemTexts.h"
#include "platform/fake/FakeIcmpNetwork.h"
#include "platform/fake/FakeResolver.h"
#include "support/qt_ModalAnswerer.h"

#include <QElapsedTimer>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>
#include <gmock/gmock.h>

#include <atomic>
#include <condition_variable>
#include <cstdlib>
#include <mutex>
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
    void trace() {
        window->setAddress("198.18.3.2");
        button()->click();
    }
    // Each probe hangs until the trace gives it up.
    void probesHangUntilCancelled() {
        network->onProbe = [this](const FakeIcmpNetwork::Probe&) {
            while (!network->cancelled()) {
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
            }
        };
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
    trace();
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
    trace();
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
    probesHangUntilCancelled();
    trace();
    ASSERT_TRUE(QTest::qWaitFor([&] { return network->probes().size() == 1; }, 5000));
    window.reset();
    EXPECT_TRUE(network->cancelled());
    EXPECT_TRUE(QTest::qWaitFor([&] { return network->closed() == 1; }, 5000));
}

// A reverse lookup cannot be interrupted: the resolver holds it until the test lets it go (or 20 s pass).
struct SlowLookup {
    std::mutex mutex;
    std::condition_variable changed;
    bool inLookup = false;
    bool released = false;
    bool returned = false;

    std::function<void()> hook(const std::shared_ptr<SlowLookup>& self) {
        return [self] {
            std::unique_lock lock(self->mutex);
            self->inLookup = true;
            self->changed.notify_all();
            self->changed.wait_for(lock, std::chrono::seconds(20), [&] { return self->released; });
            self->returned = true;
            self->changed.notify_all();
        };
    }
    bool waitFor(bool SlowLookup::*flag) {
        std::unique_lock lock(mutex);
        return changed.wait_for(lock, std::chrono::seconds(5), [&] { return this->*flag; });
    }
    void release() {
        std::lock_guard lock(mutex);
        released = true;
        changed.notify_all();
    }
};

TEST_F(TracerouteWindow, ClosingDuringASlowLookupReturnsAtOnceAndTheLookupEndsUnheard) {
    auto slow = std::make_shared<SlowLookup>();
    resolver->onLookup = slow->hook(slow);
    window->setAddress("198.18.3.2");
    window->show();
    QTest::mouseClick(button(), Qt::LeftButton);
    ASSERT_TRUE(slow->waitFor(&SlowLookup::inLookup));

    QElapsedTimer closing;
    closing.start();
    QTest::keyClick(window.get(), Qt::Key_Escape);
    EXPECT_FALSE(window->isVisible());
    window.reset(); // the window's owner lets it go as soon as it is closed
    EXPECT_LT(closing.elapsed(), 1000);
    EXPECT_FALSE(slow->returned);

    slow->release();
    ASSERT_TRUE(slow->waitFor(&SlowLookup::returned));
    QTest::qWait(50); // whatever the worker reported is delivered now, or dropped
    EXPECT_TRUE(network->probes().empty());
    EXPECT_EQ(network->opened(), 0);
}

// The program may end while a lookup still hangs in the resolver: leaving must not wait for it, nor crash.
TEST_F(TracerouteWindow, TheProgramEndsNormallyWhileALookupStillRuns) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            auto slow = std::make_shared<SlowLookup>();
            resolver->onLookup = slow->hook(slow);
            trace();
            if (!slow->waitFor(&SlowLookup::inLookup)) {
                std::_Exit(3);
            }
            QElapsedTimer leaving;
            leaving.start();
            window.reset();
            std::exit(leaving.elapsed() < 1000 ? 0 : 4);
        },
        testing::ExitedWithCode(0), "");
}

TEST_F(TracerouteWindow, NoIcmpEndpointIsReportedInAMessageBox) {
    network->failToOpen = true;
    twtest::ModalAnswerer answerer;
    answerer.clickMessageBox(QMessageBox::Ok);
    trace();
    ASSERT_TRUE(waitUntilIdle());
    QTest::qWait(50);
    ASSERT_EQ(answerer.texts.size(), 1u);
    EXPECT_EQ(answerer.texts[0], tw::icmpUnavailableText()); // on Linux with the ping_group_range hint
    EXPECT_EQ(button()->text(), "Start");
}

TEST_F(TracerouteWindow, ClosingTheWindowEndsARunningTraceAndLeavesItReadyForANewOne) {
    probesHangUntilCancelled();
    window->show();
    trace();
    ASSERT_TRUE(QTest::qWaitFor([&] { return network->probes().size() == 1 && !log().isEmpty(); }, 5000));
    window->reject();
    EXPECT_FALSE(window->isTracing());
    EXPECT_EQ(button()->text(), "Start");
    EXPECT_TRUE(button()->isEnabled());
    EXPECT_TRUE(network->cancelled());
    // The given-up trace says nothing more to the window.
    ASSERT_TRUE(QTest::qWaitFor([&] { return network->closed() == 1; }, 5000));
    QTest::qWait(20);
    EXPECT_EQ(log(), QStringList{"Starting traceroute to target.example."});
}
