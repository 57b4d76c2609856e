#include "reliability_fixtures.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#include "platform/file_system_ops.h"

namespace orvendel {

namespace fs = std::filesystem;

mode_t modeOf(const fs::path& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return 0;
    return info.st_mode & 07777;
}

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

namespace {

bool isTemporaryName(const std::string& name, const fs::path& target) {
    const std::string prefix = tempFilePrefix(target);
    return name.size() == prefix.size() + 6 && name.starts_with(prefix);
}

}  // namespace

std::vector<std::string> strayEntries(const fs::path& folder, const fs::path& target,
                                      const std::vector<std::string>& keep) {
    std::vector<std::string> stray;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (std::find(keep.begin(), keep.end(), name) == keep.end() &&
            !isTemporaryName(name, target)) {
            stray.push_back(name);
        }
    }
    std::sort(stray.begin(), stray.end());
    return stray;
}

std::vector<std::string> temporaryFilesOf(const fs::path& target) {
    std::vector<std::string> found;
    for (const fs::directory_entry& entry : fs::directory_iterator(target.parent_path())) {
        const std::string name = entry.path().filename().string();
        if (isTemporaryName(name, target))
            found.push_back(name);
    }
    std::sort(found.begin(), found.end());
    return found;
}

std::vector<std::uint8_t> fileBytes(const fs::path& path) {
    std::vector<std::uint8_t> bytes;
    const int file = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (file < 0)
        return bytes;
    struct stat info {};
    if (::fstat(file, &info) == 0 && S_ISREG(info.st_mode)) {
        bytes.resize(static_cast<std::size_t>(info.st_size));
        std::size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t got = ::read(file, bytes.data() + done, bytes.size() - done);
            if (got <= 0)
                break;
            done += static_cast<std::size_t>(got);
        }
        bytes.resize(done);
    }
    ::close(file);
    return bytes;
}

bool mentions(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

}  // namespace orvendel
