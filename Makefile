# Thin wrapper over CMake. `make run` and `make test` set up everything on a fresh Debian 12 machine.
BUILD ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_FLAGS ?=
# Seconds each fuzz target runs in `make test`.
export TARVIK_FUZZ_SECONDS ?= 30

.PHONY: all deps configure build run test clean

all: build

deps:
	./scripts/install-deps

configure: deps
	cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/bin/tarvik

# The native tests, then the unit and widget tests under ASan/UBSan (build-asan/), then every fuzz
# target for TARVIK_FUZZ_SECONDS (build-fuzz/).
test: build
	./scripts/timed-stage "native tests" sh -c 'cd $(BUILD) && ctest --output-on-failure -j $(JOBS)'
	JOBS=$(JOBS) ./scripts/timed-stage "sanitizer build and tests" ./scripts/test-sanitizers
	JOBS=$(JOBS) ./scripts/timed-stage "fuzzing" ./scripts/test-fuzz

clean:
	rm -rf $(BUILD) build-asan build-fuzz
