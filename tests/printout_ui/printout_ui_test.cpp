// Printout started as the shell starts it, on a text file whose name holds blanks and comes
// unquoted: the preview counts its pages, and the pages printed into a file through the
// Print dialog, on Wine's PostScript driver, are the ones asked for.

#include "driver.h"
#include "printout_commands.h"
#include "viewer_runs.h"

#include <dlgs.h>
#include <winspool.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace ombrix {
namespace {

namespace fs = std::filesystem;

constexpr const char* printerName = "OMBRIX file printer";

// A PostScript printer of Wine's own driver, made the default one.
void installFilePrinter() {
    char drivers[MAX_PATH] = {};
    DWORD size = 0;
    ASSERT_TRUE(GetPrinterDriverDirectoryA(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(drivers),
                                           sizeof drivers, &size));
    fs::copy_file(OMBRIX_FILE_PRINTER_PPD, fs::path(drivers) / "ombrix-file-printer.ppd",
                  fs::copy_options::overwrite_existing);
    DRIVER_INFO_3A driver{};
    driver.cVersion = 3;
    driver.pName = const_cast<char*>("Wine PostScript Driver");
    driver.pDriverPath = const_cast<char*>("wineps.drv");
    driver.pDataFile = const_cast<char*>("ombrix-file-printer.ppd");
    driver.pConfigFile = const_cast<char*>("wineps.drv");
    AddPrinterDriverA(nullptr, 3, reinterpret_cast<BYTE*>(&driver)); // or there already
    PRINTER_INFO_2A printer{};
    printer.pPrinterName = const_cast<char*>(printerName);
    printer.pPortName = const_cast<char*>("FILE:");
    printer.pDriverName = driver.pName;
    printer.pPrintProcessor = const_cast<char*>("WinPrint");
    printer.pDatatype = const_cast<char*>("RAW");
    if (HANDLE added = AddPrinterA(nullptr, 2, reinterpret_cast<BYTE*>(&printer)))
        ClosePrinter(added);
    ASSERT_TRUE(SetDefaultPrinterA(printerName));
}

int pagesIn(const std::string& postScript) {
    std::istringstream lines(postScript);
    int pages = 0;
    for (std::string line; std::getline(lines, line);)
        pages += line.starts_with("%%Page:");
    return pages;
}

// "Page 2 of 3" into {2, 3}.
std::pair<int, int> pageShown(HWND window) {
    std::istringstream words(e2e::windowText(e2e::control(window, StatusBar)));
    std::string word;
    std::pair<int, int> shown{0, 0};
    words >> word >> shown.first >> word >> shown.second;
    return shown;
}

class Printout : public ViewerRuns {
  protected:
    void SetUp() override {
        ViewerRuns::SetUp();
        installFilePrinter();
        fs::create_directories(folder_ / "Exe");
    }

    // Print, with the pages from and to when given, into the file; its PostScript.
    std::string printToFile(HWND window, const std::string& file, int from = 0, int to = 0) {
        PostMessageA(window, WM_COMMAND, PrintText, 0);
        HWND dialog = nullptr;
        EXPECT_TRUE(e2e::waitUntil([&] { return (dialog = windowOf(processId(), "Print")); }));
        if (from > 0) {
            e2e::click(e2e::control(dialog, rad3));
            e2e::typeText(e2e::control(dialog, edt1), std::to_string(from));
            e2e::typeText(e2e::control(dialog, edt2), std::to_string(to));
        }
        e2e::click(e2e::control(dialog, chx1)); // Print to file
        e2e::click(e2e::control(dialog, IDOK));
        HWND save = nullptr;
        EXPECT_TRUE(e2e::waitUntil([&] { return (save = windowOf(processId(), "Save")); }));
        e2e::chooseInOpenDialog(save, path(file));
        std::string postScript;
        EXPECT_TRUE(e2e::waitUntil([&] {
            postScript = contentsOf(folder_ / file);
            return postScript.find("%%EOF") != std::string::npos;
        }));
        return postScript;
    }
};

TEST_F(Printout, PrintsThePagesThePreviewShows) {
    std::ofstream text(folder_ / "Out file of a test.rez", std::ios::binary);
    for (int line = 1; line <= 150; ++line)
        text << "Line " << line << "\r\n";
    text << "\fLast page\r\n";
    text.close();
    start(OMBRIX_PRINTOUT, path("Out file of a test.rez"), folder_ / "Exe");
    HWND window = nullptr;
    ASSERT_TRUE(e2e::waitUntil([&] {
        return (window = windowOf(processId(), "OMBRIX - Printout - Out file of a test"));
    }));

    // 150 lines of 10 points on an A4 sheet take 3 pages or 4, then the form feed's page.
    const int pages = pageShown(window).second;
    EXPECT_TRUE(pages == 3 || pages == 4) << pages;
    e2e::pressKey(window, VK_NEXT);
    EXPECT_TRUE(e2e::waitUntil([&] { return pageShown(window).first == 2; }));

    EXPECT_EQ(pagesIn(printToFile(window, "all.prn")), pages);
    EXPECT_EQ(pagesIn(printToFile(window, "two.prn", 2, 3)), 2);
    PostMessageA(window, WM_COMMAND, ExitPrintout, 0);
    EXPECT_EQ(exitCode(), 0u);
}

} // namespace
} // namespace ombrix
