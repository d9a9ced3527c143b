# The two commands a newcomer needs: `make run` and `make test`.
# Both install what is missing, configure, build and stage the program folder.
# `make test` also builds the cores, their tests and the fuzzers with clang under
# AddressSanitizer and UndefinedBehaviorSanitizer in $(SAN_DIR), the threaded
# cores and their tests under ThreadSanitizer in $(TSAN_DIR), and runs them.
# `make fuzz` runs every fuzzer for ten minutes (FUZZ_LONG_SECONDS).

BUILD_DIR ?= build
SAN_DIR ?= $(BUILD_DIR)/sanitize
TSAN_DIR ?= $(BUILD_DIR)/tsan
FUZZ_SECONDS ?= 20
STAGE_DIR := $(BUILD_DIR)/Scontrix
JOBS ?= $(shell nproc)

.PHONY: run test build sanitize tsan fuzz locales deps test-deps bench-deps configure bench package clean

run: build
	cd $(STAGE_DIR) && ./scontrix

test: build test-deps sanitize tsan locales
	scripts/run-tests.sh $(BUILD_DIR) $(SAN_DIR) $(TSAN_DIR)

# The locales the tests run under, built into the build folder (LOCPATH).
LOCALES_DIR := $(abspath $(BUILD_DIR))/locales
locales: test-deps
	scripts/make-locales.sh $(LOCALES_DIR)

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

configure: deps
	@if [ ! -f $(BUILD_DIR)/CMakeCache.txt ]; then \
	  cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSCONTRIX_WERROR=ON; \
	fi

sanitize: test-deps
	@if [ ! -f $(SAN_DIR)/CMakeCache.txt ]; then \
	  cmake -S . -B $(SAN_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug \
	    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
	    -DSCONTRIX_SANITIZE=ON -DSCONTRIX_BENCH=OFF; \
	fi
	cmake -S . -B $(SAN_DIR) -DSCONTRIX_FUZZ_SECONDS=$(FUZZ_SECONDS) \
	  -DSCONTRIX_LOCALES_DIR=$(LOCALES_DIR) > /dev/null
	cmake --build $(SAN_DIR) --target sanitized -j $(JOBS)

# The cores that run on more than one thread and their tests, under
# ThreadSanitizer, in $(TSAN_DIR).
tsan: test-deps
	@if [ ! -f $(TSAN_DIR)/CMakeCache.txt ]; then \
	  cmake -S . -B $(TSAN_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug \
	    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
	    -DSCONTRIX_TSAN=ON -DSCONTRIX_BENCH=OFF; \
	fi
	cmake -S . -B $(TSAN_DIR) -DSCONTRIX_LOCALES_DIR=$(LOCALES_DIR) > /dev/null
	cmake --build $(TSAN_DIR) --target sanitized -j $(JOBS)

# Every fuzz target for FUZZ_LONG_SECONDS (ten minutes by default) on the
# corpus kept in $(SAN_DIR)/fuzz/found; the figures go to $(SAN_DIR)/fuzz/last-run.md.
FUZZ_LONG_SECONDS ?= 600
fuzz: sanitize
	scripts/fuzz.sh $(SAN_DIR) $(FUZZ_LONG_SECONDS)

deps:
	scripts/install-deps.sh packages.txt

# What only the tests need (a spreadsheet program to read the export).
test-deps:
	scripts/install-deps.sh packages.txt packages-test.txt

# What only the benchmarks need (SQLite, the database they compare with).
bench-deps:
	scripts/install-deps.sh packages.txt packages-bench.txt

# Builds and runs every benchmark; the README's Performance section comes from it.
# One at a time, so that no benchmark runs beside another.
bench: bench-deps configure
	cmake -S . -B $(BUILD_DIR) > /dev/null
	cmake --build $(BUILD_DIR) -j $(JOBS)
	cmake --build $(BUILD_DIR) --target benchmarks -j 1

# The portable program folder as a .tar.gz, written into the build folder.
package: build
	cd $(BUILD_DIR) && cpack

clean:
	rm -rf $(BUILD_DIR)
