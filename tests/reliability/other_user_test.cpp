// orvendel-cli run by an ordinary user on root's executable in the user's own folder, where the
// user could replace any file: one the user may not write is refused with the system's reason,
// one the user's group may write is written and keeps its group.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "reliability_fixtures.h"

namespace orvendel {
namespace {

namespace fs = std::filesystem;

constexpr uid_t kUser = 65534;  // nobody
constexpr gid_t kUserGroup = 65534;
constexpr gid_t kSharedGroup = 4242;  // the user belongs to it only in these runs

std::function<void()> asUser(std::vector<std::string> args) {
    return ChildProcess::cli(std::move(args),
                             [] { becomeUser(kUser, kUserGroup, {kSharedGroup}); });
}

TEST(OtherUser, ARootFileIsWrittenOnlyWhenTheUserMayWriteItAndKeepsItsGroup) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to run orvendel-cli as another user";
    ChildProcess probe(asUser({"--help"}));
    if (const int code = probe.wait().code; code != 0) {
        GTEST_SKIP() << "orvendel-cli cannot run as user " << kUser << " here (exit " << code
                     << ": 124 no change of user, 127 its build folder is closed to others)";
    }
    TempDir dir;
    fs::create_directory(dir / "scratch");
    const fs::path home = dir / "home";
    fs::create_directory(home);
    ASSERT_EQ(::chown(home.c_str(), kUser, kUserGroup), 0);
    const fs::path exe = home / "nwmain.exe";
    const fs::path settings = home / "camera.chs";
    ASSERT_TRUE(saveSettingsFile(settings, changedValues()).ok());
    const std::vector<std::uint8_t> old = buildSample(0, sampleValues(), 256 * 1024);

    const struct {
        const char* name;
        gid_t group;
        mode_t mode;
        bool written;
    } rows[] = {
        {"only root may write it", 0, 0644, false},
        {"the user's group may write it", kSharedGroup, 0664, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        fs::remove(originalCopyPath(exe));
        writeFixture(exe, old);
        ASSERT_EQ(::chown(exe.c_str(), 0, row.group), 0);
        ASSERT_EQ(::chmod(exe.c_str(), row.mode), 0);
        ChildProcess cli(asUser({"apply", exe.string(), settings.string()}), dir / "scratch");
        const ChildExit exit = cli.wait();

        struct stat info {};
        ASSERT_EQ(::stat(exe.c_str(), &info), 0);
        EXPECT_EQ(info.st_gid, row.group);
        EXPECT_EQ(info.st_mode & 07777, row.mode);
        if (row.written) {
            EXPECT_EQ(exit.code, 0) << exit.err;
            EXPECT_EQ(info.st_uid, kUser);
            CameraState state;
            RecordingProgress progress;
            ASSERT_EQ(modFile(exe, true, state, progress).outcome, RunResult::Outcome::Loaded);
            EXPECT_EQ(state.settings.CTClipDist, changedValues().CTClipDist);
        } else {
            EXPECT_EQ(exit.code, 1) << exit.err;
            EXPECT_EQ(exit.err, "Cannot write \"" + displayPath(exe) + "\": Permission denied.\n");
            EXPECT_EQ(info.st_uid, 0u);
            EXPECT_EQ(fileBytes(exe), old);
        }
        EXPECT_EQ(filesBeside(exe, false),
                  row.written ? (std::vector<std::string>{"camera.chs", "nwmain.exe",
                                                          "nwmain.exe.orvendel-original"})
                              : (std::vector<std::string>{"camera.chs", "nwmain.exe"}));
        EXPECT_EQ(temporaryFilesOf(exe), std::vector<std::string>{});
    }
}

}  // namespace
}  // namespace orvendel
