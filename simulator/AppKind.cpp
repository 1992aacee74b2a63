#include "simulator/AppKind.h"

#include <algorithm>
#include <iterator>

namespace {

struct AppNames {
    AppKind app;
    std::string_view word;
    std::string_view displayName;
};

constexpr AppNames appNames[] = {
    { AppKind::Test, "test", "keyboard test" },
    { AppKind::Notes, "notes", "Notes" },
    { AppKind::Settings, "settings", "Settings" },
};

const AppNames& namesOf(AppKind app)
{
    return *std::find_if(
        std::begin(appNames), std::end(appNames), [app](const AppNames& names) { return names.app == app; });
}

} // namespace

std::string_view appWord(AppKind app)
{
    return namesOf(app).word;
}

std::optional<AppKind> appFromWord(std::string_view word)
{
    for (const AppNames& names : appNames) {
        if (names.word == word)
            return names.app;
    }
    return std::nullopt;
}

std::string_view appDisplayName(AppKind app)
{
    return namesOf(app).displayName;
}

std::string_view orientationWord(ScreenOrientation orientation)
{
    return orientation == ScreenOrientation::Landscape ? "landscape" : "portrait";
}

std::optional<ScreenOrientation> orientationFromWord(std::string_view word)
{
    if (word == "portrait")
        return ScreenOrientation::Portrait;
    if (word == "landscape")
        return ScreenOrientation::Landscape;
    return std::nullopt;
}
