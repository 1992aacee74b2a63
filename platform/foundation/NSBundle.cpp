#include "platform/foundation/NSBundle.h"

#include "platform/foundation/NSLocale.h"
#include "platform/runtime/Class.h"
#include "platform/runtime/Message.h"

#include <algorithm>
#include <filesystem>

namespace {

bool isRegularFile(const std::string& path)
{
    std::error_code ignored;
    return std::filesystem::is_regular_file(path, ignored);
}

} // namespace

Class* NSBundle::staticClass()
{
    static Class* cls = [] {
        Class* created = objc_allocateClass("NSBundle", NSObject::staticClass());
        addMethod<&NSBundle::bundlePath>(created, sel::bundlePath);
        addMethod<&NSBundle::bundleIdentifier>(created, sel::bundleIdentifier);
        addMethod<&NSBundle::infoDictionary>(created, sel::infoDictionary);
        addMethod<&NSBundle::pathForResource>(created, sel::pathForResourceOfType);
        addMethod<&NSBundle::localizedStringForKey>(created, sel::localizedStringForKeyValueTable);
        return created;
    }();
    return cls;
}

RefPtr<NSBundle> NSBundle::bundleWithPath(const std::string& path)
{
    std::error_code ignored;
    if (path.empty() || !std::filesystem::is_directory(path, ignored))
        return nullptr;
    std::string trimmed = path;
    while (trimmed.size() > 1 && trimmed.back() == '/')
        trimmed.pop_back();
    return makeRef<NSBundle>(std::move(trimmed));
}

NSBundle::NSBundle(std::string path)
    : NSObject(staticClass())
    , m_path(std::move(path))
{
}

NSMutableDictionary* NSBundle::infoDictionary()
{
    if (!m_infoDictionary) {
        m_infoDictionary = NSMutableDictionary::dictionaryWithContentsOfFile(m_path + "/Info.plist");
        if (!m_infoDictionary)
            m_infoDictionary = NSMutableDictionary::dictionary();
    }
    return m_infoDictionary.get();
}

NSString NSBundle::bundleIdentifier()
{
    NSMutableDictionary* info = send(this, sel::infoDictionary);
    return info ? info->objectForKey("CFBundleIdentifier").string() : NSString();
}

std::vector<std::string> NSBundle::localizationFolders() const
{
    std::vector<std::string> folders;
    std::string identifier = NSLocale::currentLocaleIdentifier().utf8();
    std::string language = NSLocale::currentLanguageCode().utf8();
    for (const std::string& name :
        { identifier, language, std::string("en"), std::string("English"), std::string("Base") }) {
        std::string folder = m_path + "/" + name + ".lproj";
        if (!name.empty() && std::find(folders.begin(), folders.end(), folder) == folders.end())
            folders.push_back(folder);
    }
    return folders;
}

NSString NSBundle::pathForResource(NSString name, NSString type)
{
    // A resource name is a file name; it never reaches outside the bundle.
    if (name.isEmpty() || name.containsString("/") || type.containsString("/"))
        return {};
    std::string fileName = name.utf8();
    std::string extension = type.utf8();
    if (!extension.empty())
        fileName += extension.front() == '.' ? extension : "." + extension;
    if (fileName == "." || fileName == "..")
        return {};
    if (isRegularFile(m_path + "/" + fileName))
        return NSString(m_path + "/" + fileName);
    for (const std::string& folder : localizationFolders()) {
        if (isRegularFile(folder + "/" + fileName))
            return NSString(folder + "/" + fileName);
    }
    return {};
}

NSMutableDictionary* NSBundle::stringTable(const std::string& table)
{
    std::string cacheKey = NSLocale::currentLocaleIdentifier().utf8() + "/" + table;
    auto cached = m_stringTables.find(cacheKey);
    if (cached != m_stringTables.end())
        return cached->second.get();
    RefPtr<NSMutableDictionary> found;
    for (const std::string& folder : localizationFolders()) {
        if ((found = NSMutableDictionary::dictionaryWithContentsOfFile(folder + "/" + table + ".strings")))
            break;
    }
    if (!found)
        found = NSMutableDictionary::dictionary();
    return m_stringTables.emplace(cacheKey, found).first->second.get();
}

NSString NSBundle::localizedStringForKey(NSString key, NSString value, NSString table)
{
    // A table name is a file name too.
    std::string tableName = table.isEmpty() ? std::string("Localizable") : table.utf8();
    if (!key.isNil() && tableName.find('/') == std::string::npos) {
        NSString found = stringTable(tableName)->objectForKey(key.utf8()).string();
        if (!found.isNil())
            return found;
    }
    return value.isEmpty() ? key : value;
}
