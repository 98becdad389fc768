# make run   - install what is missing, build, start Quorvel (the table on standard output
#              when there is no display)
# make test  - install what is missing, build, run every test
# make bench - install what is missing, build optimised, run the benchmarks
# make test-asan - build with AddressSanitizer and UndefinedBehaviorSanitizer, run every test;
#              then the picture fuzz inputs under valgrind
# make fuzz  - build the fuzz targets with clang and run each for FUZZ_SECONDS (default 60);
#              a finding (crash, leak, slow input, broken property) fails
# make fuzz-long - the breadth run: every fuzz target on inputs up to 64 KB until it has made
#              FUZZ_RUNS executions (default a million; FUZZ_LONG_SECONDS caps each target's
#              time, 0 = no cap), at the lowest priority; hours long, not in CI.
#              FUZZ_TARGETS names some targets only; FUZZ_WORKERS=2 gives each target two
#              processes, for the slow ones (scene, session, loadtable) on a free machine
# make package - build the Debian package $(BUILD)/quorvel_<version>_<arch>.deb
BUILD ?= build
BENCH_BUILD ?= build-bench
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
FUZZ_RUNS ?= 1000000
FUZZ_LONG_SECONDS ?= 0
FUZZ_WORKERS ?= 1
CMAKE_FLAGS ?=

.PHONY: all deps configure build run test bench screenshots clean test-asan fuzz fuzz-build \
	fuzz-long package

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
	@cd $(BUILD) && ctest --output-on-failure -j2 -LE valgrind

package: build
	@cd $(BUILD) && cpack -G DEB

bench: deps
	@cmake -S . -B $(BENCH_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUORVEL_BUILD_TESTS=OFF >/dev/null
	@cmake --build $(BENCH_BUILD) -j2
	@scripts/run-benchmarks $(BENCH_BUILD)

# Any sanitizer report fails the test that caused it; leaks are checked at every exit. The
# suppressions cover allocations that Qt's platform and font libraries keep for the process.
SANITIZER_ENV = ASAN_OPTIONS=halt_on_error=1:detect_leaks=1 \
	LSAN_OPTIONS=suppressions=$(CURDIR)/fuzz/lsan.supp:print_suppressions=0 \
	UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1

# Then the picture fuzz inputs under valgrind (label valgrind), in the plain build: a read of
# memory never written fails there.
test-asan: build
	@cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DQUORVEL_SANITIZE=ON -DQUORVEL_BUILD_BENCH=OFF $(CMAKE_FLAGS) >/dev/null
	@$(SANITIZER_ENV) cmake --build $(ASAN_BUILD) -j2
	@cd $(ASAN_BUILD) && $(SANITIZER_ENV) ctest --output-on-failure -j2
	@cd $(BUILD) && ctest --output-on-failure -L valgrind

fuzz-build: deps
	@CC=clang CXX=clang++ cmake -S fuzz -B $(FUZZ_BUILD) -G Ninja $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(FUZZ_BUILD) -j2 --target fuzz_all

fuzz: fuzz-build
	@fuzz/run-fuzzers $(FUZZ_BUILD) $(FUZZ_SECONDS)

fuzz-long: fuzz-build
	@FUZZ_MODE=breadth FUZZ_RUNS=$(FUZZ_RUNS) FUZZ_WORKERS=$(FUZZ_WORKERS) nice -n 19 \
		fuzz/run-fuzzers $(FUZZ_BUILD) $(FUZZ_LONG_SECONDS) $(FUZZ_TARGETS)

screenshots: build
	@scripts/screenshots $(BUILD)/bin/quorvel docs

clean:
	rm -rf $(BUILD) $(BENCH_BUILD) $(ASAN_BUILD) $(FUZZ_BUILD)
