// Who we are, as the program names itself to the user and in the files it writes.
#pragma once

namespace tc {

inline constexpr const char* kAppTitle = "Tomecraft";
inline constexpr const char* kCompanyName = "Brindlemoor";
inline constexpr const char* kMakerWebAddress = "https://brindlemoor.org/tomecraft";

} // namespace tc
