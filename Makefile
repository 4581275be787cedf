# Set-up on a fresh Debian 12 machine: install what is missing, configure, build, run or test.
BUILD   ?= build
PACKAGES = cmake ninja-build g++ libgtest-dev libbenchmark-dev locales qt6-base-dev python3-sgp4
APT_ENV  = DEBIAN_FRONTEND=noninteractive
# Fuzzing needs clang and its libFuzzer runtime; nothing else installs them.
FUZZ_PACKAGES = clang libclang-rt-14-dev
FUZZ_BUILD     ?= $(CURDIR)/build-fuzz
FUZZ_TARGETS    = tle config textconv cli_options cli_commands sgp4_reader elements save_files reply picture
# make fuzz: seconds of random exploration per target. make test: executions per target, seed 1.
FUZZ_SECONDS   ?= 60
FUZZ_RUNS      ?= 2000
# Committed inputs of each target: the minimised corpus and the inputs that once broke it
# (absolute paths: some targets run in a scratch directory).
FUZZ_CORPUS     = $(CURDIR)/tests/fuzz/corpus
FUZZ_REGRESSIONS = $(CURDIR)/tests/fuzz/regressions
# Leaks of system libraries that the leak check of the fuzz targets ignores.
FUZZ_LSAN        = $(CURDIR)/tests/fuzz/lsan.supp
SANITIZE_BUILD ?= build-sanitize
SANITIZE_FLAGS  = -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer
TSAN_BUILD     ?= build-tsan
# The tests of the threaded whole-catalogue search, in the library and through orbika-cli.
TSAN_TESTS      = CatalogueSearch|CliPasses

.PHONY: all deps fuzz-deps locale configure build run check test bench fuzz-build fuzz-replay fuzz fuzz-merge \
        sanitize tsan deb clean

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

# Everything CI runs, the same on every machine and every run: the tests with the GUI tests run
# twice more (so timing faults show), the tests under the sanitizers, and the fuzz targets
# replaying their committed inputs with a fixed seed and number of runs.
test: check
	cd $(BUILD) && ctest --output-on-failure -L gui --repeat until-fail:2
	$(MAKE) sanitize
	$(MAKE) tsan
	$(MAKE) fuzz-replay

bench: build
	$(BUILD)/orbika_bench

# The Debian package $(BUILD)/orbika_<version>_<arch>.deb (its file list is checked by the CTest
# deb_contents).
deb: build
	cd $(BUILD) && cpack -G DEB

# Runs fuzz target $(1) with the options $(2) over the corpus folders $(3), the first of which
# receives new inputs. A crash, hang, leak or sanitizer report stops with an error and leaves the
# input in $(FUZZ_BUILD)/artifacts.
define run_fuzzer
	QT_QPA_PLATFORM=offscreen LSAN_OPTIONS=suppressions=$(FUZZ_LSAN) $(FUZZ_BUILD)/fuzz_$(1) $(2) -timeout=10 -close_fd_mask=1 -rss_limit_mb=2048 -print_final_stats=1 \
	  -artifact_prefix=$(FUZZ_BUILD)/artifacts/$(1)- $(3) 2>$(FUZZ_BUILD)/fuzz_$(1).log \
	  || { tail -n 60 $(FUZZ_BUILD)/fuzz_$(1).log; exit 1; }; \
	grep -E '^stat::number_of_executed_units' $(FUZZ_BUILD)/fuzz_$(1).log || true
endef

# The committed input folders of target $$t that exist.
FUZZ_INPUTS = $$(for d in $(FUZZ_CORPUS)/$$t $(FUZZ_REGRESSIONS)/$$t; do [ -d $$d ] && echo $$d; done)

# The fuzz targets, built with clang and libFuzzer.
fuzz-build: fuzz-deps
	@[ -f $(FUZZ_BUILD)/build.ninja ] || CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -G Ninja \
	  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORBIKA_FUZZ=ON
	cmake --build $(FUZZ_BUILD) --target $(addprefix fuzz_,$(FUZZ_TARGETS))
	@mkdir -p $(FUZZ_BUILD)/artifacts

# Deterministic: each target runs its committed corpus and regression inputs, then FUZZ_RUNS
# executions in all from seed 1. New inputs go to a scratch folder, not to the committed corpus.
fuzz-replay: fuzz-build
	@set -e; for t in $(FUZZ_TARGETS); do \
	  rm -rf $(FUZZ_BUILD)/replay/$$t; mkdir -p $(FUZZ_BUILD)/replay/$$t; \
	  echo "fuzz_$$t: $(FUZZ_RUNS) runs from seed 1"; \
	  $(call run_fuzzer,$$t,-seed=1 -runs=$(FUZZ_RUNS),$(FUZZ_BUILD)/replay/$$t $(FUZZ_INPUTS)); \
	done

# Random exploration for FUZZ_SECONDS seconds per target, starting from the committed inputs and
# the bundled TLE files; new inputs collect in $(FUZZ_BUILD)/corpus. make fuzz-merge then keeps
# the minimised corpus in $(FUZZ_CORPUS) for the next run (and for make test) to start from.
fuzz: fuzz-build
	@set -e; for t in $(FUZZ_TARGETS); do \
	  mkdir -p $(FUZZ_BUILD)/corpus/$$t; \
	  seeds=""; [ $$t = tle ] && seeds="data/tle"; \
	  echo "fuzz_$$t: $(FUZZ_SECONDS) s"; \
	  $(call run_fuzzer,$$t,-max_total_time=$(FUZZ_SECONDS),$(FUZZ_BUILD)/corpus/$$t $(FUZZ_INPUTS) $$seeds); \
	done

# Minimises the committed corpus together with what make fuzz found into $(FUZZ_CORPUS).
fuzz-merge: fuzz-build
	@set -e; for t in $(FUZZ_TARGETS); do \
	  rm -rf $(FUZZ_BUILD)/merged/$$t; mkdir -p $(FUZZ_BUILD)/merged/$$t $(FUZZ_BUILD)/corpus/$$t $(FUZZ_CORPUS)/$$t; \
	  QT_QPA_PLATFORM=offscreen $(FUZZ_BUILD)/fuzz_$$t -merge=1 -timeout=10 -rss_limit_mb=2048 \
	    $(FUZZ_BUILD)/merged/$$t $(FUZZ_CORPUS)/$$t $(FUZZ_BUILD)/corpus/$$t 2>$(FUZZ_BUILD)/merge_$$t.log \
	    || { tail -n 30 $(FUZZ_BUILD)/merge_$$t.log; exit 1; }; \
	  rm -rf $(FUZZ_CORPUS)/$$t; mv $(FUZZ_BUILD)/merged/$$t $(FUZZ_CORPUS)/$$t; \
	  echo "$(FUZZ_CORPUS)/$$t: $$(ls $(FUZZ_CORPUS)/$$t | wc -l) inputs"; \
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
