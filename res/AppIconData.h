// The application icon's PNG files at every size, compiled in (generated from res/icons).
#pragma once

#include <cstddef>
#include <vector>

namespace tc::res {

struct PngData {
    const unsigned char* bytes;
    std::size_t size;
};

const std::vector<PngData>& AppIconPngs();

} // namespace tc::res
