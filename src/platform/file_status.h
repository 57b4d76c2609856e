// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <utility>

namespace orvendel {

// The outcome of a file operation: success, or a message for the user that names the file
// and the system's reason, e.g. `Cannot read "C:\NWN\nwmain.exe": Access is denied.`
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
