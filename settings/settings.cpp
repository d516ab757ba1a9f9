// (stub: the settings store is being written)
#include "settings/settings.h"

namespace settings {
void loadSettingNames() {}
void readSettings() {}
void writeDialogSettings() {}
void writeViewSettings() {}
void writeWindowGeometry() {}
} // namespace settings
