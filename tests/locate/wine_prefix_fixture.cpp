#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <tuple>

#include "locate/text_encoding.h"
#include "locate/wine_registry_api.h"
#include "registry_fixture.h"
#include "temp_dir.h"

namespace orvendel {
namespace {

// Writes values into system.reg and user.reg of a fresh prefix, every value in the hex(N) form
// with texts in UTF-16, as Wine keeps them.
class WinePrefixFixture : public RegistryFixture {
public:
    std::string root() const override { return "Software\\OrvendelTest"; }

    bool setValue(std::uint32_t hive, const std::string& key, const std::string& name,
                  std::uint32_t type, const std::string& bytes) override {
        const bool text = type == 1 || type == 2 || type == 7;
        values_[{hive, fullKey(key)}][name] = {type, text ? utf8ToUtf16le(bytes) : bytes};
        api_.reset();
        return true;
    }

    bool setValueIn32BitView(const std::string& key, const std::string& name, std::uint32_t type,
                             const std::string& bytes) override {
        const std::string below = root().substr(std::string("Software\\").size());
        const std::string path =
            "Software\\Wow6432Node\\" + below + (key.empty() ? "" : "\\" + key);
        const bool text = type == 1 || type == 2 || type == 7;
        values_[{kHkeyLocalMachine, path}][name] = {type, text ? utf8ToUtf16le(bytes) : bytes};
        api_.reset();
        return true;
    }

    bool createKey(std::uint32_t hive, const std::string& key) override {
        values_[{hive, fullKey(key)}];
        api_.reset();
        return true;
    }

    RegistryApi& api() override {
        if (!api_) {
            write("system.reg", kHkeyLocalMachine);
            write("user.reg", kHkeyCurrentUser);
            api_.emplace(prefix_.path());
        }
        return *api_;
    }

    std::filesystem::path folder() const override { return prefix_.path(); }

private:
    std::string fullKey(const std::string& key) const {
        return key.empty() ? root() : root() + '\\' + key;
    }

    static std::string escaped(const std::string& text) {
        std::string out;
        for (const char c : text) {
            if (c == '\\' || c == '"' || c == ']') {
                out += '\\';
            }
            out += c;
        }
        return out;
    }

    void write(const char* file, std::uint32_t hive) {
        std::ostringstream text;
        text << "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=win64\n";
        for (const auto& [where, values] : values_) {
            if (where.first != hive) {
                continue;
            }
            text << "\n[" << escaped(where.second) << "] 1700000000\n#time=1d9\n";
            for (const auto& [name, data] : values) {
                text << (name.empty() ? std::string("@") : '"' + escaped(name) + '"') << "=hex("
                     << std::hex << data.first << "):";
                for (std::size_t i = 0; i < data.second.size(); ++i) {
                    text << (i == 0 ? "" : ",") << std::hex
                         << static_cast<int>(static_cast<unsigned char>(data.second[i]) >> 4)
                         << static_cast<int>(static_cast<unsigned char>(data.second[i]) & 15);
                }
                text << std::dec << '\n';
            }
        }
        std::ofstream(prefix_.path() / file, std::ios::binary) << text.str();
    }

    TempDir prefix_;
    std::map<std::pair<std::uint32_t, std::string>,
             std::map<std::string, std::pair<std::uint32_t, std::string>>>
        values_;
    std::optional<WineRegistryApi> api_;
};

}  // namespace

std::unique_ptr<RegistryFixture> makeWinePrefixFixture() {
    return std::make_unique<WinePrefixFixture>();
}

}  // namespace orvendel
