# Set-up, build, run and test in one place. Every target installs missing Debian packages first:
# `run` only what building and running need, `package` that plus Debian's packaging tools, the
# others also what the tests need.
BUILD ?= build
BUILD_TYPE ?= Release
CMAKE_FLAGS ?=
CTEST_ARGS ?=
DEPS ?= test

.PHONY: all deps configure build run test bench package format clean

all: build

deps:
	@tools/setup-deps.sh $(DEPS)

configure: deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD) --parallel 2

run: DEPS = run
run: build
	$(BUILD)/zitterbecken

test: build
	tools/run-tests.sh $(BUILD) $(CTEST_ARGS)

bench: build
	$(BUILD)/zb_bench --benchmark_counters_tabular=true

# The Debian package, from a Release build with Debian's build flags (hardening) unless
# BUILD_TYPE says otherwise, in a folder of its own so that the flags do not rebuild the tests'
# build, and without tests and benchmarks: build-package/zitterbecken_<version>_<arch>.deb
package: DEPS = package
package: BUILD = build-package
package: CMAKE_FLAGS += -C packaging/deb-buildflags.cmake \
	-DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON
package: build
	cd $(BUILD) && cpack -G DEB

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD)
