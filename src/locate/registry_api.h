// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace orvendel {

// Status codes of the registry reader; the Windows error codes keep their Windows values.
// They stay inside the locate layer: its callers see FileStatus and Result (game_location.h).
inline constexpr std::int32_t kStatusSuccess = 0;
inline constexpr std::int32_t kErrorFileNotFound = 2;
inline constexpr std::int32_t kErrorAccessDenied = 5;
inline constexpr std::int32_t kErrorInvalidHandle = 6;
inline constexpr std::int32_t kErrorNotEnoughMemory = 8;
inline constexpr std::int32_t kErrorBadPathname = 161;
inline constexpr std::int32_t kErrorMoreData = 234;
inline constexpr std::int32_t kErrorNoMoreItems = 259;
inline constexpr std::int32_t kStatusSourceNotRecognised = 99;

// The predefined registry keys, by their Windows handle values.
inline constexpr std::uint32_t kHkeyClassesRoot = 0x80000000u;
inline constexpr std::uint32_t kHkeyCurrentUser = 0x80000001u;
inline constexpr std::uint32_t kHkeyLocalMachine = 0x80000002u;
inline constexpr std::uint32_t kHkeyUsers = 0x80000003u;
inline constexpr std::uint32_t kHkeyCurrentConfig = 0x80000005u;
inline constexpr std::uint32_t kHkeyDynData = 0x80000006u;

// The platform functions that read registry values and profile (INI) files, in the shape of
// the Windows ANSI calls: texts in the ANSI code page (UTF-8 where the platform has no other),
// results as Windows error codes. One implementation calls advapi32 and kernel32, the other
// answers from the files of a Wine prefix.
class RegistryApi {
public:
    using Key = std::uintptr_t;

    virtual ~RegistryApi() = default;

    // Opens `subkey` below the predefined key `hive` for querying values only. Returns 0 and
    // sets `key`, or a Windows error code (2 when the subkey does not exist) and leaves `key`.
    virtual std::int32_t openKey(std::uint32_t hive, const std::string& subkey, Key& key) = 0;

    // Reads value `name` of an open key into `buffer`, whose capacity is `size` bytes; `buffer`
    // may be null only when `size` is 0. Text values come converted to the ANSI code page.
    // Returns 0 with `size` set to the bytes stored, 234 with `size` set to the bytes needed
    // when the buffer is too small, 2 when the value does not exist, or another error code.
    virtual std::int32_t queryValue(Key key, const std::string& name, char* buffer,
                                    std::uint32_t& size) = 0;

    // Sets `names` to the names of the keys directly below `subkey` of the predefined key
    // `hive`, found as openKey finds the key. Returns 0, or a Windows error code (2 when the
    // subkey does not exist) and leaves `names` empty.
    virtual std::int32_t listSubkeys(std::uint32_t hive, const std::string& subkey,
                                     std::vector<std::string>& names) = 0;

    // Closes a key opened by openKey. Returns 0.
    virtual std::int32_t closeKey(Key key) = 0;

    // Copies entry `name` of section `section` in profile file `file` into `buffer` (capacity
    // `size` characters, NUL-terminated, at most size - 1 characters), or `defaultText` when
    // the entry is missing. Returns the number of characters copied without the NUL.
    virtual std::uint32_t profileString(const std::string& section, const std::string& name,
                                        const std::string& defaultText, char* buffer,
                                        std::uint32_t size, const std::string& file) = 0;

    // Returns the number that entry `name` of section `section` in profile file `file` holds,
    // or `defaultValue` when the entry is missing.
    virtual std::uint32_t profileInt(const std::string& section, const std::string& name,
                                     std::int32_t defaultValue, const std::string& file) = 0;
};

}  // namespace orvendel
