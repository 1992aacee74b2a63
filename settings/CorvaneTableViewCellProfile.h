#pragma once

#include "platform/uikit/UIImageView.h"
#include "platform/uikit/UILabel.h"
#include "platform/uikit/UITableViewCell.h"

// A creator's tall row: picture, name, handle beside it, role line under
// them and the social network's bird at the right.
class CorvaneTableViewCellProfile final : public UITableViewCell {
public:
    static constexpr CGFloat pictureSide = 78;
    static constexpr CGFloat pictureLeft = 9;
    static constexpr CGFloat birdWidth = 16;
    static constexpr CGFloat birdHeight = 13;
    static constexpr CGFloat birdRight = 9;
    static constexpr CGFloat handleGap = 4.5F;
    static constexpr CGFloat infoGap = 2;
    static constexpr CGFloat infoHeight = 55;
    static constexpr CGFloat infoRightGap = 5;

    static Class* staticClass();
    static RefPtr<CorvaneTableViewCellProfile> make(int style, NSString reuseIdentifier);

    CorvaneTableViewCellProfile();

    NSObject* initWithStyleReuseIdentifier(int style, NSString reuseIdentifier);
    void setNameAndHandle(NSString name, NSString handle);
    void layoutSubviews();

    // Held by the content view.
    UIImageView* profileView() const { return m_profileView.get(); }
    UIImageView* birdView() const { return m_birdView.get(); }
    UILabel* nameLabel() const { return m_nameLabel.get(); }
    UILabel* handleLabel() const { return m_handleLabel.get(); }
    UILabel* infoLabel() const { return m_infoLabel.get(); }

private:
    bool hasAllParts() const
    {
        return m_profileView && m_birdView && m_nameLabel && m_handleLabel && m_infoLabel;
    }

    WeakPtr<UIImageView> m_profileView;
    WeakPtr<UIImageView> m_birdView;
    WeakPtr<UILabel> m_nameLabel;
    WeakPtr<UILabel> m_handleLabel;
    WeakPtr<UILabel> m_infoLabel;
};
