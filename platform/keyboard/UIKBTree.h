#pragma once

#include "platform/PlatformExport.h"
#include "platform/keyboard/KeyboardSelectors.h"
#include "platform/keyboard/UIKBValues.h"

// What a node of the layout tree is.
enum class UIKBTreeType {
    Keyboard = 1,
    Keyplane = 2,
    // Pairs a keyplane with one of its key sets.
    KeyLayout = 3,
    KeySet = 4,
    Row = 5,
    // The look of a keyplane: it has no key set of its own.
    Geometry = 6,
    Key = 8,
};

// A node of the keyboard's layout tree: a keyboard holds keyplanes, a keyplane
// holds key layouts (each with a key set) and its geometry, a key set holds
// rows, a row holds keys. Nodes are built once per keyboard and then only
// their property and cache dictionaries change.
class PLATFORM_EXPORT UIKBTree final : public NSObject {
public:
    static Class* staticClass();
    static Ref<UIKBTree> make(UIKBTreeType type, NSString name, NSString unhashedName)
    {
        return makeRef<UIKBTree>(type, std::move(name), std::move(unhashedName));
    }

    UIKBTree(UIKBTreeType type, NSString name, NSString unhashedName);

    UIKBTreeType type() const { return m_type; }
    bool isKey() const { return m_type == UIKBTreeType::Key; }

    // Building; a tree is not changed this way once shown.
    void addSubtree(RefPtr<UIKBTree> subtree);
    void setKeySetNode(RefPtr<UIKBTree> keySet) { m_keySet = std::move(keySet); }
    void setFrames(CGRect frame, CGRect paddedFrame);
    void setDisplayType(int displayType) { m_displayType = displayType; }
    void setShiftAlternateKeyplaneName(NSString name) { m_shiftAlternateKeyplaneName = std::move(name); }
    void setComponentName(NSString name) { m_componentName = std::move(name); }

    // The platform's own implementations of the node messages.
    NSMutableArray* keys();
    NSMutableArray* subtrees() { return m_subtrees.get(); }
    NSObject* keySet() { return m_keySet.get(); }
    NSString name() { return m_name; }
    NSString unhashedName() { return m_unhashedName; }
    NSString componentName() { return m_componentName; }
    NSMutableDictionary* properties() { return m_properties.get(); }
    int displayType() { return m_displayType; }
    int displayTypeHint();
    NSString representedString();
    void setRepresentedString(NSString string);
    NSString displayString();
    NSString variantDisplayString();
    NSString shiftAlternateKeyplaneName() { return m_shiftAlternateKeyplaneName; }
    RefPtr<NSMutableArray> keysByKeyName(NSString keyName);
    // A key's frame is where a touch finds it; its padded frame is the cap
    // drawn inside that, where its labels go.
    CGRect frame() { return m_frame; }
    CGRect paddedFrame() { return m_paddedFrame; }
    NSMutableDictionary* cache() { return m_cache.get(); }

private:
    UIKBTreeType m_type;
    NSString m_name;
    NSString m_unhashedName;
    NSString m_componentName;
    NSString m_shiftAlternateKeyplaneName;
    RefPtr<NSMutableArray> m_subtrees;
    RefPtr<UIKBTree> m_keySet;
    RefPtr<NSMutableArray> m_keys;
    RefPtr<NSMutableDictionary> m_properties;
    RefPtr<NSMutableDictionary> m_cache;
    CGRect m_frame;
    CGRect m_paddedFrame;
    int m_displayType { UIKBKeyDisplayTypeString };
};

// The key-node property names the platform reads and writes.
namespace UIKBProperty {
inline constexpr const char* representedString = "KBrepresentedString";
inline constexpr const char* displayString = "KBdisplayString";
inline constexpr const char* displayTypeHint = "KBdisplayTypeHint";
inline constexpr const char* variantDisplayString = "KBvariantDisplayString";
// The accented variants a long press offers (an array of strings).
inline constexpr const char* variants = "KBvariants";
// The keyplane a "more" key switches to.
inline constexpr const char* keyplaneSwitch = "KBkeyplaneSwitch";
inline constexpr const char* popupBias = "popup-bias";
} // namespace UIKBProperty
