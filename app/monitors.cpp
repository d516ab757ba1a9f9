// The monitors as the system lists them, for the screensaver's travel area and for the window's
// place at start-up.
#include "app/app.h"

namespace app {

std::size_t listMonitors(MonitorList& monitors, MonitorPart part) {
    struct Found {
        MonitorList* list;
        MonitorPart part;
        std::size_t count;
    } found{&monitors, part, 0};
    EnumDisplayMonitors(
        nullptr, nullptr,
        [](HMONITOR monitor, HDC, LPRECT, LPARAM data) -> BOOL {
            auto* f = reinterpret_cast<Found*>(data);
            MONITORINFO info{};
            info.cbSize = sizeof info;
            if (f->count < f->list->size() && GetMonitorInfoW(monitor, &info)) {
                const RECT& r = f->part == MonitorPart::whole ? info.rcMonitor : info.rcWork;
                (*f->list)[f->count++] = {r.left, r.top, r.right, r.bottom};
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found.count;
}

} // namespace app
