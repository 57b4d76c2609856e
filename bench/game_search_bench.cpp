// SPDX-License-Identifier: MIT
// The whole search for the game (gamePlaces, then searchGameInPlaces) in a home folder with a
// copy in every kind of place: prefixes of each launcher (the game's own entry, GOG's and
// Steam's records, a copy found on drive C only), Lutris's exe:, Steam's game folders and
// Heroic's GOG games. Each prefix has a system.reg of about a megabyte and a drive C laid out
// as wineboot makes it, so that the registry files and the folder search cost what they do
// on a player's disk.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "bench_registry.h"
#include "locate/game_location.h"
#include "locate/wine_prefix_search.h"
#include "temp_dir.h"

namespace orvendel {
namespace {

namespace fs = std::filesystem;

void touch(const fs::path& file) {
    fs::create_directories(file.parent_path());
    std::ofstream(file) << "MZ";
}

// A prefix with `keys` in its system.reg beside 10,000 filler keys, and `userKeys` in user.reg.
void prefix(const fs::path& folder, const std::string& keys, const std::string& userKeys = {}) {
    fs::create_directories(folder / "dosdevices");
    fs::create_directory_symlink("../drive_c", folder / "dosdevices/c:");
    for (const char* file :
         {"windows/system32/kernel32.dll", "windows/syswow64/kernel32.dll",
          "windows/Fonts/arial.ttf", "users/player/Desktop/x.lnk", "users/Public/Documents/x.txt",
          "ProgramData/Microsoft/x.dat", "Program Files/Common Files/System/x.dll",
          "Program Files/Internet Explorer/iexplore.exe",
          "Program Files (x86)/Common Files/System/x.dll",
          "Program Files (x86)/Windows Media Player/wmplayer.exe"}) {
        touch(folder / "drive_c" / file);
    }
    for (int i = 0; i < 300; ++i) {
        touch(folder / "drive_c/windows/system32" / ("lib" + std::to_string(i) + ".dll"));
    }
    std::ofstream registry(folder / "system.reg");
    registry << "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=win64\n";
    for (int i = 0; i < 10000; ++i) {
        registry << "\n[Software\\\\Classes\\\\CLSID\\\\{" << i
                 << "}] 1700000000\n#time=1d9\n@=\"Filler class\"\n\"ThreadingModel\"=\"Both\"\n";
    }
    registry << keys;
    std::ofstream(folder / "user.reg") << "WINE REGISTRY Version 2\n\n" << userKeys;
}

std::string key(const std::string& path, const std::string& name, const std::string& value) {
    return "\n[" + path + "] 1700000000\n\"" + name + "\"=\"" + value + "\"\n";
}

const fs::path& homeWithEveryPlace() {
    static TempDir dir;
    static fs::path home;
    if (!home.empty()) {
        return home;
    }
    home = dir / "home";
    const std::string own = "Software\\\\Wow6432Node\\\\BioWare\\\\NWN\\\\Neverwinter";
    const std::string gog = "Software\\\\Wow6432Node\\\\GOG.com\\\\Games\\\\1207658890";
    const std::string ownEntry = key(own, "Location", "C:\\\\NWN");
    const auto withGame = [&](const fs::path& folder, const std::string& keys = {},
                              const std::string& userKeys = {}) {
        prefix(folder, keys.empty() ? ownEntry : keys, userKeys);
        touch(folder / "drive_c/NWN/nwmain.exe");
    };
    withGame(home / ".wine");
    withGame(home / "Games/lutris-nwn");
    const fs::path lutris = home / ".config/lutris/games";
    fs::create_directories(lutris);
    fs::create_directories(home / ".var/app/net.lutris.Lutris/data/lutris/games");
    std::ofstream(lutris / "nwn.yml")
        << "game:\n  arch: win64\n  exe: " << (home / "copied").string()
        << "/nwmain.exe\n  prefix: " << (home / "Games/lutris-nwn").string()
        << "\nname: Neverwinter Nights\n";
    touch(home / "copied/nwmain.exe");
    withGame(home / "lutris-gog", key(gog, "path", "C:\\\\GOG Games\\\\NWN"));
    touch(home / "lutris-gog/drive_c/GOG Games/NWN/nwmain.exe");
    std::ofstream(home / ".var/app/net.lutris.Lutris/data/lutris/games/gog.yml")
        << "game:\n  prefix: " << (home / "lutris-gog").string() << "\n";
    withGame(home / ".local/share/bottles/bottles/NWN");
    withGame(home / ".local/share/bottles/bottles/Steam", key("Software", "x", "y"),
             key("Software\\\\Valve\\\\Steam", "SteamPath", "c:/steam"));
    touch(home /
          ".local/share/bottles/bottles/Steam/drive_c/Steam/steamapps/common/"
          "Neverwinter Nights/bin/win32/nwmain.exe");
    const fs::path steam = home / ".local/share/Steam";
    touch(steam / "steamapps/common/Neverwinter Nights/bin/win32/nwmain.exe");
    for (int game = 0; game < 40; ++game) {
        touch(steam / "steamapps/common" / ("Game " + std::to_string(game)) / "game.exe");
    }
    withGame(steam / "steamapps/compatdata/704450/pfx", key("Software", "x", "y"));
    withGame(home / "snap/steam/common/.local/share/Steam/steamapps/compatdata/1/pfx");
    withGame(home /
             ".var/app/com.valvesoftware.Steam/.local/share/Steam/steamapps/compatdata/2/pfx");
    withGame(home / "Games/Heroic/Prefixes/default/NWN");
    touch(home / "Games/Heroic/NWN Diamond/nwmain.exe");
    const fs::path heroic = home / ".var/app/com.heroicgameslauncher.hgl/config/heroic";
    fs::create_directories(heroic / "gog_store");
    std::ofstream(heroic / "gog_store/installed.json")
        << "{\"installed\": [{\"install_path\": \"" << (home / "Games/Heroic/NWN Diamond").string()
        << "\"}]}";
    withGame(home / ".PlayOnLinux/wineprefix/NWN");
    withGame(home / ".cxoffice/NWN");
    return home;
}

void gameSearch(benchmark::State& state) {
    const fs::path& home = homeWithEveryPlace();
    for (auto _ : state) {
        const GameSearch search = searchGameInPlaces(gamePlaces(home, {}));
        if (search.games.size() != 16) {
            state.SkipWithError("expected 16 copies");
            break;
        }
        benchmark::DoNotOptimize(search.games.data());
    }
}

}  // namespace

void registerGameSearchBenchmarks() {
    benchmark::RegisterBenchmark("gameSearch/everyPlace", gameSearch)
        ->Unit(benchmark::kMillisecond);
}

}  // namespace orvendel
