// SPDX-License-Identifier: MIT
#include "reliability_fixtures.h"

#include <algorithm>
#include <fstream>

#include "platform/file_system_ops.h"

namespace orvendel {

namespace fs = std::filesystem;

CameraSettings changedValues() {
    CameraSettings s = kBiowareDefaults;
    s.CTZoomMax = 25;
    s.CTZoomDef = 22;
    s.CTClipDist = 60;
    s.CTHeight = 1.5f;
    s.DClipDist = 80;
    s.DHeight = 1.75f;
    return s;
}

std::vector<std::string> filesBeside(const fs::path& target, bool temporary) {
    const std::string prefix = tempFilePrefix(target);
    std::vector<std::string> found;
    for (const fs::directory_entry& entry : fs::directory_iterator(target.parent_path())) {
        const std::string name = entry.path().filename().string();
        if ((name.size() == prefix.size() + 6 && name.starts_with(prefix)) == temporary)
            found.push_back(name);
    }
    std::sort(found.begin(), found.end());
    return found;
}

std::vector<std::uint8_t> fileBytes(const fs::path& path) {
    std::error_code error;
    if (!fs::is_regular_file(path, error))
        return {};
    std::vector<std::uint8_t> bytes(fs::file_size(path, error));
    std::ifstream in(path, std::ios::binary);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return bytes;
}

RunResult writeChanged(const fs::path& exe, RecordingProgress& progress) {
    CameraState state;
    state.settings = changedValues();
    state.revision = 0;
    state.valuesChosen = true;
    return writeCameraValues(exe, state, progress);
}

}  // namespace orvendel
