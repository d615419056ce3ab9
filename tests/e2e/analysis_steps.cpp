#include "analysis_steps.h"

#include "driver.h"
#include "ids.h"

#include <gtest/gtest.h>

namespace e2e {

namespace {

std::string statusOfLastStep(int button) {
    return button == IDC_INPUT    ? "Prepare 20: Finished"
           : button == IDC_INCARC ? "Forces 20: Finished"
                                  : "Solve 20: Finished";
}

} // namespace

void runStep(HWND panel, int button, std::size_t linesAfter) {
    click(control(panel, button));
    expectStatusOf(panel, linesAfter, statusOfLastStep(button));
}

void expectStatusOf(HWND panel, std::size_t lines, const std::string& last) {
    HWND status = control(panel, IDC_PROGRAM_STATUS);
    ASSERT_TRUE(waitUntil([&] { return listItems(status).size() == lines; }, 60s));
    EXPECT_EQ(listItems(status).back(), last);
}

void prepareWithEveryCase(HWND panel, const std::string& geometryFile) {
    typeText(control(panel, IDC_GEOMETRY_FILE), geometryFile);
    runStep(panel, IDC_INPUT, 2);
    runStep(panel, IDC_INCARC, 4);
    click(control(panel, IDC_ALL_CASES));
    ASSERT_TRUE(waitUntil([&] { return isEnabled(control(panel, IDC_ITER)); }));
}

} // namespace e2e
