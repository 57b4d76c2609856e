// SPDX-License-Identifier: MIT
#include "locate/launcher_config.h"

#include <yaml-cpp/yaml.h>

#include <nlohmann/json.hpp>

namespace orvendel {
namespace {

// The text of `key` in the mapping `node`, or the empty text when there is no such scalar.
std::string yamlText(const YAML::Node& node, const char* key) {
    // A missing key gives a node that is not defined, whose type may not be asked.
    const YAML::Node value = node[key];
    return value.IsDefined() && value.IsScalar() ? value.Scalar() : std::string();
}

// The string members called `key` of the objects that `objects` yields, in order.
template <typename Objects>
std::vector<std::string> jsonTexts(const Objects& objects, const char* key) {
    std::vector<std::string> texts;
    for (const nlohmann::json& object : objects) {
        if (!object.is_object()) {
            continue;
        }
        const auto member = object.find(key);
        if (member != object.end() && member->is_string() &&
            !member->template get_ref<const std::string&>().empty()) {
            texts.push_back(member->template get<std::string>());
        }
    }
    return texts;
}

nlohmann::json parsedJson(std::string_view json) {
    // No exceptions: a file that is not JSON gives a "discarded" value.
    return nlohmann::json::parse(json.begin(), json.end(), nullptr, false);
}

}  // namespace

std::optional<LutrisGame> lutrisGame(std::string_view yaml) {
    try {
        const YAML::Node root = YAML::Load(std::string(yaml));
        const YAML::Node game = root.IsMap() ? root["game"] : YAML::Node();
        if (!game.IsDefined() || !game.IsMap()) {
            return std::nullopt;
        }
        return LutrisGame{yamlText(game, "prefix"), yamlText(game, "exe")};
    } catch (const YAML::Exception&) {
        return std::nullopt;  // not YAML, nested too deeply, or another shape
    }
}

std::vector<std::string> heroicWinePrefixes(std::string_view json) {
    const nlohmann::json root = parsedJson(json);
    return root.is_object() ? jsonTexts(root, "winePrefix") : std::vector<std::string>{};
}

std::vector<std::string> heroicGogInstallPaths(std::string_view json) {
    const nlohmann::json root = parsedJson(json);
    if (!root.is_object()) {
        return {};
    }
    const auto installed = root.find("installed");
    return installed != root.end() && installed->is_array() ? jsonTexts(*installed, "install_path")
                                                            : std::vector<std::string>{};
}

}  // namespace orvendel
