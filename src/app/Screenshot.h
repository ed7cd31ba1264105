#pragma once
// --screenshot: once the event loop is idle, every visible top-level window (the main window and
// any dialog in front of it) is drawn into one PNG, at the windows' places on the screen.

#include <QString>
#include <functional>

namespace app {

// Arms the picture; after saving it, `finish` ends the program with the exit code (0 when the
// picture was written).
void ScheduleScreenshot(const QString& file, std::function<void(int exitCode)> finish);

// The picture itself; false when nothing visible could be drawn or the file not written.
bool SaveTopLevelWindows(const QString& file);

}  // namespace app
