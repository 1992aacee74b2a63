// A few keyplanes of the label-ink check, chosen to cover each way a label
// is drawn: letters with alternates in portrait, a language's eleven-key rows
// in landscape, shift-locked capitals on the e-mail keyboard, letters drawn
// alone, and the symbols. tools/check-label-ink checks every keyplane.
#include "LabelInk.h"

namespace label_ink {
namespace {

INSTANTIATE_TEST_SUITE_P(RepresentativeKeyplanes, LabelInkOnCaps,
    testing::Values(KeyplaneCase { "QWERTY", 0, false, "Small-Letters", Corvane::AlternateKey },
        KeyplaneCase { "German", 0, true, "Small-Letters", Corvane::AlternateKey },
        KeyplaneCase { "AZERTY", 7, true, "Capital-Letters", Corvane::AlternateKey },
        KeyplaneCase { "Spanish", 0, false, "Small-Letters", Corvane::ShiftedKey },
        KeyplaneCase { "Danish", 3, false, "Numbers-And-Punctuation-Alternate", Corvane::AlternateKey }),
    [](const testing::TestParamInfo<KeyplaneCase>& each) { return each.param.name(); });

} // namespace
} // namespace label_ink
