# Thin wrapper over CMake. `make run` and `make test` set up everything on a fresh Debian 12 machine.
BUILD ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_FLAGS ?=

.PHONY: all deps configure build run test test-windows bench clean

all: build

deps:
	./scripts/install-deps

configure: deps
	cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/bin/tarvik

# The native tests, then the Windows platform layer and the core cross-built and run under Wine.
test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)
	JOBS=$(JOBS) ./scripts/test-windows

test-windows: deps
	JOBS=$(JOBS) ./scripts/test-windows

bench: build
	cmake --build $(BUILD) --target bench_programs
	./scripts/bench $(BUILD)

clean:
	rm -rf $(BUILD) build-win
