// Numbers a template section leaves out come from its parent in the game.
#pragma once

#include "model/Template.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace tc {

enum InheritedNumber : std::uint8_t {
    kGoldValue = 1 << 0,
    kInventoryWidth = 1 << 1,
    kInventoryHeight = 1 << 2,
};

struct ReadTemplate {
    Template* tmpl;
    std::uint8_t givenNumbers; // InheritedNumber bits of the numbers its section gave
};

// Each number that a read template's section did not give takes the value of its loaded parent,
// following the chain of parents (a parent may inherit in turn). A treasure-based template, one
// whose parent is not loaded and the members of a cycle of parents keep their default. Linear in
// the number of templates.
void InheritMissingNumbers(const std::vector<std::unique_ptr<Template>>& all,
                           const std::vector<ReadTemplate>& read);

} // namespace tc
