#include "platform/keyboard/CurrencySigns.h"

#include <string>
#include <unicode/normalizer2.h>
#include <unicode/ucurr.h>
#include <unicode/unistr.h>

namespace {

// The locale's currency symbol as a keyboard shows it: compatibility forms
// folded, so Japanese "￥" becomes "¥".
NSString currencySymbol(const std::string& locale)
{
    UErrorCode status = U_ZERO_ERROR;
    UChar code[4] = {};
    std::int32_t codeLength = ucurr_forLocale(locale.c_str(), code, 4, &status);
    if (U_FAILURE(status) || codeLength != 3)
        return {};
    UBool isChoiceFormat = false;
    std::int32_t symbolLength = 0;
    const UChar* symbol
        = ucurr_getName(code, locale.c_str(), UCURR_SYMBOL_NAME, &isChoiceFormat, &symbolLength, &status);
    if (U_FAILURE(status) || !symbol)
        return {};
    icu::UnicodeString text(symbol, symbolLength);
    if (const icu::Normalizer2* nfkc = icu::Normalizer2::getNFKCInstance(status); U_SUCCESS(status))
        text = nfkc->normalize(text, status);
    std::string utf8;
    text.toUTF8String(utf8);
    return U_SUCCESS(status) && !utf8.empty() ? NSString(std::move(utf8)) : NSString();
}

} // namespace

CurrencySigns CurrencySigns::forLocale(const NSString& localeIdentifier)
{
    CurrencySigns signs;
    signs.primary = currencySymbol(localeIdentifier.utf8());
    if (!signs.available())
        return signs;
    // The three most used other signs, in the order the keyboard lists them.
    std::size_t next = 0;
    for (const char* candidate : { "€", "$", "£", "¥" }) {
        if (next < signs.alternates.size() && !signs.primary.isEqualToString(candidate))
            signs.alternates[next++] = candidate;
    }
    return signs;
}
