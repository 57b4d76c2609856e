// SPDX-License-Identifier: MIT
#include "revision_layout.h"

#include <bit>
#include <numeric>
#include <sstream>
#include <stdexcept>
#include <string_view>

#include "revision_layouts_text.h"

namespace orvendel {

namespace {

std::string trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    const std::size_t last = text.find_last_not_of(' ');
    return first == std::string_view::npos ? std::string()
                                           : std::string(text.substr(first, last - first + 1));
}

std::vector<std::string> split(std::string_view text, char separator) {
    std::vector<std::string> parts;
    std::size_t from = 0;
    for (std::size_t at = text.find(separator); at != std::string_view::npos;
         at = text.find(separator, from = at + 1)) {
        parts.push_back(trimmed(text.substr(from, at - from)));
    }
    parts.push_back(trimmed(text.substr(from)));
    return parts;
}

std::vector<int> hexBytes(const std::string& text) {
    std::vector<int> bytes;
    std::istringstream words(text);
    for (std::string word; words >> word;)
        bytes.push_back(word == "??" ? -1 : std::stoi(word, nullptr, 16));
    return bytes;
}

LayoutSite site(const std::string& text) {
    std::istringstream words(text);
    LayoutSite site{};
    std::string kind;
    words >> site.offset >> site.field >> kind;
    if (site.field.empty() || !(kind.empty() || kind == "angle"))
        throw std::runtime_error("unreadable site in revision_layouts.txt: " + text);
    site.angle = kind == "angle";
    return site;
}

std::vector<LayoutSignature> readLayout(int revision) {
    std::vector<LayoutSignature> layout;
    std::istringstream lines{std::string(kRevisionLayoutsText)};
    for (std::string line; std::getline(lines, line);) {
        if (line.empty() || line[0] == '#')
            continue;
        const std::vector<std::string> columns = split(line, '|');
        if (columns.size() != 4)
            throw std::runtime_error("unreadable line in revision_layouts.txt: " + line);
        if (std::stoi(columns[0]) != revision)
            continue;
        LayoutSignature signature{hexBytes(columns[1]), std::stoi(columns[2]), {}};
        for (const std::string& part : split(columns[3], ','))
            signature.sites.push_back(site(part));
        layout.push_back(std::move(signature));
    }
    return layout;
}

}  // namespace

const std::vector<LayoutSignature>& revisionLayout(int revision) {
    static const std::vector<LayoutSignature> layouts[] = {readLayout(0), readLayout(1)};
    return layouts[revision == 0 ? 0 : 1];
}

std::vector<std::size_t> LayoutImage::sitesBefore(std::size_t signature) const {
    std::vector<std::size_t> all;
    for (std::size_t k = 0; k < signature; ++k)
        all.insert(all.end(), sites[k].begin(), sites[k].end());
    return all;
}

float LayoutImage::storedAt(std::size_t site) const {
    std::uint32_t bits = 0;
    for (std::size_t i = 0; i < 4; ++i)
        bits |= std::uint32_t{bytes[site + i]} << (8 * i);
    return std::bit_cast<float>(bits);
}

LayoutImage layoutImage(int revision, std::vector<std::size_t> order) {
    const std::vector<LayoutSignature>& layout = revisionLayout(revision);
    if (order.empty()) {
        order.resize(layout.size());
        std::iota(order.begin(), order.end(), 0);
    }
    LayoutImage image;
    image.bytes.assign(1000 * order.size() + 400, 0xEE);
    image.matches.resize(layout.size());
    image.sites.resize(layout.size());
    float value = 10;
    for (std::size_t k = 0; k < order.size(); ++k) {
        const LayoutSignature& signature = layout[order[k]];
        const std::size_t base = 100 + 1000 * k;
        for (int copy = 0; copy < signature.searches; ++copy) {
            for (std::size_t i = 0; i < signature.bytes.size(); ++i) {
                if (signature.bytes[i] >= 0)
                    image.bytes[base + 4 * copy + i] =
                        static_cast<std::uint8_t>(signature.bytes[i]);
            }
        }
        const std::size_t match = base + 4 * static_cast<std::size_t>(signature.searches - 1);
        image.matches[order[k]] = match;
        for (const LayoutSite& site : signature.sites) {
            const auto bits = std::bit_cast<std::uint32_t>(value++);
            for (std::size_t i = 0; i < 4; ++i)
                image.bytes[match + site.offset + i] = static_cast<std::uint8_t>(bits >> (8 * i));
            image.sites[order[k]].push_back(match + site.offset);
        }
    }
    return image;
}

}  // namespace orvendel
