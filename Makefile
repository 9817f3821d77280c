# Thin wrapper over CMake. `make run` and `make test` set up everything on a fresh Debian 12 machine.
BUILD ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_FLAGS ?=

.PHONY: all deps configure build run test bench clean

all: build

deps:
	./scripts/install-deps

configure: deps
	cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/bin/tarvik

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

bench: build
	cmake --build $(BUILD) --target bench_programs
	./scripts/bench $(BUILD)

clean:
	rm -rf $(BUILD)
