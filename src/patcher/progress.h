// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string_view>

namespace orvendel {

// Receives what a patch run shows in its progress window: the status line and a bar with a
// minimum, a maximum and a value. The window implements it; the command line and the tests
// may ignore it.
class ProgressSink {
public:
    virtual ~ProgressSink() = default;
    virtual void setStatus(std::string_view /*text*/) {}
    virtual void setRange(double /*min*/, double /*max*/) {}
    virtual void setValue(double /*value*/) {}
};

}  // namespace orvendel
