# The two commands of the README: `make test` and `make run`.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDIALTALLY_WERROR=ON

.PHONY: deps configure build test run bench clean

deps:
	@bash scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

test: build
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

run: build
	@bash scripts/run-samples.sh $(BUILD)

bench: configure
	@cmake --build $(BUILD) -j $(JOBS) --target dialtally_bench
	@$(BUILD)/bench/dialtally_bench

clean:
	@rm -rf $(BUILD)
