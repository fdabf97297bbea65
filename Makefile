# The front door: `make demo` and `make test` set up a fresh Debian 12 machine
# (as root), build and run. Everything else is plain CMake in build/.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?= -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: all deps configure build demo test bench clean format check-format

all: build

deps:
	@scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

demo: build
	@$(BUILD)/trommik2-host render --bars 4 -o demo.wav
	@echo "demo: $(CURDIR)/demo.wav"

test: build
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# Renders the benchmark cases (a few minutes) and writes bench/results.json.
bench: build
	@$(BUILD)/trommik2-bench --json bench/results.json

format:
	@git ls-files '*.cpp' '*.h' '*.c' | xargs clang-format -i

check-format:
	@git ls-files '*.cpp' '*.h' '*.c' | xargs clang-format --dry-run -Werror

clean:
	@rm -rf $(BUILD)
