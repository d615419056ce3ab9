// Holds Wine's desktop open for as long as it runs. Wine closes its desktop a second after
// the last program that uses it ends, and the next program to open a window starts the
// desktop's process again, which inherits that program's standard error: under ctest, a
// test's output pipe then stays open, and ctest waits for it, until the desktop next closes.
// Started once before the tests, with no output of anyone's, this program keeps the first
// desktop process for the whole run.

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    GetDesktopWindow();
    Sleep(INFINITE);
    return 0;
}
