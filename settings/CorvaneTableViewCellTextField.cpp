#include "settings/CorvaneTableViewCellTextField.h"

#include "platform/foundation/PerformSelector.h"
#include "settings/SuperMessage.h"

Class* CorvaneTableViewCellTextField::staticClass()
{
    static Class* cls = [] {
        Class* created = objc_allocateClass("CorvaneTableViewCellTextField", UITableViewCell::staticClass());
        addMethod<&CorvaneTableViewCellTextField::initWithStyleReuseIdentifier>(
            created, sel::initWithStyleReuseIdentifier);
        addMethod<&CorvaneTableViewCellTextField::layoutSubviews>(created, sel::layoutSubviews);
        addMethod<&CorvaneTableViewCellTextField::textFieldShouldReturn>(created, sel::textFieldShouldReturn);
        addMethod<&CorvaneTableViewCellTextField::textFieldShouldClear>(created, sel::textFieldShouldClear);
        return created;
    }();
    return cls;
}

RefPtr<CorvaneTableViewCellTextField> CorvaneTableViewCellTextField::make(int style, NSString reuseIdentifier)
{
    auto cell = makeRef<CorvaneTableViewCellTextField>();
    if (!send(cell.get(), sel::initWithStyleReuseIdentifier, style, std::move(reuseIdentifier)))
        return nullptr;
    return cell;
}

CorvaneTableViewCellTextField::CorvaneTableViewCellTextField()
    : UITableViewCell(staticClass())
{
}

// The style asked for is ignored: the field sits in a default cell.
NSObject* CorvaneTableViewCellTextField::initWithStyleReuseIdentifier(int, NSString reuseIdentifier)
{
    if (!sendSuper(staticClass()->superclass(), this, sel::initWithStyleReuseIdentifier,
            UITableViewCellStyleDefault, std::move(reuseIdentifier)))
        return nullptr;
    setSelectionStyle(UITableViewCellSelectionStyleNone);

    auto field = UITextField::make();
    field->setBackgroundColor(UIColor::clearColor().get());
    field->setPlaceholder("Test Keyboard");
    field->setTextAlignment(UITextAlignmentCenter);
    field->setContentVerticalAlignment(UIControlContentVerticalAlignmentCenter);
    field->setClearButtonMode(UITextFieldViewModeWhileEditing);
    field->setDelegate(this);
    contentView()->addSubview(field);
    m_textField = field.get();
    return this;
}

void CorvaneTableViewCellTextField::layoutSubviews()
{
    sendSuper(staticClass()->superclass(), this, sel::layoutSubviews);
    CGSize content = contentView()->frame().size;
    send(m_textField, sel::setFrame,
        CGRectMake(fieldInset, 0, content.width - 2 * fieldInset, content.height));
}

bool CorvaneTableViewCellTextField::textFieldShouldReturn(UITextField*)
{
    if (m_textField)
        m_textField->setText("");
    performSelectorAfterDelay(m_textField.get(), sel::resignFirstResponder, nullptr, keyboardDismissDelay);
    return false;
}

bool CorvaneTableViewCellTextField::textFieldShouldClear(UITextField*)
{
    performSelectorAfterDelay(m_textField.get(), sel::resignFirstResponder, nullptr, keyboardDismissDelay);
    return true;
}
