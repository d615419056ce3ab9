#include "cases/case_selection.h"

#include "base/messages.h"
#include "cases/loading_head.h"
#include "files/file_set.h"
#include "files/handoff.h"
#include "ids.h"
#include "text/quoting.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

CaseSelection caseSelection;

namespace {

using platform::Dialog;

std::optional<std::string> openLoadingFile() {
    return platform::readFile(fileSet.loadingFile.str());
}

// The loading file's contents, asking for another file while it cannot be opened;
// nothing when the user cancels the choice.
std::optional<std::string> loadingFileContents(Dialog dialog) {
    std::optional<std::string> contents = openLoadingFile();
    while (!contents) {
        platform::writeStandardOutput("Can't open \"Incarc File: \"" + fileSet.loadingFile.str());
        if (!chooseLoadingFile(dialog))
            return std::nullopt;
        contents = openLoadingFile();
    }
    return contents;
}

void reportLoadingProblems(const std::vector<std::string>& problems) {
    if (problems.empty())
        return;
    std::string text = quoted(fileSet.loadingFile.str()) + ":";
    for (const std::string& problem : problems)
        text += "\n" + problem;
    showShellError(text + "\n\nThe case list offers only the cases that could be known.");
}

// The numbered cases with a result file, 1 to N, at most up to case 99.
std::vector<int> preparedCases(int declared, std::vector<std::string>& problems) {
    if (declared > highestCaseNumber)
        problems.push_back("it declares " + std::to_string(declared) +
                           " load cases; only cases 1 to " + std::to_string(highestCaseNumber) +
                           " can be offered.");
    const std::optional<std::string> workDir = workingDirectory();
    if (!workDir || workDir->empty()) {
        if (declared > 0)
            problems.emplace_back("\"work_dir.dat\" names no working directory, where the "
                                  "results of the numbered cases would lie.");
        return {};
    }
    if (declared > 0 && !platform::folderExists(*workDir))
        problems.push_back("the working directory " + quoted(*workDir) +
                           " named by \"work_dir.dat\" does not exist.");
    std::vector<int> prepared;
    for (int n = 1; n <= std::min(declared, highestCaseNumber); ++n)
        if (platform::fileExists(*workDir + "\\" + std::to_string(n) + ".unf"))
            prepared.push_back(n);
    return prepared;
}

void appendCase(Dialog dialog, int number) {
    platform::appendItem(dialog, IDC_CASE_LIST, std::to_string(number));
    ++caseSelection.caseCount;
}

const char* caseCaption(int selected, int listed) {
    if (selected == 0)
        return "Select Cases";
    if (selected == 1)
        return "My Case";
    return selected < listed ? "My Cases" : "All Cases";
}

} // namespace

void readLoadCases(Dialog dialog) {
    const std::optional<std::string> contents = loadingFileContents(dialog);
    resetCaseList(dialog);
    caseSelection.caseCount = 0;
    if (!contents)
        return;
    const LoadingHead head = readLoadingHead(*contents);
    std::vector<std::string> problems;
    if (!head.problem.empty())
        problems.push_back(head.problem);
    if (head.hasCaseZero.value_or(false))
        appendCase(dialog, 0);
    for (int number : preparedCases(head.numberedCases.value_or(0), problems))
        appendCase(dialog, number);
    platform::setEnabled(dialog, IDC_CASE_CAPTION, true);
    platform::setEnabled(dialog, IDC_ALL_CASES, true);
    reportLoadingProblems(problems);
}

void updateCaseSelection(Dialog dialog, int, platform::ControlEvent) {
    caseSelection.selectedCaseCount = 0;
    if (caseSelection.caseCount > 0) {
        for (int item : platform::selectedItems(dialog, IDC_CASE_LIST)) {
            if (caseSelection.selectedCaseCount == caseSelection.caseCount)
                break;
            caseSelection.selectedCaseLabels[caseSelection.selectedCaseCount++] =
                platform::itemText(dialog, IDC_CASE_LIST, item);
        }
    }
    const int selected = caseSelection.selectedCaseCount;
    platform::setEnabled(dialog, IDC_ITER, selected > 0);
    platform::setText(dialog, IDC_CASE_CAPTION, caseCaption(selected, caseSelection.caseCount));
    if (platform::isChecked(dialog, IDC_ALL_CASES) && selected != caseSelection.caseCount)
        platform::setChecked(dialog, IDC_ALL_CASES, false);
}

void onAllCases(Dialog dialog, int controlId, platform::ControlEvent event) {
    const bool checked = platform::isChecked(dialog, IDC_ALL_CASES);
    const std::optional<std::string> contents = openLoadingFile();
    const LoadingHead head = contents ? readLoadingHead(*contents) : LoadingHead();
    if (!contents || !head.problem.empty()) {
        // The selection stays as it was, and so does the box.
        platform::setChecked(dialog, IDC_ALL_CASES, !checked);
        reportLoadingProblems({contents ? head.problem : "the file cannot be opened."});
        return;
    }
    const int declared = *head.numberedCases + (*head.hasCaseZero ? 1 : 0);
    if (checked || declared == caseSelection.selectedCaseCount)
        for (int item = 1; item <= declared; ++item)
            platform::setItemSelected(dialog, IDC_CASE_LIST, item, checked);
    updateCaseSelection(dialog, controlId, event);
}

void resetCaseList(Dialog dialog) {
    platform::removeAllItems(dialog, IDC_CASE_LIST);
    platform::setText(dialog, IDC_CASE_CAPTION, "Select Cases");
    platform::setEnabled(dialog, IDC_ITER, false);
}
