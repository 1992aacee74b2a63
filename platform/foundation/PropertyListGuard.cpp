#include "platform/foundation/PropertyListGuard.h"

#include "platform/foundation/PropertyListXMLLeaf.h"

#include <cctype>
#include <cstdint>
#include <string>
#include <vector>

namespace {

constexpr std::string_view binaryMagic = "bplist";
constexpr std::size_t binaryTrailerSize = 32;

std::uint64_t readBigEndian(const unsigned char* bytes, std::size_t size)
{
    std::uint64_t value = 0;
    for (std::size_t index = 0; index < size; ++index)
        value = (value << 8) | bytes[index];
    return value;
}

// The layout of a binary list, read from its trailer and checked so that
// every later read stays inside the bytes.
struct BinaryLayout {
    const unsigned char* bytes;
    std::size_t offsetSize;
    std::size_t referenceSize;
    std::uint64_t objectCount;
    std::uint64_t topObject;
    std::uint64_t tableOffset;

    std::uint64_t objectOffset(std::uint64_t object) const
    {
        return readBigEndian(bytes + tableOffset + object * offsetSize, offsetSize);
    }
};

// Where a container's references start and how many there are; none for
// values that hold nothing.
struct Container {
    std::uint64_t referencesOffset { 0 };
    std::uint64_t referenceCount { 0 };
    // A dictionary's first half of references are its keys.
    std::uint64_t keyCount { 0 };
    bool isContainer { false };
};

// Reads the length that follows a marker whose low nibble is 0xF.
ErrorOr<std::uint64_t> extendedCount(const BinaryLayout& layout, std::uint64_t& position)
{
    if (position >= layout.tableOffset)
        return Error { "binary property list: truncated count" };
    unsigned countMarker = layout.bytes[position];
    std::size_t countSize = std::size_t { 1 } << (countMarker & 0xF);
    if ((countMarker >> 4) != 0x1 || countSize > 8 || position + 1 + countSize > layout.tableOffset)
        return Error { "binary property list: malformed count" };
    std::uint64_t count = readBigEndian(layout.bytes + position + 1, countSize);
    position += 1 + countSize;
    return count;
}

ErrorOr<Container> containerAt(const BinaryLayout& layout, std::uint64_t object)
{
    std::uint64_t offset = layout.objectOffset(object);
    if (offset < binaryMagic.size() + 2 || offset >= layout.tableOffset)
        return Error { "binary property list: object offset out of range" };
    unsigned marker = layout.bytes[offset];
    unsigned kind = marker >> 4;
    // Arrays (0xA), sets (0xC) and dictionaries (0xD) refer to other objects.
    if (kind != 0xA && kind != 0xC && kind != 0xD)
        return Container {};
    std::uint64_t count = marker & 0xF;
    std::uint64_t position = offset + 1;
    if (count == 0xF) {
        auto extended = extendedCount(layout, position);
        if (!extended)
            return extended.error();
        count = extended.value();
    }
    std::uint64_t available = (layout.tableOffset - position) / layout.referenceSize;
    std::uint64_t references = kind == 0xD ? count * 2 : count;
    if (count > available || references > available)
        return Error { "binary property list: container runs past the object table" };
    return Container { position, references, kind == 0xD ? count : 0, true };
}

// Where a string's characters start, how many there are and how wide each
// is; nothing for objects that are not strings.
struct StringUnits {
    std::uint64_t position { 0 };
    std::uint64_t length { 0 };
    std::uint64_t unitSize { 0 };
    bool isString { false };
};

ErrorOr<StringUnits> stringAt(const BinaryLayout& layout, std::uint64_t object)
{
    std::uint64_t offset = layout.objectOffset(object);
    if (offset < binaryMagic.size() + 2 || offset >= layout.tableOffset)
        return Error { "binary property list: object offset out of range" };
    unsigned marker = layout.bytes[offset];
    unsigned kind = marker >> 4;
    // ASCII strings (0x5) take one byte a character, UTF-16 strings (0x6) two.
    if (kind != 0x5 && kind != 0x6)
        return StringUnits {};
    std::uint64_t length = marker & 0xF;
    std::uint64_t position = offset + 1;
    if (length == 0xF) {
        auto extended = extendedCount(layout, position);
        if (!extended)
            return extended.error();
        length = extended.value();
    }
    std::uint64_t unitSize = kind == 0x6 ? 2 : 1;
    if (length > (layout.tableOffset - position) / unitSize)
        return Error { "binary property list: string runs past the object table" };
    return StringUnits { position, length, unitSize, true };
}

// A string marked ASCII must hold only ASCII: the parser would take other
// bytes as they are, and the text could then not be written as a list again.
ErrorOr<void> checkASCII(const BinaryLayout& layout, const StringUnits& string)
{
    if (string.unitSize != 1)
        return {};
    for (std::uint64_t index = 0; index < string.length; ++index) {
        if (layout.bytes[string.position + index] >= 0x80)
            return Error { "binary property list: a string marked ASCII holds other bytes" };
    }
    return {};
}

ErrorOr<void> checkString(const BinaryLayout& layout, std::uint64_t object)
{
    auto string = stringAt(layout, object);
    if (!string)
        return string.error();
    return checkASCII(layout, string.value());
}

// The parser cannot take a key with a NUL character inside (it stops the
// process), so such a key is refused here.
ErrorOr<void> checkKey(const BinaryLayout& layout, std::uint64_t object)
{
    auto string = stringAt(layout, object);
    if (!string)
        return string.error();
    const StringUnits& key = string.value();
    if (!key.isString)
        return Error { "binary property list: a key is not a string" };
    for (std::uint64_t unit = 0; unit < key.length; ++unit) {
        if (readBigEndian(layout.bytes + key.position + unit * key.unitSize, key.unitSize) == 0)
            return Error { "binary property list: a key holds a NUL character" };
    }
    return checkASCII(layout, key);
}

std::string_view elementName(std::string_view bytes, std::size_t tagStart)
{
    std::size_t nameEnd = tagStart + 1;
    while (nameEnd < bytes.size() && std::isalpha(static_cast<unsigned char>(bytes[nameEnd])))
        ++nameEnd;
    return bytes.substr(tagStart + 1, nameEnd - tagStart - 1);
}

// A number, date or data element holds only its text, which must read
// exactly; a comment, an entity or another element inside it would be read
// as something else. An empty <data/> is empty data, but an empty number or
// date is none.
ErrorOr<void> checkXMLLeaf(std::string_view bytes, std::size_t tagStart, std::size_t tagEnd, bool selfClosing)
{
    std::string_view element = elementName(bytes, tagStart);
    if (!xml_leaf::isChecked(element))
        return {};
    if (selfClosing)
        return xml_leaf::check(element, {});
    std::size_t textEnd = bytes.find('<', tagEnd + 1);
    std::string closing = "</" + std::string(element);
    if (textEnd == std::string_view::npos || bytes.substr(textEnd, closing.size()) != closing
        || bytes.substr(tagEnd + 1, textEnd - tagEnd - 1).find('&') != std::string_view::npos)
        return Error { "property list: <" + std::string(element) + "> holds more than its text" };
    return xml_leaf::check(element, bytes.substr(tagEnd + 1, textEnd - tagEnd - 1));
}

} // namespace

ErrorOr<void> PropertyListGuard::check(std::string_view bytes) const
{
    if (bytes.substr(0, binaryMagic.size()) == binaryMagic)
        return checkBinary(bytes);
    return checkXML(bytes);
}

ErrorOr<void> PropertyListGuard::checkXML(std::string_view bytes) const
{
    // Element nesting: the list's own <plist> element and a leaf element come
    // on top of the containers.
    std::size_t maximumElementDepth = m_maximumDepth + 2;
    std::size_t depth = 0;
    std::size_t elements = 0;
    std::size_t position = 0;
    auto skipPast = [&](std::string_view terminator) {
        std::size_t end = bytes.find(terminator, position);
        position = end == std::string_view::npos ? bytes.size() : end + terminator.size();
    };
    while ((position = bytes.find('<', position)) != std::string_view::npos) {
        std::string_view rest = bytes.substr(position);
        if (rest.starts_with("<!--")) {
            skipPast("-->");
        } else if (rest.starts_with("<![CDATA[")) {
            skipPast("]]>");
        } else if (rest.starts_with("<?")) {
            skipPast("?>");
        } else if (rest.starts_with("<!")) {
            skipPast(">");
        } else if (rest.starts_with("</")) {
            skipPast(">");
            if (depth > 0)
                --depth;
        } else {
            std::size_t end = bytes.find('>', position);
            if (end == std::string_view::npos)
                return Error { "property list: unterminated element" };
            if (++elements > m_maximumValues)
                return Error { "property list: too many values" };
            bool selfClosing = bytes[end - 1] == '/';
            if (!selfClosing && ++depth > maximumElementDepth)
                return Error { "property list: nested too deeply" };
            if (auto leaf = checkXMLLeaf(bytes, position, end, selfClosing); !leaf)
                return leaf;
            position = end + 1;
        }
    }
    return {};
}

ErrorOr<void> PropertyListGuard::checkBinary(std::string_view bytes) const
{
    if (bytes.size() < binaryMagic.size() + 2 + binaryTrailerSize)
        return Error { "binary property list: too short" };
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    const unsigned char* trailer = data + bytes.size() - binaryTrailerSize;
    BinaryLayout layout { data, trailer[6], trailer[7], readBigEndian(trailer + 8, 8),
        readBigEndian(trailer + 16, 8), readBigEndian(trailer + 24, 8) };
    std::uint64_t tableEnd = bytes.size() - binaryTrailerSize;
    if (layout.offsetSize < 1 || layout.offsetSize > 8 || layout.referenceSize < 1
        || layout.referenceSize > 8)
        return Error { "binary property list: malformed trailer" };
    if (layout.objectCount == 0 || layout.objectCount > m_maximumValues
        || layout.topObject >= layout.objectCount)
        return Error { "binary property list: bad object count" };
    if (layout.tableOffset > tableEnd
        || layout.objectCount > (tableEnd - layout.tableOffset) / layout.offsetSize)
        return Error { "binary property list: object table out of range" };

    // Depth-first over the containers, each object once: its depth and the
    // number of values it expands to are remembered, so shared objects cost
    // nothing twice and a reference back into the open path is a loop.
    enum class State : unsigned char { Unvisited, Open, Done };
    std::vector<State> states(layout.objectCount, State::Unvisited);
    std::vector<std::uint32_t> depths(layout.objectCount, 0);
    std::vector<std::uint32_t> expandedValues(layout.objectCount, 0);
    struct Frame {
        std::uint64_t object;
        Container container;
        std::uint64_t nextReference;
        std::uint32_t deepestChild;
        std::uint64_t values;
    };
    std::vector<Frame> path;

    auto visit = [&](std::uint64_t object) -> ErrorOr<void> {
        auto container = containerAt(layout, object);
        if (!container)
            return container.error();
        if (!container.value().isContainer) {
            if (auto string = checkString(layout, object); !string)
                return string;
            states[object] = State::Done;
            expandedValues[object] = 1;
            return {};
        }
        if (path.size() + 1 > m_maximumDepth)
            return Error { "binary property list: nested too deeply" };
        states[object] = State::Open;
        path.push_back(Frame { object, container.value(), 0, 0, 1 });
        return {};
    };

    if (auto result = visit(layout.topObject); !result)
        return result;
    while (!path.empty()) {
        Frame& frame = path.back();
        if (frame.nextReference < frame.container.referenceCount) {
            std::uint64_t child = readBigEndian(
                data + frame.container.referencesOffset + frame.nextReference * layout.referenceSize,
                layout.referenceSize);
            bool isKey = frame.nextReference < frame.container.keyCount;
            ++frame.nextReference;
            if (child >= layout.objectCount)
                return Error { "binary property list: reference out of range" };
            if (isKey) {
                if (auto key = checkKey(layout, child); !key)
                    return key;
            }
            if (states[child] == State::Open)
                return Error { "binary property list: reference loop" };
            if (states[child] == State::Unvisited) {
                if (auto result = visit(child); !result)
                    return result;
                if (states[child] == State::Open)
                    continue;
            }
            frame.deepestChild = std::max(frame.deepestChild, depths[child]);
            frame.values += expandedValues[child];
            if (frame.values > m_maximumValues)
                return Error { "binary property list: too many values" };
            continue;
        }
        std::uint64_t object = frame.object;
        depths[object] = frame.deepestChild + 1;
        expandedValues[object] = static_cast<std::uint32_t>(frame.values);
        states[object] = State::Done;
        path.pop_back();
        if (!path.empty()) {
            Frame& parent = path.back();
            parent.deepestChild = std::max(parent.deepestChild, depths[object]);
            parent.values += expandedValues[object];
            if (parent.values > m_maximumValues)
                return Error { "binary property list: too many values" };
        }
    }
    return {};
}
