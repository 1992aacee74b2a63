// The bundle's executable. Loading it registers the pane's classes, so that
// the Settings host finds the principal class by name right after loading.
#include "settings/CorvanePrefController.h"
#include "settings/CorvaneProfileController.h"
#include "settings/CorvaneSettingButton.h"
#include "settings/CorvaneTableViewCellProfile.h"
#include "settings/CorvaneTableViewCellSetting.h"
#include "settings/CorvaneTableViewCellTextField.h"
#include "settings/CorvaneTableViewCellTransparentSubtitle.h"
#include "settings/PrefsHelper.h"

namespace {

bool registerPaneClasses()
{
    PrefsHelper::staticClass();
    CorvaneSettingButton::staticClass();
    CorvaneTableViewCellSetting::staticClass();
    CorvaneTableViewCellTextField::staticClass();
    CorvaneTableViewCellTransparentSubtitle::staticClass();
    CorvaneTableViewCellProfile::staticClass();
    CorvaneProfileController::staticClass();
    CorvanePrefController::staticClass();
    return true;
}

[[maybe_unused]] const bool paneClassesRegistered = registerPaneClasses();

} // namespace
