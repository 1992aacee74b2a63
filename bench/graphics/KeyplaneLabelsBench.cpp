#include "platform/graphics/CGBitmapContext.h"
#include "platform/graphics/CTFramesetter.h"
#include "platform/graphics/NSStringDrawing.h"

#include <benchmark/benchmark.h>
#include <string>
#include <vector>

namespace {

// The labels of a portrait keyplane: 35 keys in four rows, each with its
// alternate above it, drawn the way the keyboard draws them on every
// display while the key-image cache is off.
constexpr CGFloat viewWidth = 320;
constexpr CGFloat viewHeight = 216;
constexpr CGFloat keyHeight = 54;

struct Key {
    std::string main;
    std::string alternate;
    CGRect paddedFrame;
};

std::vector<Key> keyplane()
{
    const char* rows[] = { "QWERTYUIOP", "ASDFGHJKL", "ZXCVBNM", "'-.,/?!@:" };
    const char* alternates[] = { "1234567890", "-/:;()$&@", ".,?!'\"%", "#*+=_\\|~<" };
    std::vector<Key> keys;
    for (int row = 0; row < 4; ++row) {
        std::string mains = rows[row];
        for (std::size_t index = 0; index < mains.size() && keys.size() < 35; ++index) {
            keys.push_back({ std::string(1, mains[index]), std::string(1, alternates[row][index]),
                CGRectMake(static_cast<CGFloat>(index) * 32, static_cast<CGFloat>(row) * keyHeight, 32,
                    keyHeight) });
        }
    }
    return keys;
}

CTStringAttributes labelAttributes(CGFloat size, CGColor color, CGFloat lineHeight)
{
    CTStringAttributes attributes;
    attributes.font = CTFontCreateWithName("Helvetica-Bold", size);
    attributes.foregroundColor = color;
    attributes.paragraphStyle
        = CTParagraphStyleCreate({ { kCTParagraphStyleSpecifierAlignment, kCTTextAlignmentCenter },
            { kCTParagraphStyleSpecifierMinimumLineHeight, lineHeight },
            { kCTParagraphStyleSpecifierMaximumLineHeight, lineHeight } });
    return attributes;
}

void drawKeyplaneLabels(CGContextRef context, const std::vector<Key>& keys)
{
    CGContextSaveGState(context);
    CGContextSetTextMatrix(context, CGAffineTransformIdentity);
    CGContextTranslateCTM(context, 0, viewHeight);
    CGContextScaleCTM(context, 1, -1);
    CGContextSetShadowWithColor(context, CGSizeMake(0, 1), 0, CGColor::white(1));
    CTStringAttributes primary = labelAttributes(20, CGColor::white(0), keyHeight * 0.5f);
    CTStringAttributes alternate
        = labelAttributes(11, CGColor::white(0.5f), static_cast<CGFloat>(keyHeight * 0.37));
    for (const Key& key : keys) {
        NSString text = NSString::stringWithFormat("%@\n%@", { NSString(key.alternate), NSString(key.main) });
        NSAttributedString string(text);
        (void)string.setAttributes(alternate, { 0, 1 });
        (void)string.setAttributes(primary, { 2, 1 });
        CGRect rect = key.paddedFrame;
        CGPathRef path = CGPathCreateWithRect(
            CGRectMake(rect.minX(), viewHeight - rect.minY() - rect.height(), rect.width(), rect.height()));
        CTFrameRef frame = CTFramesetterCreateFrame(
            CTFramesetterCreateWithAttributedString(string), CFRangeMake(0, 0), path);
        CTFrameDraw(frame, context);
    }
    CGContextRestoreGState(context);
}

void KeyplaneLabelsAt2x(benchmark::State& state)
{
    auto context = CGBitmapContextCreate(viewWidth, viewHeight, 2);
    std::vector<Key> keys = keyplane();
    for (auto _ : state) {
        CGContextClearRect(context.get(), CGRectMake(0, 0, viewWidth, viewHeight));
        drawKeyplaneLabels(context.get(), keys);
    }
    state.SetLabel("goal: well under 4 ms per keyplane");
}
BENCHMARK(KeyplaneLabelsAt2x)->Unit(benchmark::kMillisecond);

void SentenceMeasuring(benchmark::State& state)
{
    CTFontRef font = CTFontCreateWithName("HelveticaNeue", 17);
    for (auto _ : state)
        benchmark::DoNotOptimize(sizeWithFont("on a key on the keyboard to", font));
}
BENCHMARK(SentenceMeasuring)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
