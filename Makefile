# The two commands a newcomer needs: `make run` and `make test`.
# Both install what is missing, configure, build and stage the program folder.

BUILD_DIR ?= build
STAGE_DIR := $(BUILD_DIR)/Scontrix
JOBS ?= $(shell nproc)

.PHONY: run test build deps test-deps configure bench clean

run: build
	cd $(STAGE_DIR) && ./scontrix

test: build test-deps
	scripts/run-tests.sh $(BUILD_DIR)

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

configure: deps
	@if [ ! -f $(BUILD_DIR)/CMakeCache.txt ]; then \
	  cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSCONTRIX_WERROR=ON; \
	fi

deps:
	scripts/install-deps.sh packages.txt

# What only the tests need (a spreadsheet program to read the export).
test-deps:
	scripts/install-deps.sh packages.txt packages-test.txt

bench: build
	cmake --build $(BUILD_DIR) --target benchmarks -j $(JOBS)

clean:
	rm -rf $(BUILD_DIR)
