// SPDX-License-Identifier: MIT
#include "patcher/kept_copy.h"

#include <algorithm>
#include <cctype>
#include <system_error>

#include "patcher/table_run.h"
#include "platform/files.h"

namespace orvendel {

namespace fs = std::filesystem;

namespace {

std::string describeKind(HeldFileFacts::Kind kind) {
    switch (kind) {
        case HeldFileFacts::Kind::Directory:
            return "a folder";
        case HeldFileFacts::Kind::SymbolicLink:
            return "a symbolic link";
        case HeldFileFacts::Kind::Fifo:
            return "a FIFO";
        case HeldFileFacts::Kind::Other:
            return "not an ordinary file";
        case HeldFileFacts::Kind::Regular:
            break;
    }
    return {};
}

// Whether `a` and `b` differ only within the 4 bytes of the given sites.
bool differOnlyAtSites(std::span<const std::uint8_t> a, std::span<const std::uint8_t> b,
                       std::vector<std::size_t> sites) {
    if (a.size() != b.size())
        return false;
    std::sort(sites.begin(), sites.end());
    std::size_t from = 0;
    for (const std::size_t site : sites) {
        const std::size_t start = std::min(site, a.size());
        if (start > from && !std::equal(a.begin() + from, a.begin() + start, b.begin() + from))
            return false;
        from = std::max(from, std::min(site + 4, a.size()));
    }
    return std::equal(a.begin() + from, a.end(), b.begin() + from);
}

// The path with every part that exists resolved, for comparing names of files that may not
// exist yet; letters in one case on Windows, where names differing in case are one name.
fs::path comparable(const fs::path& path) {
    std::error_code error;
    fs::path resolved = fs::weakly_canonical(fs::absolute(path, error), error);
    if (error)
        resolved = path.lexically_normal();
#ifdef _WIN32
    std::wstring text = resolved.native();
    std::transform(text.begin(), text.end(), text.begin(),
                   [](wchar_t c) { return c < 128 ? static_cast<wchar_t>(std::tolower(c)) : c; });
    resolved = text;
#endif
    return resolved;
}

}  // namespace

Result<KeptCopy> examineKeptCopy(const fs::path& executable,
                                 std::span<const std::uint8_t> executableBytes) {
    KeptCopy copy;
    if (!hasOriginalCopy(executable))
        return copy;
    const fs::path copyPath = originalCopyPath(executable);
    HeldFileFacts facts;
    FileBuffer bytes;
    if (FileStatus status = readUnfollowed(copyPath, facts, bytes); !status)
        return status;
    std::string executableOwner;
    if (FileStatus status = ownerOfFile(executable, executableOwner); !status)
        return status;

    copy.standing = KeptCopy::Standing::Untrusted;
    if (facts.kind != HeldFileFacts::Kind::Regular) {
        copy.reason = describeKind(facts.kind);
    } else if (facts.links != 1) {
        copy.reason = "a file with other names (hard links)";
    } else if (facts.owner != executableOwner) {
        copy.reason = "a file of another owner than the executable";
    } else if (facts.writableByOthers) {
        copy.reason = "a file that others may change";
    } else if (bytes.empty()) {
        copy.reason = "an empty file";
    }
    if (!copy.reason.empty())
        return copy;

    TableRun run;
    if (!recogniseImage(bytes.bytes(), run)) {
        copy.reason = "not a known revision of the game's executable";
        return copy;
    }
    copy.standing = differOnlyAtSites(bytes.bytes(), executableBytes, run.sites)
                        ? KeptCopy::Standing::Matching
                        : KeptCopy::Standing::OtherFile;
    copy.bytes = std::move(bytes);
    return copy;
}

FileStatus noOriginalCopy(const fs::path& executable) {
    return FileStatus::cannotRead(originalCopyPath(executable),
                                  "there is no original copy of this file");
}

std::string untrustedCopyMessage(const fs::path& executable, std::string_view reason,
                                 std::string_view advice) {
    return quoted(originalCopyPath(executable)) + " is not a copy that Orvendel kept (" +
           std::string(reason) + "): " + std::string(advice);
}

FileStatus settingsTargetAllowed(const fs::path& target, const fs::path& executable) {
    const char* why = nullptr;
    const fs::path copy = originalCopyPath(executable);
    if (isSameFile(target, executable)) {
        why = "it is the game's executable";
    } else if (isSameFile(target, copy) || comparable(target) == comparable(copy)) {
        why = "it is the kept copy of the game's original executable";
    }
    if (!why)
        return FileStatus::success();
    return FileStatus::failure(fileMessage("Cannot save the settings as", target, why));
}

}  // namespace orvendel
