# make run      build the demo and the examples (warnings stay warnings), then
#               run the demo (headless: screenshots under build/screenshots)
# make test     build with warnings as errors and run every test with g++ (the
#               package tests on the packages of make package, which it runs
#               first), the library's unit and gl tests with clang, then the
#               suite with the address and undefined-behaviour sanitizers (g++)
# make analyse  clang-tidy (.clang-tidy) and cppcheck over the library, the demo
#               and the examples (scripts/analyse.sh); fails on any finding
# make bench    the benchmark table, and the demo's frame rate against plain-GLUT
#               peers; fails when drawText takes over 1.25 times its floor
# make package  build the Debian packages libvestrane-support0 and libvestrane-dev
#               (in build-package/) and check them with lintian
# make docs     the HTML reference manual from the public headers,
#               build/docs/html/index.html; fails on anything undocumented
# make mutation how many small faults put into the library the tests catch
#               (scripts/mutate.py); long, so neither make test nor CI runs it
# make test builds in directories of its own, so that warnings as errors never
# reach the build directory that make run and a plain cmake --build use.
BUILD_DIR ?= build
TEST_DIR ?= build-test
CLANG_DIR ?= build-clang
SANITIZE_DIR ?= build-sanitize
ANALYSE_DIR ?= build-analyse
PACKAGE_DIR ?= build-package
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: all deps deps-docs build run test test-plain test-clang test-sanitize analyse bench package
.PHONY: docs clean

all: build

deps:
	@sh scripts/install-deps.sh

# Doxygen makes the man pages of the default build and the HTML manual; the
# installed-library test looks the pages up with man.
deps-docs:
	@sh scripts/install-deps.sh doxygen man-db

build: deps
	cmake -S . -B $(BUILD_DIR) -DVESTRANE_WARNINGS_AS_ERRORS=OFF $(CMAKE_FLAGS)
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: deps
	cmake -S . -B $(BUILD_DIR) -DVESTRANE_WARNINGS_AS_ERRORS=OFF $(CMAKE_FLAGS)
	cmake --build $(BUILD_DIR) -j $(JOBS) --target vestrane vestrane-examples
	@sh scripts/run-demo.sh $(BUILD_DIR)

test: test-plain test-clang test-sanitize

# Every test, with g++. The package tests take the packages that make package
# has just built and lintian has passed, instead of building their own.
test-plain: deps-docs package
	cmake -S . -B $(TEST_DIR) -DVESTRANE_WARNINGS_AS_ERRORS=ON -DVESTRANE_SHARED=ON $(CMAKE_FLAGS)
	cmake --build $(TEST_DIR) -j $(JOBS)
	cd $(TEST_DIR) && VESTRANE_PACKAGE_DIR=$(abspath $(PACKAGE_DIR)) \
	    ctest --output-on-failure -j $(JOBS)

# The same sources built with clang, for its warnings (which do not depend on
# optimisation: a debug build is quicker), and the library's own tests
# (labels unit and gl); the end-to-end, consumer and package tests are
# test-plain's.
test-clang: deps
	CC=clang CXX=clang++ cmake -S . -B $(CLANG_DIR) -DVESTRANE_WARNINGS_AS_ERRORS=ON \
	    -DVESTRANE_SHARED=ON -DCMAKE_BUILD_TYPE=Debug $(CMAKE_FLAGS)
	cmake --build $(CLANG_DIR) -j $(JOBS)
	cd $(CLANG_DIR) && ctest --output-on-failure -j $(JOBS) -L 'unit|gl'

test-sanitize: deps
	cmake -S . -B $(SANITIZE_DIR) -DVESTRANE_WARNINGS_AS_ERRORS=ON -DVESTRANE_SANITIZE=ON \
	    -DCMAKE_BUILD_TYPE=Debug $(CMAKE_FLAGS)
	cmake --build $(SANITIZE_DIR) -j $(JOBS)
	cd $(SANITIZE_DIR) && ctest --output-on-failure -j $(JOBS)

analyse:
	ANALYSE_DIR=$(ANALYSE_DIR) JOBS=$(JOBS) CMAKE_FLAGS="$(CMAKE_FLAGS)" sh scripts/analyse.sh

# make soak [MINUTES=10] [SANITIZE=1]: the demo on its own X server under
# random keys and resizes for MINUTES (scripts/soak.sh); SANITIZE=1 soaks
# the sanitizer build.
MINUTES ?= 10
SOAK_SANITIZE = $(filter 1,$(SANITIZE))
SOAK_DIR = $(if $(SOAK_SANITIZE),$(SANITIZE_DIR),$(BUILD_DIR))
.PHONY: soak
soak: deps
	cmake -S . -B $(SOAK_DIR) $(CMAKE_FLAGS) \
	    $(if $(SOAK_SANITIZE),-DVESTRANE_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug)
	cmake --build $(SOAK_DIR) -j $(JOBS) --target vestrane \
	    $(if $(SOAK_SANITIZE),vestrane_keep_loaded)
	@sh scripts/soak.sh $(SOAK_DIR) $(MINUTES)

# make mutation [MUTANTS=40] [SEED=n]: a seeded random sample of MUTANTS
# one-operator changes to the library, each rebuilt and tested in a scratch
# copy of the tree; prints the changes no test noticed and the score.
MUTANTS ?= 40
.PHONY: mutation
mutation:
	@sh scripts/install-deps.sh python3 ninja-build lld
	MUTANTS=$(MUTANTS) SEED=$(SEED) JOBS=$(JOBS) python3 scripts/mutate.py

bench: deps
	cmake -S . -B $(BUILD_DIR) -DVESTRANE_BUILD_BENCHMARKS=ON $(CMAKE_FLAGS)
	cmake --build $(BUILD_DIR) -j $(JOBS)
	$(BUILD_DIR)/bench/vestrane_bench
	sh bench/frame_rate.sh $(BUILD_DIR)

# The packages are built for /usr (so the library directory is the multiarch
# one) with Debian's hardening flags, then checked by lintian: any error or
# warning fails; an informational tag that is left takes an override with its
# reason in packaging/<package>.lintian-overrides (none is needed today).
DEB_FLAGS = DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get
package: deps-docs
	@sh scripts/install-deps.sh lintian
	cmake -S . -B $(PACKAGE_DIR) -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
	    -DVESTRANE_SHARED=ON -DVESTRANE_BUILD_DEMO=OFF -DVESTRANE_BUILD_TESTS=OFF \
	    -DCMAKE_CXX_FLAGS="$$($(DEB_FLAGS) CXXFLAGS) $$($(DEB_FLAGS) CPPFLAGS)" \
	    -DCMAKE_SHARED_LINKER_FLAGS="$$($(DEB_FLAGS) LDFLAGS)" $(CMAKE_FLAGS)
	cmake --build $(PACKAGE_DIR) -j $(JOBS)
	rm -f $(PACKAGE_DIR)/*.deb
	cd $(PACKAGE_DIR) && cpack -G DEB
	lintian --fail-on error,warning --info --display-info --show-overrides $(PACKAGE_DIR)/*.deb
	@ls $(PACKAGE_DIR)/*.deb

docs: deps-docs
	cmake -S . -B $(BUILD_DIR) -DVESTRANE_WARNINGS_AS_ERRORS=OFF $(CMAKE_FLAGS)
	cmake --build $(BUILD_DIR) --target docs

clean:
	rm -rf $(BUILD_DIR) $(TEST_DIR) $(CLANG_DIR) $(SANITIZE_DIR) $(ANALYSE_DIR) $(PACKAGE_DIR)
