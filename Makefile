# The two commands of a fresh Debian 12 machine: `make run` and `make test`.
BUILD ?= build
SANITIZE_BUILD ?= build-sanitize
RELEASE_BUILD ?= build-release
JOBS ?= $(shell nproc)
# Extra CMake settings; CI passes -DQUORVEL_WERROR=ON.
CMAKE_ARGS ?=

.PHONY: all deps build run test test-sanitize bench pictures format clean

all: build

deps:
	@bash scripts/install-deps.sh

build: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Debug $(CMAKE_ARGS) >/dev/null
	@cmake --build $(BUILD) -j$(JOBS)

run: build
	@bash scripts/run-demo.sh $(BUILD)

test: build
	@cd $(BUILD) && ctest --output-on-failure -j$(JOBS)

test-sanitize: deps
	@cmake -S . -B $(SANITIZE_BUILD) -DCMAKE_BUILD_TYPE=Debug -DQUORVEL_SANITIZE=ON $(CMAKE_ARGS) >/dev/null
	@cmake --build $(SANITIZE_BUILD) -j$(JOBS)
	@cd $(SANITIZE_BUILD) && ctest --output-on-failure -j$(JOBS)

bench: deps
	@cmake -S . -B $(RELEASE_BUILD) -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(RELEASE_BUILD) -j$(JOBS) --target bench_report_ingest bench_report_loopback bench_report_grid
	@$(RELEASE_BUILD)/bench/bench_report_ingest
	@$(RELEASE_BUILD)/bench/bench_report_loopback
	@$(RELEASE_BUILD)/bench/bench_report_grid

pictures: build
	@xvfb-run -a $(BUILD)/tools/render-windows docs/pictures

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	@rm -rf $(BUILD) $(SANITIZE_BUILD) $(RELEASE_BUILD) run
