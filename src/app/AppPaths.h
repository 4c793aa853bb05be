#pragma once

#include <string>

namespace tw {

// Where the program keeps its files. Resolved once at start-up; core routines take these paths as parameters.
struct AppPaths {
    std::string exeDir;       // folder of the executable: help page and default sound live here
    std::string settingsPath; // settings.txt
    std::string historyPath;  // datasource.txt
    bool portable = true;     // files beside the executable

    std::string dataDir() const;        // folder of the history file
    std::string settingsDir() const;    // folder of the settings file
    std::string helpPath() const;       // TallywaveHelp.html beside the executable
    std::string defaultSoundPath() const; // wakeup.wav beside the executable
};

struct PathEnvironment {
    std::string home;          // $HOME
    std::string xdgConfigHome; // $XDG_CONFIG_HOME (may be empty)
    std::string xdgDataHome;   // $XDG_DATA_HOME (may be empty)
};

// A copy whose folder is writable keeps its files beside itself; an installed copy (folder not writable) keeps
// settings under $XDG_CONFIG_HOME/tallywave and the history under $XDG_DATA_HOME/tallywave.
AppPaths resolveAppPaths(const std::string& exeDir, bool exeDirWritable, const PathEnvironment& env);

// Resolves for the running executable and creates the XDG folders when needed.
AppPaths resolveAppPathsForThisProcess();

} // namespace tw
