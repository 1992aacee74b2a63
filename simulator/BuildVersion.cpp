#include "simulator/BuildVersion.h"

#include "CorvaneBuildVersion.h"

std::string buildVersionText()
{
    std::string buildType = CORVANE_BUILD_TYPE;
    return std::string("corvane-sim ") + CORVANE_VERSION + " (commit " + CORVANE_COMMIT + ", "
        + (buildType.empty() ? "no build type" : buildType + " build") + ")";
}
