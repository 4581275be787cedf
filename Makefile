# Set-up on a fresh Debian 12 machine: install what is missing, configure, build, run or test.
BUILD   ?= build
PACKAGES = cmake ninja-build g++ libgtest-dev libbenchmark-dev locales qt6-base-dev
APT_ENV  = DEBIAN_FRONTEND=noninteractive

.PHONY: all deps locale configure build run test bench clean

all: build

deps:
	@missing=""; for p in $(PACKAGES); do dpkg -s $$p >/dev/null 2>&1 || missing="$$missing $$p"; done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  $(APT_ENV) apt-get update -q && $(APT_ENV) apt-get install -y -q $$missing; \
	fi

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

test: build locale
	cd $(BUILD) && ctest --output-on-failure

bench: build
	$(BUILD)/orbika_bench

clean:
	rm -rf $(BUILD)
