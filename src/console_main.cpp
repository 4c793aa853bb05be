// The `tallywave` command: the console commands run here, without the window libraries, so that a script or a
// status bar may call them every second; every other start becomes the window program, in the same process.
#include "app/CommandLine.h"
#include "app/ConsoleCommands.h"
#include "app/ProgramFiles.h"
#include "common/TextFile.h"
#include "platform/FileSystem.h"
#include "platform/ProcessImage.h"

#include <iostream>

int main(int argc, char** argv) {
    const tw::CommandLineOptions options = tw::parseCommandLine(argc, argv);
    if (tw::isConsoleCommand(options)) {
        return tw::runConsoleCommand(options, std::cout, std::cerr);
    }
    const std::string program =
        tw::windowProgramPathFor(tw::executablePath(), [](const std::string& path) { return tw::fileExists(path); });
    if (program.empty()) {
        std::cerr << "tallywave: the window program " << tw::kWindowProgramFileName << " is missing beside "
                  << tw::executablePath() << "\n";
        return 127;
    }
    // argv[0] stays as typed: the desktop knows the windows by it.
    const std::string reason = tw::replaceProcessImage(program, argv);
    std::cerr << "tallywave: cannot start " << program << ": " << reason << "\n";
    return 126;
}
