// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <string_view>

namespace orvendel {

// A text of the core (which has no Qt and whose command line speaks English) as the window
// shows it: in the user's language where the text is one of the core's fixed texts that have a
// translation, otherwise as the core wrote it (texts that name files or the system's reasons).
QString windowText(std::string_view coreText);

}  // namespace orvendel
