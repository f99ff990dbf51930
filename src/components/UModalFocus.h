#pragma once

namespace numora {

// After a modal message or dialog closes, the window that was active when it opened is active
// again, with the focus on the control that had it: a dialog owned by the main strip would
// otherwise hand the activation to the strip, and the next key would go there. Installed once
// for the whole application; later calls do nothing.
void KeepFocusAcrossModals();

} // namespace numora
