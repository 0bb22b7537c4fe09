# Ardenvel: `make run` installs what is missing, builds the program with its manual and starts it;
# `make test` builds everything and runs every test; `make clang` does the same with clang;
# `make bench` runs the benchmarks and shows their figures (`make bench BENCH=real_file` runs
# those whose name matches). `make sanitize` and `make tsan` build and run tests under the
# sanitizers.

BUILD ?= build
BENCH_BUILD ?= build-bench
FUZZ_BUILD ?= build-fuzz
CLANG_BUILD ?= build-clang
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: all deps build program run test clang bench sanitize tsan clean fuzz fuzz-image fuzz-gedcom

all: build

deps:
	@bash scripts/install-deps

$(BUILD)/build.ninja: | deps
	cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS)

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

program: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS) --target ardenvel user_manual

run: program
	$(BUILD)/app/ardenvel $(ARGS)

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# The clang build takes CLANG_TARGETS (by default every target) and runs the tests of what it built.
CLANG_TARGETS ?= all

clang: deps
	cmake -S . -B $(CLANG_BUILD) -G Ninja -DCMAKE_CXX_COMPILER=clang++ $(CMAKE_FLAGS)
	cmake --build $(CLANG_BUILD) -j $(JOBS) --target $(CLANG_TARGETS)
	cd $(CLANG_BUILD) && ctest --output-on-failure -j $(JOBS)

bench: deps
	cmake -S . -B $(BENCH_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DARDENVEL_BENCH=ON $(CMAKE_FLAGS)
	cmake --build $(BENCH_BUILD) -j $(JOBS)
	cd $(BENCH_BUILD) && ctest -L bench $(if $(BENCH),-R $(BENCH)) --verbose

# The sanitizer builds take SANITIZE_TARGETS and TSAN_TARGETS (test programs, by default every
# target; the database and query tests, whose tests run threads, with the round-trip tool that
# shares their folder's tests, and the query window's runs while it paints) and run the tests of
# what they built. The ThreadSanitizer run ignores what Qt's own libraries do (.ci/tsan-qt.supp).
SANITIZE_TARGETS ?= all
TSAN_TARGETS ?= database_tests queries_tests roundtrip query_run_window_tests

sanitize: deps
	cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DARDENVEL_SANITIZE=ON $(CMAKE_FLAGS)
	cmake --build build-asan -j $(JOBS) --target $(SANITIZE_TARGETS)
	cd build-asan && ctest --output-on-failure -j $(JOBS)

tsan: deps
	cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DARDENVEL_TSAN=ON $(CMAKE_FLAGS)
	cmake --build build-tsan -j $(JOBS) --target $(TSAN_TARGETS)
	cd build-tsan && TSAN_OPTIONS="suppressions=$(CURDIR)/.ci/tsan-qt.supp" \
		ctest --output-on-failure -j $(JOBS)

# Our own picture readers under libFuzzer (clang), FUZZ_SECONDS each.
FUZZ_SECONDS ?= 30
fuzz: fuzz-image fuzz-gedcom
fuzz-image: deps
	CXX=clang++ cmake -S tests/platform/ui/image/fuzz -B build-fuzz-image -G Ninja
	cmake --build build-fuzz-image -j $(JOBS)
	for reader in pcx psd tga; do \
		mkdir -p build-fuzz-image/corpus-$$reader && \
		cp tests/data/torture55/ImgFile.* build-fuzz-image/corpus-$$reader/ && \
		build-fuzz-image/fuzz_$$reader -max_total_time=$(FUZZ_SECONDS) -rss_limit_mb=2048 \
			build-fuzz-image/corpus-$$reader || exit 1; \
	done
	mkdir -p build-fuzz-image/corpus-metafile
	cp tests/platform/ui/image/fuzz/seeds/* build-fuzz-image/corpus-metafile/
	build-fuzz-image/fuzz_metafile -max_total_time=$(FUZZ_SECONDS) -rss_limit_mb=2048 \
		build-fuzz-image/corpus-metafile

# The GEDCOM load-save round trip under libFuzzer (clang) for FUZZ_SECONDS, seeded with the GEDCOM
# files of tests/data; new inputs gather in $(FUZZ_BUILD)/corpus, a failing one in $(FUZZ_BUILD)/.
fuzz-gedcom:
	@bash scripts/install-deps fuzz
	cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DCMAKE_CXX_COMPILER=clang++ -DARDENVEL_FUZZ=ON $(CMAKE_FLAGS)
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target gedcom_roundtrip_fuzz
	mkdir -p $(FUZZ_BUILD)/corpus
	ARDENVEL_FIELD_DEFS=$(CURDIR)/$(FUZZ_BUILD)/app/field_defs.txt \
		$(FUZZ_BUILD)/tests/database/gedcom/fuzz/gedcom_roundtrip_fuzz $(FUZZ_BUILD)/corpus tests/data/gedcom \
		-max_total_time=$(FUZZ_SECONDS) -max_len=16384 -artifact_prefix=$(FUZZ_BUILD)/

clean:
	rm -rf $(BUILD) $(BENCH_BUILD) $(CLANG_BUILD) $(FUZZ_BUILD) build-asan build-tsan build-fuzz-image
