#include "platform/keyboard/LayoutPlistReader.h"

#include "platform/foundation/NSMutableArray.h"
#include "platform/foundation/NSMutableDictionary.h"
#include "platform/runtime/NSException.h"

#include <cstdlib>
#include <memory>
#include <plist/plist.h>

namespace {

// The one owner of a parsed libplist tree.
struct PlistFree {
    void operator()(void* node) const { plist_free(static_cast<plist_t>(node)); }
};
using PlistTree = std::unique_ptr<void, PlistFree>;

struct MallocFree {
    void operator()(void* pointer) const { std::free(pointer); }
};

Value convert(plist_t node);

Value convertDictionary(plist_t node)
{
    auto dictionary = NSMutableDictionary::dictionary();
    plist_dict_iter rawIterator = nullptr;
    plist_dict_new_iter(node, &rawIterator);
    std::unique_ptr<void, MallocFree> iterator(rawIterator);
    while (true) {
        char* rawKey = nullptr;
        plist_t item = nullptr;
        plist_dict_next_item(node, iterator.get(), &rawKey, &item);
        std::unique_ptr<char, MallocFree> key(rawKey);
        if (!key || !item)
            break;
        dictionary->setObject(convert(item), key.get());
    }
    return dictionary;
}

Value convertArray(plist_t node)
{
    auto array = NSMutableArray::array();
    std::uint32_t count = plist_array_get_size(node);
    for (std::uint32_t index = 0; index < count; ++index)
        array->addObject(convert(plist_array_get_item(node, index)));
    return array;
}

Value convert(plist_t node)
{
    switch (plist_get_node_type(node)) {
    case PLIST_DICT:
        return convertDictionary(node);
    case PLIST_ARRAY:
        return convertArray(node);
    case PLIST_STRING: {
        std::uint64_t length = 0;
        const char* text = plist_get_string_ptr(node, &length);
        return NSString(std::string_view(text, length));
    }
    case PLIST_UINT: {
        std::uint64_t value = 0;
        plist_get_uint_val(node, &value);
        return Value(static_cast<std::int64_t>(value));
    }
    case PLIST_REAL: {
        double value = 0;
        plist_get_real_val(node, &value);
        return Value(value);
    }
    case PLIST_BOOLEAN: {
        std::uint8_t value = 0;
        plist_get_bool_val(node, &value);
        return Value(value != 0);
    }
    default:
        return Value();
    }
}

} // namespace

Value readLayoutPropertyList(std::string_view fileName, std::string_view xml)
{
    plist_t root = nullptr;
    plist_from_xml(xml.data(), static_cast<std::uint32_t>(xml.size()), &root);
    PlistTree tree(root);
    if (!tree || plist_get_node_type(root) != PLIST_DICT)
        throw NSException(NSInvalidArgumentException,
            "keyboard layout data " + std::string(fileName) + " is not a property-list dictionary");
    return convert(root);
}
