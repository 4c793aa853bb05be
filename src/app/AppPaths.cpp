#include "app/AppPaths.h"

#include "platform/FileSystem.h"

#include <filesystem>

namespace tw {

namespace {

std::string join(const std::string& dir, const char* name) { return (std::filesystem::path(dir) / name).string(); }

std::string parentOf(const std::string& file) { return std::filesystem::path(file).parent_path().string(); }

} // namespace

std::string AppPaths::dataDir() const { return parentOf(historyPath); }
std::string AppPaths::settingsDir() const { return parentOf(settingsPath); }
std::string AppPaths::helpPath() const { return join(exeDir, "TallywaveHelp.html"); }
std::string AppPaths::defaultSoundPath() const { return join(exeDir, "wakeup.wav"); }

AppPaths resolveAppPaths(const std::string& exeDir, bool exeDirWritable, const PathEnvironment& env) {
    AppPaths p;
    p.exeDir = exeDir;
    p.portable = exeDirWritable;
    if (exeDirWritable) {
        p.settingsPath = join(exeDir, "settings.txt");
        p.historyPath = join(exeDir, "datasource.txt");
        return p;
    }
    const std::string config = !env.xdgConfigHome.empty() ? env.xdgConfigHome : join(env.home, ".config");
    const std::string data = !env.xdgDataHome.empty() ? env.xdgDataHome : join(env.home, ".local/share");
    p.settingsPath = join(join(config, "tallywave"), "settings.txt");
    p.historyPath = join(join(data, "tallywave"), "datasource.txt");
    return p;
}

AppPaths resolveAppPathsForThisProcess() {
    const std::string exeDir = std::filesystem::path(executablePath()).parent_path().string();
    const PathEnvironment env{environmentValue("HOME"), environmentValue("XDG_CONFIG_HOME"),
                              environmentValue("XDG_DATA_HOME")};
    AppPaths p = resolveAppPaths(exeDir, isDirectoryWritable(exeDir), env);
    if (!p.portable) {
        std::error_code ec;
        std::filesystem::create_directories(p.settingsDir(), ec);
        std::filesystem::create_directories(p.dataDir(), ec);
    }
    return p;
}

} // namespace tw
