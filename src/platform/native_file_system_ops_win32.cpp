// SPDX-License-Identifier: MIT
// The Windows implementation of the file system steps.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
// After windows.h, which they need.
#include <aclapi.h>
#include <sddl.h>

#include <algorithm>
#include <string>

#include "platform/file_system_ops.h"

namespace orvendel {

namespace {

std::error_code lastError() {
    return {static_cast<int>(::GetLastError()), std::system_category()};
}

HANDLE handleOf(FileHandle file) {
    return reinterpret_cast<HANDLE>(file);
}

constexpr std::size_t kMaxChunk = 1u << 30;

// The SID as text ("S-1-5-21-…"), or empty.
std::string sidText(PSID sid) {
    LPSTR text = nullptr;
    if (!sid || !::ConvertSidToStringSidA(sid, &text))
        return {};
    std::string result(text);
    ::LocalFree(text);
    return result;
}

// Whether the DACL lets anyone at large write: Everyone, Anonymous, Guests, Users or
// Authenticated Users (a null DACL lets everyone do anything).
bool worldWritable(PACL dacl) {
    if (!dacl)
        return true;
    constexpr ACCESS_MASK kWrite = FILE_WRITE_DATA | FILE_APPEND_DATA | GENERIC_WRITE |
                                   GENERIC_ALL | WRITE_DAC | WRITE_OWNER | DELETE;
    static const char* const kAtLarge[] = {"S-1-1-0", "S-1-5-7", "S-1-5-32-546", "S-1-5-32-545",
                                           "S-1-5-11"};
    for (DWORD i = 0; i < dacl->AceCount; ++i) {
        void* entry = nullptr;
        if (!::GetAce(dacl, i, &entry))
            continue;
        const auto* header = static_cast<const ACE_HEADER*>(entry);
        if (header->AceType != ACCESS_ALLOWED_ACE_TYPE || (header->AceFlags & INHERIT_ONLY_ACE))
            continue;
        const auto* allowed = static_cast<const ACCESS_ALLOWED_ACE*>(entry);
        if (!(allowed->Mask & kWrite))
            continue;
        const std::string who =
            sidText(const_cast<PSID>(static_cast<const void*>(&allowed->SidStart)));
        for (const char* atLarge : kAtLarge) {
            if (who == atLarge)
                return true;
        }
    }
    return false;
}

// The owner and the DACL's verdict of an open file.
std::error_code securityOf(HANDLE handle, std::string& owner, bool* writableByOthers) {
    PSID ownerSid = nullptr;
    PACL dacl = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    const DWORD code = ::GetSecurityInfo(
        handle, SE_FILE_OBJECT,
        OWNER_SECURITY_INFORMATION | (writableByOthers ? DACL_SECURITY_INFORMATION : 0), &ownerSid,
        nullptr, writableByOthers ? &dacl : nullptr, nullptr, &descriptor);
    if (code != ERROR_SUCCESS)
        return {static_cast<int>(code), std::system_category()};
    owner = sidText(ownerSid);
    if (writableByOthers)
        *writableByOthers = worldWritable(dacl);
    ::LocalFree(descriptor);
    return {};
}

class Win32FileSystemOps final : public FileSystemOps {
public:
    std::error_code openForReading(const std::filesystem::path& path, FileHandle& file,
                                   std::uint64_t& length) override {
        const DWORD attributes = ::GetFileAttributesW(path.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES)
            return lastError();
        if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
            return std::make_error_code(std::errc::is_a_directory);
        }
        // Others may read the file meanwhile, nobody may change it.
        HANDLE handle = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
        if (handle == INVALID_HANDLE_VALUE)
            return lastError();
        if (::GetFileType(handle) != FILE_TYPE_DISK) {
            ::CloseHandle(handle);
            return std::make_error_code(std::errc::invalid_argument);
        }
        LARGE_INTEGER size{};
        if (!::GetFileSizeEx(handle, &size)) {
            const std::error_code error = lastError();
            ::CloseHandle(handle);
            return error;
        }
        file = reinterpret_cast<FileHandle>(handle);
        length = static_cast<std::uint64_t>(size.QuadPart);
        return {};
    }

    std::error_code read(FileHandle file, std::uint8_t* buffer, std::size_t size,
                         std::size_t& got) override {
        DWORD n = 0;
        got = 0;
        const DWORD chunk = static_cast<DWORD>(std::min(size, kMaxChunk));
        if (!::ReadFile(handleOf(file), buffer, chunk, &n, nullptr))
            return lastError();
        got = n;
        return {};
    }

    std::error_code createTemp(const std::filesystem::path& target, std::filesystem::path& tempPath,
                               FileHandle& file) override {
        for (int attempt = 0; attempt < 100; ++attempt) {
            std::filesystem::path candidate = uniqueSibling(target, tempFilePrefix(target));
            HANDLE handle = ::CreateFileW(candidate.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                          FILE_ATTRIBUTE_NORMAL, nullptr);
            if (handle != INVALID_HANDLE_VALUE) {
                tempPath = std::move(candidate);
                file = reinterpret_cast<FileHandle>(handle);
                return {};
            }
            const DWORD code = ::GetLastError();
            if (code != ERROR_FILE_EXISTS && code != ERROR_ALREADY_EXISTS) {
                return {static_cast<int>(code), std::system_category()};
            }
        }
        return std::make_error_code(std::errc::file_exists);
    }

    std::error_code write(FileHandle file, const std::uint8_t* data, std::size_t size,
                          std::size_t& written) override {
        DWORD n = 0;
        written = 0;
        const DWORD chunk = static_cast<DWORD>(std::min(size, kMaxChunk));
        if (!::WriteFile(handleOf(file), data, chunk, &n, nullptr))
            return lastError();
        written = n;
        return {};
    }

    std::error_code sync(FileHandle file) override {
        return ::FlushFileBuffers(handleOf(file)) ? std::error_code() : lastError();
    }

    std::error_code close(FileHandle file) override {
        return ::CloseHandle(handleOf(file)) ? std::error_code() : lastError();
    }

    // ReplaceFileW keeps the replaced file's owner, attributes, security and streams; nothing
    // to check or copy.
    std::error_code ownerLoss(const std::filesystem::path&, OwnerLoss& loss,
                              std::string&) override {
        loss = OwnerLoss::None;
        return {};
    }
    std::error_code copyOwner(const std::filesystem::path&, FileHandle) override { return {}; }
    std::error_code copyAttributes(const std::filesystem::path&, FileHandle, bool) override {
        return {};
    }

    std::error_code replace(FileHandle tempFile, const std::filesystem::path& temp,
                            const std::filesystem::path& target) override {
        ::CloseHandle(handleOf(tempFile));
        const std::filesystem::path backup = uniqueSibling(target, backupFilePrefix(target));
        if (::ReplaceFileW(target.c_str(), temp.c_str(), backup.c_str(),
                           REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)) {
            ::DeleteFileW(backup.c_str());
            return {};
        }
        const DWORD code = ::GetLastError();
        if (code == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2) {
            // The original went to the backup name and the new file did not take its place:
            // put the original back.
            ::MoveFileExW(backup.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH);
            return {static_cast<int>(code), std::system_category()};
        }
        if (::MoveFileExW(temp.c_str(), target.c_str(),
                          MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            return {};
        }
        return lastError();
    }

    std::error_code placeNew(FileHandle tempFile, const std::filesystem::path& temp,
                             const std::filesystem::path& target) override {
        ::CloseHandle(handleOf(tempFile));
        if (::MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH))
            return {};
        const DWORD code = ::GetLastError();
        if (code == ERROR_ALREADY_EXISTS || code == ERROR_FILE_EXISTS)
            return std::make_error_code(std::errc::file_exists);
        return {static_cast<int>(code), std::system_category()};
    }

    // Renames are made durable by MOVEFILE_WRITE_THROUGH and the file system's own journal.
    std::error_code syncFolder(const std::filesystem::path&) override { return {}; }

    std::error_code remove(const std::filesystem::path& path) override {
        return ::DeleteFileW(path.c_str()) ? std::error_code() : lastError();
    }

    // A live temporary file is open without sharing, so deleting it fails with a sharing
    // violation.
    std::error_code removeIfUnused(const std::filesystem::path& path) override {
        if (::DeleteFileW(path.c_str()))
            return {};
        const DWORD code = ::GetLastError();
        if (code == ERROR_SHARING_VIOLATION || code == ERROR_ACCESS_DENIED)
            return std::make_error_code(std::errc::device_or_resource_busy);
        return {static_cast<int>(code), std::system_category()};
    }

    std::error_code identify(const std::filesystem::path& path, FileIdentity& identity) override {
        HANDLE handle = ::CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        if (handle == INVALID_HANDLE_VALUE)
            return lastError();
        BY_HANDLE_FILE_INFORMATION info{};
        FILE_BASIC_INFO basic{};
        const bool ok =
            ::GetFileInformationByHandle(handle, &info) &&
            ::GetFileInformationByHandleEx(handle, FileBasicInfo, &basic, sizeof(basic));
        const std::error_code error = ok ? std::error_code() : lastError();
        ::CloseHandle(handle);
        if (error)
            return error;
        identity.device = info.dwVolumeSerialNumber;
        identity.inode = (std::uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow;
        identity.size = (std::uint64_t{info.nFileSizeHigh} << 32) | info.nFileSizeLow;
        identity.modified = basic.LastWriteTime.QuadPart;
        identity.changed = basic.ChangeTime.QuadPart;
        identity.links = info.nNumberOfLinks;
        return {};
    }

    std::error_code checkWritable(const std::filesystem::path& path) override {
        // Sharing reading and writing: fails only where this process may not write, or where a
        // running program (the game) holds the file without sharing.
        HANDLE handle = ::CreateFileW(path.c_str(), GENERIC_WRITE,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle == INVALID_HANDLE_VALUE)
            return lastError();
        ::CloseHandle(handle);
        return {};
    }

    std::error_code checkReplaceable(const std::filesystem::path& path) override {
        return checkWritable(path);
    }

    std::error_code readOnly(const std::filesystem::path& path, bool& isReadOnly) override {
        const DWORD attributes = ::GetFileAttributesW(path.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES)
            return lastError();
        isReadOnly = (attributes & FILE_ATTRIBUTE_READONLY) != 0;
        return {};
    }

    std::error_code clearReadOnly(const std::filesystem::path& path) override {
        const DWORD attributes = ::GetFileAttributesW(path.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES)
            return lastError();
        DWORD cleared = attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY);
        if (cleared == 0)
            cleared = FILE_ATTRIBUTE_NORMAL;
        return ::SetFileAttributesW(path.c_str(), cleared) ? std::error_code() : lastError();
    }

    std::error_code setReadOnly(const std::filesystem::path& path) override {
        const DWORD attributes = ::GetFileAttributesW(path.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES)
            return lastError();
        const DWORD set =
            (attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_NORMAL)) | FILE_ATTRIBUTE_READONLY;
        return ::SetFileAttributesW(path.c_str(), set) ? std::error_code() : lastError();
    }

    std::error_code openUnfollowed(const std::filesystem::path& path, FileHandle& file,
                                   std::uint64_t& length, HeldFileFacts& facts) override {
        using Kind = HeldFileFacts::Kind;
        file = kNoFile;
        // FILE_FLAG_OPEN_REPARSE_POINT opens a link itself, never what it points to.
        HANDLE handle = ::CreateFileW(
            path.c_str(), GENERIC_READ | READ_CONTROL, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
            FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_SEQUENTIAL_SCAN,
            nullptr);
        if (handle == INVALID_HANDLE_VALUE)
            return lastError();
        BY_HANDLE_FILE_INFORMATION info{};
        if (!::GetFileInformationByHandle(handle, &info)) {
            const std::error_code error = lastError();
            ::CloseHandle(handle);
            return error;
        }
        facts.links = info.nNumberOfLinks;
        facts.kind = (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) ? Kind::SymbolicLink
                     : (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)   ? Kind::Directory
                     : ::GetFileType(handle) != FILE_TYPE_DISK              ? Kind::Other
                                                                            : Kind::Regular;
        if (std::error_code error = securityOf(handle, facts.owner, &facts.writableByOthers)) {
            ::CloseHandle(handle);
            return error;
        }
        if (facts.kind != Kind::Regular) {
            ::CloseHandle(handle);
            return {};
        }
        file = reinterpret_cast<FileHandle>(handle);
        length = (std::uint64_t{info.nFileSizeHigh} << 32) | info.nFileSizeLow;
        return {};
    }

    std::error_code ownerOf(const std::filesystem::path& path, std::string& owner) override {
        HANDLE handle = ::CreateFileW(path.c_str(), READ_CONTROL,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        if (handle == INVALID_HANDLE_VALUE)
            return lastError();
        const std::error_code error = securityOf(handle, owner, nullptr);
        ::CloseHandle(handle);
        return error;
    }
};

}  // namespace

FileSystemOps& nativeFileSystemOps() {
    static Win32FileSystemOps ops;
    return ops;
}

}  // namespace orvendel
