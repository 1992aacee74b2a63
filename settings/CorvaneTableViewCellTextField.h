#pragma once

#include "platform/uikit/UITableViewCell.h"
#include "platform/uikit/UITextField.h"

// A borderless, centred test field in which the user tries the keyboard with
// the current settings. It is its field's delegate: Return or the clear
// button empties the field and lets the keyboard go a moment later.
class CorvaneTableViewCellTextField final : public UITableViewCell {
public:
    static constexpr CGFloat fieldInset = 8.0F;
    static constexpr double keyboardDismissDelay = 0.1;

    static Class* staticClass();
    static RefPtr<CorvaneTableViewCellTextField> make(int style, NSString reuseIdentifier);

    CorvaneTableViewCellTextField();

    NSObject* initWithStyleReuseIdentifier(int style, NSString reuseIdentifier);
    void layoutSubviews();
    bool textFieldShouldReturn(UITextField* field);
    bool textFieldShouldClear(UITextField* field);

    // Held by the content view.
    UITextField* textField() const { return m_textField.get(); }

private:
    WeakPtr<UITextField> m_textField;
};
