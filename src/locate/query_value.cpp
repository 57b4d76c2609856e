// SPDX-License-Identifier: MIT
#include "locate/query_value.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstring>
#include <memory>
#include <new>

#include "locate/ordinary_file.h"
#include "locate/platform_registry_api.h"
#include "locate/text_encoding.h"

namespace orvendel {
namespace {

struct HiveName {
    std::string_view abbreviation;
    std::uint32_t key;
};

// Checked in this order.
constexpr HiveName kHiveNames[] = {
    {"hkcu", kHkeyCurrentUser}, {"hklm", kHkeyLocalMachine},  {"hku", kHkeyUsers},
    {"hkdd", kHkeyDynData},     {"hkcc", kHkeyCurrentConfig}, {"hkcr", kHkeyClassesRoot},
};

// The buffer of a profile text, as the one call reads it.
constexpr std::uint32_t kProfileBufferSize = 255;

// Reads a value as text in two steps, size first, then the bytes; the text ends at its first
// NUL or with its last byte. Returns the status of the last query; `out` is set only on 0.
std::int32_t readText(RegistryApi& api, RegistryApi::Key key, const std::string& name,
                      RegistryValue& out) {
    std::uint32_t size = 0;
    std::unique_ptr<char[]> buffer;
    std::size_t capacity = 0;
    std::int32_t status = api.queryValue(key, name, nullptr, size);
    if (status == kErrorMoreData) {
        // The size comes from the stored value, so it may be more than the memory at hand: that
        // is the registry's own out-of-memory status, not an exception.
        buffer.reset(new (std::nothrow) char[size]());
        if (!buffer)
            return kErrorNotEnoughMemory;
        capacity = size;
        status = api.queryValue(key, name, buffer.get(), size);
    }
    if (status == kStatusSuccess) {
        const char* const begin = buffer.get();
        const char* const stored = begin + std::min<std::size_t>(size, capacity);
        out = std::string(begin, std::find(begin, stored, '\0'));
    }
    return status;
}

// Reads a value into a zeroed buffer of N bytes. Returns the status of the query (234 when the
// value holds more than N bytes).
template <std::size_t N>
std::int32_t readBytes(RegistryApi& api, RegistryApi::Key key, const std::string& name,
                       std::array<unsigned char, N>& bytes) {
    bytes.fill(0);
    std::uint32_t size = N;
    std::array<char, N> buffer{};
    const std::int32_t status = api.queryValue(key, name, buffer.data(), size);
    std::memcpy(bytes.data(), buffer.data(), N);
    return status;
}

}  // namespace

std::uint32_t classifySource(std::string_view source) {
    const std::string lower = asciiLower(source);
    for (const auto& hive : kHiveNames) {
        if (lower == hive.abbreviation) {
            return hive.key;
        }
    }
    return isOrdinaryFile(std::string(source)) ? kSourceProfileFile : kSourceUnknown;
}

std::int32_t queryValue(RegistryApi& api, std::string_view source, const std::string& key,
                        const std::string& name, std::string_view kind,
                        const RegistryValue& defaultValue, RegistryValue& out) {
    out = defaultValue;
    const std::uint32_t hive = classifySource(source);
    if (hive == kSourceUnknown) {
        return kStatusSourceNotRecognised;
    }
    const std::string letter = asciiLower(kind);
    const std::string file(source);

    if (hive == kSourceProfileFile) {
        if (letter == "s") {
            std::array<char, kProfileBufferSize> buffer{};
            const std::uint32_t count =
                api.profileString(key, name, registryValueText(defaultValue), buffer.data(),
                                  kProfileBufferSize, file);
            out =
                std::string(buffer.data(), std::min<std::uint32_t>(count, kProfileBufferSize - 1));
        } else {
            out = static_cast<std::int32_t>(api.profileInt(key, name, 0, file));
        }
        return kStatusSuccess;
    }

    RegistryApi::Key handle{};
    std::int32_t status = api.openKey(hive, key, handle);
    if (status != kStatusSuccess) {
        return status;
    }
    // Closes the key also when a read throws.
    struct KeyCloser {
        RegistryApi& api;
        RegistryApi::Key key;
        bool open = true;
        std::int32_t close() {
            open = false;
            return api.closeKey(key);
        }
        ~KeyCloser() {
            if (open) {
                api.closeKey(key);
            }
        }
    } closer{api, handle};
    if (letter == "s") {
        status = readText(api, handle, name, out);
    } else if (letter == "b") {
        std::array<unsigned char, 2> bytes{};
        status = readBytes(api, handle, name, bytes);
        if (status == kStatusSuccess) {
            out = bytes[0] != 0 || bytes[1] != 0;
        }
    } else if (letter == "d") {
        std::array<unsigned char, 4> bytes{};
        status = readBytes(api, handle, name, bytes);
        if (status == kStatusSuccess) {
            out = static_cast<std::int32_t>(std::uint32_t(bytes[0]) | std::uint32_t(bytes[1]) << 8 |
                                            std::uint32_t(bytes[2]) << 16 |
                                            std::uint32_t(bytes[3]) << 24);
        }
    }
    const std::int32_t closed = closer.close();
    return status == kStatusSuccess ? closed : status;
}

std::int32_t queryValue(std::string_view source, const std::string& key, const std::string& name,
                        std::string_view kind, const RegistryValue& defaultValue,
                        RegistryValue& out) {
    const auto api = makePlatformRegistryApi();
    return queryValue(*api, source, key, name, kind, defaultValue, out);
}

}  // namespace orvendel
