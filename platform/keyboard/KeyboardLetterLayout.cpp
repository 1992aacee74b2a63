#include "platform/keyboard/KeyboardLetterLayout.h"

#include <algorithm>
#include <cctype>

namespace {

constexpr std::string_view qwertyLocales[] = { "fr_CA" };
constexpr std::string_view qwertzLocales[] = { "de", "fr_CH" };
constexpr std::string_view azertyLocales[] = { "fr" };
constexpr std::string_view germanLocales[] = { "de_DE", "de_AT", "de_CH" };
constexpr std::string_view spanishLocales[] = { "es_ES" };
constexpr std::string_view swedishLocales[] = { "sv" };
constexpr std::string_view finnishLocales[] = { "fi" };
constexpr std::string_view danishLocales[] = { "da" };
constexpr std::string_view norwegianLocales[] = { "nb", "nn", "no" };

// clang-format off
constexpr KeyboardLetterLayout letterLayouts[] = {
    { "QWERTY",    "Letters-QWERTY-Keyset",           qwertyLocales,    "Letters-QWERTY.plist" },
    { "QWERTZ",    "Letters-QWERTZ-Keyset",           qwertzLocales,    "Letters-QWERTZ.plist" },
    { "AZERTY",    "Letters-AZERTY-Keyset",           azertyLocales,    "Letters-AZERTY.plist" },
    { "German",    "Letters-QWERTZ-German-Keyset",    germanLocales,    "Letters-German.plist" },
    { "Spanish",   "Letters-QWERTY-Spanish-Keyset",   spanishLocales,   "Letters-Spanish.plist" },
    { "Swedish",   "Letters-QWERTY-Swedish-Keyset",   swedishLocales,   "Letters-Swedish-Finnish.plist" },
    { "Finnish",   "Letters-QWERTY-Finnish-Keyset",   finnishLocales,   "Letters-Swedish-Finnish.plist" },
    { "Danish",    "Letters-QWERTY-Danish-Keyset",    danishLocales,    "Letters-Danish.plist" },
    { "Norwegian", "Letters-QWERTY-Norwegian-Keyset", norwegianLocales, "Letters-Norwegian.plist" },
};
// clang-format on

bool sameIgnoringCase(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

const KeyboardLetterLayout* rowNamingLocale(std::string_view locale)
{
    for (const KeyboardLetterLayout& layout : letterLayouts) {
        if (std::ranges::find(layout.locales, locale) != layout.locales.end())
            return &layout;
    }
    return nullptr;
}

} // namespace

std::span<const KeyboardLetterLayout> keyboardLetterLayouts()
{
    return letterLayouts;
}

const KeyboardLetterLayout& defaultLetterLayout()
{
    return letterLayouts[0];
}

const KeyboardLetterLayout& letterLayoutForLocale(const NSString& localeIdentifier)
{
    // "de_AT", "de-AT" and "de_AT@currency=EUR" all say German in Austria.
    const std::string& identifier = localeIdentifier.utf8();
    auto separator = identifier.find_first_of("_-");
    std::string language = identifier.substr(0, separator);
    if (separator != std::string::npos) {
        std::string region = identifier.substr(separator + 1, 2);
        if (const KeyboardLetterLayout* layout = rowNamingLocale(language + "_" + region))
            return *layout;
    }
    const KeyboardLetterLayout* layout = rowNamingLocale(language);
    return layout ? *layout : defaultLetterLayout();
}

std::string letterLayoutNames(std::string_view separator, std::string_view lastSeparator)
{
    std::string names;
    for (std::size_t index = 0; index < std::size(letterLayouts); ++index) {
        if (index)
            names += index + 1 == std::size(letterLayouts) ? lastSeparator : separator;
        names += letterLayouts[index].name;
    }
    return names;
}

const KeyboardLetterLayout* findLetterLayout(std::string_view name)
{
    for (const KeyboardLetterLayout& layout : letterLayouts) {
        if (sameIgnoringCase(layout.name, name))
            return &layout;
    }
    return nullptr;
}
