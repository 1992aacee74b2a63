// Every keyplane of every letter layout and keyboard kind, in both
// orientations, with Corvane off and in both of its modes: the whole
// label-ink check, which tools/check-label-ink runs. At the end it prints the
// smallest margins between a label's ink and its cap's edges.
#include "LabelInk.h"

#include <cstdio>

namespace label_ink {
namespace {

std::vector<KeyplaneCase> everyKeyplane()
{
    std::vector<KeyplaneCase> cases;
    for (const KeyboardLetterLayout& layout : keyboardLetterLayouts()) {
        for (int keyboardType : { 0, 3, 7 }) {
            for (bool landscape : { false, true }) {
                for (const char* keyplane : { "Small-Letters", "Capital-Letters", "Numbers-And-Punctuation",
                         "Numbers-And-Punctuation-Alternate" }) {
                    for (Corvane corvane : { Corvane::Off, Corvane::AlternateKey, Corvane::ShiftedKey })
                        cases.push_back({ layout.name.data(), keyboardType, landscape, keyplane, corvane });
                }
            }
        }
    }
    return cases;
}

INSTANTIATE_TEST_SUITE_P(EveryKeyplane, LabelInkOnCaps, testing::ValuesIn(everyKeyplane()),
    [](const testing::TestParamInfo<KeyplaneCase>& each) { return each.param.name(); });

class MarginsReport final : public testing::Environment {
    void TearDown() override
    {
        for (bool landscape : { false, true }) {
            for (Corvane corvane : { Corvane::Off, Corvane::AlternateKey, Corvane::ShiftedKey }) {
                const Margins& seen = marginsSeen(landscape, corvane);
                const char* orientation = landscape ? "landscape" : "portrait";
                std::printf(
                    "%s, %s: %d labels; the least room between a label's ink and its cap's edge, at 2x:\n",
                    orientation, corvaneWord(corvane), seen.keysMeasured);
                for (const auto& [edge, margin] :
                    { std::pair { "left", &seen.left }, std::pair { "right", &seen.right },
                        std::pair { "top", &seen.top }, std::pair { "bottom", &seen.bottom } })
                    std::printf("  %s %d px (%s)\n", edge, margin->pixels, margin->where.c_str());
                if (corvane == Corvane::ShiftedKey)
                    std::printf("  a capital drawn alone stands %.1f to %.1f px below its cap's middle\n",
                        seen.letterBelowMiddleLeast, seen.letterBelowMiddleMost);
            }
        }
    }
};

[[maybe_unused]] testing::Environment* const marginsReport
    = testing::AddGlobalTestEnvironment(new MarginsReport);

} // namespace
} // namespace label_ink
