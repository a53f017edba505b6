# make run   build, then run the demo (headless: screenshots under build/screenshots)
# make test  build with warnings as errors and run every test, then again
#            with the address and undefined-behaviour sanitizers
# make bench the benchmark table, and the demo's frame rate against plain-GLUT
#            peers; fails when drawText takes over 1.25 times its floor
BUILD_DIR ?= build
SANITIZE_DIR ?= build-sanitize
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: all deps build run test test-plain test-sanitize bench clean

all: build

deps:
	@sh scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD_DIR) -DVESTRANE_WARNINGS_AS_ERRORS=ON $(CMAKE_FLAGS)
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	@sh scripts/run-demo.sh $(BUILD_DIR)

test: test-plain test-sanitize

test-plain: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

test-sanitize: deps
	cmake -S . -B $(SANITIZE_DIR) -DVESTRANE_WARNINGS_AS_ERRORS=ON -DVESTRANE_SANITIZE=ON \
	    -DCMAKE_BUILD_TYPE=Debug $(CMAKE_FLAGS)
	cmake --build $(SANITIZE_DIR) -j $(JOBS)
	cd $(SANITIZE_DIR) && ctest --output-on-failure -j $(JOBS)

bench: deps
	cmake -S . -B $(BUILD_DIR) -DVESTRANE_BUILD_BENCHMARKS=ON $(CMAKE_FLAGS)
	cmake --build $(BUILD_DIR) -j $(JOBS)
	$(BUILD_DIR)/bench/vestrane_bench
	sh bench/frame_rate.sh $(BUILD_DIR)

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR)
