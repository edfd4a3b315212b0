# Thin wrapper over CMake. `make test` installs what the build needs, builds and
# runs every test; `make test-asan` repeats the unit tests under ASan + UBSan;
# `make fuzz` builds the fuzz targets with clang and runs each for FUZZ_SECONDS.
BUILD      ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
JOBS       ?= $(shell nproc)
DEPS       := cmake g++ make pkg-config libgtest-dev libbenchmark-dev libxxhash-dev \
              libsodium-dev libargon2-dev libssl-dev zlib1g-dev python3
FUZZ_DEPS  := clang-14 libclang-rt-14-dev

.PHONY: all deps fuzz-deps build test test-asan fuzz bench bench-io microbench demo clean

all: build

# Installs the Debian packages that are missing (needs root or sudo).
deps fuzz-deps:
	@missing=""; for p in $(if $(filter fuzz-deps,$@),$(FUZZ_DEPS),$(DEPS)); do dpkg -s $$p >/dev/null 2>&1 || missing="$$missing $$p"; done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  SUDO=""; [ "$$(id -u)" = 0 ] || SUDO=sudo; \
	  $$SUDO apt-get update -qq && DEBIAN_FRONTEND=noninteractive $$SUDO apt-get install -y -qq $$missing; \
	fi

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j$(JOBS)

test: build
	cd $(BUILD) && ctest --output-on-failure -j$(JOBS)

test-asan: deps
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DTARVIK_SANITIZE=ON -DTARVIK_BENCH=OFF
	cmake --build $(ASAN_BUILD) -j$(JOBS)
	cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --output-on-failure -j$(JOBS)

# libFuzzer targets with ASan + UBSan (fuzz/), each run for FUZZ_SECONDS on its corpus.
$(FUZZ_BUILD)/CMakeCache.txt:
	cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang-14 \
	  -DCMAKE_CXX_COMPILER=clang++-14 -DTARVIK_FUZZ=ON -DTARVIK_BENCH=OFF

fuzz: deps fuzz-deps $(FUZZ_BUILD)/CMakeCache.txt
	cmake --build $(FUZZ_BUILD) -j$(JOBS)
	fuzz/run.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

# Each program of bench/programs against its reference twin (paired rounds; the
# table gives median times, per-round ratios and peak RSS).
BENCH_DEPS := lua5.4 luajit time
PAIRS      ?= 5
bench: build
	@$(MAKE) --no-print-directory deps DEPS="$(BENCH_DEPS)"
	python3 bench/compare.py --build $(BUILD) --pairs $(PAIRS)

# I/O throughput: a file copied through streams, a loopback echo between fibers.
bench-io: build
	python3 bench/io.py --build $(BUILD)

# The runtime's micro-benchmarks (allocation, reference counts, property maps).
microbench: build
	$(BUILD)/bench/runtime_bench

# Assembles examples/tour.asm and runs it on the VM.
demo: build
	$(BUILD)/tools/tvkasm -o $(BUILD)/tour.tvk examples/tour.asm
	$(BUILD)/src/driver/tarvik --exec $(BUILD)/tour.tvk

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD)
