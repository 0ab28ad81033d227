# Set-up, build, run and test in one place. Every target installs missing Debian packages first.
BUILD ?= build
BUILD_TYPE ?= Release
CMAKE_FLAGS ?=
CTEST_ARGS ?=

.PHONY: all deps configure build run test bench format clean

all: build

deps:
	@tools/setup-deps.sh

configure: deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD) --parallel 2

run: build
	$(BUILD)/zitterbecken

test: build
	tools/run-tests.sh $(BUILD) $(CTEST_ARGS)

bench: build
	$(BUILD)/zb_bench --benchmark_counters_tabular=true

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD)
