# Two commands do everything on a fresh Debian 12 machine: `make run` and `make test`.
BUILD_DIR ?= build
PRESET    ?= default
JOBS      ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: all deps configure build test run bench fuzz fuzz-deps fuzz-smoke sanitize asan tsan clean format

all: build

deps:
	@bash scripts/install-deps.sh

configure: deps
	@cmake --preset $(PRESET) >/dev/null

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

test: build
	@cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

run: build
	@bash scripts/run-demo.sh $(BUILD_DIR)

# Builds every target of the release preset, not just the benchmarks, so a warning that only
# optimised builds raise cannot hide there; prints min / median of five runs of the speed rows.
# The whole set: ./build-release/bench/pictorra_bench
bench: deps
	@cmake --preset release >/dev/null && cmake --build build-release -j $(JOBS)
	@python3 bench/table.py ./build-release/bench/pictorra_bench

fuzz-deps: deps
	@bash scripts/install-deps.sh fuzz

fuzz: fuzz-deps
	@cmake --preset fuzz >/dev/null && cmake --build build-fuzz -j $(JOBS)

# Each fuzz target for FUZZ_SECONDS on a scratch copy of its seed corpus (the committed
# corpus stays as it is); a crash is written to build-fuzz/crashes/<target>/ and fails the run.
FUZZ_SECONDS ?= 20
fuzz-smoke: fuzz
	@bash scripts/fuzz-smoke.sh $(FUZZ_SECONDS)

# The whole suite under AddressSanitizer + UndefinedBehaviorSanitizer, then the tests that
# start loader threads under ThreadSanitizer. Only what these runs need is built.
SANITIZER_DIR := $(CURDIR)/scripts/sanitizers
ASAN_ENV := ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1:check_initialization_order=1 \
	LSAN_OPTIONS=suppressions=$(SANITIZER_DIR)/lsan.supp:print_suppressions=0 \
	UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
TSAN_ENV := TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1:suppressions=$(SANITIZER_DIR)/tsan.supp
THREAD_TESTS := test_app test_game test_pack test_play test_position

sanitize: asan tsan

asan: deps
	@cmake --preset asan >/dev/null && cmake --build build-asan -j $(JOBS)
	@cd build-asan && $(ASAN_ENV) QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

tsan: deps
	@cmake --preset tsan >/dev/null && cmake --build build-tsan -j $(JOBS) --target $(THREAD_TESTS)
	@cd build-tsan && $(TSAN_ENV) ctest -L threads --output-on-failure -j $(JOBS)

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	@rm -rf $(BUILD_DIR) build-release build-fuzz build-asan build-tsan

# A Debian package of the tool and the game template in build/package/, then its check.
.PHONY: package
package: build
	@bash scripts/install-deps.sh package
	@cmake --build $(BUILD_DIR) --target package
	@cd $(BUILD_DIR) && ctest --output-on-failure -L package
