# Set-up on a fresh Debian 12 machine: install what is missing, configure, build, run or test.
BUILD   ?= build
PACKAGES = cmake ninja-build g++ libgtest-dev libbenchmark-dev locales qt6-base-dev
APT_ENV  = DEBIAN_FRONTEND=noninteractive
# Fuzzing needs clang and its libFuzzer runtime; nothing else installs them.
FUZZ_PACKAGES = clang libclang-rt-14-dev
FUZZ_BUILD     ?= build-fuzz
FUZZ_SECONDS   ?= 60
TEST_FUZZ_SECONDS ?= 30
FUZZ_TARGETS    = tle config textconv cli_options reply
SANITIZE_BUILD ?= build-sanitize
SANITIZE_FLAGS  = -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer
TSAN_BUILD     ?= build-tsan
# The tests of the threaded whole-catalogue search, in the library and through orbika-cli.
TSAN_TESTS      = CatalogueSearch|CliPasses

.PHONY: all deps fuzz-deps locale configure build run check test bench fuzz sanitize tsan deb clean

all: build

# Installs the Debian packages of $(1) that are missing.
define install_missing
	@missing=""; for p in $(1); do dpkg -s $$p >/dev/null 2>&1 || missing="$$missing $$p"; done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  $(APT_ENV) apt-get update -q && $(APT_ENV) apt-get install -y -q $$missing; \
	fi
endef

deps:
	$(call install_missing,$(PACKAGES))

fuzz-deps: deps
	$(call install_missing,$(FUZZ_PACKAGES))

# The locale tests run the library under a decimal-comma locale.
locale: deps
	@locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$$' || { \
	  sed -i 's/^# *de_DE.UTF-8 UTF-8/de_DE.UTF-8 UTF-8/' /etc/locale.gen; \
	  grep -q '^de_DE.UTF-8 UTF-8' /etc/locale.gen || echo 'de_DE.UTF-8 UTF-8' >> /etc/locale.gen; \
	  locale-gen; }

configure: deps
	@[ -f $(BUILD)/build.ninja ] || cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: configure
	cmake --build $(BUILD)

# Starts the program from the build directory, where the bundled TLE files are copied.
run: build
	cd $(BUILD) && ./orbika

# The quick loop: the build and its tests.
check: build locale
	cd $(BUILD) && ctest --output-on-failure

# Everything CI runs: the tests, the same tests under the sanitizers, and a short fuzz run.
test: check
	$(MAKE) sanitize
	$(MAKE) tsan
	$(MAKE) fuzz FUZZ_SECONDS=$(TEST_FUZZ_SECONDS)

bench: build
	$(BUILD)/orbika_bench

# The Debian package $(BUILD)/orbika_<version>_<arch>.deb (its file list is checked by the CTest
# deb_contents).
deb: build
	cd $(BUILD) && cpack -G DEB

# Builds the fuzz targets with clang and runs each for FUZZ_SECONDS seconds; a crash, hang,
# leak or sanitizer report stops with an error and leaves the input in $(FUZZ_BUILD)/artifacts.
# New inputs collect in $(FUZZ_BUILD)/corpus; tests/data/fuzz and the bundled TLE files seed it.
fuzz: fuzz-deps
	@[ -f $(FUZZ_BUILD)/build.ninja ] || CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -G Ninja \
	  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORBIKA_FUZZ=ON
	cmake --build $(FUZZ_BUILD) --target $(addprefix fuzz_,$(FUZZ_TARGETS))
	@mkdir -p $(FUZZ_BUILD)/artifacts
	@set -e; for t in $(FUZZ_TARGETS); do \
	  mkdir -p $(FUZZ_BUILD)/corpus/$$t; \
	  seeds=""; [ -d tests/data/fuzz/$$t ] && seeds="tests/data/fuzz/$$t"; \
	  [ $$t = tle ] && seeds="$$seeds data/tle"; \
	  echo "fuzz_$$t: $(FUZZ_SECONDS) s"; \
	  $(FUZZ_BUILD)/fuzz_$$t -max_total_time=$(FUZZ_SECONDS) -timeout=10 -rss_limit_mb=2048 \
	    -print_final_stats=1 -artifact_prefix=$(FUZZ_BUILD)/artifacts/$$t- \
	    $(FUZZ_BUILD)/corpus/$$t $$seeds 2>$(FUZZ_BUILD)/fuzz_$$t.log \
	    || { tail -n 60 $(FUZZ_BUILD)/fuzz_$$t.log; exit 1; }; \
	  grep -E '^(stat::number_of_executed_units|Done)' $(FUZZ_BUILD)/fuzz_$$t.log || true; \
	done

# The whole test suite built with AddressSanitizer and UndefinedBehaviorSanitizer (gcc).
sanitize: deps locale
	@[ -f $(SANITIZE_BUILD)/build.ninja ] || cmake -S . -B $(SANITIZE_BUILD) -G Ninja \
	  -DCMAKE_BUILD_TYPE=RelWithDebInfo "-DCMAKE_CXX_FLAGS=$(SANITIZE_FLAGS)" \
	  "-DCMAKE_EXE_LINKER_FLAGS=$(SANITIZE_FLAGS)"
	cmake --build $(SANITIZE_BUILD)
	cd $(SANITIZE_BUILD) && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 ctest --output-on-failure

# The threaded search under ThreadSanitizer (headless tests and orbika-cli only).
tsan: deps
	@[ -f $(TSAN_BUILD)/build.ninja ] || cmake -S . -B $(TSAN_BUILD) -G Ninja \
	  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS=-fsanitize=thread \
	  -DCMAKE_EXE_LINKER_FLAGS=-fsanitize=thread
	cmake --build $(TSAN_BUILD) --target orbika_tests orbika-cli
	cd $(TSAN_BUILD) && TSAN_OPTIONS=halt_on_error=1 ctest --output-on-failure -R '$(TSAN_TESTS)'

clean:
	rm -rf $(BUILD) $(SANITIZE_BUILD) $(TSAN_BUILD) $(FUZZ_BUILD)
