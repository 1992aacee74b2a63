#include "platform/keyboard/UIKBTree.h"

Class* UIKBTree::staticClass()
{
    static Class* cls = [] {
        Class* created = objc_allocateClass("UIKBTree", NSObject::staticClass());
        addMethod<&UIKBTree::keys>(created, sel::keys);
        addMethod<&UIKBTree::subtrees>(created, sel::subtrees);
        addMethod<&UIKBTree::keySet>(created, sel::keySet);
        addMethod<&UIKBTree::name>(created, sel::name);
        addMethod<&UIKBTree::unhashedName>(created, sel::unhashedName);
        addMethod<&UIKBTree::componentName>(created, sel::componentName);
        addMethod<&UIKBTree::properties>(created, sel::properties);
        addMethod<&UIKBTree::displayType>(created, sel::displayType);
        addMethod<&UIKBTree::displayTypeHint>(created, sel::displayTypeHint);
        addMethod<&UIKBTree::representedString>(created, sel::representedString);
        addMethod<&UIKBTree::setRepresentedString>(created, sel::setRepresentedString);
        addMethod<&UIKBTree::displayString>(created, sel::displayString);
        addMethod<&UIKBTree::variantDisplayString>(created, sel::variantDisplayString);
        addMethod<&UIKBTree::shiftAlternateKeyplaneName>(created, sel::shiftAlternateKeyplaneName);
        addMethod<&UIKBTree::keysByKeyName>(created, sel::keysByKeyName);
        addMethod<&UIKBTree::frame>(created, sel::frame);
        addMethod<&UIKBTree::paddedFrame>(created, sel::paddedFrame);
        addMethod<&UIKBTree::cache>(created, sel::cache);
        return created;
    }();
    return cls;
}

UIKBTree::UIKBTree(UIKBTreeType type, NSString name, NSString unhashedName)
    : NSObject(staticClass())
    , m_type(type)
    , m_name(name)
    , m_unhashedName(std::move(unhashedName))
    , m_componentName(std::move(name))
    , m_subtrees(NSMutableArray::array())
    , m_properties(NSMutableDictionary::dictionary())
    , m_cache(NSMutableDictionary::dictionary())
{
}

void UIKBTree::addSubtree(RefPtr<UIKBTree> subtree)
{
    m_subtrees->addObject(RefPtr<NSObject>(std::move(subtree)));
    m_keys = nullptr;
}

void UIKBTree::setFrames(CGRect frame, CGRect paddedFrame)
{
    m_frame = frame;
    m_paddedFrame = paddedFrame;
}

NSMutableArray* UIKBTree::keys()
{
    // Made once, so every caller sees the same array in the same order.
    if (m_keys)
        return m_keys.get();
    m_keys = NSMutableArray::array();
    auto collectFrom = [this](NSObject* node) {
        if (NSMutableArray* nested = send(node, sel::keys)) {
            for (const Value& key : *nested)
                m_keys->addObject(key);
        }
    };
    switch (m_type) {
    case UIKBTreeType::Key:
    case UIKBTreeType::Geometry:
        break;
    case UIKBTreeType::Row:
        for (const Value& subtree : *m_subtrees)
            m_keys->addObject(subtree);
        break;
    case UIKBTreeType::KeyLayout:
        collectFrom(send(this, sel::keySet));
        break;
    case UIKBTreeType::Keyplane:
        // A keyplane's keys are those of its key sets, in row order.
        for (const Value& subtree : *m_subtrees)
            collectFrom(send(subtree.object(), sel::keySet));
        break;
    case UIKBTreeType::Keyboard:
    case UIKBTreeType::KeySet:
        for (const Value& subtree : *m_subtrees)
            collectFrom(subtree.object());
        break;
    }
    return m_keys.get();
}

int UIKBTree::displayTypeHint()
{
    return send(this, sel::properties)->objectForKey(UIKBProperty::displayTypeHint).intValue();
}

NSString UIKBTree::representedString()
{
    return send(this, sel::properties)->objectForKey(UIKBProperty::representedString).string();
}

void UIKBTree::setRepresentedString(NSString string)
{
    send(this, sel::properties)->setObject(std::move(string), UIKBProperty::representedString);
}

NSString UIKBTree::displayString()
{
    return send(this, sel::properties)->objectForKey(UIKBProperty::displayString).string();
}

NSString UIKBTree::variantDisplayString()
{
    return send(this, sel::properties)->objectForKey(UIKBProperty::variantDisplayString).string();
}

RefPtr<NSMutableArray> UIKBTree::keysByKeyName(NSString keyName)
{
    auto found = NSMutableArray::array();
    NSMutableArray* all = send(this, sel::keys);
    if (!all)
        return found;
    for (const Value& key : *all) {
        if (send(key.object(), sel::name).isEqualToString(keyName))
            found->addObject(key);
    }
    return found;
}
