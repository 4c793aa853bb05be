#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tw {

// Replaces the file's content as one step: the data goes to a temporary file in the same folder, is flushed to the
// disk, and is renamed over the old file. On any failure the old file is intact and false is returned.
bool writeFileAtomically(const std::string& path, std::string_view content);

// Appends to the file (created if missing) as one whole, flushed to the disk before it returns true. On a short or
// failed write (a full disk) the file is cut back to its old length (a file it created is removed) and false is
// returned.
bool appendToFile(const std::string& path, std::string_view content);

// Which file a path names and how it stood: a file replaced under the same name (a rewrite through a temporary
// file) has another identity, and a write changes `modified`.
struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t file = 0; // inode, or the file index on Windows
    std::uint64_t size = 0;
    std::int64_t modified = 0; // the last write, in the system's finest unit
    friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
};
// std::nullopt when the file is missing or cannot be examined.
std::optional<FileIdentity> fileIdentity(const std::string& path);

// Path of the running executable (absolute), and whether a folder can be written by this user.
std::string executablePath();
bool isDirectoryWritable(const std::string& dir);

// Value of an environment variable, empty when unset.
std::string environmentValue(const char* name);

// Where this user's programs keep their settings and their data: $XDG_CONFIG_HOME (~/.config) and $XDG_DATA_HOME
// (~/.local/share) on Linux, %APPDATA% and %LOCALAPPDATA% on Windows.
std::string userConfigHome();
std::string userDataHome();

} // namespace tw
