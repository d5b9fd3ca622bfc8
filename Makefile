# The front door: `make run` and `make test` are all a new user needs.
BUILD   ?= build
JOBS    ?= $(shell nproc)

# The nested builds print their steps, not every directory they enter.
export MAKEFLAGS += --no-print-directory

.PHONY: all deps build run test bench dist fuzz mutate clean

all: build

deps:
	@tools/install-deps

$(BUILD)/CMakeCache.txt: | deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: deps $(BUILD)/CMakeCache.txt
	@cmake --build $(BUILD) -j $(JOBS)

test: build
	@ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

run: build
	@tools/run-quarry $(BUILD)

# BENCH_RUNS turns per case (at least 5); BENCH=fileview or search runs only those cases.
BENCH_RUNS ?= 7
BENCH      ?= all
bench: deps $(BUILD)/CMakeCache.txt
	@tools/install-deps --bench
	@cmake --build $(BUILD) -j $(JOBS)
	@bench/run $(BUILD) $(BENCH_RUNS) $(BENCH)

# The release zip and its checksum in $(BUILD)/dist, built alone: the Windows
# side configured as `make build` configures it, without the tests.
dist: deps
	@cmake -S . -B $(BUILD)/windows -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-w64-x86_64.cmake \
	    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUARRY_DIST_DIR=$(abspath $(BUILD))/dist >/dev/null
	@cmake --build $(BUILD)/windows --target dist -j $(JOBS)
	@cat $(BUILD)/dist/*.sha256

# Coverage-guided fuzzing of the core, FUZZ_SECONDS per harness (default 60).
fuzz: deps
	@tools/install-deps --fuzz
	@tools/run-fuzz $(BUILD)

# Mutation testing on tests/mutants.txt: each mutation killed or survived.
# Not part of `make test`; MUTATE_ARGS passes options (e.g. --only 3,7 or --quick).
mutate: deps
	@tools/mutate --build $(BUILD) $(MUTATE_ARGS)

clean:
	rm -rf $(BUILD)
