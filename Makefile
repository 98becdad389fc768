# make run   - install what is missing, build, start Quorvel (the table on standard output
#              when there is no display)
# make test  - install what is missing, build, run every test
# make bench - install what is missing, build optimised, run the benchmarks
BUILD ?= build
BENCH_BUILD ?= build-bench
CMAKE_FLAGS ?=

.PHONY: all deps configure build run test bench screenshots clean

all: build

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j2

run: build
	@scripts/run-quorvel $(BUILD)/bin/quorvel

test: build
	@cd $(BUILD) && ctest --output-on-failure -j2

bench: deps
	@cmake -S . -B $(BENCH_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUORVEL_BUILD_TESTS=OFF >/dev/null
	@cmake --build $(BENCH_BUILD) -j2
	@scripts/run-benchmarks $(BENCH_BUILD)

screenshots: build
	@scripts/screenshots $(BUILD)/bin/quorvel docs

clean:
	rm -rf $(BUILD) $(BENCH_BUILD)
