#include "keyboard/KeyCapLabels.h"

#include "keyboard/KeyPropertyEntries.h"
#include "keyboard/KeyboardModel.h"
#include "platform/graphics/CTFramesetter.h"

namespace {

// Straight quotes and the hyphen are drawn in their typographic forms; the
// stored strings stay as they are.
NSString typographicLabel(const NSString& label)
{
    // Most labels have none of the three; they are drawn as they are stored.
    if (label.utf8().find_first_of("'\"-") == std::string::npos)
        return label;
    static const NSString apostrophe("'");
    static const NSString quotationMark("\"");
    static const NSString hyphenMinus("-");
    static const NSString rightSingleQuotationMark("\u2019");
    static const NSString rightDoubleQuotationMark("\u201D");
    static const NSString enDash("\u2013");
    return label.stringByReplacingOccurrencesOfString(apostrophe, rightSingleQuotationMark)
        .stringByReplacingOccurrencesOfString(quotationMark, rightDoubleQuotationMark)
        .stringByReplacingOccurrencesOfString(hyphenMinus, enDash);
}

NSAttributedString composeLabels(const NSString& main, const NSString& alternate,
    const CTStringAttributes& singleSet, const CTStringAttributes& primarySet,
    const std::optional<CTStringAttributes>& alternateSet)
{
    if (alternate.isNil() || !alternateSet)
        return NSAttributedString(main, singleSet);
    // The line feed between the two labels carries no attributes.
    NSAttributedString text(NSString::stringWithFormat("%@\n%@", { alternate, main }));
    text.setAttributes(*alternateSet, { 0, alternate.length() });
    text.setAttributes(primarySet, { alternate.length() + 1, main.length() });
    return text;
}

} // namespace

void drawKeyCapLabels(CGContextRef context, NSObject* key, const CTStringAttributes& singleSet,
    const CTStringAttributes& primarySet, const std::optional<CTStringAttributes>& alternateSet,
    bool inKeyView, bool shiftLocked, CGFloat referenceHeight)
{
    // The labels in their typographic forms; the alternate for shift lock
    // while it is on, and no other when the key lacks that one.
    NSString main = nodeProperty(key, entry::displayString).string();
    if (main.isNil())
        return;
    main = typographicLabel(main);
    NSString alternate = nodeProperty(
        key, shiftLocked ? entry::representedStringAltShiftLocked : entry::representedStringAlt)
                             .string();
    if (!alternate.isNil())
        alternate = typographicLabel(alternate);

    NSAttributedString text = composeLabels(main, alternate, singleSet, primarySet, alternateSet);

    // In the prepared coordinates the keyplane's rectangle is exactly the padded frame.
    CGRect padded = send(key, sel::paddedFrame);
    CGRect area = inKeyView ? CGRectMake(0, 0, padded.width(), padded.height())
                            : CGRectMake(padded.minX(), referenceHeight - padded.minY() - padded.height(),
                                padded.width(), padded.height());

    CTFramesetterRef framesetter = CTFramesetterCreateWithAttributedString(text);
    CTFrameRef frame = CTFramesetterCreateFrame(
        framesetter, CFRangeMake(0, static_cast<CFIndex>(text.length())), CGPathCreateWithRect(area));
    CTFrameDraw(frame, context);
}
