#pragma once
// The busy pointer for the whole screen, shown while a cursor moves or a
// long step runs. Showing it twice and restoring it once leaves it normal:
// handlers set it busy and normal in steps, not in pairs.

namespace mousePointer {
void busy();
void normal();
bool isBusy();
}  // namespace mousePointer
