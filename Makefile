# The two commands of a fresh machine: `make demo` and `make test`. Each installs what
# is missing, builds, and then shows the shell or runs every test.

PREFIX ?= build/demo
JOBS ?= 2
# The analysis programs to install: real, or stand-in (programs that log their command
# lines) under every name. The end-to-end tests of the shell always get the stand-ins.
SUITE ?= real
NATIVE := build/native
WINDOWS := build/windows
BENCH := build/bench
STAGE := $(WINDOWS)/stage

.PHONY: all deps native windows build install stage test unit-test e2e-test demo screenshot \
	bench-solver clean

all: build

deps:
	@tools/install-deps.sh

native: deps
	cmake -S . -B $(NATIVE) -DCMAKE_BUILD_TYPE=Debug
	cmake --build $(NATIVE) -j $(JOBS)

windows: deps
	cmake -S . -B $(WINDOWS) -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
	    -DSUITE=$(SUITE)
	cmake --build $(WINDOWS) -j $(JOBS)

build: native windows

# A complete installation in PREFIX: Exe (with Uir and Wav), Dat and Doc.
install: windows
	cmake --install $(WINDOWS) --prefix "$(PREFIX)"

# The installation that the end-to-end tests copy for each test.
stage: override SUITE = stand-in
stage: windows
	rm -rf $(STAGE)
	cmake --install $(WINDOWS) --prefix $(STAGE)

unit-test: native
	ctest --test-dir $(NATIVE) --output-on-failure

e2e-test: stage
	tools/with-wine.sh ctest --test-dir $(WINDOWS) --output-on-failure -j $(JOBS)

test: unit-test e2e-test

demo: install
	tools/demo.sh "$(PREFIX)"

screenshot: stage
	OMBRIX_VIRTUAL_DISPLAY=1 tools/with-wine.sh tools/screenshot.sh $(STAGE) build/panel.png

# The solver's benchmark, natively (optimised) and under Wine, beside CalculiX.
bench-solver: windows
	cmake -S . -B $(BENCH) -DCMAKE_BUILD_TYPE=Release
	cmake --build $(BENCH) -j $(JOBS) --target ombrix_solver_bench
	tools/with-wine.sh tools/bench_solver.py $(BENCH)/suite/bench/ombrix_solver_bench \
	    $(WINDOWS)/suite/bench/ombrix_solver_bench.exe

clean:
	rm -rf build
