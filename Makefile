# The two commands of the README, and the few around them. CMake and CTest do the real work.
BUILD ?= build
SANITIZE_BUILD ?= build-sanitize
PREFIX ?= /usr/local
CMAKE_FLAGS ?=

.PHONY: run test test-sanitize deps configure build clean

# The game comes first: `make run` builds only what it starts; the suite waits for `make test`, the bench for `make bench`.
run: configure
	cmake --build $(BUILD) --target game
	./scripts/run-game $(BUILD)

# Most tests wait on a real minute or on another process, so they run side by side; those that
# measure time or memory hold a lock named `measured` and take turns.
TEST_JOBS ?= 8

test: build
	ctest --test-dir $(BUILD) --output-on-failure --timeout 300 --parallel $(TEST_JOBS)

test-sanitize: deps
	cmake -S . -B $(SANITIZE_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTASTENRENNER_SANITIZE=ON $(CMAKE_FLAGS)
	cmake --build $(SANITIZE_BUILD)
	ctest --test-dir $(SANITIZE_BUILD) --output-on-failure --timeout 600 --parallel $(TEST_JOBS) -LE no-sanitize

deps:
	./scripts/install-deps

configure: deps
	cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD)

clean:
	rm -rf $(BUILD) $(SANITIZE_BUILD) $(PACKAGE_BUILD)

# Installing the game under PREFIX (DESTDIR is honoured), and building its Debian package in a tree of its own.
PACKAGE_BUILD ?= build-package
.PHONY: install package

install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

package: deps
	./packaging/build-deb . $(PACKAGE_BUILD)

# The game beside the toolkit's floor, and beside any BENCH_GAMES (LABEL=PATH ...), under an X server of their own;
# best run on a quiet machine. It builds only what it runs.
BENCH_PAIRS ?= 10
BENCH_ROUNDS ?= 3
BENCH_GAMES ?=
.PHONY: bench

bench: configure
	cmake --build $(BUILD) --target tastenrenner tastenrenner-floor bench-probe
	./bench/run-bench $(BUILD) $(BENCH_PAIRS) $(BENCH_ROUNDS) $(BENCH_GAMES)
