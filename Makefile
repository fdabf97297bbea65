# The front door: `make demo` and `make test` set up a fresh Debian 12 machine
# (as root), build and run. Everything else is plain CMake in build/.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?= -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: all deps configure build demo test test-asan test-tsan bench bench-peers fuzz clean format check-format install

all: build

deps:
	@scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

# The build writes the factory library beside the module; the demo plays its default setup.
demo: build
	@$(BUILD)/trommik2-host render --bars 4 --setup $(BUILD)/Trommik2/Setups/default.tm2set -o demo.wav
	@echo "demo: $(CURDIR)/demo.wav"

# The standalone instrument with its module and content under PREFIX.
PREFIX ?= /usr/local
install: build
	@cmake --install $(BUILD) --prefix $(PREFIX)

test: build
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# The whole suite under AddressSanitizer with UndefinedBehaviorSanitizer, and
# under ThreadSanitizer, each in a build folder of its own.
SANITIZER_TEST = cmake -S . -B $(1) $(CMAKE_FLAGS) -DTROMMIK2_SANITIZE=$(2) >/dev/null && \
	cmake --build $(1) -j $(JOBS) && cd $(1) && ctest --output-on-failure -j $(JOBS)

test-asan: deps
	@ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1 \
		UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 $(call SANITIZER_TEST,build-asan,address)

test-tsan: deps
	@TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 $(call SANITIZER_TEST,build-tsan,thread)

# Renders the benchmark cases (a few minutes) and writes bench/results.json;
# then a minute of the standalone's audio callback in real time, bench/realtime.json.
bench: build
	@$(BUILD)/trommik2-bench --json bench/results.json
	@$(BUILD)/trommik2-rtbench --json bench/realtime.json

# The same songs rendered by a peer drum machine (installed from Debian when
# missing) and by ours, side by side (a few minutes); a Markdown table.
bench-peers: build
	@bench/peers/bench_peers.py --build $(BUILD)

# Builds the fuzz targets with clang in build-fuzz and runs each for
# FUZZ_SECONDS, from the committed seeds; findings land in fuzz/artifacts/.
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
FUZZ_TARGETS = fuzz_wav_loader fuzz_mmio fuzz_entry_point fuzz_load_state fuzz_document_readers \
	fuzz_configuration
fuzz: deps
	@CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DTROMMIK2_FUZZ=ON -DTROMMIK2_TESTS=OFF >/dev/null
	@cmake --build $(FUZZ_BUILD) -j $(JOBS) --target $(FUZZ_TARGETS)
	@for t in $(FUZZ_TARGETS); do \
		mkdir -p $(FUZZ_BUILD)/corpus/$$t fuzz/artifacts/$$t fuzz/corpus/$$t; \
		echo "fuzz: $$t for $(FUZZ_SECONDS) s"; \
		$(FUZZ_BUILD)/fuzz/$$t -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
			-artifact_prefix=fuzz/artifacts/$$t/ $(FUZZ_BUILD)/corpus/$$t fuzz/corpus/$$t || exit 1; \
	done

format:
	@git ls-files '*.cpp' '*.h' '*.c' | xargs clang-format -i

check-format: deps
	@git ls-files '*.cpp' '*.h' '*.c' | xargs clang-format --dry-run -Werror

clean:
	@rm -rf $(BUILD) build-asan build-tsan $(FUZZ_BUILD)
