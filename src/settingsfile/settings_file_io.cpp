// The file half of settings files: loading with its checks, and crash-safe saving.
#include <cerrno>
#include <cmath>
#include <fstream>
#include <system_error>

#include "settingsfile/settings_file.h"
#include "settingsfile/settings_file_layout.h"

namespace orvendel {

namespace fs = std::filesystem;

namespace {

// The path as UTF-8 text for messages; never throws for unrepresentable names.
std::string displayPath(const fs::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

std::string systemReason(int error) {
    if (error == 0) {
        return "unknown system error";
    }
    return std::generic_category().message(error);
}

LoadResult fileError(const fs::path& path, const std::string& reason) {
    return LoadResult{LoadResult::Status::Error, displayPath(path) + ": " + reason};
}

}  // namespace

LoadResult loadSettingsFile(const fs::path& path, CameraSettings& settings, std::int16_t revision) {
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (ec) {
        return fileError(path, ec.message());
    }
    if (!fs::is_regular_file(status)) {
        return fileError(path, fs::is_directory(status) ? "is a folder, not a settings file"
                                                        : "is not a regular file");
    }
    const std::uintmax_t size = fs::file_size(path, ec);
    if (ec) {
        return fileError(path, ec.message());
    }
    if (size > kMaxSettingsFileSize) {
        return fileError(path, "is " + std::to_string(size) +
                                   " bytes long, too large for a settings file (at most " +
                                   std::to_string(kMaxSettingsFileSize) + ")");
    }

    errno = 0;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return fileError(path, "cannot be opened: " + systemReason(errno));
    }
    // One byte more than the limit tells a file that grew since it was measured.
    std::string text(static_cast<std::size_t>(kMaxSettingsFileSize) + 1, '\0');
    errno = 0;
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    if (in.bad()) {
        return fileError(path, "cannot be read: " + systemReason(errno));
    }
    text.resize(static_cast<std::size_t>(in.gcount()));
    if (text.size() > kMaxSettingsFileSize) {
        return fileError(path, "is too large for a settings file (at most " +
                                   std::to_string(kMaxSettingsFileSize) + " bytes)");
    }

    LoadResult result = parseSettings(text, settings, revision);
    if (result.status == LoadResult::Status::Error) {
        result.message = displayPath(path) + ": " + result.message;
    }
    return result;
}

}  // namespace orvendel
