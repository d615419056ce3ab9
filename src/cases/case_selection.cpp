#include "cases/case_selection.h"

#include "base/messages.h"
#include "base/texts.h"
#include "cases/loading_head.h"
#include "files/file_set.h"
#include "files/handoff.h"
#include "ids.h"
#include "text/quoting.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

ShellRecord<CaseSelection> caseSelection;

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
        platform::writeStandardOutput(
            shellText(Text::loadingFileNotOpened, {fileSet.loadingFile.trimmed()}));
        if (!chooseLoadingFile(dialog))
            return std::nullopt;
        contents = openLoadingFile();
    }
    return contents;
}

// One message for what could not be read, ending with what became of the list.
void reportLoadingProblems(const std::vector<std::string>& problems, std::string_view outcome) {
    if (problems.empty())
        return;
    std::string lines;
    for (const std::string& problem : problems)
        lines += "\n" + problem;
    showShellError(
        shellText(Text::loadingFileProblems, {fileSet.loadingFile.trimmed(), lines, outcome}));
}

// The cases of the loading file whose case file lies in the working directory.
std::vector<int> preparedCases(const handoff::LoadingHead& head,
                               std::vector<std::string>& problems) {
    const bool declaresCases = head.caseCount > 0 || head.hasCaseZero;
    const std::optional<std::string> workDir = workingDirectory();
    if (!workDir || workDir->empty()) {
        if (declaresCases)
            problems.push_back(shellText(Text::noWorkingDirectory));
        return {};
    }
    if (declaresCases && !platform::folderExists(*workDir))
        problems.push_back(shellText(Text::workingDirectoryMissing, {*workDir}));
    std::vector<int> prepared;
    for (int n = head.hasCaseZero ? 0 : 1; n <= head.caseCount; ++n)
        if (platform::fileExists(*workDir + "\\" + handoff::caseFileName(n)))
            prepared.push_back(n);
    return prepared;
}

void appendCase(Dialog dialog, int number) {
    platform::appendItem(dialog, IDC_CASE_LIST, std::to_string(number));
    ++caseSelection.caseCount;
}

std::string caseCaption(int selected, int listed) {
    if (selected == 0)
        return shellText(Text::selectCases);
    if (selected == 1)
        return shellText(Text::myCase);
    return shellText(selected < listed ? Text::myCases : Text::allCases);
}

} // namespace

void readLoadCases(Dialog dialog, bool tellProblems) {
    const std::optional<std::string> contents = loadingFileContents(dialog);
    resetCaseList(dialog);
    if (!contents)
        return;
    const handoff::LoadingHead head = handoff::readLoadingHead(*contents);
    std::vector<std::string> problems;
    if (head.problem != handoff::HeadProblem::none)
        problems.push_back(loadingHeadProblem(head));
    for (int number : preparedCases(head, problems))
        appendCase(dialog, number);
    platform::setEnabled(dialog, IDC_CASE_CAPTION, true);
    platform::setEnabled(dialog, IDC_ALL_CASES, true);
    if (tellProblems)
        reportLoadingProblems(problems, shellText(Text::caseListAsKnown));
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
    const handoff::LoadingHead head =
        contents ? handoff::readLoadingHead(*contents) : handoff::LoadingHead();
    if (!contents || head.problem != handoff::HeadProblem::none) {
        platform::setChecked(dialog, IDC_ALL_CASES, !checked);
        reportLoadingProblems(
            {contents ? loadingHeadProblem(head) : shellText(Text::loadingFileCannotBeOpened)},
            shellText(Text::selectionKept));
        return;
    }
    const int declared = head.caseCount + (head.hasCaseZero ? 1 : 0);
    const int listed = std::min(declared, platform::itemCount(dialog, IDC_CASE_LIST));
    if (checked || declared == caseSelection.selectedCaseCount)
        for (int item = 1; item <= listed; ++item)
            platform::setItemSelected(dialog, IDC_CASE_LIST, item, checked);
    updateCaseSelection(dialog, controlId, event);
}

void resetCaseList(Dialog dialog) {
    caseSelection.caseCount = 0;
    caseSelection.selectedCaseCount = 0;
    platform::removeAllItems(dialog, IDC_CASE_LIST);
    platform::setChecked(dialog, IDC_ALL_CASES, false);
    platform::setText(dialog, IDC_CASE_CAPTION, shellText(Text::selectCases));
    platform::setEnabled(dialog, IDC_ITER, false);
}
