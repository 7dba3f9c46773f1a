// What a mod build pipeline wants to know about a pair of files before it ships them.
#pragma once

#include "model/LoreData.h"

#include <string>
#include <vector>

namespace tc::cli {

struct Finding {
    bool error;
    std::string text;         // in the files' own 8-bit encoding
    bool inTemplates = false; // which file: the template file, or the lore file
    int line = 0;             // where the node concerned begins; 0 when not known
};

// Errors: repeated book keys or template names, base_ naming against the treasure rule, a book
// title without a lore key. Warnings: a lore key or parent that names nothing loaded.
std::vector<Finding> CheckPair(const LoreData& data);

} // namespace tc::cli
