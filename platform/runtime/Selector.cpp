#include "platform/runtime/Selector.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unordered_map>
#include <vector>

namespace {

struct SelectorTable {
    std::unordered_map<std::string, SelectorId> idsByName;
    std::vector<std::string> names;
    std::vector<const std::type_info*> signatures;
};

// Function-local so that selectors declared in any library's static
// initialisers find the table ready.
SelectorTable& selectorTable()
{
    static SelectorTable table;
    return table;
}

} // namespace

SelectorId internSelector(std::string_view name, const std::type_info& signature)
{
    SelectorTable& table = selectorTable();
    auto found = table.idsByName.find(std::string(name));
    if (found != table.idsByName.end()) {
        if (*table.signatures[found->second] != signature) {
            std::fprintf(stderr, "runtime: selector %.*s declared with two signatures\n",
                static_cast<int>(name.size()), name.data());
            std::abort();
        }
        return found->second;
    }
    auto id = static_cast<SelectorId>(table.names.size());
    table.names.emplace_back(name);
    table.signatures.push_back(&signature);
    table.idsByName.emplace(std::string(name), id);
    return id;
}

std::string_view selectorName(SelectorId selector)
{
    const SelectorTable& table = selectorTable();
    return selector < table.names.size() ? std::string_view(table.names[selector]) : std::string_view();
}

SelectorId selectorCount()
{
    return static_cast<SelectorId>(selectorTable().names.size());
}
