# The two commands of a fresh machine: `make demo` and `make test`. Each installs what
# is missing, builds, and then shows the shell or runs every test.

PREFIX ?= build/demo
JOBS ?= 2
# The analysis programs to install: real, or stand-in (programs that log their command
# lines) under every name. The end-to-end tests of the shell always get the stand-ins.
SUITE ?= real
NATIVE := build/native
WINDOWS := build/windows
SANITIZE := build/sanitize
BENCH := build/bench
STAGE := $(WINDOWS)/stage
TOUR_INSTALLATION := $(WINDOWS)/tour-installation
FUZZ_SECONDS ?= 60

.PHONY: all deps native windows sanitize build install stage test unit-test sanitize-test \
        tidy fuzz dist e2e-test test-long demo tour tour-installation screenshot bench bench-solver \
        bench-graphs clean

all: build

deps:
	@tools/install-deps.sh

native: deps
	cmake -S . -B $(NATIVE) -DCMAKE_BUILD_TYPE=Debug -DCMAKE_EXPORT_COMPILE_COMMANDS=ON
	cmake --build $(NATIVE) -j $(JOBS)

windows: deps
	cmake -S . -B $(WINDOWS) -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
	    -DCMAKE_EXPORT_COMPILE_COMMANDS=ON
	cmake --build $(WINDOWS) -j $(JOBS)

# The core and its unit tests with clang's address and undefined-behaviour sanitizers,
# and the fuzz targets of the readers.
sanitize: deps
	CC=clang CXX=clang++ cmake -S . -B $(SANITIZE) -DCMAKE_BUILD_TYPE=Debug -DOMBRIX_SANITIZE=ON
	cmake --build $(SANITIZE) -j $(JOBS)

build: native windows

# A complete installation in PREFIX: Exe (with Uir and Wav), Dat and Doc, with the real
# analysis programs, or with SUITE=stand-in the stand-ins under every name.
install: windows
	tools/install.sh $(WINDOWS) "$(PREFIX)" $(SUITE)

# The installation with the real suite as build/dist/OMBRIX-<version>-win64.zip, and its
# installer OMBRIX-<version>-win64-setup.exe (cmake/distribution.cmake).
dist: windows
	cmake --build $(WINDOWS) --target dist

# The installation that the end-to-end tests copy for each test: always the stand-ins,
# whose logs the tests read.
stage: windows
	rm -rf $(STAGE)
	tools/install.sh $(WINDOWS) $(STAGE) stand-in

unit-test: native
	ctest --test-dir $(NATIVE) --output-on-failure

# The unit tests under the sanitizers, and the fuzz targets on their saved inputs.
sanitize-test: sanitize
	ctest --test-dir $(SANITIZE) --output-on-failure -j $(JOBS)

tidy: native windows
	tools/tidy.sh $(NATIVE) $(WINDOWS)

# Each fuzz target for FUZZ_SECONDS, from its saved inputs; what it finds is kept under
# build/fuzz.
fuzz: sanitize
	tools/fuzz.sh $(SANITIZE) $(FUZZ_SECONDS)

# The installation with the real suite that the guided tour copies and drives.
tour-installation: windows
	rm -rf $(TOUR_INSTALLATION)
	tools/install.sh $(WINDOWS) $(TOUR_INSTALLATION) real

# The Windows tests under Wine, its desktop held open from start to end.
WINE_TESTS = OMBRIX_DESKTOP_HOLDER=$(WINDOWS)/tests/e2e/ombrix_desktop_holder.exe tools/with-wine.sh

e2e-test: stage tour-installation dist
	$(WINE_TESTS) ctest --test-dir $(WINDOWS) --output-on-failure -j $(JOBS)

test: unit-test sanitize-test tidy e2e-test

# The end-to-end tests at their full length: 500 kills of the shell while it writes, and
# 1,000 programs run and ended by it.
test-long: stage
	OMBRIX_KILLS=500 OMBRIX_RUNS=1000 $(WINE_TESTS) \
	    ctest --test-dir $(WINDOWS) --output-on-failure -R Reliability

# The shell timed under Wine against floor programs of the same build, BENCH_RUNS runs each
# (docs/performance.md). Not part of make test.
BENCH_RUNS ?= 20
bench: stage
	tools/with-wine.sh tools/bench.sh $(WINDOWS) $(BENCH_RUNS)

demo: install
	tools/demo.sh "$(PREFIX)"

# The guided tour of a complete analysis on this display (a virtual one when there is
# none): a picture of each step, and what it shows, under build/tour.
tour: tour-installation
	tools/tour.sh $(TOUR_INSTALLATION)

screenshot: stage
	OMBRIX_VIRTUAL_DISPLAY=1 tools/with-wine.sh tools/screenshot.sh $(STAGE) build/panel.png

# The solver's benchmark, natively (optimised) and under Wine, beside CalculiX.
bench-solver: windows
	tools/install-deps.sh calculix-ccx
	cmake -S . -B $(BENCH) -DCMAKE_BUILD_TYPE=Release
	cmake --build $(BENCH) -j $(JOBS) --target ombrix_solver_bench
	tools/with-wine.sh tools/bench_solver.py $(BENCH)/suite/bench/ombrix_solver_bench \
	    $(WINDOWS)/suite/bench/ombrix_solver_bench.exe

# Glance, PlotterD and Charts under Wine on the 100 x 100 and 300 x 300 nets: from the
# start to the picture drawn, and the frames per second while it turns, or Charts goes from
# node to node (docs/performance.md).
bench-graphs: windows
	tools/with-wine.sh tools/bench_graphs.py $(WINDOWS) $(BENCH_RUNS)

clean:
	rm -rf build
