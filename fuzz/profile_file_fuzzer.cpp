// SPDX-License-Identifier: MIT
// Fuzz target: the profile (INI) file reader.
// Input: a section name and an entry name, each ended by a newline, then the file's text.
// Properties: a found value holds no line end and no NUL; getString copies at most size - 1
// characters, ends them with a NUL and returns their count, the found value's prefix when the
// entry exists; getInt reads nothing else than find does (default when missing or empty).
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_check.h"
#include "locate/profile_file.h"

namespace {

// Takes text up to the next newline (at most 64 bytes) off the front of `input`.
std::string_view takeLine(std::string_view& input) {
    std::size_t end = input.find('\n');
    if (end == std::string_view::npos || end > 64)
        end = std::min<std::size_t>(input.size(), 64);
    const std::string_view line = input.substr(0, end);
    input.remove_prefix(std::min(input.size(), end + 1));
    return line;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using orvendel::ProfileFile;
    std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::string_view section = takeLine(input);
    const std::string_view name = takeLine(input);
    const ProfileFile file(input);

    const std::optional<std::string> value = file.find(section, name);
    if (value) {
        FUZZ_CHECK(value->find_first_of(std::string_view("\r\n\0", 3)) == std::string::npos);
    }
    for (const std::uint32_t size : {0u, 1u, 2u, 255u}) {
        std::vector<char> buffer(size + 1, '\x7f');
        const std::uint32_t count =
            file.getString(section, name, "default  ", size ? buffer.data() : nullptr, size);
        if (size == 0) {
            FUZZ_CHECK(count == 0);
            continue;
        }
        FUZZ_CHECK(count < size);
        FUZZ_CHECK(buffer[count] == '\0');
        FUZZ_CHECK(buffer[size] == '\x7f');  // nothing beyond the buffer's size
        const std::string_view copied(buffer.data(), count);
        const std::string_view expected = value ? std::string_view(*value) : "default";
        FUZZ_CHECK(copied == expected.substr(0, count));
        FUZZ_CHECK(count == std::min<std::size_t>(expected.size(), size - 1));
    }
    const std::uint32_t number = file.getInt(section, name, 77);
    if (!value || value->empty()) {
        FUZZ_CHECK(number == 77);
    }
    return 0;
}
