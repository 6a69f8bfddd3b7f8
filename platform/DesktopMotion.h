#pragma once

#include <string>

namespace platform {

// Whether the desktop asks programs to keep motion down: the environment's
// PAIRLET_REDUCED_MOTION (1 or 0) first, then GNOME's enable-animations,
// then KDE's animation speed. Asked once, at start.
bool DesktopReducesMotion();

// The same rules on given answers, for what the desktop says as text:
// GNOME's setting as gsettings prints it, KDE's duration factor.
bool ReducesMotion(const char* environment, const std::string& gnomeAnimations, const std::string& kdeFactor);

} // namespace platform
