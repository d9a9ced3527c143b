# The two commands a newcomer needs: `make run` and `make test`.
# Both install what is missing, configure, build and stage the program folder.

BUILD_DIR ?= build
STAGE_DIR := $(BUILD_DIR)/Scontrix
JOBS ?= $(shell nproc)

.PHONY: run test build deps configure bench clean

run: build
	cd $(STAGE_DIR) && ./scontrix

test: build
	scripts/run-tests.sh $(BUILD_DIR)

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

configure: deps
	@if [ ! -f $(BUILD_DIR)/CMakeCache.txt ]; then \
	  cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSCONTRIX_WERROR=ON; \
	fi

deps:
	scripts/install-deps.sh

bench: build
	cmake --build $(BUILD_DIR) --target benchmarks -j $(JOBS)

clean:
	rm -rf $(BUILD_DIR)
