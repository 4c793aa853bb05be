#include "app/AppPaths.h"

#include "app/ProgramFiles.h"
#include "platform/FileSystem.h"

#include <filesystem>

namespace tw {

namespace {

std::string join(const std::string& dir, const char* name) {
    return (std::filesystem::path(dir) / name).string();
}

std::string parentOf(const std::string& file) {
    return std::filesystem::path(file).parent_path().string();
}

} // namespace

std::string AppPaths::dataDir() const {
    return parentOf(historyPath);
}
std::string AppPaths::settingsDir() const {
    return parentOf(settingsPath);
}
std::string AppPaths::helpPath() const {
    return join(resourceDir, "TallywaveHelp.html");
}
std::string AppPaths::defaultSoundPath() const {
    return join(resourceDir, "wakeup.wav");
}

std::string installedResourceDir(const std::string& exeDir) {
    return (std::filesystem::path(exeDir).parent_path() / "share" / "tallywave").lexically_normal().string();
}

AppPaths resolveAppPaths(const std::string& exeDir, bool exeDirWritable, bool installed, const std::string& configHome,
                         const std::string& dataHome) {
    AppPaths p;
    p.exeDir = exeDir;
    p.resourceDir = installed ? installedResourceDir(exeDir) : exeDir;
    p.portable = exeDirWritable && !installed;
    if (p.portable) {
        p.settingsPath = join(exeDir, "settings.txt");
        p.historyPath = join(exeDir, "datasource.txt");
        return p;
    }
    p.settingsPath = join(join(configHome, "tallywave"), "settings.txt");
    p.historyPath = join(join(dataHome, "tallywave"), "datasource.txt");
    return p;
}

AppPaths resolveAppPathsForThisProcess() {
    // The window program of an installed copy lives in libexec; the files follow the `tallywave` command.
    const std::string exeDir = std::filesystem::path(commandPathOfThisProcess()).parent_path().string();
    // The install step leaves this marker; a build tree or an unpacked copy has none.
    const bool installed = std::filesystem::exists(std::filesystem::path(installedResourceDir(exeDir)) / "installed");
    AppPaths p = resolveAppPaths(exeDir, isDirectoryWritable(exeDir), installed, userConfigHome(), userDataHome());
    if (!p.portable) {
        std::error_code ec;
        std::filesystem::create_directories(p.settingsDir(), ec);
        std::filesystem::create_directories(p.dataDir(), ec);
    }
    return p;
}

} // namespace tw
