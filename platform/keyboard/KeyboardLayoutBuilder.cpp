#include "platform/keyboard/KeyboardLayoutBuilder.h"

#include "platform/keyboard/EmbeddedLayouts.h"
#include "platform/keyboard/LayoutPlistReader.h"
#include "platform/runtime/NSException.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <unicode/uchar.h>
#include <unicode/utf8.h>
#include <vector>

namespace {

[[noreturn]] void layoutDataError(const std::string& message)
{
    throw NSException(NSInvalidArgumentException, "keyboard layout data: " + message);
}

// Each data file is parsed once and kept for the process.
NSMutableDictionary* layoutFile(std::string_view fileName)
{
    static std::map<std::string, Value, std::less<>> parsed;
    if (auto found = parsed.find(fileName); found != parsed.end())
        return found->second.dictionary();
    for (const EmbeddedLayoutFile& file : embeddedLayoutFiles()) {
        if (file.name == fileName) {
            Value root = readLayoutPropertyList(file.name, file.contents);
            return parsed.emplace(std::string(fileName), root).first->second.dictionary();
        }
    }
    layoutDataError("no file " + std::string(fileName));
}

NSMutableDictionary* dictionaryAt(NSMutableDictionary* dictionary, std::string_view key)
{
    NSMutableDictionary* found = dictionary ? dictionary->objectForKey(key).dictionary() : nullptr;
    if (!found)
        layoutDataError("missing dictionary " + std::string(key));
    return found;
}

NSMutableArray* arrayAt(NSMutableDictionary* dictionary, std::string_view key)
{
    NSMutableArray* found = dictionary ? dictionary->objectForKey(key).array() : nullptr;
    if (!found)
        layoutDataError("missing array " + std::string(key));
    return found;
}

struct Geometry {
    CGFloat width { 0 };
    CGFloat height { 0 };
    CGFloat columns { 10 };
    CGFloat keyTopInset { 0 };
    CGFloat keyBottomInset { 0 };
    CGFloat keyHorizontalInset { 0 };
    CGFloat popupHeadWidth { 0 };
    CGFloat popupHeadHeight { 0 };
    CGFloat cornerRadius { 0 };
};

CGFloat number(NSMutableDictionary* dictionary, std::string_view key, CGFloat fallback)
{
    Value value = dictionary ? dictionary->objectForKey(key) : Value();
    return value.isNumber() ? static_cast<CGFloat>(value.realValue()) : fallback;
}

Geometry readGeometry(NSMutableDictionary* base, NSMutableDictionary* overrides)
{
    Geometry geometry;
    auto read = [&](std::string_view key, CGFloat& field) {
        field = number(overrides, key, number(base, key, field));
    };
    read("Width", geometry.width);
    read("Height", geometry.height);
    read("Columns", geometry.columns);
    read("KeyTopInset", geometry.keyTopInset);
    read("KeyBottomInset", geometry.keyBottomInset);
    read("KeyHorizontalInset", geometry.keyHorizontalInset);
    read("PopupHeadWidth", geometry.popupHeadWidth);
    read("PopupHeadHeight", geometry.popupHeadHeight);
    read("CornerRadius", geometry.cornerRadius);
    return geometry;
}

// A key's name from the Unicode name of its character: "q" is
// "Latin-Small-Letter-Q", "-" is "Hyphen-Minus".
NSString keyNameForCharacter(const NSString& string)
{
    const std::string& text = string.utf8();
    std::int32_t offset = 0;
    UChar32 character = 0;
    U8_NEXT(text.data(), offset, static_cast<std::int32_t>(text.size()), character);
    if (character < 0 || offset != static_cast<std::int32_t>(text.size()))
        layoutDataError("key \"" + text + "\" needs a Name");
    char unicodeName[128] = {};
    UErrorCode status = U_ZERO_ERROR;
    u_charName(character, U_UNICODE_CHAR_NAME, unicodeName, sizeof unicodeName, &status);
    if (U_FAILURE(status) || !unicodeName[0])
        layoutDataError("key \"" + text + "\" has no character name");
    std::string name;
    bool wordStart = true;
    for (const char* letter = unicodeName; *letter; ++letter) {
        char c = *letter;
        if (c == ' ' || c == '-') {
            name += '-';
            wordStart = true;
            continue;
        }
        name += wordStart ? c : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        wordStart = false;
    }
    return name;
}

// One entry of a row before layout: a key description or a gap.
struct RowItem {
    RefPtr<NSMutableDictionary> key;
    CGFloat width { 1 };
};

class TreeBuilder {
public:
    TreeBuilder(const KeyboardConfiguration& configuration, const CurrencySigns& currency)
        : m_configuration(configuration)
        , m_currency(currency)
    {
    }

    RefPtr<UIKBTree> build();

private:
    bool isPad() const
    {
        return m_configuration.kind == KeyboardTreeKind::NumberPad
            || m_configuration.kind == KeyboardTreeKind::PhonePad;
    }
    NSString keyboardName() const;
    RefPtr<UIKBTree> buildKeyplane(NSMutableDictionary* keyplaneData, const NSString& keySetName);
    std::vector<std::vector<RowItem>> rowsOf(NSMutableDictionary* keyplaneData);
    RefPtr<NSMutableDictionary> resolveKey(const Value& entry, NSMutableDictionary* keyplaneData);
    RefPtr<NSMutableDictionary> applyCurrency(RefPtr<NSMutableDictionary> key);
    RefPtr<UIKBTree> buildRow(const std::vector<RowItem>& items, std::size_t rowIndex, std::size_t rowCount,
        const NSString& prefix);
    RefPtr<UIKBTree> buildKey(
        NSMutableDictionary* data, CGRect frame, CGRect paddedFrame, const NSString& prefix);

    const KeyboardConfiguration& m_configuration;
    const CurrencySigns& m_currency;
    NSMutableDictionary* m_common { nullptr };
    Geometry m_geometry;
    NSString m_keyboardName;
    // The keyplane being built shows its character keys' strings in capitals.
    bool m_capitalCaps { false };
};

NSString TreeBuilder::keyboardName() const
{
    std::string orientation = m_configuration.landscape ? "Landscape" : "Portrait";
    std::string letters(m_configuration.letterLayout->name);
    switch (m_configuration.kind) {
    case KeyboardTreeKind::NumberPad:
        return "Phone-" + orientation + "-NumberPad-Keyboard";
    case KeyboardTreeKind::PhonePad:
        return "Phone-" + orientation + "-PhonePad-Keyboard";
    case KeyboardTreeKind::WebAddress:
        return "Phone-" + orientation + "-" + letters + "-URL-Alphabetic-Keyboard";
    case KeyboardTreeKind::EmailAddress:
        return "Phone-" + orientation + "-" + letters + "-Email-Alphabetic-Keyboard";
    case KeyboardTreeKind::Standard:
        break;
    }
    return "Phone-" + orientation + "-" + letters + "-Alphabetic-Keyboard";
}

RefPtr<UIKBTree> TreeBuilder::build()
{
    m_common = layoutFile("Common.plist");
    NSMutableDictionary* geometries = dictionaryAt(m_common, "Geometry");
    NSMutableDictionary* base
        = dictionaryAt(geometries, m_configuration.landscape ? "Landscape" : "Portrait");

    // Each file with the key set its keyplanes have when they do not name one:
    // the letters take theirs from the letter layout.
    std::vector<std::pair<NSMutableDictionary*, NSString>> files;
    if (isPad()) {
        files.emplace_back(layoutFile(m_configuration.kind == KeyboardTreeKind::NumberPad ? "NumberPad.plist"
                                                                                          : "PhonePad.plist"),
            NSString());
        m_geometry = readGeometry(base, files.front().first->objectForKey("Geometry").dictionary());
    } else {
        const KeyboardLetterLayout& letters = *m_configuration.letterLayout;
        files.emplace_back(layoutFile(letters.layoutFile), NSString(std::string(letters.keySetName)));
        files.emplace_back(layoutFile("Numbers.plist"), NSString());
        m_geometry = readGeometry(base, nullptr);
    }

    m_keyboardName = keyboardName();
    auto keyboard = UIKBTree::make(UIKBTreeType::Keyboard, m_keyboardName, m_keyboardName);
    keyboard->setFrames(CGRectMake(0, 0, m_geometry.width, m_geometry.height),
        CGRectMake(0, 0, m_geometry.width, m_geometry.height));
    NSMutableDictionary* properties = keyboard->properties();
    properties->setObject(m_configuration.landscape, UIKBKeyboardProperty::landscape);
    properties->setObject(
        static_cast<double>(m_geometry.popupHeadWidth), UIKBKeyboardProperty::popupHeadWidth);
    properties->setObject(
        static_cast<double>(m_geometry.popupHeadHeight), UIKBKeyboardProperty::popupHeadHeight);
    properties->setObject(static_cast<double>(m_geometry.cornerRadius), UIKBKeyboardProperty::cornerRadius);
    for (const auto& [file, keySetName] : files) {
        for (const Value& keyplaneData : *arrayAt(file, "Keyplanes"))
            keyboard->addSubtree(buildKeyplane(keyplaneData.dictionary(), keySetName));
    }
    return keyboard;
}

RefPtr<UIKBTree> TreeBuilder::buildKeyplane(NSMutableDictionary* keyplaneData, const NSString& fileKeySetName)
{
    NSString name = keyplaneData->objectForKey("Name").string();
    NSString keySetName = keyplaneData->objectForKey("KeySet").string();
    if (keySetName.isNil())
        keySetName = fileKeySetName;
    if (name.isNil() || keySetName.isNil())
        layoutDataError("a keyplane needs a Name and a KeySet");
    NSString keyplaneUnhashed = NSString::stringWithFormat("%@_%@", { m_keyboardName, name });
    auto keyplane = UIKBTree::make(UIKBTreeType::Keyplane, name, keyplaneUnhashed);
    keyplane->setShiftAlternateKeyplaneName(keyplaneData->objectForKey("ShiftAlternate").string());
    CGRect bounds = CGRectMake(0, 0, m_geometry.width, m_geometry.height);
    keyplane->setFrames(bounds, bounds);

    // The look of the keyplane comes first; it has no key set.
    auto geometry = UIKBTree::make(UIKBTreeType::Geometry, "Geometry",
        NSString::stringWithFormat("%@_%@", { keyplaneUnhashed, NSString("Geometry") }));
    geometry->setFrames(bounds, bounds);
    keyplane->addSubtree(geometry);

    m_capitalCaps = keyplaneData->objectForKey("CapitalCaps").boolValue();
    NSString keySetUnhashed = NSString::stringWithFormat("%@_%@", { keyplaneUnhashed, keySetName });
    auto keySet = UIKBTree::make(UIKBTreeType::KeySet, keySetName, keySetUnhashed);
    std::vector<std::vector<RowItem>> rows = rowsOf(keyplaneData);
    for (std::size_t index = 0; index < rows.size(); ++index)
        keySet->addSubtree(buildRow(rows[index], index, rows.size(), keySetUnhashed));

    auto keyLayout = UIKBTree::make(UIKBTreeType::KeyLayout, keySetName,
        NSString::stringWithFormat("%@_%@", { keyplaneUnhashed, NSString("Keylayout") }));
    keyLayout->setKeySetNode(keySet);
    keyplane->addSubtree(keyLayout);
    return keyplane;
}

std::vector<std::vector<RowItem>> TreeBuilder::rowsOf(NSMutableDictionary* keyplaneData)
{
    std::vector<NSMutableArray*> rowEntries;
    for (const Value& row : *arrayAt(keyplaneData, "Rows")) {
        if (!row.array())
            layoutDataError("a row must be an array");
        rowEntries.push_back(row.array());
    }
    if (!isPad()) {
        const char* bottomRow = m_configuration.kind == KeyboardTreeKind::WebAddress ? "WebAddress"
            : m_configuration.kind == KeyboardTreeKind::EmailAddress                 ? "EmailAddress"
                                                                                     : "Standard";
        rowEntries.push_back(arrayAt(dictionaryAt(m_common, "BottomRows"), bottomRow));
    }
    std::vector<std::vector<RowItem>> rows;
    for (NSMutableArray* entries : rowEntries) {
        std::vector<RowItem> items;
        for (const Value& entry : *entries) {
            if (entry.isNumber()) {
                items.push_back({ nullptr, static_cast<CGFloat>(entry.realValue()) });
                continue;
            }
            RefPtr<NSMutableDictionary> key = resolveKey(entry, keyplaneData);
            CGFloat width = number(key.get(), "Width", 1);
            items.push_back({ std::move(key), width });
        }
        rows.push_back(std::move(items));
    }
    return rows;
}

// A row entry is a key description, the name of a shared key, or a
// character typed by a plain key.
RefPtr<NSMutableDictionary> TreeBuilder::resolveKey(const Value& entry, NSMutableDictionary* keyplaneData)
{
    RefPtr<NSMutableDictionary> key;
    if (NSMutableDictionary* described = entry.dictionary()) {
        key = described->mutableCopy();
    } else if (NSString text = entry.string(); !text.isNil()) {
        if (NSMutableDictionary* shared
            = dictionaryAt(m_common, "Keys")->objectForKey(text.utf8()).dictionary()) {
            key = shared->mutableCopy();
        } else {
            key = NSMutableDictionary::dictionary();
            key->setObject(text, "String");
        }
    } else {
        layoutDataError("a key must be a string, a dictionary or a gap width");
    }
    if (key->objectForKey("Name").string().isEqualToString("More-Key")) {
        // The "more" key shows and switches to what its keyplane says.
        if (NSMutableDictionary* more = keyplaneData->objectForKey("More").dictionary()) {
            for (const auto& [entryName, value] : more->entries())
                key->setObject(value, entryName);
        }
    }
    return applyCurrency(std::move(key));
}

RefPtr<NSMutableDictionary> TreeBuilder::applyCurrency(RefPtr<NSMutableDictionary> key)
{
    if (!key->objectForKey("Currency").boolValue())
        return key;
    if (!m_configuration.withCurrencyKeys || !m_currency.available()) {
        NSMutableDictionary* replacement = key->objectForKey("WithoutCurrency").dictionary();
        if (!replacement)
            layoutDataError("a currency key needs a WithoutCurrency key");
        return replacement->mutableCopy();
    }
    NSString name = key->objectForKey("Name").string();
    NSString sign = m_currency.primary;
    for (std::size_t index = 0; index < m_currency.alternates.size(); ++index) {
        if (name.isEqualToString(NSString("Alternate-Currency-Sign-" + std::to_string(index + 1))))
            sign = m_currency.alternates[index];
    }
    key->setObject(sign, "String");
    return key;
}

RefPtr<UIKBTree> TreeBuilder::buildRow(
    const std::vector<RowItem>& items, std::size_t rowIndex, std::size_t rowCount, const NSString& prefix)
{
    NSString rowName("Row-" + std::to_string(rowIndex + 1));
    auto row = UIKBTree::make(
        UIKBTreeType::Row, rowName, NSString::stringWithFormat("%@_%@", { prefix, rowName }));
    const Geometry& g = m_geometry;
    CGFloat rowHeight = g.height / static_cast<CGFloat>(rowCount);
    CGFloat rowTop = rowHeight * static_cast<CGFloat>(rowIndex);

    CGFloat totalUnits = 0;
    for (const RowItem& item : items)
        totalUnits += item.width;
    // Rows narrower than the keyboard are centred; a row of more keys than
    // the keyboard has columns (a language's eleventh letter) makes its keys
    // narrower to fit.
    CGFloat columns = std::max(g.columns, totalUnits);
    CGFloat unit = g.width / columns;
    CGFloat x = (columns - totalUnits) / 2 * unit;

    struct Placed {
        NSMutableDictionary* data;
        CGRect cap;
    };
    std::vector<Placed> placed;
    for (const RowItem& item : items) {
        CGFloat slotWidth = item.width * unit;
        if (item.key) {
            CGRect cap = CGRectMake(x + g.keyHorizontalInset, rowTop + g.keyTopInset,
                slotWidth - 2 * g.keyHorizontalInset, rowHeight - g.keyTopInset - g.keyBottomInset);
            placed.push_back({ item.key.get(), cap });
        }
        x += slotWidth;
    }
    // A key's padded frame is the cap the user sees; its frame, the area a
    // touch finds it in, is larger. The frames tile the row: each reaches half
    // way to its neighbours' caps, and the outer ones reach the keyboard's edges.
    for (std::size_t index = 0; index < placed.size(); ++index) {
        CGFloat left = index == 0 ? 0 : (placed[index - 1].cap.maxX() + placed[index].cap.minX()) / 2;
        CGFloat right = index + 1 == placed.size()
            ? g.width
            : (placed[index].cap.maxX() + placed[index + 1].cap.minX()) / 2;
        CGRect touchArea = CGRectMake(left, rowTop, right - left, rowHeight);
        auto key = buildKey(placed[index].data, touchArea, placed[index].cap, prefix);
        int type = key->displayType();
        bool characterKey = type == UIKBKeyDisplayTypeString || type == UIKBKeyDisplayTypeDynamicString;
        if (characterKey && index == 0 && left <= 0)
            key->cache()->setObject(UIKBPopupBiasLeftEdge, UIKBProperty::popupBias);
        else if (characterKey && index + 1 == placed.size() && right >= g.width)
            key->cache()->setObject(UIKBPopupBiasRightEdge, UIKBProperty::popupBias);
        row->addSubtree(std::move(key));
    }
    return row;
}

RefPtr<UIKBTree> TreeBuilder::buildKey(
    NSMutableDictionary* data, CGRect frame, CGRect paddedFrame, const NSString& prefix)
{
    NSString string = data->objectForKey("String").string();
    NSString name = data->objectForKey("Name").string();
    if (name.isNil())
        name = keyNameForCharacter(string);
    auto key = UIKBTree::make(UIKBTreeType::Key, name, NSString::stringWithFormat("%@_%@", { prefix, name }));
    key->setFrames(frame, paddedFrame);
    key->setDisplayType(data->objectForKey("Type").intValue());

    NSMutableDictionary* properties = key->properties();
    properties->setObject(string, UIKBProperty::representedString);
    NSString display = data->objectForKey("Display").string();
    // Letter caps show capitals on both letters keyplanes; shift changes only
    // what the keys type.
    if (display.isNil())
        display = m_capitalCaps && key->displayType() == UIKBKeyDisplayTypeString ? string.uppercaseString()
                                                                                  : string;
    properties->setObject(display, UIKBProperty::displayString);
    if (Value hint = data->objectForKey("Hint"); hint.isNumber())
        properties->setObject(hint.intValue(), UIKBProperty::displayTypeHint);
    if (NSString target = data->objectForKey("Switch").string(); !target.isNil())
        properties->setObject(target, UIKBProperty::keyplaneSwitch);
    if (NSString variants = data->objectForKey("Variants").string(); !variants.isNil()) {
        auto list = NSMutableArray::array();
        const std::string& text = variants.utf8();
        for (std::size_t start = 0; start < text.size();) {
            std::size_t end = text.find(' ', start);
            if (end == std::string::npos)
                end = text.size();
            if (end > start)
                list->addObject(NSString(text.substr(start, end - start)));
            start = end + 1;
        }
        if (list->count()) {
            properties->setObject(list->objectAtIndex(0), UIKBProperty::variantDisplayString);
            properties->setObject(list, UIKBProperty::variants);
        }
    }
    return key;
}

} // namespace

RefPtr<UIKBTree> buildKeyboardTree(const KeyboardConfiguration& configuration, const CurrencySigns& currency)
{
    return TreeBuilder(configuration, currency).build();
}

CGSize keyboardSize(bool landscape)
{
    NSMutableDictionary* geometries = dictionaryAt(layoutFile("Common.plist"), "Geometry");
    Geometry geometry = readGeometry(dictionaryAt(geometries, landscape ? "Landscape" : "Portrait"), nullptr);
    return { geometry.width, geometry.height };
}
