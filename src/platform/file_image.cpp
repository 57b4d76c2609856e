// SPDX-License-Identifier: MIT
#include "platform/file_image.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "platform/files.h"
#include "platform/huge_page_range.h"

#if !defined(_WIN32)
#include <signal.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <csignal>
#endif

namespace orvendel {

namespace {

#if defined(__linux__)
#if defined(MADV_POPULATE_READ)
constexpr int kPopulateRead = MADV_POPULATE_READ;
#else
constexpr int kPopulateRead = 22;  // the value since Linux 5.14, for older headers
#endif
#endif

#if !defined(_WIN32)
// The SIGBUS guard, and all the process-wide state an image keeps. FileImage::map() installs
// onBusError with sigaction (takeGuard), keeping the disposition it replaces; release(), run by
// the next load() and by the destructor, unmaps and then puts that disposition back exactly
// (dropGuard). The handler is therefore in force only while an image holds a mapping: before
// the first load and after the image is closed the program's own SIGBUS handling is untouched.
// One image at a time holds the guard (guardTaken).
//
// The one mapping guarded against SIGBUS, as read by the signal handler.
std::atomic<bool> guardTaken{false};
std::atomic<std::uintptr_t> guardBegin{0};
std::atomic<std::uintptr_t> guardEnd{0};
std::uintptr_t guardPageSize = 4096;
volatile std::sig_atomic_t pageCutOff = 0;
struct sigaction previousBusAction {};

// A SIGBUS inside the guarded mapping means its file was cut short under it: a zero page goes
// where the missing page was (mmap is a plain system call, safe here), and the faulting access
// is repeated on it. Any other SIGBUS goes back to the previous disposition.
void onBusError(int, siginfo_t* info, void*) {
    const auto address = reinterpret_cast<std::uintptr_t>(info->si_addr);
    if (info->si_code > 0 && address >= guardBegin.load() && address < guardEnd.load()) {
        void* page = reinterpret_cast<void*>(address & ~(guardPageSize - 1));
        if (::mmap(page, guardPageSize, PROT_READ | PROT_WRITE,
                   MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1, 0) != MAP_FAILED) {
            pageCutOff = 1;
            return;
        }
    }
    ::sigaction(SIGBUS, &previousBusAction, nullptr);
    // A fault repeats on return and reaches the previous handler; a sent signal must be resent.
    if (info->si_code <= 0)
        ::raise(SIGBUS);
}

// Takes the guard for the mapping at [begin, begin + size); false when another image holds it
// or the handler cannot be installed.
bool takeGuard(void* begin, std::size_t size) {
    bool expected = false;
    if (!guardTaken.compare_exchange_strong(expected, true))
        return false;
    const long page = ::sysconf(_SC_PAGESIZE);
    guardPageSize = page > 0 ? static_cast<std::uintptr_t>(page) : 4096;
    pageCutOff = 0;
    guardBegin.store(reinterpret_cast<std::uintptr_t>(begin));
    guardEnd.store(reinterpret_cast<std::uintptr_t>(begin) + size);
    struct sigaction action {};
    action.sa_sigaction = onBusError;
    action.sa_flags = SA_SIGINFO;
    sigemptyset(&action.sa_mask);
    if (::sigaction(SIGBUS, &action, &previousBusAction) != 0) {
        guardBegin.store(0);
        guardEnd.store(0);
        guardTaken.store(false);
        return false;
    }
    return true;
}

// Puts the previous SIGBUS disposition back and frees the guard.
void dropGuard() {
    ::sigaction(SIGBUS, &previousBusAction, nullptr);
    guardBegin.store(0);
    guardEnd.store(0);
    guardTaken.store(false);
}

// Maps `size` bytes of the open file `fd` privately and read-only, every page loaded up front;
// nullptr on failure.
//
// On Linux the mapping starts on a huge-page boundary and is advised for huge pages before its
// pages are loaded. A file the page cache holds in 2 MiB pieces is then mapped with one
// page-table entry per 2 MiB instead of 512, which makes loading and unmapping it nearly free;
// a file not yet cached is read from disk in such pieces, so later runs find it that way.
void* mapWholeFile(int fd, std::size_t size) {
#if defined(__linux__)
    if (void* range = reserveHugePageAligned(size, PROT_NONE)) {
        void* mapping = ::mmap(range, size, PROT_READ, MAP_PRIVATE | MAP_FIXED, fd, 0);
        if (mapping == MAP_FAILED) {
            ::munmap(range, size);
            return nullptr;
        }
        ::madvise(mapping, size, MADV_HUGEPAGE);
        // Kernels before 5.14 lack MADV_POPULATE_READ (EINVAL); their pages load on first
        // touch. Any other failure (an I/O error, the file cut short meanwhile) leaves the
        // file to be read into a buffer, where the failure is reported with its reason.
        if (::madvise(mapping, size, kPopulateRead) != 0 && errno != EINVAL) {
            ::munmap(mapping, size);
            return nullptr;
        }
        return mapping;
    }
#endif
    int flags = MAP_PRIVATE;
#if defined(MAP_POPULATE)
    flags |= MAP_POPULATE;
#endif
    void* mapping = ::mmap(nullptr, size, PROT_READ, flags, fd, 0);
    return mapping == MAP_FAILED ? nullptr : mapping;
}

void modificationTime(const struct stat& info, std::int64_t& seconds, std::int64_t& nanoseconds) {
#if defined(__APPLE__)
    seconds = info.st_mtimespec.tv_sec;
    nanoseconds = info.st_mtimespec.tv_nsec;
#else
    seconds = info.st_mtim.tv_sec;
    nanoseconds = info.st_mtim.tv_nsec;
#endif
}
#endif

}  // namespace

FileImage::~FileImage() {
    release();
}

FileStatus FileImage::load(const std::filesystem::path& path, bool keepCopy) {
    if (FileStatus status = loadBytes(path); !status || !keepCopy)
        return status;
    return copyAsLoaded();
}

FileStatus FileImage::copyAsLoaded() {
    Result<FileBuffer> copy = FileBuffer::forFile(path_, size_);
    if (!copy) {
        release();
        return copy.status();
    }
    asLoaded_ = std::move(copy).value();
    if (size_ > 0)
        std::memcpy(asLoaded_.data(), data_, size_);
    return FileStatus::success();
}

FileStatus FileImage::loadBytes(const std::filesystem::path& path) {
    release();
#if !defined(_WIN32)
    if (&fileSystemOps() == &nativeFileSystemOps()) {
        FileHandle file = kNoFile;
        std::uint64_t length = 0;
        if (FileStatus status = openWholeFile(path, file, length); !status)
            return status;
        if (length == 0) {
            ::close(static_cast<int>(file));
            path_ = path;
            return FileStatus::success();
        }
        if (map(file, length)) {
            path_ = path;
            return FileStatus::success();
        }
        // No mapping to be had (or the guard is taken): read it like any other.
        ::close(static_cast<int>(file));
    }
#endif
    FileBuffer buffer;
    if (FileStatus status = readWholeFile(path, buffer); !status)
        return status;
    buffer_ = std::move(buffer);
    data_ = buffer_.data();
    size_ = buffer_.size();
    path_ = path;
    return FileStatus::success();
}

#if !defined(_WIN32)
bool FileImage::map(FileHandle file, std::uint64_t length) {
    const int fd = static_cast<int>(file);
    struct stat info {};
    if (::fstat(fd, &info) != 0 || static_cast<std::uint64_t>(info.st_size) != length)
        return false;
    const auto size = static_cast<std::size_t>(length);
    void* mapping = mapWholeFile(fd, size);
    if (mapping == nullptr)
        return false;
    if (!takeGuard(mapping, size)) {
        ::munmap(mapping, size);
        return false;
    }
    mapping_ = mapping;
    mappingSize_ = size;
    data_ = static_cast<std::uint8_t*>(mapping);
    size_ = size;
    file_ = file;
    modificationTime(info, modifiedSeconds_, modifiedNanoseconds_);
    return true;
}

Result<std::span<std::uint8_t>> FileImage::writableBytes() {
    if (mapping_ && data_ == mapping_ &&
        ::mprotect(mapping_, mappingSize_, PROT_READ | PROT_WRITE) != 0) {
        // Without writable pages, the image is copied into a buffer and edited there.
        Result<FileBuffer> copy = FileBuffer::forFile(path_, size_);
        if (!copy)
            return copy.status();
        buffer_ = std::move(copy).value();
        std::memcpy(buffer_.data(), data_, size_);
        data_ = buffer_.data();
    }
    return std::span<std::uint8_t>(data_, size_);
}

bool FileImage::stillAsLoaded() const {
    if (asLoaded_.empty())
        return true;
    const std::size_t page = guardPageSize;
    std::vector<std::uint8_t> fromFile(page);
    for (std::size_t at = 0; at < size_; at += page) {
        const std::size_t length = std::min(page, size_ - at);
        if (std::memcmp(data_ + at, asLoaded_.data() + at, length) == 0)
            continue;
        const ssize_t got =
            ::pread(static_cast<int>(file_), fromFile.data(), length, static_cast<off_t>(at));
        if (got != static_cast<ssize_t>(length) ||
            std::memcmp(fromFile.data(), asLoaded_.data() + at, length) != 0)
            return false;
    }
    return true;
}

FileStatus FileImage::checkUnchanged() const {
    if (!mapping_)
        return FileStatus::success();
    bool changed = pageCutOff != 0 || !stillAsLoaded();
    struct stat info {};
    if (::fstat(static_cast<int>(file_), &info) != 0) {
        changed = true;
    } else {
        std::int64_t seconds = 0;
        std::int64_t nanoseconds = 0;
        modificationTime(info, seconds, nanoseconds);
        if (static_cast<std::uint64_t>(info.st_size) != mappingSize_ ||
            seconds != modifiedSeconds_ || nanoseconds != modifiedNanoseconds_)
            changed = true;
    }
    if (!changed)
        return FileStatus::success();
    return FileStatus::cannotRead(path_, "the file changed while it was being read");
}

void FileImage::release() noexcept {
    if (mapping_) {
        ::munmap(mapping_, mappingSize_);
        dropGuard();
        ::close(static_cast<int>(file_));
        mapping_ = nullptr;
        mappingSize_ = 0;
        file_ = kNoFile;
    }
    buffer_ = FileBuffer();
    asLoaded_ = FileBuffer();
    data_ = nullptr;
    size_ = 0;
    path_.clear();
}
#else
bool FileImage::map(FileHandle, std::uint64_t) {
    return false;
}

Result<std::span<std::uint8_t>> FileImage::writableBytes() {
    return std::span<std::uint8_t>(data_, size_);
}

FileStatus FileImage::checkUnchanged() const {
    return FileStatus::success();
}

void FileImage::release() noexcept {
    buffer_ = FileBuffer();
    asLoaded_ = FileBuffer();
    data_ = nullptr;
    size_ = 0;
    path_.clear();
}
#endif

}  // namespace orvendel
