// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>
#include <variant>

namespace orvendel {

// A value read from the registry or a profile file: text, two-byte flag or 32-bit number.
using RegistryValue = std::variant<std::string, bool, std::int32_t>;

// Returns the value as text: the text itself, "True" or "False", or the number in decimal.
std::string registryValueText(const RegistryValue& value);

}  // namespace orvendel
