# Sarvexa: the two quick-start commands (make run, make test) and helpers.
# Each target first installs what is missing (scripts/install-deps).

JOBS        ?= $(shell nproc)
BUILD       ?= build
ASAN_BUILD  ?= build-asan
FUZZ_BUILD  ?= build-fuzz
# CI runs each fuzzer for a minute; a local `make test` keeps it short.
ifeq ($(CI),true)
FUZZ_SECONDS ?= 60
else
FUZZ_SECONDS ?= 15
endif

.PHONY: all deps build build-asan run test test-release test-asan bench fuzz fuzz-build clean

all: build

deps:
	@bash scripts/install-deps

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release
	cmake --build $(BUILD) -j $(JOBS)

# The toolkit-free libraries and their tests under ASan + UBSan.
build-asan: deps
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DSARVEXA_GUI=OFF \
	      -DSARVEXA_BENCH=OFF -DSARVEXA_SANITIZE=ON
	cmake --build $(ASAN_BUILD) -j $(JOBS)

run: build
	@bash scripts/run

test-asan: build-asan
	cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	    ctest --output-on-failure -j $(JOBS)

test-release: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# Sanitizer run and fuzzers first, so the run closes with the main summary.
test: build build-asan
	$(MAKE) --no-print-directory test-asan
	$(MAKE) --no-print-directory fuzz
	$(MAKE) --no-print-directory test-release

bench: build
	@bash scripts/bench $(BUILD)

fuzz-build: deps
	@if [ -f fuzz/CMakeLists.txt ]; then \
	  CXX=clang++ CC=clang cmake -S fuzz -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo && \
	  cmake --build $(FUZZ_BUILD) -j $(JOBS); \
	fi

fuzz: fuzz-build
	@if [ -f fuzz/CMakeLists.txt ]; then bash scripts/fuzz $(FUZZ_BUILD) $(FUZZ_SECONDS); fi

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD)
