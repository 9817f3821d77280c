# Thin wrapper over CMake. `make run` and `make test` set up everything on a fresh Debian 12 or 13 machine.
# build/ has the tests; `make run` builds the program alone, with its own packages, into build-run/.
BUILD ?= build
BUILD_RUN ?= build-run
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_FLAGS ?=
# Seconds each fuzz target runs in `make test`.
export TARVIK_FUZZ_SECONDS ?= 30

.PHONY: all deps configure build run check test test-windows test-windows-widgets windows package bench bench-windows clean

all: build

deps:
	./scripts/install-deps

configure: deps
	cmake -S . -B $(BUILD) -G Ninja -DTARVIK_TESTS=ON $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

# Only what building and running the program needs: no tests, no googletest, no cross toolchain.
run:
	./scripts/install-deps run
	cmake -S . -B $(BUILD_RUN) -G Ninja -DTARVIK_TESTS=OFF $(CMAKE_FLAGS)
	cmake --build $(BUILD_RUN) -j $(JOBS)
	$(BUILD_RUN)/bin/tarvik

# The edit-compile-test loop: build/ and its tests (unit, widget, reliability, desktop), nothing else.
check: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# The native tests, then the unit and widget tests under ASan/UBSan (build-asan/), every fuzz target
# for TARVIK_FUZZ_SECONDS (build-fuzz/), the core with the Windows platform layer cross-built
# and run under Wine (build-win/), the widget tests built against Qt for Windows and run under Wine
# (build-wingui/; the first run builds Qt for Windows into ~/.cache/tarvik), the Windows program's
# zip and setup driven under Wine (build-winapp/), and the Debian package built
# (build-pkg/), checked and its unpacked program run by an unprivileged user. Last, the tests
# counted on each system.
test: build
	./scripts/timed-stage "native tests" sh -c 'cd $(BUILD) && ctest --output-on-failure -j $(JOBS) --output-junit ctest-results.xml'
	JOBS=$(JOBS) ./scripts/timed-stage "sanitizer build and tests" ./scripts/test-sanitizers
	JOBS=$(JOBS) ./scripts/timed-stage "fuzzing" ./scripts/test-fuzz
	JOBS=$(JOBS) ./scripts/timed-stage "Windows build and tests under Wine" ./scripts/test-windows
	JOBS=$(JOBS) BUILD=$(BUILD) ./scripts/timed-stage "Windows widget tests under Wine" ./scripts/test-windows-widgets
	JOBS=$(JOBS) BUILD=$(BUILD) ./scripts/timed-stage "Windows program under Wine" ./scripts/test-windows-program
	JOBS=$(JOBS) ./scripts/timed-stage "Debian package and its checks" ./scripts/test-package
	./scripts/test-counts $(BUILD) $${BUILD_WIN:-build-win} $${BUILD_WINGUI:-build-wingui}

test-windows: deps
	JOBS=$(JOBS) ./scripts/test-windows

# The widget tests built against Qt for Windows and run under Wine (build-wingui/) alone.
test-windows-widgets: build
	JOBS=$(JOBS) BUILD=$(BUILD) ./scripts/test-windows-widgets
	./scripts/test-counts $(BUILD) $${BUILD_WINGUI:-build-wingui}

# The Windows program as dist/Tarvik-3.0-windows-x64.zip and dist/Tarvik-3.0-setup.exe (Qt for Windows
# is built once, into a cache).
windows: build
	JOBS=$(JOBS) BUILD=$(BUILD) ./scripts/build-windows

# The Debian package dist/tarvik_3.0-1_amd64.deb (tarvik_3.0-1+deb13_amd64.deb on Debian 13; built in
# build-pkg/).
package: deps
	JOBS=$(JOBS) ./scripts/build-package

# The Linux benchmarks (about 20 min); the table also replaces the last one in docs/benchmarks.md.
bench: build
	cmake --build $(BUILD) --target bench_programs
	./scripts/bench $(BUILD)

# The Windows program under Wine beside the smallest Qt tray program (build-benchwin/; about 20 min);
# its table goes into docs/benchmarks.md too.
bench-windows: build
	JOBS=$(JOBS) BUILD=$(BUILD) ./scripts/bench-windows

clean:
	rm -rf $(BUILD) $(BUILD_RUN) $${BUILD_ASAN:-build-asan} $${BUILD_FUZZ:-build-fuzz} $${BUILD_WIN:-build-win} \
	    $${BUILD_WINGUI:-build-wingui} $${BUILD_WINAPP:-build-winapp} $${BUILD_BENCHWIN:-build-benchwin} \
	    $${BUILD_PKG:-build-pkg} dist
