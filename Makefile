# Two commands do everything on a fresh Debian 12 machine: `make run` and `make test`.
BUILD_DIR ?= build
PRESET    ?= default
JOBS      ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: all deps configure build test run bench fuzz clean format

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

fuzz: deps
	@cmake --preset fuzz >/dev/null && cmake --build build-fuzz -j $(JOBS)

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	@rm -rf $(BUILD_DIR) build-release build-fuzz

# A Debian package of the tool and the game template in build/package/, then its check.
.PHONY: package
package: build
	@bash scripts/install-deps.sh package
	@cmake --build $(BUILD_DIR) --target package
	@cd $(BUILD_DIR) && ctest --output-on-failure -L package
