# The two everyday commands, over the CMake presets:
#   make run    install what is missing, build, start Lumivane
#   make test   install what is missing, build, run every test
# Others: make package, make asan, make bench, make fuzz, make lint, make clean.
# JOBS=N sets the build's parallel jobs (default: Ninja's own); the tests run
# as many at once as there are cores (CTEST_PARALLEL_LEVEL overrides).

CMAKE ?= cmake
CTEST ?= ctest
BUILD_JOBS := $(if $(JOBS),--parallel $(JOBS),)
export CTEST_PARALLEL_LEVEL ?= $(shell nproc)

.PHONY: all deps run test package asan bench fuzz lint clean

all: build/debug/build.ninja
	$(CMAKE) --build --preset debug $(BUILD_JOBS)

deps:
	@scripts/install-deps.sh

build/%/build.ninja: | deps
	$(CMAKE) --preset $*

run: deps build/release/build.ninja
	$(CMAKE) --build --preset release $(BUILD_JOBS) --target lumivane
	@scripts/run-lumivane.sh build/release/bin/lumivane

test: deps build/debug/build.ninja
	$(CMAKE) --build --preset debug $(BUILD_JOBS)
	$(CTEST) --preset debug

# The Debian package of the optimised program, in build/release/.
package: deps build/release/build.ninja
	$(CMAKE) --build --preset release $(BUILD_JOBS) --target lumivane lumivane_desktop_files
	cd build/release && cpack -G DEB

asan: deps build/asan/build.ninja
	$(CMAKE) --build --preset asan $(BUILD_JOBS)
	$(CTEST) --preset asan

bench: deps build/release/build.ninja
	@scripts/install-deps.sh --with-bench
	$(CMAKE) --build --preset release $(BUILD_JOBS)
	@scripts/run-benchmarks.sh build/release

fuzz:
	@scripts/install-deps.sh --with-fuzz
	$(CMAKE) --preset fuzz
	$(CMAKE) --build --preset fuzz $(BUILD_JOBS)
	@scripts/run-fuzzers.sh build/fuzz

lint: deps
	@scripts/lint.sh

clean:
	rm -rf build
