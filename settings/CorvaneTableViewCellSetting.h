#pragma once

#include "platform/uikit/UILabel.h"
#include "platform/uikit/UITableViewCell.h"

class CorvaneSettingButton;

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

    // Held by the content view.
    CorvaneSettingButton* gestureButton() const { return m_gestureButton; }
    CorvaneSettingButton* typeButton() const { return m_typeButton; }
    UILabel* firstLabel() const { return m_firstLabel; }
    UILabel* secondLabel() const { return m_secondLabel; }
    UILabel* thirdLabel() const { return m_thirdLabel; }

private:
    static CGFloat singleLineWidth(UILabel* label);

    CorvaneSettingButton* m_gestureButton { nullptr };
    CorvaneSettingButton* m_typeButton { nullptr };
    UILabel* m_firstLabel { nullptr };
    UILabel* m_secondLabel { nullptr };
    UILabel* m_thirdLabel { nullptr };
};
