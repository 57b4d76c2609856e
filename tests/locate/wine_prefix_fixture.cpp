// SPDX-License-Identifier: MIT
#include <fstream>
#include <map>
#include <optional>
#include <sstream>

#include "locate/text_encoding.h"
#include "locate/wine_registry_api.h"
#include "registry_fixture.h"
#include "temp_dir.h"

namespace orvendel {
namespace {

// Writes values into system.reg and user.reg of a fresh 64-bit prefix, every value in the
// hex(N) form with texts in UTF-16, as Wine keeps them.
class WinePrefixFixture : public RegistryFixture {
public:
    std::string root() const override { return "Software\\OrvendelTest"; }

    bool setValue(std::uint32_t hive, const std::string& key, const std::string& name,
                  std::uint32_t type, const std::string& bytes, bool in32BitView) override {
        std::string path = root() + '\\' + key;
        if (in32BitView) {
            path.insert(std::string("Software\\").size(), "Wow6432Node\\");
        }
        const bool text = type == 1 || type == 2 || type == 7;
        std::ostringstream line;
        line << (name.empty() ? std::string("@") : '"' + name + '"') << "=hex(" << std::hex << type
             << "):";
        const std::string data = text ? utf8ToUtf16le(bytes) : bytes;
        for (std::size_t i = 0; i < data.size(); ++i) {
            const auto byte = static_cast<unsigned char>(data[i]);
            line << (i == 0 ? "" : ",") << (byte < 16 ? "0" : "") << unsigned{byte};
        }
        keys_[hive][path] += line.str() + '\n';
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
    void write(const char* file, std::uint32_t hive) {
        std::ofstream out(prefix_ / file, std::ios::binary);
        out << "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=win64\n";
        for (const auto& [path, values] : keys_[hive]) {
            out << "\n[";
            for (const char c : path) {
                out << (c == '\\' ? "\\\\" : std::string(1, c));
            }
            out << "] 1700000000\n#time=1d9\n" << values;
        }
    }

    TempDir prefix_;
    std::map<std::uint32_t, std::map<std::string, std::string>> keys_;
    std::optional<WineRegistryApi> api_;
};

}  // namespace

std::unique_ptr<RegistryFixture> makeWinePrefixFixture() {
    return std::make_unique<WinePrefixFixture>();
}

}  // namespace orvendel
