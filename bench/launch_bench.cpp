#include "benchmarks.h"
#include "ids.h"

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

std::string lastStatusLine(HWND panel) {
    const std::vector<std::string> lines = e2e::listItems(e2e::control(panel, IDC_PROGRAM_STATUS));
    return lines.empty() ? "none" : "\"" + lines.back() + "\"";
}

// The events of the suite's stand-ins: set by each as it starts, and holding the programs
// started beside the shell until they are released.
struct SuiteEvents {
    SharedEvent started{"started", "OMBRIX_SUITE_STARTED"};
    SharedEvent hold{"hold", "OMBRIX_SUITE_HOLD"};

    // Has the trigger start a program beside a shell or floor, held until released, and
    // waits until it runs: the time from the trigger to the program's first instruction.
    // A failure tells what the shell of the panel, if any, made of its click.
    template <typename Trigger> double timeStart(const Trigger& trigger, HWND panel) const {
        hold.reset();
        started.reset();
        const Clock::time_point start = Clock::now();
        trigger();
        waitForStart(panel);
        return millisecondsSince(start);
    }
    void waitForStart(HWND panel) const {
        if (!started.wait(patience))
            throw std::runtime_error(
                "no started program reported its start" +
                (panel ? "; the shell's last status line: " + lastStatusLine(panel) : ""));
    }
    // Lets the programs started beside end, and waits until they have; those started from
    // now on end at once, until the next start. Each run begins with it, alone even after
    // a run that failed.
    void release() const {
        hold.set();
        if (!waitForEnd(besideProgram, patience))
            throw std::runtime_error("the programs started beside did not end");
    }
};

std::string programPath(const Setting& setting, const std::string& name) {
    return e2e::utf8Text(setting.installation.exeDir() / e2e::pathOf(name));
}

// The launch floor, which starts `program` each time its go event is set; with a done event,
// run to its end.
Program launchFloor(const Setting& setting, const SharedEvent& go, const std::string& done,
                    const std::string& program, const std::string& arguments) {
    return Program(setting.floorFolder / "ombrix_launch_floor.exe",
                   {go.name(), done, programPath(setting, program), arguments},
                   setting.installation.exeDir());
}

// The launch floor starting Charts beside itself.
class BesideFloor {
  public:
    explicit BesideFloor(const Setting& setting)
        : floor_(launchFloor(setting, go_, "-", besideProgram, besideArguments)) {}
    double timeStart(const SuiteEvents& events) const {
        return events.timeStart([&] { go_.set(); }, nullptr);
    }

  private:
    SharedEvent go_{"go beside", nullptr, SharedEvent::Reset::automatic};
    Program floor_;
};

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

double timeClickBeside(const SuiteEvents& events, HWND panel) {
    return events.timeStart([&] { e2e::click(e2e::control(panel, besideButton)); }, panel);
}

// One shell and the floors for the whole benchmark, each of its programs ended before the
// next run.
class LaunchBench {
  public:
    explicit LaunchBench(const Setting& setting)
        : shell_(setting.installation), panel_(openPanel(shell_)), besideFloor_(setting),
          waitFloor_(launchFloor(setting, goWait_, done_.name(), inputProgram, inputArguments)) {
        e2e::typeText(e2e::control(panel_, IDC_GEOMETRY_FILE), geometryFile);
        e2e::typeText(e2e::control(panel_, IDC_OUTPUT_FILE), outputFile);
        if (!e2e::isEnabled(e2e::control(panel_, IDC_INPUT)))
            throw std::runtime_error("INPUT is not enabled");
    }

    double shellBeside() {
        const double time = timeClickBeside(events_, panel_);
        events_.release();
        waitUntilReady(panel_);
        return time;
    }

    double floorBeside() {
        const double time = besideFloor_.timeStart(events_);
        events_.release();
        return time;
    }

    // From the click on INPUT to its status line "Finished". Prepare is waited for on its
    // handle; the panel, asked for its lines from then on, answers once it has served the
    // click.
    double shellInput() {
        HWND status = e2e::control(panel_, IDC_PROGRAM_STATUS);
        const std::size_t before = e2e::listCount(status);
        events_.started.reset();
        const Clock::time_point start = Clock::now();
        e2e::click(e2e::control(panel_, IDC_INPUT));
        events_.waitForStart(panel_);
        if (!waitForEnd(inputProgram, patience) ||
            !e2e::waitUntil([&] { return e2e::listCount(status) >= before + 2; }, patience, 1ms))
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
    SuiteEvents events_;
    SharedEvent goWait_{"go wait", nullptr, SharedEvent::Reset::automatic};
    SharedEvent done_{"done", nullptr};
    e2e::Shell shell_;
    HWND panel_;
    BesideFloor besideFloor_;
    Program waitFloor_;
};

// The panel of a shell just started, with `running` programs started beside it and still
// running.
HWND panelWithProgramsBeside(const e2e::Shell& shell, const SuiteEvents& events, int running) {
    HWND panel = openPanel(shell);
    for (int started = 0; started < running; ++started)
        timeClickBeside(events, panel);
    waitUntilReady(panel);
    return panel;
}

// A fresh shell with `running` programs started beside it and still running: the time from
// one more click to that program's first instruction and the panel answering again, after
// the shell's look at every program it started. (A program started and ended before would
// add its end to the time: the system is still tidying up after it, and the shell logs it.)
double shellLaunchAmong(const Setting& setting, const SuiteEvents& events, int running) {
    events.release();
    const e2e::Shell shell(setting.installation);
    HWND panel = panelWithProgramsBeside(shell, events, running);
    const Clock::time_point start = Clock::now();
    timeClickBeside(events, panel);
    waitUntilReady(panel);
    return millisecondsSince(start);
}

// The same for the launch floor, up to the program's first instruction: what the platform
// makes of the programs running.
double floorLaunchAmong(const Setting& setting, const SuiteEvents& events, int running) {
    events.release();
    const BesideFloor floor(setting);
    for (int started = 0; started < running; ++started)
        floor.timeStart(events);
    const double time = floor.timeStart(events);
    events.release();
    return time;
}

// From E X I T to the end of the shell, with `running` programs beside it that it is told
// to end.
double exitEnding(const Setting& setting, const SuiteEvents& events, int running) {
    events.release();
    const e2e::Shell shell(setting.installation);
    HWND panel = panelWithProgramsBeside(shell, events, running);
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
    constexpr int crowd = 99;
    constexpr int exitCrowd = 50;
    std::vector<double> shellAlone, shellAmong, floorAlone, floorAmong, exits;
    for (int round = 0; round <= setting.runs; ++round) {
        double times[5] = {};
        runRound("crowd", round, setting.runs,
                 {[&] { times[0] = shellLaunchAmong(setting, events, 0); },
                  [&] { times[1] = shellLaunchAmong(setting, events, crowd); },
                  [&] { times[2] = floorLaunchAmong(setting, events, 0); },
                  [&] { times[3] = floorLaunchAmong(setting, events, crowd); },
                  [&] { times[4] = exitEnding(setting, events, exitCrowd); }});
        if (round == 0)
            continue;
        shellAlone.push_back(times[0]);
        shellAmong.push_back(times[1]);
        floorAlone.push_back(times[2]);
        floorAmong.push_back(times[3]);
        exits.push_back(times[4]);
    }
    return {
        {"Launch beside a shell just started: click to the program's first instruction", "ms",
         shellAlone, "CreateProcess floor just started", floorAlone, 1.2},
        {"Launch with 99 programs running beside the shell", "ms", shellAmong, "none running",
         shellAlone, 1.5},
        {.name = "Launch by the CreateProcess floor with 99 programs running",
         .unit = "ms",
         .shell = floorAmong,
         .baselineName = "none running",
         .baseline = floorAlone},
        {.name = "Exit, 50 programs running, Yes", .unit = "ms", .shell = exits},
    };
}

} // namespace bench
