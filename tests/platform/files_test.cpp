#include "platform/files.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "fault_injecting_file_system_ops.h"
#include "platform/file_system_ops.h"
#include "temp_dir.h"

namespace orvendel {
namespace {

namespace fs = std::filesystem;
using Step = FaultInjectingFileSystemOps::Step;

std::vector<std::uint8_t> bytesOf(std::string_view text) {
    return std::vector<std::uint8_t>(text.begin(), text.end());
}

TEST(ReadWholeFile, AReadErrorAndAFileThatShrankAreReported) {
    TempDir dir;
    writeFixture(dir / "game.exe", bytesOf("0123456789"));
    FileBuffer buffer;
    {
        FaultInjectingFileSystemOps ops(Step::Read);
        ScopedFileSystemOps scope(ops);
        const FileStatus status = readWholeFile(dir / "game.exe", buffer);
        ASSERT_FALSE(status.ok());
        EXPECT_NE(status.message().find(std::make_error_code(std::errc::io_error).message()),
                  std::string::npos)
            << status.message();
    }
    class Shrinking : public FaultInjectingFileSystemOps {
    public:
        Shrinking() : FaultInjectingFileSystemOps(Step::None) {}
        std::error_code read(FileHandle, std::uint8_t*, std::size_t, std::size_t& got) override {
            got = 0;
            return {};
        }
    } shrinking;
    ScopedFileSystemOps scope(shrinking);
    const FileStatus status = readWholeFile(dir / "game.exe", buffer);
    ASSERT_FALSE(status.ok());
    EXPECT_NE(status.message().find("shorter"), std::string::npos) << status.message();
    EXPECT_TRUE(buffer.empty());
}

// Each step of the replace fails in turn: the target stays wholly old (or, when only the final
// folder sync fails, is wholly new), the message names it, no temporary file is left and the
// mode is kept.
TEST(WriteFileAtomically, EveryFailingStepLeavesTheTargetWholeAndNoTemporaryFile) {
    const struct {
        const char* name;
        Step step;
        bool replaced;
    } rows[] = {
        // clang-format off
        {"create temp", Step::CreateTemp, false}, {"write", Step::Write, false},
        {"short write", Step::ShortWrite, false}, {"copy owner", Step::CopyOwner, false},
        {"copy permissions", Step::CopyPermissions, false}, {"sync", Step::Sync, false},
        {"close", Step::Close, false}, {"replace", Step::Replace, false},
        {"sync folder", Step::SyncFolder, true},
        // clang-format on
    };
    const auto oldBytes = bytesOf(std::string(100000, 'o'));
    const auto newBytes = bytesOf(std::string(100000, 'n'));
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        TempDir dir;
        const fs::path file = dir / "nwmain.exe";
        writeFixture(file, oldBytes);
        fs::permissions(file,
                        fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
        const fs::perms mode = fs::status(file).permissions();
        FaultInjectingFileSystemOps ops(row.step);
        FileStatus status = FileStatus::success();
        {
            ScopedFileSystemOps scope(ops);
            status = writeFileAtomically(file, newBytes);
        }
        EXPECT_GE(ops.calls(), 1) << "the step was never reached";
        ASSERT_FALSE(status.ok());
        EXPECT_NE(status.message().find(displayPath(file)), std::string::npos) << status.message();
        EXPECT_EQ(readFixture(file), row.replaced ? newBytes : oldBytes);
        EXPECT_EQ(fs::status(file).permissions(), mode);
        EXPECT_EQ(dir.entries(), std::vector<std::string>{"nwmain.exe"});
    }
}

TEST(WriteFileAtomically, AFailingRemovalOfTheTemporaryFileIsNamedInTheMessage) {
    TempDir dir;
    const fs::path file = dir / "nwmain.exe";
    writeFixture(file, bytesOf("old"));
    class Both : public FaultInjectingFileSystemOps {
    public:
        Both() : FaultInjectingFileSystemOps(Step::Remove) {}
        std::error_code sync(FileHandle) override {
            return std::make_error_code(std::errc::io_error);
        }
    } ops;
    ScopedFileSystemOps scope(ops);
    const FileStatus status = writeFileAtomically(file, bytesOf("new"));
    ASSERT_FALSE(status.ok());
    EXPECT_NE(status.message().find(".nwmain.exe.orvendel-tmp-"), std::string::npos)
        << status.message();
    EXPECT_EQ(readFixture(file), bytesOf("old"));
}

TEST(RemoveStaleTempFiles, RemovesOnlyThisTargetsTemporaryFiles) {
    TempDir dir;
    const fs::path file = dir / "nwmain.exe";
    writeFixture(file, bytesOf("exe"));
    for (const char* name : {".nwmain.exe.orvendel-tmp-a1B2c3", ".nwmain.exe.orvendel-tmp-zzzzzz",
                             ".other.exe.orvendel-tmp-a1B2c3", ".nwmain.exe.orvendel-tmp-toolong",
                             "nwmain.exe.orvendel-tmp-a1B2c3"})
        writeFixture(dir / name, bytesOf("tmp"));
    EXPECT_EQ(removeStaleTempFiles(file), 2);
    EXPECT_EQ(dir.entries(),
              (std::vector<std::string>{".nwmain.exe.orvendel-tmp-toolong",
                                        ".other.exe.orvendel-tmp-a1B2c3", "nwmain.exe",
                                        "nwmain.exe.orvendel-tmp-a1B2c3"}));
}

}  // namespace
}  // namespace orvendel
