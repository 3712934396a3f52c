# Kroma: `make run` starts the program, `make test` builds and passes every test.
# Both install what the build needs first (scripts/setup.sh asks dpkg, then apt-get).

BUILD      ?= build
TEST_BUILD ?= build-test
BENCH_BUILD ?= build-bench
FUZZ_BUILD ?= build-fuzz
JOBS       ?= $(shell nproc)
CMAKE_GEN  := -G Ninja

.PHONY: all setup configure run test bench fuzz screenshot clean

all: $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS) --target kroma

setup:
	@scripts/setup.sh

$(BUILD)/build.ninja: | setup
	cmake -S . -B $(BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release

$(TEST_BUILD)/build.ninja: | setup
	cmake -S . -B $(TEST_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug \
	  -DKROMA_TESTS=ON -DKROMA_SANITIZE=ON -DKROMA_WERROR=ON -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g"

$(BENCH_BUILD)/build.ninja: | setup
	cmake -S . -B $(BENCH_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release -DKROMA_BENCH=ON

run: setup all
	./$(BUILD)/kroma $(ARGS)

test: setup $(TEST_BUILD)/build.ninja
	cmake --build $(TEST_BUILD) -j $(JOBS)
	cd $(TEST_BUILD) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: setup $(BENCH_BUILD)/build.ninja
	cmake --build $(BENCH_BUILD) -j $(JOBS)
	./$(BENCH_BUILD)/bench/kroma_bench $(ARGS)

# A picture of the running window on a virtual display (build/screenshot.png).
screenshot: setup all
	scripts/screenshot.sh

# libFuzzer targets, built with clang into $(FUZZ_BUILD)/fuzz (run them by hand).
fuzz:
	@scripts/setup.sh clang libclang-rt-14-dev
	cmake -S . -B $(FUZZ_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKROMA_FUZZ=ON \
	  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
	cmake --build $(FUZZ_BUILD) -j $(JOBS)

clean:
	rm -rf $(BUILD) $(TEST_BUILD) $(BENCH_BUILD) $(FUZZ_BUILD)
