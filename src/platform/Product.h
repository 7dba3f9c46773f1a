// Who we are, as the program names itself to the user and in the files it writes.
#pragma once

#include "platform/Version.h"

namespace tc {

inline constexpr const char* kAppTitle = "Tomecraft";
inline constexpr const char* kCompanyName = "Brindlemoor";
inline constexpr const char* kMakerWebAddress = "https://brindlemoor.org/tomecraft";
inline constexpr const char* kMakerWebHost = "brindlemoor.org/tomecraft";
inline constexpr const char* kMakerEmail = "tomecraft@brindlemoor.org";
inline constexpr const char* kCopyright =
    "Copyright (C) 2026 Brindlemoor.\nFree for building Dungeon Siege worlds.";
// Under the version line of --version, where command-line programs name their licence.
inline constexpr const char* kLicenceNotice =
    "Copyright (C) 2026 Brindlemoor\nLicence: MIT (see the LICENSE file); there is no warranty.\n";

} // namespace tc
