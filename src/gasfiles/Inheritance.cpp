#include "gasfiles/Inheritance.h"

#include "model/TemplateIndex.h"

#include <string>
#include <unordered_map>

namespace tc {

namespace {

struct NumberField {
    std::uint8_t bit;
    int (Template::*get)() const;
    void (Template::*set)(std::string_view);
};

constexpr NumberField kFields[] = {
    {kGoldValue, &Template::GetGoldValue, &Template::SetGoldValue},
    {kInventoryWidth, &Template::GetInventoryWidth, &Template::SetInventoryWidth},
    {kInventoryHeight, &Template::GetInventoryHeight, &Template::SetInventoryHeight},
};

enum class State : std::uint8_t { Open, OnPath, Settled };

void InheritField(const NumberField& field, const TemplateIndex& index,
                  const std::unordered_map<const Template*, std::size_t>& readIndex,
                  const std::vector<ReadTemplate>& read) {
    std::vector<State> state(read.size(), State::Open);
    for (std::size_t k = 0; k < read.size(); ++k) {
        if (read[k].givenNumbers & field.bit) {
            state[k] = State::Settled;
        }
    }
    std::vector<std::size_t> path;
    for (std::size_t start = 0; start < read.size(); ++start) {
        // Walk up the parents until a template whose value is known, then hand it down.
        path.clear();
        int value = 0;
        for (std::size_t node = start;;) {
            const Template& tmpl = *read[node].tmpl;
            if (state[node] == State::Settled) {
                value = (tmpl.*field.get)();
                break;
            }
            if (state[node] == State::OnPath) {
                value = (Template().*field.get)(); // a cycle: nobody gives a value
                break;
            }
            state[node] = State::OnPath;
            path.push_back(node);
            const Template* parent =
                tmpl.IsTreasureBased() ? nullptr : index.Find(tmpl.GetSpecializes());
            if (parent == nullptr) {
                value = (tmpl.*field.get)();
                break;
            }
            const auto it = readIndex.find(parent);
            if (it == readIndex.end()) {
                value = (parent->*field.get)();
                break;
            }
            node = it->second;
        }
        const std::string text = std::to_string(value);
        for (std::size_t node : path) {
            (read[node].tmpl->*field.set)(text);
            state[node] = State::Settled;
        }
    }
}

} // namespace

void InheritMissingNumbers(const std::vector<std::unique_ptr<Template>>& all,
                           const std::vector<ReadTemplate>& read) {
    const TemplateIndex index(all);
    std::unordered_map<const Template*, std::size_t> readIndex;
    readIndex.reserve(read.size());
    for (std::size_t k = 0; k < read.size(); ++k) {
        readIndex.emplace(read[k].tmpl, k);
    }
    for (const NumberField& field : kFields) {
        InheritField(field, index, readIndex, read);
    }
}

} // namespace tc
