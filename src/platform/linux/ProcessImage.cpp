#include "platform/ProcessImage.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace tw {

std::string replaceProcessImage(const std::string& path, char* const argv[]) {
    ::execv(path.c_str(), argv);
    return std::strerror(errno);
}

} // namespace tw
