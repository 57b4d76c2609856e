// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "locate/registry_api.h"
#include "locate/registry_value.h"

namespace orvendel {

// What a source names: 0 nothing known, 1 an existing profile file.
inline constexpr std::uint32_t kSourceUnknown = 0;
inline constexpr std::uint32_t kSourceProfileFile = 1;

// Classifies a source: the predefined key of a hive abbreviation ("HKCU", "HKLM", "HKU",
// "HKDD", "HKCC", "HKCR", in any case), else kSourceProfileFile when the source, unchanged,
// names an existing ordinary file (see isOrdinaryFile), else kSourceUnknown.
std::uint32_t classifySource(std::string_view source);

// Reads one value: from the registry when `source` is a hive abbreviation (`key` the subkey
// below it, `name` the value name), from a profile file when it names one (`key` the section,
// `name` the entry). `kind` ("S" text, "B" two-byte flag, "D" 32-bit number, in any case)
// decides how the stored bytes are taken, whatever their registry type. `out` is first set to
// `defaultValue` and keeps it unless a value was read. Returns 0 (read, or nothing to read for
// another kind), 99 (source neither a hive nor an existing file), or the Windows error code of
// the failing call: 2 key or value missing, 234 value larger than a "B" or "D" buffer, 8 no
// memory for a text value of the size stored, ...
// A profile file read with kind "S" delivers at most 254 characters, the default (as text)
// when the entry is missing; with any other kind the entry's number, 0 when missing. A text
// value ends at its first NUL. Every key opened is closed again.
std::int32_t queryValue(RegistryApi& api, std::string_view source, const std::string& key,
                        const std::string& name, std::string_view kind,
                        const RegistryValue& defaultValue, RegistryValue& out);

// The same, through this platform's registry: advapi32 and kernel32 on Windows, elsewhere the
// files of the Wine prefix that Wine would use ($WINEPREFIX, else ~/.wine).
std::int32_t queryValue(std::string_view source, const std::string& key, const std::string& name,
                        std::string_view kind, const RegistryValue& defaultValue,
                        RegistryValue& out);

}  // namespace orvendel
