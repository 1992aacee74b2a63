#include "platform/graphics/NSAttributedString.h"

#include "platform/graphics/ValidUTF8.h"

#include <algorithm>

NSAttributedString::NSAttributedString(NSString string)
    : NSAttributedString(std::move(string), CTStringAttributes {})
{
}

NSAttributedString::NSAttributedString(NSString string, CTStringAttributes attributes)
    : m_string(string.isNil() ? NSString("") : withValidUTF8(string))
    , m_length(m_string.length())
{
    if (m_length)
        m_runs.push_back({ { 0, m_length }, std::move(attributes) });
}

bool NSAttributedString::setAttributes(const CTStringAttributes& attributes, NSRange range)
{
    if (range.location > m_length || range.length > m_length - range.location)
        return false;
    if (!range.length)
        return true;
    std::size_t end = range.location + range.length;
    std::vector<Run> runs;
    runs.reserve(m_runs.size() + 2);
    bool inserted = false;
    for (const Run& run : m_runs) {
        std::size_t runEnd = run.range.location + run.range.length;
        if (run.range.location < range.location)
            runs.push_back({ { run.range.location, std::min(runEnd, range.location) - run.range.location },
                run.attributes });
        if (!inserted && runEnd > range.location) {
            runs.push_back({ range, attributes });
            inserted = true;
        }
        if (runEnd > end) {
            std::size_t start = std::max(run.range.location, end);
            runs.push_back({ { start, runEnd - start }, run.attributes });
        }
    }
    m_runs = std::move(runs);
    return true;
}

const CTStringAttributes& NSAttributedString::attributesAtIndex(
    std::size_t index, NSRange* effectiveRange) const
{
    static const CTStringAttributes none;
    auto run = std::find_if(m_runs.begin(), m_runs.end(),
        [&](const Run& candidate) { return index < candidate.range.location + candidate.range.length; });
    if (index >= m_length || run == m_runs.end()) {
        if (effectiveRange)
            *effectiveRange = { NSNotFound, 0 };
        return none;
    }
    if (effectiveRange)
        *effectiveRange = run->range;
    return run->attributes;
}

NSAttributedString CFAttributedStringCreate(NSString string, CTStringAttributes attributes)
{
    return NSAttributedString(std::move(string), std::move(attributes));
}
