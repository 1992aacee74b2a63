#pragma once

#include "platform/uikit/UILabel.h"
#include "platform/uikit/UITableViewCell.h"
#include "settings/CorvaneSettingButton.h"

// The two settings as one centred sentence on two lines with two tappable
// words: "<gesture> on a key on the keyboard to" / "input its <type>.".
class CorvaneTableViewCellSetting final : public UITableViewCell {
public:
    static constexpr CGFloat labelFontSize = 17.0F;
    static constexpr CGFloat lineHeight = 28.0F;

    static Class* staticClass();
    static RefPtr<CorvaneTableViewCellSetting> make(int style, NSString reuseIdentifier);

    CorvaneTableViewCellSetting();

    NSObject* initWithStyleReuseIdentifier(int style, NSString reuseIdentifier);
    RefPtr<UILabel> createLabel(NSString text);
    void layoutSubviews();

    // Held by the content view; nothing once taken away from it and gone.
    CorvaneSettingButton* gestureButton() const { return m_gestureButton.get(); }
    CorvaneSettingButton* typeButton() const { return m_typeButton.get(); }
    UILabel* firstLabel() const { return m_firstLabel.get(); }
    UILabel* secondLabel() const { return m_secondLabel.get(); }
    UILabel* thirdLabel() const { return m_thirdLabel.get(); }

private:
    static CGFloat singleLineWidth(UILabel* label);

    WeakPtr<CorvaneSettingButton> m_gestureButton;
    WeakPtr<CorvaneSettingButton> m_typeButton;
    WeakPtr<UILabel> m_firstLabel;
    WeakPtr<UILabel> m_secondLabel;
    WeakPtr<UILabel> m_thirdLabel;
};
