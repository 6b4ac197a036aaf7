# The two commands of a fresh Debian 12 machine: `make run` and `make test`.
BUILD ?= build
SANITIZE_BUILD ?= build-sanitize
RELEASE_BUILD ?= build-release
FUZZ_BUILD ?= build-fuzz
# Seconds each fuzz target runs after its corpus.
FUZZ_SECONDS ?= 60
FUZZ_TARGETS = fuzz_server_frame_parser fuzz_server_frame_reader fuzz_client_frame_reader fuzz_lang_file
PACKAGE_BUILD ?= build-package
JOBS ?= $(shell nproc)
# Extra CMake settings; CI passes -DQUORVEL_WERROR=ON.
CMAKE_ARGS ?=

.PHONY: all deps build run test test-sanitize bench package pictures format clean

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

fuzz: deps
	@cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ -DQUORVEL_FUZZ=ON >/dev/null
	@cmake --build $(FUZZ_BUILD) -j$(JOBS) --target $(FUZZ_TARGETS)
	@bash scripts/run-fuzz.sh $(FUZZ_BUILD) $(FUZZ_SECONDS) $(FUZZ_TARGETS)

bench: deps
	@cmake -S . -B $(RELEASE_BUILD) -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(RELEASE_BUILD) -j$(JOBS) --target bench_report_ingest bench_report_loopback bench_report_grid
	@$(RELEASE_BUILD)/bench/bench_report_ingest
	@$(RELEASE_BUILD)/bench/bench_report_loopback
	@$(RELEASE_BUILD)/bench/bench_report_grid

# The Debian package quorvel-client_<version>_<arch>.deb in $(PACKAGE_BUILD),
# from a release build with Debian's hardening flags.
package: deps
	@CXXFLAGS="$$(dpkg-buildflags --get CXXFLAGS) $$(dpkg-buildflags --get CPPFLAGS)" \
	  LDFLAGS="$$(dpkg-buildflags --get LDFLAGS)" \
	  cmake -S . -B $(PACKAGE_BUILD) -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF $(CMAKE_ARGS) >/dev/null
	@rm -f $(PACKAGE_BUILD)/*.deb
	@cmake --build $(PACKAGE_BUILD) -j$(JOBS) --target package

pictures: build
	@xvfb-run -a $(BUILD)/tools/render-windows docs/pictures

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	@rm -rf $(BUILD) $(SANITIZE_BUILD) $(RELEASE_BUILD) $(PACKAGE_BUILD) $(FUZZ_BUILD) run
