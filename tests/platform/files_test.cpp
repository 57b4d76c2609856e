// SPDX-License-Identifier: MIT
#include "platform/files.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <limits>
#include <string>
#include <system_error>
#include <vector>

#include "fault_injecting_file_system_ops.h"
#include "platform/file_system_ops.h"
#include "platform/scoped_file_system_ops.h"
#include "temp_dir.h"

namespace orvendel {
namespace {

namespace fs = std::filesystem;
using Step = FaultInjectingFileSystemOps::Step;

TEST(FileBuffer, MemoryThatCannotBeHadIsAFailureNamingTheFile) {
    const std::size_t tooMuch = std::numeric_limits<std::size_t>::max();
    const Result<FileBuffer> buffer = FileBuffer::forFile("game.exe", tooMuch);
    ASSERT_FALSE(buffer.ok());
    EXPECT_EQ(buffer.message(), "Cannot read \"game.exe\": not enough memory for " +
                                    std::to_string(tooMuch) + " bytes.");
}

// A system whose messages end in a full stop, as Windows' do.
class StoppedMessages : public std::error_category {
public:
    const char* name() const noexcept override { return "stopped"; }
    std::string message(int) const override { return "Access is denied.\r\n"; }
};

TEST(SetReadOnlyAttribute, AFailureNamesTheFileAndTheReasonWithOneFullStop) {
    static const StoppedMessages category;
    FaultInjectingFileSystemOps ops(Step::SetReadOnly, 1, std::error_code(5, category));
    ScopedFileSystemOps scope(ops);
    EXPECT_EQ(setReadOnlyAttribute("game.exe").message(),
              "Cannot make \"game.exe\" read-only again: Access is denied.");
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

// A temporary file that a running write holds open stays until that write lets it go.
TEST(RemoveStaleTempFiles, RemovesOnlyThisTargetsTemporaryFilesThatNoRunningWriteHolds) {
    TempDir dir;
    const fs::path file = dir / "nwmain.exe";
    writeFixture(file, bytesOf("exe"));
    for (const char* name : {".nwmain.exe.orvendel-tmp-a1B2c3", ".nwmain.exe.orvendel-tmp-zzzzzz",
                             ".other.exe.orvendel-tmp-a1B2c3", ".nwmain.exe.orvendel-tmp-toolong",
                             "nwmain.exe.orvendel-tmp-a1B2c3", ".nwmain.exe.orvendel-bak-q7w8e9",
                             ".nwmain.exe.orvendel-original.orvendel-tmp-000000"})
        writeFixture(dir / name, bytesOf("tmp"));
    fs::path held;
    FileHandle handle = kNoFile;
    ASSERT_FALSE(nativeFileSystemOps().createTemp(file, held, handle));
    const std::string heldName = held.filename().string();
    EXPECT_EQ(held.parent_path(), file.parent_path());
    EXPECT_EQ(heldName.rfind(".nwmain.exe.orvendel-tmp-", 0), 0u) << heldName;
    EXPECT_EQ(heldName.size(), std::string(".nwmain.exe.orvendel-tmp-").size() + 6) << heldName;
    EXPECT_EQ(removeStaleTempFiles(file), 4);
    EXPECT_TRUE(fs::exists(held));
    EXPECT_FALSE(nativeFileSystemOps().close(handle));
    EXPECT_EQ(removeStaleTempFiles(file), 1);
    EXPECT_EQ(dir.entries(),
              (std::vector<std::string>{".nwmain.exe.orvendel-tmp-toolong",
                                        ".other.exe.orvendel-tmp-a1B2c3", "nwmain.exe",
                                        "nwmain.exe.orvendel-tmp-a1B2c3"}));
}

// Given the state in which the file was read, the replace happens only while the file is still
// in that state: another program's change just before it is kept.
TEST(WriteFileAtomically, ReplacesOnlyAFileThatNoOtherProgramChangedSinceItWasRead) {
    const struct {
        const char* name;
        std::function<void(const fs::path&)> change;
        const char* left;  // what the file holds afterwards
    } rows[] = {
        {"rewritten in place", [](const fs::path& p) { writeFixture(p, bytesOf("other's")); },
         "other's"},
        {"another file put in its place",
         [](const fs::path& p) {
             writeFixture(p.parent_path() / "other", bytesOf("old"));
             fs::rename(p.parent_path() / "other", p);
         },
         "old"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        TempDir dir;
        const fs::path file = dir / "nwmain.exe";
        writeFixture(file, bytesOf("old"));
        FileIdentity identity;
        ASSERT_TRUE(identifyFile(file, identity).ok());
        FaultInjectingFileSystemOps ops(Step::None);
        ops.beforeSync = [&] { row.change(file); };
        ScopedFileSystemOps scope(ops);
        EXPECT_EQ(writeFileAtomically(file, bytesOf("new"), &identity).message(),
                  "Cannot write \"" + displayPath(file) +
                      "\": the file was changed by another program while it was being written.");
        EXPECT_EQ(readFixture(file), bytesOf(row.left));
        EXPECT_EQ(dir.entries(), std::vector<std::string>{"nwmain.exe"});
    }
}

// Each part of the identity tells a change by itself: a file whose status alone changed (its
// ctime: a chmod and back, a new hard link and its removal) is no longer the file as read.
TEST(WriteFileAtomically, ADifferenceInAnyOnePartOfTheIdentityStopsTheReplace) {
    const struct {
        const char* name;
        std::function<void(FileIdentity&)> differ;
    } rows[] = {
        {"device", [](FileIdentity& id) { ++id.device; }},
        {"inode", [](FileIdentity& id) { ++id.inode; }},
        {"length", [](FileIdentity& id) { ++id.size; }},
        {"modification time", [](FileIdentity& id) { --id.modified; }},
        {"status change time only", [](FileIdentity& id) { --id.changed; }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        TempDir dir;
        const fs::path file = dir / "nwmain.exe";
        writeFixture(file, bytesOf("old"));
        FileIdentity asRead;
        ASSERT_TRUE(identifyFile(file, asRead).ok());
        row.differ(asRead);
        EXPECT_EQ(stillAsRead(file, asRead), false);
        EXPECT_FALSE(writeFileAtomically(file, bytesOf("new"), &asRead).ok());
        EXPECT_EQ(readFixture(file), bytesOf("old"));
    }
}

// On a file system whose clock ticks once a second, a rewrite of the same length within that
// second leaves the file's identity as it was. Here the identity is taken after the rewrite,
// as such a file system would show it; only the bytes tell.
TEST(WriteFileAtomically, ARewriteThatLeavesLengthAndTimesAsTheyWereIsCaughtByItsBytes) {
    TempDir dir;
    const fs::path file = dir / "nwmain.exe";
    const std::vector<std::uint8_t> read = bytesOf("old bytes");
    writeFixture(file, bytesOf("new bytes"));
    FileIdentity identity;
    ASSERT_TRUE(identifyFile(file, identity).ok());
    identity.bytesRead = read;
    EXPECT_EQ(writeFileAtomically(file, bytesOf("our bytes"), &identity).message(),
              "Cannot write \"" + displayPath(file) +
                  "\": the file was changed by another program while it was being written.");
    EXPECT_EQ(keepOriginalCopy(file, read, identity).message(),
              "Cannot write \"" + displayPath(file) +
                  "\": the file was changed by another program while it was being written.");
    EXPECT_EQ(readFixture(file), bytesOf("new bytes"));
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"nwmain.exe"});
}

}  // namespace
}  // namespace orvendel
