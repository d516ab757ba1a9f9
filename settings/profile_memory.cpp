// In-memory stand-in for the private-profile functions (native tests and fuzzing).
#include "settings/profile.h"
