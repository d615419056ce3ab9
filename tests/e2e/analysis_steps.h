#pragma once

// The steps of an analysis driven through the panel as a user drives them, with the real
// Prepare, Forces and Solve: for the end-to-end tests and the installer's tests alike.

#include <windows.h>

#include <cstddef>
#include <string>

namespace e2e {

// Presses a step's button (INPUT, INCARC or I T E R) and waits for the Program Status
// list to hold `linesAfter` lines, the last the step's "Finished".
void runStep(HWND panel, int button, std::size_t linesAfter);

// Waits for the Program Status list to hold `lines` lines, and checks the last.
void expectStatusOf(HWND panel, std::size_t lines, const std::string& last);

// The analysis of the geometry file (a full path) prepared and loaded through the panel,
// every case chosen for I T E R.
void prepareWithEveryCase(HWND panel, const std::string& geometryFile);

} // namespace e2e
