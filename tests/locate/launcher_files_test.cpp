// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "locate/launcher_config.h"
#include "lutris_writer.h"
#include "temp_dir.h"

namespace orvendel {
namespace {

std::string textOf(const std::filesystem::path& file) {
    std::ostringstream text;
    text << std::ifstream(file).rdbuf();
    return text.str();
}

TEST(LutrisGameFile, ReadsPrefixAndExeAsPyYamlWritesThem) {
    const struct {
        const char* what;
        std::string prefix;
        std::string exe;
    } rows[] = {
        {"short paths", "/home/p/Games/nwn", "/home/p/Games/nwn/drive_c/GOG Games/NWN/nwmain.exe"},
        {"long values with blanks, folded",
         "/home/player/Games/Neverwinter Nights Diamond Edition with every expansion installed",
         "/home/player/Games/Neverwinter Nights Diamond Edition with every expansion "
         "installed/drive_c/GOG Games/NWN/nwmain.exe"},
        {"non-ASCII letters, escaped",
         "/home/joueur/Jeux/\xC3\x89"
         "dition Diamant avec toutes les extensions/pr\xC3\xA9"
         "fixe",
         "/home/joueur/Jeux/\xC3\x89"
         "dition/nwmain.exe"},
        {"quotes and a colon", "/home/p/It's: \"here\"", ""},
        {"no prefix", "", "drive_c/NWN/nwmain.exe"},
    };
    const TempDir dir;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        ASSERT_TRUE(writeLutrisGame(dir / "game.yml", row.prefix, row.exe));
        const auto game = lutrisGame(textOf(dir / "game.yml"));
        ASSERT_TRUE(game);
        EXPECT_EQ(game->prefix, row.prefix);
        EXPECT_EQ(game->exe, row.exe);
    }
}

TEST(LutrisGameFile, ReadsYamlThatOtherToolsWrite) {
    const struct {
        const char* what;
        const char* yaml;
        const char* prefix;
        const char* exe;
    } rows[] = {
        {"anchor and alias", "base: &pfx /home/p/nwn\ngame:\n  prefix: *pfx\n", "/home/p/nwn", ""},
        {"block scalar", "game:\n  prefix: |-\n    /home/p/nwn\n  exe: x.exe\n", "/home/p/nwn",
         "x.exe"},
        {"flow mapping", "game: {prefix: '/home/p/a b', exe: \"/c/nwmain.exe\"}\n", "/home/p/a b",
         "/c/nwmain.exe"},
        {"quoted keys", "\"game\":\n  'prefix': /q\n", "/q", ""},
        {"comments and CRLF", "# Lutris\r\ngame:\r\n  prefix: /a # note\r\n", "/a", ""},
        {"nested prefix is not the game's", "game:\n  args:\n    prefix: /nested\n", "", ""},
        {"prefix that is no text", "game:\n  prefix: [a, b]\n", "", ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        const auto game = lutrisGame(row.yaml);
        ASSERT_TRUE(game);
        EXPECT_EQ(game->prefix, row.prefix);
        EXPECT_EQ(game->exe, row.exe);
    }
}

TEST(LutrisGameFile, GivesNothingWithoutAGameMapping) {
    for (const char* yaml : {"system:\n  prefix: /not/game\n", "prefix: /top\n", "game: text\n",
                             "game:\n  prefix: [\n", "[1, 2]", "", "game: [\n"}) {
        EXPECT_FALSE(lutrisGame(yaml)) << yaml;
    }
}

TEST(HeroicFiles, ReadsEachGamesWinePrefixAsHeroicWritesIt) {
    const std::pair<const char*, std::vector<std::string>> rows[] = {
        {R"({
  "1207658890": {
    "autoInstallDxvk": true,
    "winePrefix": "/home/p/Games/Heroic/Prefixes/default/Neverwinter Nights",
    "wineVersion": {"bin": "/usr/bin/wine", "name": "Wine - Wine", "type": "wine"}
  },
  "version": "v0",
  "explicit": true
})",
         {"/home/p/Games/Heroic/Prefixes/default/Neverwinter Nights"}},
        {R"({"a": {"winePrefix": "/p/\ud83c\udfae \u00e9\"q"}, "b": {"winePrefix": ""},
            "c": {"winePrefix": "/c/Édition"}})",
         {"/p/\xF0\x9F\x8E\xAE \xC3\xA9\"q",
          "/c/\xC3\x89"
          "dition"}},
        {R"({"a": {"winePrefix": 7}, "b": {"other": {"winePrefix": "/nested"}}})", {}},
        {R"({"a": {"winePrefix": "/cut)", {}},
        {R"(["winePrefix", "/x"])", {}},
        {"not json at all", {}}};
    for (const auto& [json, prefixes] : rows) {
        EXPECT_EQ(heroicWinePrefixes(json), prefixes) << json;
    }
}

TEST(HeroicFiles, ReadsTheInstallFoldersOfItsGogGames) {
    const char* installed = R"({
  "installed": [
    {
      "platform": "windows",
      "executable": "",
      "install_path": "/home/p/Games/Heroic/Neverwinter Nights Diamond Edition",
      "install_size": "4.21 GiB",
      "is_dlc": false,
      "version": "2.0.0.9",
      "appName": "1207658890",
      "installedWithDLCs": false,
      "language": "en-US"
    },
    {"install_path": 3}, {"appName": "1"}, "text"
  ]
})";
    EXPECT_EQ(heroicGogInstallPaths(installed),
              std::vector<std::string>{"/home/p/Games/Heroic/Neverwinter Nights Diamond Edition"});
    EXPECT_TRUE(heroicGogInstallPaths(R"({"installed": {"install_path": "/x"}})").empty());
}

}  // namespace
}  // namespace orvendel
