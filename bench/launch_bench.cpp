#include "benchmarks.h"
#include "ids.h"
#include "programs.h"

#include <stdexcept>
#include <string>

namespace bench {

namespace {

using namespace std::chrono_literals;

// Diagrams starts Charts beside the shell: no arguments but a TAB, always enabled.
constexpr int besideButton = IDC_DIAGRAMS;
const std::string besideProgram = "Charts.exe";
const std::string besideArguments = "\t";
// INPUT runs Prepare on a sample analysis; the stand-in ends as soon as its files are written.
const std::string geometryFile = "..\\Dat\\Bridge.dat";
const std::string outputFile = "..\\Dat\\Bridge.rez";
const std::string inputProgram = "Prepare 20.exe";
const std::string inputArguments = geometryFile + " " + outputFile + " Short English";

// The events of the suite's stand-ins: set by each as it starts, and holding the programs
// started beside the shell until they are released.
struct SuiteEvents {
    SharedEvent started{"started", "OMBRIX_SUITE_STARTED"};
    SharedEvent hold{"hold", "OMBRIX_SUITE_HOLD"};

    // Makes the programs started beside from now on wait until released, and forgets the
    // starts before.
    void expectStart() const {
        hold.reset();
        started.reset();
    }
    // Waits for a program to start; a failure tells what the shell of the panel, if any,
    // made of its click.
    void waitForStart(HWND panel) const;
    // Lets the programs started beside end, and waits until they have; those started from
    // now on end at once, until the next `expectStart`.
    void release() const;
};

std::string lastStatusLine(HWND panel) {
    const std::vector<std::string> lines = e2e::listItems(e2e::control(panel, IDC_PROGRAM_STATUS));
    return lines.empty() ? "none" : "\"" + lines.back() + "\"";
}

void SuiteEvents::waitForStart(HWND panel) const {
    if (!started.wait(patience))
        throw std::runtime_error(
            "no started program reported its start" +
            (panel ? "; the shell's last status line: " + lastStatusLine(panel) : ""));
}

// Waits until the programs started beside a shell or floor are gone: each run begins alone.
void waitForNoProgramBeside() {
    if (!waitForEnd(besideProgram, patience))
        throw std::runtime_error("the programs started beside did not end");
}

void SuiteEvents::release() const {
    hold.set();
    waitForNoProgramBeside();
}

void waitUntilReady(HWND panel) {
    if (!isReadyForInput(panel))
        throw std::runtime_error("the panel does not answer");
}

HWND openPanel(const e2e::Shell& shell) {
    HWND panel = shell.openPanel();
    if (!panel)
        throw std::runtime_error("the panel did not appear");
    return panel;
}

void clickBeside(HWND panel) {
    e2e::click(e2e::control(panel, besideButton));
}

// Starts Charts beside the shell and waits until it runs.
void startBeside(const SuiteEvents& events, HWND panel) {
    events.expectStart();
    clickBeside(panel);
    events.waitForStart(panel);
}

class LaunchBench {
  public:
    explicit LaunchBench(const Setting& setting)
        : exeDir_(setting.installation.exeDir()), shell_(setting.installation),
          panel_(openPanel(shell_)),
          besideFloor_(floorPath(setting),
                       {goBeside_.name(), "-", exePath(besideProgram), besideArguments}, exeDir_),
          waitFloor_(floorPath(setting),
                     {goWait_.name(), done_.name(), exePath(inputProgram), inputArguments},
                     exeDir_) {
        e2e::typeText(e2e::control(panel_, IDC_GEOMETRY_FILE), geometryFile);
        e2e::typeText(e2e::control(panel_, IDC_OUTPUT_FILE), outputFile);
        if (!e2e::isEnabled(e2e::control(panel_, IDC_INPUT)))
            throw std::runtime_error("INPUT is not enabled");
    }

    double shellBeside() {
        events_.expectStart();
        const Clock::time_point start = Clock::now();
        clickBeside(panel_);
        events_.waitForStart(panel_);
        const double time = millisecondsSince(start);
        events_.release();
        waitUntilReady(panel_);
        return time;
    }

    double floorBeside() {
        events_.expectStart();
        const Clock::time_point start = Clock::now();
        goBeside_.set();
        events_.waitForStart(nullptr);
        const double time = millisecondsSince(start);
        events_.release();
        return time;
    }

    // From the click on INPUT to its status line "Finished". Prepare is waited for on its
    // handle; the panel, asked for its lines from then on, answers once it has served the
    // click.
    double shellInput() {
        HWND status = e2e::control(panel_, IDC_PROGRAM_STATUS);
        const LRESULT before = SendMessageW(status, LB_GETCOUNT, 0, 0);
        events_.started.reset();
        const Clock::time_point start = Clock::now();
        e2e::click(e2e::control(panel_, IDC_INPUT));
        events_.waitForStart(panel_);
        if (!waitForEnd(inputProgram, patience) ||
            !e2e::waitUntil([&] { return SendMessageW(status, LB_GETCOUNT, 0, 0) >= before + 2; },
                            patience, 1ms))
            throw std::runtime_error("INPUT did not finish");
        const double time = millisecondsSince(start);
        const std::string last = e2e::listItems(status).back();
        if (!last.ends_with(": Finished"))
            throw std::runtime_error("INPUT failed: " + last);
        return time;
    }

    double floorInput() {
        done_.reset();
        const Clock::time_point start = Clock::now();
        goWait_.set();
        if (!done_.wait(patience))
            throw std::runtime_error("the floor's program did not end");
        return millisecondsSince(start);
    }

  private:
    static std::filesystem::path floorPath(const Setting& setting) {
        return setting.floorFolder / "ombrix_launch_floor.exe";
    }
    std::string exePath(const std::string& name) const {
        return e2e::utf8Text(exeDir_ / e2e::pathOf(name));
    }

    std::filesystem::path exeDir_;
    SuiteEvents events_;
    SharedEvent goBeside_{"go beside", nullptr, SharedEvent::Reset::automatic};
    SharedEvent goWait_{"go wait", nullptr, SharedEvent::Reset::automatic};
    SharedEvent done_{"done", nullptr};
    e2e::Shell shell_;
    HWND panel_;
    Program besideFloor_;
    Program waitFloor_;
};

// A shell with `running` programs started beside it and still running: the time from one
// more click to that program's first instruction and the panel answering again, after the
// shell's look at every program it started.
double launchAmong(const Setting& setting, const SuiteEvents& events, int running) {
    waitForNoProgramBeside();
    const e2e::Shell shell(setting.installation);
    HWND panel = openPanel(shell);
    startBeside(events, panel);
    if (running == 0)
        events.release();
    for (int started = 1; started < running; ++started)
        startBeside(events, panel);
    waitUntilReady(panel);
    events.expectStart();
    const Clock::time_point start = Clock::now();
    clickBeside(panel);
    events.waitForStart(panel);
    waitUntilReady(panel);
    return millisecondsSince(start);
}

// From E X I T to the end of the shell, with `running` programs beside it that it is told
// to end.
double exitEnding(const Setting& setting, const SuiteEvents& events, int running) {
    waitForNoProgramBeside();
    const e2e::Shell shell(setting.installation);
    HWND panel = openPanel(shell);
    for (int started = 0; started < running; ++started)
        startBeside(events, panel);
    waitUntilReady(panel);
    const Clock::time_point start = Clock::now();
    e2e::click(e2e::control(panel, IDC_EXIT));
    HWND question = waitForVisibleWindow(shell.processId(), shellQuestion, patience);
    if (!question)
        throw std::runtime_error("the shell did not ask about its programs");
    e2e::answer(question, IDYES);
    if (!shell.waitForExit(patience))
        throw std::runtime_error("the shell did not end");
    return millisecondsSince(start);
}

} // namespace

std::vector<Figure> launchFigures(const Setting& setting) {
    constexpr int tableRoom = 99; // the shell tracks 100 programs; one is the first run's
    if (setting.runs > tableRoom)
        throw std::invalid_argument("at most 99 runs: one shell starts every program");
    LaunchBench bench(setting);
    std::vector<double> shellBeside, floorBeside, shellInput, floorInput;
    for (int round = 0; round <= setting.runs; ++round) {
        double times[4] = {};
        runRound("launch", round, setting.runs,
                 {[&] { times[0] = bench.shellBeside(); }, [&] { times[1] = bench.floorBeside(); },
                  [&] { times[2] = bench.shellInput(); }, [&] { times[3] = bench.floorInput(); }});
        if (round == 0)
            continue;
        shellBeside.push_back(times[0]);
        floorBeside.push_back(times[1]);
        shellInput.push_back(times[2]);
        floorInput.push_back(times[3]);
    }
    return {
        {"Launch beside the shell: click to the program's first instruction", "ms", shellBeside,
         "CreateProcess floor", floorBeside, 1.2},
        {.name = "Run and wait: click on INPUT to \"Finished\"",
         .unit = "ms",
         .shell = shellInput,
         .baselineName = "CreateProcess + wait floor",
         .baseline = floorInput},
    };
}

std::vector<Figure> crowdFigures(const Setting& setting) {
    const SuiteEvents events;
    std::vector<double> alone, among99, exit50;
    for (int round = 0; round <= setting.runs; ++round) {
        double times[3] = {};
        runRound("crowd", round, setting.runs,
                 {[&] { times[0] = launchAmong(setting, events, 0); },
                  [&] { times[1] = launchAmong(setting, events, 99); },
                  [&] { times[2] = exitEnding(setting, events, 50); }});
        if (round == 0)
            continue;
        alone.push_back(times[0]);
        among99.push_back(times[1]);
        exit50.push_back(times[2]);
    }
    return {
        {"Launch with 99 programs running beside the shell", "ms", among99, "none running", alone,
         1.5},
        {.name = "Exit, 50 programs running, Yes", .unit = "ms", .shell = exit50},
    };
}

} // namespace bench
