# The two commands of the README: `make test` and `make run`.
BUILD ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDIALTALLY_WERROR=ON
FUZZ_SECONDS ?= 60

# Any sanitizer report fails the run.
export ASAN_OPTIONS ?= halt_on_error=1:detect_leaks=1
export UBSAN_OPTIONS ?= halt_on_error=1:print_stacktrace=1

.PHONY: deps configure build test test-sanitized run run-report package bench fuzz clean

deps:
	@bash scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

test: build
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)
	@$(MAKE) --no-print-directory test-sanitized

# The core tests again, built with AddressSanitizer and UBSan.
test-sanitized: deps
	@cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DDIALTALLY_WERROR=ON \
		-DDIALTALLY_SANITIZE=ON -DDIALTALLY_CORE_ONLY=ON >/dev/null
	@cmake --build $(ASAN_BUILD) -j $(JOBS) --target core_tests
	@cd $(ASAN_BUILD) && ctest --output-on-failure -j $(JOBS)

run: build
	@bash scripts/run-samples.sh $(BUILD)

run-report: build
	@bash scripts/run-samples.sh $(BUILD) report

# The Debian package, build/dialtally_<version>_<arch>.deb;
# scripts/check-package.sh installs, runs and removes it.
package: build
	@cd $(BUILD) && cpack

bench: configure
	@cmake --build $(BUILD) -j $(JOBS) --target dialtally_bench dialtally_window_bench dialtally_linux_bench
	@$(BUILD)/bench/dialtally_bench
	@$(BUILD)/bench/dialtally_window_bench
	@$(BUILD)/bench/dialtally_linux_bench

# Builds the fuzz targets with clang and runs each for FUZZ_SECONDS, after
# replaying the inputs that once crashed it.
fuzz: deps
	@cmake -S . -B $(FUZZ_BUILD) -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DDIALTALLY_WERROR=ON -DDIALTALLY_FUZZ=ON >/dev/null
	@cmake --build $(FUZZ_BUILD) -j $(JOBS)
	@bash scripts/run-fuzz.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

clean:
	@rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD)
