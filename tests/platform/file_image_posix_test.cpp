// SPDX-License-Identifier: MIT
// How a whole-file image is loaded on POSIX: mapped once, read into a buffer otherwise,
// and safe against the file being cut short under the mapping.
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/file_image.h"
#include "temp_dir.h"

namespace orvendel {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kLength = 64 * 1024;

std::vector<std::uint8_t> pattern() {
    std::vector<std::uint8_t> bytes(kLength);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<std::uint8_t>(i % 251 + 1);  // never zero
    return bytes;
}

// The handler now in force for SIGBUS, as one comparable pointer.
void* busHandler() {
    struct sigaction current {};
    ::sigaction(SIGBUS, nullptr, &current);
    return (current.sa_flags & SA_SIGINFO) ? reinterpret_cast<void*>(current.sa_sigaction)
                                           : reinterpret_cast<void*>(current.sa_handler);
}

TEST(FileImage, MapsOnceCopiesEditedPagesAndNoticesARewrite) {
    TempDir dir;
    const fs::path file = dir / "nwmain.exe";
    writeFixture(file, pattern());

    FileImage mapped;
    ASSERT_TRUE(mapped.load(file).ok());
    EXPECT_TRUE(mapped.isMapped());
    EXPECT_EQ(std::vector<std::uint8_t>(mapped.bytes().begin(), mapped.bytes().end()), pattern());
#if defined(__linux__)
    // On a huge-page boundary, a file the page cache holds in 2 MiB pieces maps with one
    // page-table entry per piece.
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(mapped.bytes().data()) % (std::uintptr_t{2} << 20),
              0U);
#endif

    // Edits stay in memory: only the edited page is copied, the file keeps its bytes.
    (*mapped.writableBytes())[100] = 0;
    EXPECT_EQ(mapped.bytes()[100], 0);
    EXPECT_EQ(readFixture(file), pattern());
    EXPECT_TRUE(mapped.checkUnchanged().ok());

    // A second image while the first holds the SIGBUS guard is read into a buffer.
    FileImage second;
    ASSERT_TRUE(second.load(file).ok());
    EXPECT_FALSE(second.isMapped());
    EXPECT_EQ(std::vector<std::uint8_t>(second.bytes().begin(), second.bytes().end()), pattern());

    FileImage empty;
    writeFixture(dir / "empty.exe", {});
    ASSERT_TRUE(empty.load(dir / "empty.exe").ok());
    EXPECT_TRUE(empty.empty());
    EXPECT_FALSE(empty.load(dir / "missing.exe").ok());

    // The same file rewritten one byte longer no longer matches the mapped image.
    std::vector<std::uint8_t> longer = pattern();
    longer.push_back(7);
    writeFixture(file, longer);
    EXPECT_FALSE(mapped.checkUnchanged().ok());
}

void programsOwnBusHandler(int) {}

// The guard is in force only while an image holds a mapping: the program's own disposition,
// flags included, is back once the mapping is dropped by another load or by closing the image.
TEST(FileImage, TheSigbusGuardIsGoneOnceTheMappingIsDropped) {
    TempDir dir;
    const fs::path file = dir / "nwmain.exe";
    writeFixture(file, pattern());
    writeFixture(dir / "empty.exe", {});
    struct sigaction own {};
    own.sa_handler = programsOwnBusHandler;
    own.sa_flags = SA_RESTART;
    sigemptyset(&own.sa_mask);
    sigaddset(&own.sa_mask, SIGUSR1);
    ASSERT_EQ(::sigaction(SIGBUS, &own, nullptr), 0);
    auto ownInForce = [] {
        struct sigaction now {};
        ::sigaction(SIGBUS, nullptr, &now);
        return now.sa_handler == programsOwnBusHandler && !(now.sa_flags & SA_SIGINFO) &&
               (now.sa_flags & SA_RESTART) && sigismember(&now.sa_mask, SIGUSR1) == 1;
    };
    {
        FileImage image;
        ASSERT_TRUE(image.load(file).ok());
        ASSERT_TRUE(image.isMapped());
        EXPECT_FALSE(ownInForce());
        ASSERT_TRUE(image.load(dir / "empty.exe").ok());
        EXPECT_TRUE(ownInForce());
        ASSERT_TRUE(image.load(file).ok());
        ASSERT_TRUE(image.isMapped());
        EXPECT_FALSE(ownInForce());
    }
    EXPECT_TRUE(ownInForce());
    struct sigaction byDefault {};
    byDefault.sa_handler = SIG_DFL;
    ::sigaction(SIGBUS, &byDefault, nullptr);
}

TEST(FileImage, AFileCutShortUnderTheMappingReadsAsZerosAndIsReportedChanged) {
    TempDir dir;
    const fs::path file = dir / "nwmain.exe";
    writeFixture(file, pattern());
    // Start from the default action, so that a handler left behind by any image shows.
    struct sigaction byDefault {};
    byDefault.sa_handler = SIG_DFL;
    ASSERT_EQ(::sigaction(SIGBUS, &byDefault, nullptr), 0);
    void* const handlerBefore = busHandler();
    {
        FileImage image;
        ASSERT_TRUE(image.load(file).ok());
        ASSERT_TRUE(image.isMapped());
        ASSERT_TRUE(image.checkUnchanged().ok());

        const long page = ::sysconf(_SC_PAGESIZE);
        ASSERT_EQ(::truncate(file.c_str(), page), 0);
        // Touch every byte, the way a search does; the pages cut off would raise SIGBUS.
        const auto bytes = image.bytes();
        const std::size_t nonZero = static_cast<std::size_t>(
            std::count_if(bytes.begin(), bytes.end(), [](std::uint8_t b) { return b != 0; }));
        EXPECT_EQ(nonZero, static_cast<std::size_t>(page));

        const FileStatus status = image.checkUnchanged();
        ASSERT_FALSE(status.ok());
        EXPECT_EQ(status.message(), "Cannot read \"" + file.string() +
                                        "\": the file changed while it was being read.");
    }
    EXPECT_EQ(busHandler(), handlerBefore);
}

}  // namespace
}  // namespace orvendel
