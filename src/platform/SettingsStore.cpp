#include "platform/SettingsStore.h"

namespace tc {

std::string NumberedName(std::string_view stem, int index) {
    return std::string(stem) + std::to_string(index);
}

} // namespace tc
