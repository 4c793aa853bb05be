#include "e2e/NetNamespace.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QDate>
#include <QProcess>
#include <QProcessEnvironment>

#include <filesystem>

namespace fs = std::filesystem;

TEST(Install, InstalledCopyBringsItsFilesAndKeepsTheUsersFilesInTheXdgFolders) {
    const QByteArray buildDir = qgetenv("TALLYWAVE_TEST_BINARY_DIR");
    if (buildDir.isEmpty()) {
        GTEST_SKIP() << "run through ctest, which names the build folder";
    }
    twtest::TempDir dir;
    const fs::path prefix = dir.path() / "prefix";
    std::string out;
    ASSERT_TRUE(
        twtest::shell("cmake --install '" + buildDir.toStdString() + "' --prefix '" + prefix.string() + "'", &out))
        << out;

    for (const char* file :
         {"bin/tallywave", "libexec/tallywave-gui", "share/applications/tallywave.desktop",
          "share/tallywave/wakeup.wav", "share/tallywave/TallywaveHelp.html",
          "share/icons/hicolor/scalable/apps/tallywave.svg", "share/icons/hicolor/48x48/apps/tallywave.png"}) {
        EXPECT_TRUE(fs::exists(prefix / file)) << file;
    }

    // The history the installed copy reads is the user's, under $XDG_DATA_HOME.
    const fs::path data = dir.path() / "data" / "tallywave";
    fs::create_directories(data);
    const std::string today = QDate::currentDate().toString("yyyy-MM-dd").toStdString();
    dir.write("data/tallywave/datasource.txt",
              "'h\r\n'h\r\n'h\r\n" + today + " 08:00;" + today + " 09:00;4096;512;10;5;\r\n");
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", QString::fromStdString(dir.path().string()));
    env.insert("XDG_DATA_HOME", QString::fromStdString((dir.path() / "data").string()));
    env.insert("XDG_CONFIG_HOME", QString::fromStdString((dir.path() / "config").string()));
    program.setProcessEnvironment(env);
    program.start(QString::fromStdString((prefix / "bin/tallywave").string()), {"--report", "--json"});
    ASSERT_TRUE(program.waitForFinished(20000));
    EXPECT_EQ(program.exitCode(), 0);
    EXPECT_EQ(program.readAllStandardOutput().toStdString(),
              "{\"today\":{\"received\":4096,\"sent\":512},\"month\":{\"received\":4096,\"sent\":512}}\n");
    EXPECT_FALSE(fs::exists(prefix / "bin/datasource.txt"));
    EXPECT_TRUE(fs::is_directory(dir.path() / "config" / "tallywave")) << "the settings folder is made ready";
}
