# The front door: `make run` and `make test` are all a new user needs.
BUILD   ?= build
JOBS    ?= $(shell nproc)

# The nested builds print their steps, not every directory they enter.
export MAKEFLAGS += --no-print-directory

.PHONY: all deps build run test bench fuzz mutate clean

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

bench: deps $(BUILD)/CMakeCache.txt
	@tools/install-deps --bench
	@cmake --build $(BUILD) -j $(JOBS)
	@bench/run $(BUILD)

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
