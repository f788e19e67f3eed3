# The two set-up commands of a fresh machine: `make run` and `make test`.
# Both install what is missing through scripts/setup first.

JOBS ?= $(shell nproc)
BUILD_RUN := build
BUILD_TEST := build-test
BUILD_BENCH := build-bench
BUILD_TSAN := build-tsan
BUILD_FUZZ := build-fuzz
BUILD_RELEASE := build-release

.PHONY: all run test release bench tsan setup build clean

all: build

setup:
	@bash scripts/setup

build: setup
	@cmake -S . -B $(BUILD_RUN) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLV_TESTS=OFF >/dev/null
	@cmake --build $(BUILD_RUN) -j $(JOBS)

# The saver on the bundled sample theme.
run: build
	@bash scripts/run-sample $(BUILD_RUN)

# Every test, built with AddressSanitizer and UndefinedBehaviorSanitizer. Each step reports its
# wall time; the test run ends with its ten slowest tests.
test: setup
	@cmake -S . -B $(BUILD_TEST) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DLV_SANITIZE=ON -DLV_PAYLOAD_JOBS=$(JOBS) >/dev/null
	@bash scripts/timed build cmake --build $(BUILD_TEST) -j $(JOBS)
	@JOBS=$(JOBS) bash scripts/timed "fuzz smoke" bash scripts/fuzz-smoke $(BUILD_FUZZ)
	@JOBS=$(JOBS) bash scripts/timed tests bash scripts/run-tests $(BUILD_TEST)

# Everything, tests included, built as a release is: the optimiser's warnings (GCC 12 at -O3
# with -Werror) show only here. Built, not run: `make test` runs the tests.
release: setup
	@cmake -S . -B $(BUILD_RELEASE) -G Ninja -DCMAKE_BUILD_TYPE=Release -DLV_TESTS=ON >/dev/null
	@cmake --build $(BUILD_RELEASE) -j $(JOBS)

# The window-manager and drawing tests under ThreadSanitizer.
tsan: setup
	@cmake -S . -B $(BUILD_TSAN) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DLV_TSAN=ON -DLV_PAYLOAD_JOBS=$(JOBS) >/dev/null
	@bash scripts/timed build cmake --build $(BUILD_TSAN) -j $(JOBS)
	@JOBS=$(JOBS) bash scripts/timed tests bash scripts/run-tests $(BUILD_TSAN) -L tsan

bench: setup
	@cmake -S . -B $(BUILD_BENCH) -G Ninja -DCMAKE_BUILD_TYPE=Release -DLV_TESTS=OFF -DLV_BENCH=ON >/dev/null
	@cmake --build $(BUILD_BENCH) -j $(JOBS)
	@bash bench/run $(BUILD_BENCH)

clean:
	rm -rf $(BUILD_RUN) $(BUILD_TEST) $(BUILD_BENCH) $(BUILD_TSAN) $(BUILD_FUZZ) $(BUILD_RELEASE)
