#pragma once

namespace tarvik {

// Choices to make before the Qt application object exists (on Linux: X11, also through XWayland,
// because the monitor window needs its stored position and stay-on-top). A free function and not
// part of Platform: the platform objects are built after the application object, and by then Qt
// has read its environment.
void prepareQtEnvironment();

} // namespace tarvik
