#include "app/ProgramFiles.h"

#include "common/TextFile.h"
#include "platform/FileSystem.h"

#include <filesystem>

namespace tw {

namespace {

namespace fs = std::filesystem;

std::string sibling(const fs::path& file, std::string_view relativeDir, std::string_view name) {
    return (file.parent_path() / relativeDir / name).lexically_normal().string();
}

} // namespace

std::string windowProgramPathFor(const std::string& commandPath, const FileExists& exists) {
    const fs::path command(commandPath);
    for (const std::string& candidate : {sibling(command, ".", kWindowProgramFileName),
                                         sibling(command, TALLYWAVE_LIBEXEC_FROM_BIN, kWindowProgramFileName)}) {
        if (exists(candidate)) {
            return candidate;
        }
    }
    return {};
}

std::string commandPathFor(const std::string& executablePath, const FileExists& exists) {
    const fs::path executable(executablePath);
    if (executable.filename().string() != kWindowProgramFileName) {
        return executablePath;
    }
    for (const std::string& candidate : {sibling(executable, ".", kCommandFileName),
                                         sibling(executable, TALLYWAVE_BIN_FROM_LIBEXEC, kCommandFileName)}) {
        if (exists(candidate)) {
            return candidate;
        }
    }
    return executablePath;
}

std::string commandPathOfThisProcess() {
    return commandPathFor(executablePath(), [](const std::string& path) { return fileExists(path); });
}

} // namespace tw
