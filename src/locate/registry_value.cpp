// SPDX-License-Identifier: MIT
#include "locate/registry_value.h"

namespace orvendel {

std::string registryValueText(const RegistryValue& value) {
    if (const auto* text = std::get_if<std::string>(&value)) {
        return *text;
    }
    if (const auto* flag = std::get_if<bool>(&value)) {
        return *flag ? "True" : "False";
    }
    return std::to_string(std::get<std::int32_t>(value));
}

}  // namespace orvendel
