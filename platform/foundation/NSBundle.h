#pragma once

#include "platform/PlatformExport.h"
#include "platform/foundation/NSMutableDictionary.h"
#include "platform/foundation/NSString.h"
#include "platform/runtime/Selector.h"

#include <map>
#include <string>
#include <vector>

class NSBundle;

namespace sel {
inline constinit Selector<NSString()> bundlePath("bundlePath");
inline constinit Selector<NSString()> bundleIdentifier("bundleIdentifier");
inline constinit Selector<NSMutableDictionary*()> infoDictionary("infoDictionary");
inline constinit Selector<NSString(NSString, NSString)> pathForResourceOfType("pathForResource:ofType:");
inline constinit Selector<NSString(NSString, NSString, NSString)> localizedStringForKeyValueTable(
    "localizedStringForKey:value:table:");
} // namespace sel

// A folder of resources: Info.plist at its top, resources at the top or in
// localisation folders ("de.lproj", "en.lproj", "English.lproj",
// "Base.lproj"), string tables as property lists ("Localizable.strings").
// Paths are host paths; a device path goes through DeviceRoot first.
class PLATFORM_EXPORT NSBundle final : public NSObject {
public:
    static Class* staticClass();
    // Nothing unless the path names a folder.
    static RefPtr<NSBundle> bundleWithPath(const std::string& path);

    explicit NSBundle(std::string path);

    NSString bundlePath() const { return NSString(m_path); }
    // The bundle's Info.plist; an empty dictionary when it has none.
    NSMutableDictionary* infoDictionary();
    // Info.plist's CFBundleIdentifier; nil when absent.
    NSString bundleIdentifier();
    // The file "name.type" (or "name" when the type is empty) at the top of
    // the bundle or in a localisation folder; nil when there is none.
    NSString pathForResource(NSString name, NSString type);
    // The key's string in the table ("Localizable" when the table is nil or
    // empty) of the first localisation folder that has the table; when the
    // key is not there, the value if it is non-empty, else the key.
    NSString localizedStringForKey(NSString key, NSString value, NSString table);

private:
    std::vector<std::string> localizationFolders() const;
    NSMutableDictionary* stringTable(const std::string& table);

    std::string m_path;
    RefPtr<NSMutableDictionary> m_infoDictionary;
    // Tables by locale and name; a table that is missing is remembered as empty.
    std::map<std::string, RefPtr<NSMutableDictionary>> m_stringTables;
};
