// SPDX-License-Identifier: MIT
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <utility>

namespace orvendel {

// The path as UTF-8 text for messages.
std::string displayPath(const std::filesystem::path& path);

// The path in double quotes, as every message names a file: "C:\NWN\nwmain.exe".
std::string quoted(const std::filesystem::path& path);

// `<action> "<path>": <why>.`, the shape of every message about one file, e.g. action
// "Cannot load" and why "it is a folder, not a settings file".
std::string fileMessage(std::string_view action, const std::filesystem::path& path,
                        std::string_view why);

// `<action> "<path>" <outcome>: <why>.`, the same shape for an action whose words go on after
// the file's name, e.g. action "Cannot make", outcome "writable".
std::string fileMessage(std::string_view action, const std::filesystem::path& path,
                        std::string_view outcome, std::string_view why);

// The outcome of an operation on a file: success, or a message for the user that names the
// file (or the folder, line or registry entry) and the reason, e.g.
// `Cannot read "C:\NWN\nwmain.exe": Access is denied.` The one way this code reports a
// failure; Result<T> carries it in place of a value.
class [[nodiscard]] FileStatus {
public:
    // Success.
    static FileStatus success() { return FileStatus(); }
    // Failure with a complete, user-readable message (never empty).
    static FileStatus failure(std::string message) {
        FileStatus status;
        status.failed_ = true;
        status.message_ = std::move(message);
        return status;
    }
    // `Cannot read "<path>": <why>.`
    static FileStatus cannotRead(const std::filesystem::path& path, std::string_view why) {
        return failure(fileMessage("Cannot read", path, why));
    }
    // `Cannot write "<path>": <why>.`
    static FileStatus cannotWrite(const std::filesystem::path& path, std::string_view why) {
        return failure(fileMessage("Cannot write", path, why));
    }

    bool ok() const { return !failed_; }
    explicit operator bool() const { return ok(); }
    // Empty on success.
    const std::string& message() const { return message_; }

private:
    FileStatus() = default;
    bool failed_ = false;
    std::string message_;
};

}  // namespace orvendel
