#pragma once

class QWidget;

namespace numora {

// The width a window needs for its whole title in the window manager's title bar, with the room
// of the bar's icon and buttons.
int TitleBarWidth(const QWidget* window);

// Every window of the application is at least as wide as its title bar needs, so that the window
// manager does not cut the title: a window whose layout fixes its size gets the room in its right
// margin, a window of fixed width is widened, any other gets that least width. Installed once
// for the whole application; later calls do nothing.
void FitWindowsToTitles();

} // namespace numora
