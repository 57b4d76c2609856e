// SPDX-License-Identifier: MIT
#include "locate/wine_registry_api.h"

#include <algorithm>
#include <fstream>
#include <set>

#include "locate/profile_file.h"
#include "locate/text_encoding.h"

namespace orvendel {
namespace {

constexpr std::uint32_t kTypeSz = 1;
constexpr std::uint32_t kTypeExpandSz = 2;
constexpr std::uint32_t kTypeMultiSz = 7;

const char* fileName(int which) {
    static constexpr const char* kNames[] = {"system.reg", "user.reg", "userdef.reg"};
    return kNames[which];
}

// Splits off the first component of a backslash-separated path.
std::pair<std::string, std::string> splitFirst(const std::string& path) {
    const std::string canonical = WineRegistryFile::canonicalPath(path);
    const auto slash = canonical.find('\\');
    if (slash == std::string::npos) {
        return {canonical, {}};
    }
    return {canonical.substr(0, slash), canonical.substr(slash + 1)};
}

std::string joinPath(const std::string& parent, const std::string& child) {
    return child.empty() ? parent : parent + '\\' + child;
}

}  // namespace

WineRegistryApi::WineRegistryApi(std::filesystem::path prefixDirectory)
    : prefix_(std::move(prefixDirectory)) {}

const WineRegistryFile* WineRegistryApi::file(HiveFile which) {
    auto found = files_.find(which);
    if (found != files_.end()) {
        return found->second ? &*found->second : nullptr;
    }
    auto& slot = files_[which];
    const auto path = prefix_ / fileName(static_cast<int>(which));
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    if (error) {
        problems_.push_back(path.string() + ": " + error.message());
        return nullptr;
    }
    if (size > WineRegistryFile::kMaxFileSize) {
        problems_.push_back(path.string() + ": too large for a registry file");
        return nullptr;
    }
    std::ifstream in(path, std::ios::binary);
    std::string text(static_cast<std::size_t>(size), '\0');
    if (!in.read(text.data(), static_cast<std::streamsize>(text.size()))) {
        problems_.push_back(path.string() + ": cannot be read");
        return nullptr;
    }
    Result<WineRegistryFile> parsed = WineRegistryFile::parse(text);
    if (!parsed) {
        problems_.push_back(path.string() + ": " + parsed.message());
        return nullptr;
    }
    slot = std::move(parsed).value();
    return &*slot;
}

std::vector<WineRegistryApi::Location> WineRegistryApi::candidates(std::uint32_t hive,
                                                                   const std::string& subkey) {
    const std::string path = WineRegistryFile::canonicalPath(subkey);
    switch (hive) {
        case kHkeyLocalMachine:
            return {{HiveFile::System, path}};
        case kHkeyCurrentUser:
            return {{HiveFile::User, path}};
        case kHkeyClassesRoot:
            // Wine keeps the classes of the machine only; a user's own classes do not show.
            return {{HiveFile::System, joinPath("software\\classes", path)}};
        case kHkeyCurrentConfig:
            return {{HiveFile::System,
                     joinPath("system\\currentcontrolset\\hardware profiles\\current", path)}};
        case kHkeyUsers: {
            const auto [user, rest] = splitFirst(path);
            if (user == ".default") {
                return {{HiveFile::UserDefault, rest}};
            }
            const WineRegistryFile* userFile = file(HiveFile::User);
            if (userFile != nullptr && !user.empty()) {
                const auto& relative = userFile->relativeTo();
                const auto sid = relative.substr(relative.rfind('\\') + 1);
                if (foldCase(sid) == user) {
                    return {{HiveFile::User, rest}};
                }
            }
            return {};
        }
        default:
            return {};
    }
}

std::int32_t WineRegistryApi::openKey(std::uint32_t hive, const std::string& subkey, Key& key) {
    if (hive == kHkeyDynData) {
        return kErrorFileNotFound;  // Windows NT and Wine keep no dynamic data
    }
    if (hive != kHkeyLocalMachine && hive != kHkeyCurrentUser && hive != kHkeyClassesRoot &&
        hive != kHkeyCurrentConfig && hive != kHkeyUsers) {
        return kErrorInvalidHandle;
    }
    if (subkey.starts_with('\\')) {
        return kErrorBadPathname;
    }
    std::vector<Location> found;
    if (hive == kHkeyUsers && WineRegistryFile::canonicalPath(subkey).empty()) {
        key = nextKey_++;
        openKeys_[key] = {};
        return kStatusSuccess;
    }
    for (auto& location : candidates(hive, subkey)) {
        const WineRegistryFile* registry = file(location.file);
        if (registry != nullptr && registry->hasKey(location.path)) {
            found.push_back(std::move(location));
        }
    }
    if (found.empty() && hive == kHkeyLocalMachine) {
        const WineRegistryFile* registry = file(HiveFile::System);
        const auto [top, rest] = splitFirst(subkey);
        const bool redirectable = top == "software" && splitFirst(rest).first != "wow6432node";
        if (registry != nullptr && registry->is64Bit() && redirectable) {
            const std::string redirected = joinPath("software\\wow6432node", rest);
            if (registry->hasKey(redirected)) {
                found.push_back({HiveFile::System, redirected});
            }
        }
    }
    if (found.empty()) {
        return kErrorFileNotFound;
    }
    key = nextKey_++;
    openKeys_[key] = std::move(found);
    return kStatusSuccess;
}

std::int32_t WineRegistryApi::queryValue(Key key, const std::string& name, char* buffer,
                                         std::uint32_t& size) {
    const auto open = openKeys_.find(key);
    if (open == openKeys_.end()) {
        return kErrorInvalidHandle;
    }
    const WineRegistryData* data = nullptr;
    for (const auto& location : open->second) {
        const WineRegistryFile* registry = file(location.file);
        data = registry != nullptr ? registry->findValue(location.path, name) : nullptr;
        if (data != nullptr) {
            break;
        }
    }
    if (data == nullptr) {
        return kErrorFileNotFound;
    }
    const bool text =
        data->type == kTypeSz || data->type == kTypeExpandSz || data->type == kTypeMultiSz;
    const std::string bytes = text ? utf16leToUtf8(data->bytes) : data->bytes;
    if (buffer == nullptr || size < bytes.size()) {
        size = static_cast<std::uint32_t>(bytes.size());
        return bytes.empty() ? kStatusSuccess : kErrorMoreData;
    }
    std::copy(bytes.begin(), bytes.end(), buffer);
    size = static_cast<std::uint32_t>(bytes.size());
    return kStatusSuccess;
}

std::int32_t WineRegistryApi::listSubkeys(std::uint32_t hive, const std::string& subkey,
                                          std::vector<std::string>& names) {
    names.clear();
    Key key{};
    const std::int32_t status = openKey(hive, subkey, key);
    if (status != kStatusSuccess) {
        return status;
    }
    std::set<std::string> found;
    for (const auto& location : openKeys_[key]) {
        if (const WineRegistryFile* registry = file(location.file)) {
            for (std::string& name : registry->subkeys(location.path)) {
                found.insert(std::move(name));
            }
        }
    }
    names.assign(found.begin(), found.end());
    return closeKey(key);
}

std::int32_t WineRegistryApi::closeKey(Key key) {
    return openKeys_.erase(key) == 1 ? kStatusSuccess : kErrorInvalidHandle;
}

std::uint32_t WineRegistryApi::profileString(const std::string& section, const std::string& name,
                                             const std::string& defaultText, char* buffer,
                                             std::uint32_t size, const std::string& file) {
    return ProfileFile::load(file).getString(section, name, defaultText, buffer, size);
}

std::uint32_t WineRegistryApi::profileInt(const std::string& section, const std::string& name,
                                          std::int32_t defaultValue, const std::string& file) {
    return ProfileFile::load(file).getInt(section, name, defaultValue);
}

}  // namespace orvendel
