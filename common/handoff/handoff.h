// What the shell and the suite's programs agree on: the files by which the steps of an
// analysis hand their work on, the limits, the editions of a program and what an exit
// code says.
//
// Prepare makes the working folder "<geometry file>.work" beside the geometry file and
// names it on the first line of "work_dir.dat" in its current folder (the shell's start
// folder). In the working folder it leaves the prepared model "Model.dat" and the shared
// parameters "Comomb.dat" (geometry file, output file, list type, and the output language
// on the last line). Forces leaves "<k>.unf" for each load case k it prepared; Solve
// leaves "<k>.res" for each case it solved, and "<k>.pth", the states along the case's
// load path. Each step writes, last of all, the record of what it was made from (see
// records.h): a later step goes on only when the record is there and still matches the
// files, so that it never works on what another analysis, or an older version of the
// same files, left behind.
#pragma once

#include <string>
#include <string_view>

namespace handoff {

inline constexpr std::string_view workDirFile = "work_dir.dat";
inline constexpr std::string_view workingFolderSuffix = ".work";
inline constexpr std::string_view sharedParametersFile = "Comomb.dat";
inline constexpr std::string_view preparedModelFile = "Model.dat";
inline constexpr std::string_view preparedRecordFile = "Prepare.rec";
inline constexpr std::string_view loadsRecordFile = "Forces.rec";
// Held by the step at work in the working folder, naming it; gone when no step is.
inline constexpr std::string_view stepLockFile = "Step.lock";

// Load cases are numbered 0 to 99; their files are named by the number in decimal.
inline constexpr int highestCaseNumber = 99;
std::string caseFileName(int caseNumber);   // "7.unf": the case as Forces prepared it
std::string resultFileName(int caseNumber); // "7.res": its results from Solve
std::string pathFileName(int caseNumber);   // "7.pth": the states along its path, from Solve

// A program of the suite comes in two editions: "Solve 20.exe" is used when it lies
// beside "Solve.exe".
std::string secondEdition(std::string_view programFile);

// The one file name a program of the suite is given, from its whole command line: the
// program's own name, when the line begins with it, is passed over, and so are the blanks
// around the name and a pair of double quotes around it. A name with blanks may come with
// or without quotes: the shell quotes it for some programs and not for others.
std::string fileNameArgument(std::string_view commandLine);
// The same in two parts: the command line after the program's name, and a name from a part
// of it, without the blanks and a pair of double quotes around it.
std::string_view afterProgramName(std::string_view commandLine);
std::string fileNameIn(std::string_view arguments);

// What the exit code of an analysis step says.
enum ExitCode : int {
    stepDone = 0,      // everything asked for was done
    stepFailed = 1,    // refused or failed: what it said is all there is
    stepUsage = 2,     // started without its arguments
    stepCancelled = 3, // the user cancelled it
    // Solve solved every case asked for, but some did not converge: their results are the
    // last state in balance, each result file says which ("converged no").
    stepNotConverged = 4,
};

// Whether a result file of Solve holds an answer: its second line is "converged yes".
bool resultConverged(std::string_view resultText);

} // namespace handoff
