# make run   build, then run the demo (headless: screenshots under build/screenshots)
# make test  build with warnings as errors and run every test, then again
#            with the address and undefined-behaviour sanitizers
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

# make soak [MINUTES=10] [SANITIZE=1]: the demo on its own X server under
# random keys and resizes for MINUTES (scripts/soak.sh); SANITIZE=1 soaks
# the sanitizer build.
MINUTES ?= 10
SOAK_SANITIZE = $(filter 1,$(SANITIZE))
SOAK_DIR = $(if $(SOAK_SANITIZE),$(SANITIZE_DIR),$(BUILD_DIR))
.PHONY: soak
soak: deps
	cmake -S . -B $(SOAK_DIR) -DVESTRANE_WARNINGS_AS_ERRORS=ON $(CMAKE_FLAGS) \
	    $(if $(SOAK_SANITIZE),-DVESTRANE_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug)
	cmake --build $(SOAK_DIR) -j $(JOBS) --target vestrane \
	    $(if $(SOAK_SANITIZE),vestrane_keep_loaded)
	@sh scripts/soak.sh $(SOAK_DIR) $(MINUTES)

bench: deps
	cmake -S . -B $(BUILD_DIR) -DVESTRANE_BUILD_BENCHMARKS=ON $(CMAKE_FLAGS)
	cmake --build $(BUILD_DIR) -j $(JOBS)
	$(BUILD_DIR)/bench/vestrane_bench

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR)
