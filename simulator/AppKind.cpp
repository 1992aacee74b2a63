#include "simulator/AppKind.h"

std::string_view appWord(AppKind app)
{
    switch (app) {
    case AppKind::Test:
        return "test";
    case AppKind::Notes:
        return "notes";
    case AppKind::Settings:
        return "settings";
    }
    return "test";
}

std::optional<AppKind> appFromWord(std::string_view word)
{
    for (AppKind app : { AppKind::Test, AppKind::Notes, AppKind::Settings }) {
        if (appWord(app) == word)
            return app;
    }
    return std::nullopt;
}

std::string_view appDisplayName(AppKind app)
{
    switch (app) {
    case AppKind::Test:
        return "keyboard test";
    case AppKind::Notes:
        return "Notes";
    case AppKind::Settings:
        return "Settings";
    }
    return "keyboard test";
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
