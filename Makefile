# make run   installs what is missing, builds and starts Numora
# make test  installs what is missing, builds and runs the whole test suite
BUILD ?= build
JOBS ?= 2
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=Release

.PHONY: deps configure build run test bench fuzz clean

deps:
	./scripts/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD) -j$(JOBS)

run: build
	@if [ -x $(BUILD)/bin/numora ]; then $(BUILD)/bin/numora; else $(BUILD)/bin/numora-cli info; fi

test: build
	cd $(BUILD) && ctest --output-on-failure -j$(JOBS)

# Every benchmark appends its jobs to the summary, printed whole at the end.
bench: build
	rm -f $(BUILD)/bench/summary.txt
	for b in $(BUILD)/bench/bench_*; do [ -x "$$b" ] || continue; \
		NUMORA_BENCH_SUMMARY=$(abspath $(BUILD))/bench/summary.txt "$$b" || exit 1; done
	sh bench/cli_startup.sh $(BUILD)/bin/numora-cli
	@cat $(BUILD)/bench/summary.txt

# The fuzz harnesses need clang; each runs for FUZZ_SECONDS.
FUZZ_SECONDS ?= 60
fuzz: deps
	CC=clang CXX=clang++ cmake -S . -B build-fuzz -DNUMORA_FUZZ=ON -DNUMORA_BUILD_UI=OFF -DNUMORA_BUILD_BENCH=OFF -DNUMORA_BUILD_TESTS=ON
	cmake --build build-fuzz -j$(JOBS) --target fuzzers
	for f in build-fuzz/fuzz/*; do [ -x "$$f" ] && "$$f" -max_total_time=$(FUZZ_SECONDS); done

clean:
	rm -rf $(BUILD) build-fuzz
