#pragma once

#include "platform/PlatformExport.h"
#include "platform/foundation/ErrorOr.h"
#include "platform/foundation/Value.h"

#include <cstddef>
#include <string>
#include <string_view>

// What a property-list reader accepts; callers that read on a hot path ask
// for less.
struct PropertyListLimits {
    std::size_t fileSize { 16 * 1024 * 1024 };
    std::size_t depth { 512 };
    std::size_t values { 1 << 20 };
};

// Property lists in the platform's two encodings, XML and binary, for the
// values a list can hold: dictionaries, arrays, strings, integers (signed
// and unsigned), reals, booleans, data and dates. Reading is hardened for
// files anyone could have put there: only regular files up to a size cap,
// nesting up to a depth, a bounded number of values.
class PLATFORM_EXPORT PropertyList {
public:
    PropertyList() = delete;

    enum class Format { XML, Binary };

    using Limits = PropertyListLimits;
    static constexpr std::size_t maximumFileSize = Limits {}.fileSize;
    static constexpr std::size_t maximumDepth = Limits {}.depth;
    static constexpr std::size_t maximumValues = Limits {}.values;

    // Either encoding, told apart by its first bytes.
    static ErrorOr<Value> parse(std::string_view bytes, const Limits& limits = {});
    static ErrorOr<std::string> serialize(const Value& root, Format format);
    static ErrorOr<std::string> serialize(const NSMutableDictionary& root, Format format);

    static ErrorOr<Value> readFile(const std::string& path, const Limits& limits = {});
    // Atomically: the file holds the old list or the new one, whatever happens.
    static ErrorOr<void> writeFile(
        const Value& root, const std::string& path, Format format, bool atomically);
    static ErrorOr<void> writeFile(
        const NSMutableDictionary& root, const std::string& path, Format format, bool atomically);
};
