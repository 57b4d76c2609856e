// SPDX-License-Identifier: MIT
#pragma once

#include <cassert>
#include <optional>
#include <utility>

#include "platform/file_status.h"

namespace orvendel {

// A value, or the failure that stands in its place (a FileStatus that is not ok). Either
// converts implicitly, so that a function returns its value or a FileStatus::failure alike.
template <class T>
class [[nodiscard]] Result {
public:
    Result(T value) : value_(std::move(value)), status_(FileStatus::success()) {}
    Result(FileStatus failure) : status_(std::move(failure)) { assert(!status_.ok()); }

    bool ok() const { return value_.has_value(); }
    explicit operator bool() const { return ok(); }

    // The value; only when ok().
    const T& value() const& { return *value_; }
    T value() && { return std::move(*value_); }
    const T& operator*() const { return *value_; }
    const T* operator->() const { return &*value_; }
    T valueOr(T fallback) const { return value_ ? *value_ : std::move(fallback); }
    // Equal only to a value it holds, never when it failed (as std::optional compares).
    friend bool operator==(const Result& result, const T& value) {
        return result.ok() && *result == value;
    }

    // Success when ok(), else the failure with its message.
    const FileStatus& status() const { return status_; }
    // Empty when ok().
    const std::string& message() const { return status_.message(); }

private:
    std::optional<T> value_;
    FileStatus status_;
};

}  // namespace orvendel
