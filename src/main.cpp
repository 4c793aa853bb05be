// The window program (on Linux `tallywave-gui`, started by the `tallywave` command; on Windows the one program).
// Console commands first (they need no display and leave any running copy alone), then the checks that decide
// whether this copy may run, then the main window.
#include "app/AppPaths.h"
#include "app/CommandLine.h"
#include "app/ConsoleCommands.h"
#include "app/StartupChecks.h"
#include "app/ui/frmMain.h"
#include "common/MessageSink.h"
#include "platform/Clock.h"
#include "platform/NetworkTables.h"
#include "platform/ProcessList.h"
#include "platform/qt/QtMessageSink.h"
#include "platform/qt/ShutdownSignals.h"
#include "platform/qt/SingleInstance.h"

#include <QApplication>
#include <QDateTime>
#include <QIcon>
#include <QTimer>

#include <ctime>
#include <iostream>

int main(int argc, char** argv) {
    const tw::CommandLineOptions options = tw::parseCommandLine(argc, argv);
    if (tw::isConsoleCommand(options)) {
        return tw::runConsoleCommand(options, std::cout, std::cerr); // Ctrl+C ends it at once, as usual
    }
    // First: from here on SIGTERM and SIGINT take the shutdown path, even before there is a window.
    tw::ShutdownSignals::install();

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tallywave"));
    QApplication::setQuitOnLastWindowClosed(false);
    tw::ShutdownSignals shutdownSignals;
    tw::QtMessageSink messageBoxes;
    tw::setMessageSink(&messageBoxes);

    const tw::AppPaths paths = tw::resolveAppPathsForThisProcess();

    tw::SingleInstance instance(QString::fromStdString(paths.dataDir()));
    if (!instance.claim()) {
        return 0; // the earlier copy has been asked to come forward
    }
    if (tw::anotherUserRunsCopy(*tw::makeSystemProcessList())) {
        if (!options.winStartUp) {
            // A signal while the message is up closes it; the program ends either way.
            QObject::connect(&shutdownSignals, &tw::ShutdownSignals::shutdownRequested, [] {
                if (QWidget* message = QApplication::activeModalWidget()) {
                    message->close();
                }
            });
            tw::showMessage(tw::anotherUserMessage(), tw::MessageIcon::Information);
        }
        return 0;
    }
    if (shutdownSignals.pending()) {
        return 0; // told to end before anything ran
    }

    const auto clock = tw::makeSystemClock();
    const auto tables = tw::makeSystemNetworkTables();
    tw::MainWindowOptions windowOptions;
    windowOptions.debugMode = options.debug;
    windowOptions.winStartUp = options.winStartUp;
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/app/tallywave.svg")));
    tw::frmMain mainForm(paths, windowOptions, *clock, *tables);

    // Tests shorten the once-a-minute checkpoint of the running session.
    if (const int ms = qEnvironmentVariableIntValue("TALLYWAVE_CHECKPOINT_MS"); ms > 0) {
        mainForm.controller().setJournalIntervalMs(static_cast<std::uint64_t>(ms));
    }
    // A later copy asked this one to come forward.
    QObject::connect(&instance, &tw::SingleInstance::activationRequested, &mainForm, &tw::frmMain::restoreFromTray);
    // The session is written when the window unloads: whatever the ending takes after that, a new start may run.
    QObject::connect(&mainForm, &tw::frmMain::unloaded, &instance, &tw::SingleInstance::release);
    // SIGTERM and SIGINT save the running session without asking, as the end of the desktop session does.
    QObject::connect(&shutdownSignals, &tw::ShutdownSignals::shutdownRequested, &mainForm,
                     [&mainForm] { mainForm.requestClose(tw::CloseReason::SystemShutdown); });
    if (shutdownSignals.pending()) { // came while the window was loading
        mainForm.requestClose(tw::CloseReason::SystemShutdown);
        return 0;
    }

    mainForm.showAtStartup();
    if (qEnvironmentVariableIsSet("TALLYWAVE_STARTUP_REPORT")) {
        // For the start-up measurement: the moment the first events after showing the window have been handled.
        // The CPU time counts from the exec of the `tallywave` command, which this process was.
        QTimer::singleShot(0, &mainForm, [] {
            std::cerr << "tallywave: window shown at " << QDateTime::currentMSecsSinceEpoch() << " ms, cpu "
                      << 1000.0 * static_cast<double>(std::clock()) / CLOCKS_PER_SEC << " ms" << std::endl;
        });
    }
    return QApplication::exec();
}
