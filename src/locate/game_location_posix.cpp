#include "locate/game_location.h"
#include "locate/wine_prefix.h"

namespace orvendel {

GameLocationSearch searchGameExecutable() {
    const auto prefix = WinePrefix::defaultDirectory();
    if (!prefix) {
        return {{}, "no Wine prefix: neither WINEPREFIX nor HOME is set"};
    }
    return searchGameExecutableInPrefix(*prefix);
}

}  // namespace orvendel
