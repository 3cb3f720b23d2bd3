# The two everyday commands, over the CMake presets:
#   make run    install what is missing, build, start Lumivane
#   make test   install what is missing, build, run every test
# Others: make asan, make bench, make fuzz, make clean.

CMAKE ?= cmake
CTEST ?= ctest

.PHONY: all deps run test asan bench fuzz clean

all: build/debug/build.ninja
	$(CMAKE) --build --preset debug

deps:
	@scripts/install-deps.sh

build/%/build.ninja: | deps
	$(CMAKE) --preset $*

run: deps build/release/build.ninja
	$(CMAKE) --build --preset release --target lumivane
	@scripts/run-lumivane.sh build/release/bin/lumivane

test: deps build/debug/build.ninja
	$(CMAKE) --build --preset debug
	$(CTEST) --preset debug

asan: deps build/asan/build.ninja
	$(CMAKE) --build --preset asan
	$(CTEST) --preset asan

bench: deps build/release/build.ninja
	$(CMAKE) --build --preset release
	@scripts/run-benchmarks.sh build/release

fuzz:
	@scripts/install-deps.sh --with-fuzz
	$(CMAKE) --preset fuzz
	$(CMAKE) --build --preset fuzz
	@scripts/run-fuzzers.sh build/fuzz

clean:
	rm -rf build
