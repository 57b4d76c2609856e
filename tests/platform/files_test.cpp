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

// A failed read is covered with the whole program under tests/reliability; a file that
// shrinks between its size and its read is only reachable here.
TEST(ReadWholeFile, AFileThatShrankIsReported) {
    TempDir dir;
    writeFixture(dir / "game.exe", bytesOf("0123456789"));
    FileBuffer buffer;
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
