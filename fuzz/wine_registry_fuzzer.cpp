// SPDX-License-Identifier: MIT
// Fuzz target: the Wine registry file parser and the text conversions it relies on.
// Properties: parsing never fails except for a missing header, which it explains; a key that
// holds a value exists; key paths are canonical after one canonicalPath; UTF-8 made from any
// UTF-16 bytes survives the way back to UTF-16 and again to UTF-8 unchanged.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "locate/text_encoding.h"
#include "locate/wine_registry_file.h"

namespace {

// Probes one key and value name, as the game's location lookup would.
void probe(const orvendel::WineRegistryFile& file, std::string_view key, std::string_view name) {
    const bool exists = file.hasKey(key);
    const orvendel::WineRegistryData* value = file.findValue(key, name);
    if (value) {
        FUZZ_CHECK(exists);
        (void)orvendel::utf16leToUtf8(value->bytes);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace orvendel;
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    const Result<WineRegistryFile> file = WineRegistryFile::parse(text);
    if (!file) {
        FUZZ_CHECK(!file.message().empty());
    } else {
        probe(*file, "Software\\BioWare\\NWN\\Neverwinter", "Location");
        probe(*file, "software\\\\bioware\\nwn\\NEVERWINTER\\", "location");
        probe(*file, "", "");
        // The first bracketed text of the input, as a key a caller might ask for.
        const std::size_t open = text.find('[');
        const std::size_t close = text.find(']', open == std::string_view::npos ? 0 : open);
        if (open != std::string_view::npos && close != std::string_view::npos) {
            probe(*file, text.substr(open + 1, close - open - 1), text.substr(close));
        }
    }

    const std::string_view head = text.substr(0, 256);
    const std::string canonical = WineRegistryFile::canonicalPath(head);
    FUZZ_CHECK(WineRegistryFile::canonicalPath(canonical) == canonical);

    const std::string utf8 = utf16leToUtf8(text);
    FUZZ_CHECK(utf16leToUtf8(utf8ToUtf16le(utf8)) == utf8);
    return 0;
}
