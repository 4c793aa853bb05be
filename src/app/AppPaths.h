#pragma once

#include <string>

namespace tw {

// Where the program keeps its files. Resolved once at start-up; core routines take these paths as parameters.
struct AppPaths {
    std::string exeDir;       // folder of the executable
    std::string resourceDir;  // help page and default sound: beside the executable, or <prefix>/share/tallywave
    std::string settingsPath; // settings.txt
    std::string historyPath;  // datasource.txt
    bool portable = true;     // files beside the executable

    std::string dataDir() const;          // folder of the history file
    std::string settingsDir() const;      // folder of the settings file
    std::string helpPath() const;         // TallywaveHelp.html in the resource folder
    std::string defaultSoundPath() const; // wakeup.wav in the resource folder
};

// An installed copy (its resources under <prefix>/share/tallywave) and a copy in a folder it cannot write keep
// settings under <configHome>/tallywave and the history under <dataHome>/tallywave (the user's XDG folders); any
// other copy is portable and keeps its files beside itself.
AppPaths resolveAppPaths(const std::string& exeDir, bool exeDirWritable, bool installed, const std::string& configHome,
                         const std::string& dataHome);

// <exeDir>/../share/tallywave, where an installed copy keeps its resources.
std::string installedResourceDir(const std::string& exeDir);

// Resolves for the running executable and creates the XDG folders when needed.
AppPaths resolveAppPathsForThisProcess();

} // namespace tw
