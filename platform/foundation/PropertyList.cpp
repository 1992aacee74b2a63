#include "platform/foundation/PropertyList.h"

#include "platform/foundation/FileIO.h"
#include "platform/foundation/NSMutableArray.h"
#include "platform/foundation/NSMutableDictionary.h"
#include "platform/foundation/PlistHandle.h"
#include "platform/foundation/PropertyListGuard.h"
#include "platform/foundation/UTF8.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>
#include <vector>

namespace {

constexpr double microsecondsPerSecond = 1e6;

// libplist keeps one integer type; a value above the signed range is marked
// as unsigned inside the node, which its API shows only by comparing it with
// a plain node of the same bits.
bool isUnsignedAboveSignedRange(plist_t node, std::uint64_t bits)
{
    if (bits <= static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()))
        return false;
    PlistHandle plain(plist_new_uint(bits));
    return !plist_compare_node_value(node, plain.get());
}

// A node for an unsigned value above the signed range. libplist 2.2 offers no
// constructor that marks one, but its XML reader does.
PlistHandle unsignedNodeAboveSignedRange(std::uint64_t value)
{
    std::string xml = "<plist><integer>" + std::to_string(value) + "</integer></plist>";
    plist_t node = nullptr;
    plist_from_xml(xml.data(), static_cast<uint32_t>(xml.size()), &node);
    return PlistHandle(node);
}

// A string or key that is not UTF-8, or holds a NUL character, could be read
// but not written as a list again.
ErrorOr<void> checkWritableText(std::string_view text)
{
    if (!utf8::isValid(text))
        return Error { "property list: a string or key is not valid UTF-8" };
    if (text.find('\0') != std::string_view::npos)
        return Error { "property list: a string or key holds a NUL character" };
    return {};
}

// Dates are stored as whole seconds from the reference date in a 32-bit
// integer and microseconds; a date outside that range (or no number at all)
// cannot be written, so it is not read either.
bool isStorableDate(double secondsSinceReferenceDate)
{
    double seconds = std::floor(secondsSinceReferenceDate);
    return std::isfinite(seconds) && seconds >= std::numeric_limits<int32_t>::min()
        && seconds <= std::numeric_limits<int32_t>::max();
}

// libplist answers a date only as 32-bit seconds and microseconds, which a
// date outside that range overflows; its binary form holds the exact number.
ErrorOr<double> secondsOfDate(plist_t node)
{
    constexpr std::size_t headerSize = 8;
    constexpr unsigned char dateMarker = 0x33;
    PlistBuffer<plist_to_bin_free> buffer;
    plist_to_bin(node, buffer.data(), buffer.length());
    std::string bytes = buffer.toString();
    if (bytes.size() < headerSize + 9 || static_cast<unsigned char>(bytes[headerSize]) != dateMarker)
        return Error { "property list: unreadable date" };
    std::uint64_t bits = 0;
    for (std::size_t index = 1; index <= 8; ++index)
        bits = (bits << 8) | static_cast<unsigned char>(bytes[headerSize + index]);
    double seconds;
    std::memcpy(&seconds, &bits, sizeof seconds);
    if (!isStorableDate(seconds))
        return Error { "property list: date out of range" };
    return seconds;
}

ErrorOr<Value> valueFromNode(plist_t node, std::size_t depth);

ErrorOr<Value> arrayFromNode(plist_t node, std::size_t depth)
{
    auto array = NSMutableArray::array();
    uint32_t count = plist_array_get_size(node);
    for (uint32_t index = 0; index < count; ++index) {
        auto element = valueFromNode(plist_array_get_item(node, index), depth + 1);
        if (!element)
            return element.error();
        array->addObject(element.releaseValue());
    }
    return Value(array);
}

ErrorOr<Value> dictionaryFromNode(plist_t node, std::size_t depth)
{
    auto dictionary = NSMutableDictionary::dictionary();
    plist_dict_iter iterator = nullptr;
    plist_dict_new_iter(node, &iterator);
    // The iterator is a plain allocation of libplist's; free it on every way out.
    std::unique_ptr<void, decltype(&std::free)> ownedIterator(iterator, &std::free);
    while (true) {
        char* rawKey = nullptr;
        plist_t item = nullptr;
        plist_dict_next_item(node, iterator, &rawKey, &item);
        if (!item) {
            std::free(rawKey);
            break;
        }
        std::unique_ptr<char, decltype(&std::free)> key(rawKey, &std::free);
        std::string_view keyText = key ? std::string_view(key.get()) : std::string_view();
        if (auto checked = checkWritableText(keyText); !checked)
            return checked.error();
        auto element = valueFromNode(item, depth + 1);
        if (!element)
            return element.error();
        dictionary->setObject(element.releaseValue(), keyText);
    }
    return Value(dictionary);
}

ErrorOr<Value> valueFromNode(plist_t node, std::size_t depth)
{
    if (depth > PropertyList::maximumDepth)
        return Error { "property list: nested too deeply" };
    switch (plist_get_node_type(node)) {
    case PLIST_BOOLEAN: {
        uint8_t boolean = 0;
        plist_get_bool_val(node, &boolean);
        return Value(boolean != 0);
    }
    case PLIST_UINT:
    case PLIST_UID: {
        uint64_t bits = 0;
        if (plist_get_node_type(node) == PLIST_UID)
            plist_get_uid_val(node, &bits);
        else
            plist_get_uint_val(node, &bits);
        bool isUnsigned = plist_get_node_type(node) == PLIST_UID || isUnsignedAboveSignedRange(node, bits);
        return Value(NSNumberInteger { static_cast<std::int64_t>(bits), isUnsigned });
    }
    case PLIST_REAL: {
        double real = 0;
        plist_get_real_val(node, &real);
        return Value(real);
    }
    case PLIST_STRING: {
        uint64_t length = 0;
        const char* text = plist_get_string_ptr(node, &length);
        std::string_view string(text ? text : "", text ? length : 0);
        if (auto checked = checkWritableText(string); !checked)
            return checked.error();
        return Value(NSString(string));
    }
    case PLIST_DATA: {
        uint64_t length = 0;
        const char* bytes = plist_get_data_ptr(node, &length);
        const auto* begin = reinterpret_cast<const std::uint8_t*>(bytes);
        return Value(bytes ? NSData(begin, begin + length) : NSData());
    }
    case PLIST_DATE: {
        auto seconds = secondsOfDate(node);
        if (!seconds)
            return seconds.error();
        return Value(NSDate { seconds.value() });
    }
    case PLIST_ARRAY:
        return arrayFromNode(node, depth);
    case PLIST_DICT:
        return dictionaryFromNode(node, depth);
    default:
        return Error { "property list: unexpected node" };
    }
}

bool hasNulCharacter(std::string_view text)
{
    return text.find('\0') != std::string_view::npos;
}

ErrorOr<PlistHandle> nodeFromValue(const Value& value, std::size_t depth);

ErrorOr<PlistHandle> nodeFromArray(const NSMutableArray& array, std::size_t depth)
{
    PlistHandle node(plist_new_array());
    for (const Value& element : array) {
        auto child = nodeFromValue(element, depth + 1);
        if (!child)
            return child.error();
        plist_array_append_item(node.get(), child.value().release());
    }
    return node;
}

ErrorOr<PlistHandle> nodeFromDictionary(const NSMutableDictionary& dictionary, std::size_t depth)
{
    PlistHandle node(plist_new_dict());
    // Written in key order, so the same dictionary always makes the same file.
    std::vector<std::pair<std::string_view, const Value*>> sorted;
    sorted.reserve(dictionary.count());
    for (const auto& [key, value] : dictionary.entries())
        sorted.emplace_back(key, &value);
    std::sort(sorted.begin(), sorted.end(),
        [](const auto& left, const auto& right) { return left.first < right.first; });
    for (const auto& [key, element] : sorted) {
        if (hasNulCharacter(key))
            return Error { "property list: a key holds a NUL character" };
        auto child = nodeFromValue(*element, depth + 1);
        if (!child)
            return child.error();
        plist_dict_set_item(node.get(), std::string(key).c_str(), child.value().release());
    }
    return node;
}

ErrorOr<PlistHandle> nodeFromDate(const NSDate& date)
{
    if (!isStorableDate(date.secondsSinceReferenceDate))
        return Error { "property list: date out of range" };
    double seconds = std::floor(date.secondsSinceReferenceDate);
    auto microseconds = static_cast<int32_t>(
        std::lround((date.secondsSinceReferenceDate - seconds) * microsecondsPerSecond));
    if (microseconds >= microsecondsPerSecond)
        microseconds = static_cast<int32_t>(microsecondsPerSecond) - 1;
    return PlistHandle(plist_new_date(static_cast<int32_t>(seconds), microseconds));
}

ErrorOr<PlistHandle> nodeFromValue(const Value& value, std::size_t depth)
{
    // A container that holds itself would nest without end; the depth limit stops it.
    if (depth > PropertyList::maximumDepth)
        return Error { "property list: nested too deeply (or a container holds itself)" };
    if (value.isBoolean())
        return PlistHandle(plist_new_bool(value.boolValue() ? 1 : 0));
    if (value.isInteger()) {
        NSNumberInteger integer = value.integer();
        auto bits = static_cast<std::uint64_t>(integer.value);
        if (integer.isUnsigned && integer.value < 0)
            return unsignedNodeAboveSignedRange(bits);
        return PlistHandle(plist_new_uint(bits));
    }
    if (value.isReal())
        return PlistHandle(plist_new_real(value.realValue()));
    if (value.isString()) {
        if (hasNulCharacter(value.string().utf8()))
            return Error { "property list: a string holds a NUL character" };
        return PlistHandle(plist_new_string(value.string().utf8().c_str()));
    }
    if (const NSData* data = value.data())
        return PlistHandle(plist_new_data(reinterpret_cast<const char*>(data->data()), data->size()));
    if (const NSDate* date = value.date())
        return nodeFromDate(*date);
    if (NSMutableArray* array = value.array())
        return nodeFromArray(*array, depth);
    if (NSMutableDictionary* dictionary = value.dictionary())
        return nodeFromDictionary(*dictionary, depth);
    if (value.isNil())
        return Error { "property list: nothing (nil) cannot be stored" };
    return Error { "property list: a " + value.object()->className() + " cannot be stored" };
}

ErrorOr<std::string> encode(const PlistHandle& node, PropertyList::Format format)
{
    if (format == PropertyList::Format::Binary) {
        PlistBuffer<plist_to_bin_free> buffer;
        plist_to_bin(node.get(), buffer.data(), buffer.length());
        if (!*buffer.data())
            return Error { "property list: cannot encode" };
        return buffer.toString();
    }
    PlistBuffer<plist_to_xml_free> buffer;
    plist_to_xml(node.get(), buffer.data(), buffer.length());
    if (!*buffer.data())
        return Error { "property list: cannot encode" };
    return buffer.toString();
}

ErrorOr<void> writeBytes(const ErrorOr<std::string>& bytes, const std::string& path, bool atomically)
{
    if (!bytes)
        return bytes.error();
    return atomically ? FileIO::writeFileAtomically(path, bytes.value())
                      : FileIO::writeFileInPlace(path, bytes.value());
}

} // namespace

ErrorOr<Value> PropertyList::parse(std::string_view bytes, const Limits& limits)
{
    // Editors may start a UTF-8 file with a byte-order mark; the parser
    // would take the list for something else.
    constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";
    if (bytes.starts_with(byteOrderMark))
        bytes.remove_prefix(byteOrderMark.size());
    if (bytes.size() > limits.fileSize)
        return Error { "property list: larger than " + std::to_string(limits.fileSize) + " bytes" };
    if (auto checked = PropertyListGuard(limits.depth, limits.values).check(bytes); !checked)
        return checked.error();
    // The parser is handed a terminated copy, whatever the caller's view ends in.
    std::string terminated(bytes);
    plist_t root = nullptr;
    plist_from_memory(terminated.c_str(), static_cast<uint32_t>(terminated.size()), &root);
    PlistHandle owned(root);
    if (!owned)
        return Error { "not a property list" };
    return valueFromNode(owned.get(), 1);
}

ErrorOr<std::string> PropertyList::serialize(const Value& root, Format format)
{
    auto node = nodeFromValue(root, 1);
    if (!node)
        return node.error();
    return encode(node.value(), format);
}

ErrorOr<std::string> PropertyList::serialize(const NSMutableDictionary& root, Format format)
{
    auto node = nodeFromDictionary(root, 1);
    if (!node)
        return node.error();
    return encode(node.value(), format);
}

ErrorOr<Value> PropertyList::readFile(const std::string& path, const Limits& limits)
{
    auto bytes = FileIO::readRegularFile(path, limits.fileSize);
    if (!bytes)
        return bytes.error();
    auto value = parse(bytes.value(), limits);
    if (!value)
        return Error { path + ": " + value.error().message };
    return value;
}

ErrorOr<void> PropertyList::writeFile(
    const Value& root, const std::string& path, Format format, bool atomically)
{
    return writeBytes(serialize(root, format), path, atomically);
}

ErrorOr<void> PropertyList::writeFile(
    const NSMutableDictionary& root, const std::string& path, Format format, bool atomically)
{
    return writeBytes(serialize(root, format), path, atomically);
}
