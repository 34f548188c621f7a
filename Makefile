# The two commands of a fresh machine: `make run` and `make test`.
BUILD      ?= build
SANITIZE   ?= build-sanitize
JOBS       ?= 2
CMAKE_ARGS ?= -DSTRIPDECK_WERROR=ON

.PHONY: run test build bootstrap check sanitize fuzz bench-latency bench-latency-alsa clean deb test-package

run: build
	scripts/run $(BUILD)/bin/stripdeck

# Everything: the ordinary build and then the ASan/UBSan build, each against its own
# private X and JACK servers.
test: check sanitize

# Tests on the JACK server run one at a time after the rest: the dummy server is not real-time,
# and a busy machine makes its clients miss cycles and drop MIDI. For the same reason a JACK test
# that fails gets one more run; a real fault fails both.
# The ALSA tests run last, through scripts/alsa-tests: here when this machine has the
# sequencer, else in one small QEMU guest that has it.
CTEST = ctest --output-on-failure
CTEST_JACK = $(CTEST) -L jack --repeat until-pass:2

check: build
	scripts/with-test-services sh -c '$(CTEST) --test-dir $(BUILD) -LE "jack|alsa" -j$(JOBS) && $(CTEST_JACK) --test-dir $(BUILD)'
	scripts/alsa-tests $(BUILD)

sanitize: bootstrap
	cmake -S . -B $(SANITIZE) $(CMAKE_ARGS) -DSTRIPDECK_SANITIZE=ON -DSTRIPDECK_BENCH=OFF
	cmake --build $(SANITIZE) -j$(JOBS)
	ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
		scripts/with-test-services sh -c '$(CTEST) --test-dir $(SANITIZE) -LE "jack|alsa" -j$(JOBS) && $(CTEST_JACK) --test-dir $(SANITIZE)'
	ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 scripts/alsa-tests $(SANITIZE)

build: bootstrap
	cmake -S . -B $(BUILD) $(CMAKE_ARGS)
	cmake --build $(BUILD) -j$(JOBS)

bootstrap:
	scripts/bootstrap

# libFuzzer targets, built with clang; run one with build-fuzz/fuzz/<target> -max_total_time=60.
fuzz: bootstrap
	CXX=clang++ cmake -S . -B build-fuzz -DSTRIPDECK_FUZZ=ON
	cmake --build build-fuzz -j$(JOBS)

# Touch-to-JACK latency on a private dummy server with 64-frame periods (median and 99th
# percentile in microseconds are the counters median_us and p99_us).
bench-latency: bootstrap
	cmake -S . -B $(BUILD) $(CMAKE_ARGS)
	cmake --build $(BUILD) -j$(JOBS) --target bench_jack_send bench_touch_to_jack
	scripts/bench-latency $(BUILD)

# A Debian package of this release in build-deb/, its dependencies computed from the programs,
# checked by lintian.
DEB ?= build-deb
deb: bootstrap
	cmake -S . -B $(DEB) $(CMAKE_ARGS) -DSTRIPDECK_TESTS=OFF -DSTRIPDECK_BENCH=OFF
	cmake --build $(DEB) -j$(JOBS)
	rm -f $(DEB)/stripdeck_*.deb
	cd $(DEB) && cpack -G DEB
	lintian --fail-on error $(DEB)/stripdeck_*.deb

# Not part of `make test`: needs root and the Debian archive. Builds the package for Debian 13
# and 12 each in a clean root of that release, installs it in another clean root and runs it
# there; then runs the README's two commands from a fresh clone in a clean root of each.
test-package:
	scripts/test-package
# Touch-to-sequencer latency on ALSA, here or in the QEMU guest; in a guest read the ratio
# median_over_bare (the touch's median over a bare libasound send's).
bench-latency-alsa: bootstrap
	cmake -S . -B $(BUILD) $(CMAKE_ARGS)
	cmake --build $(BUILD) -j$(JOBS) --target bench_touch_to_alsa
	scripts/bench-latency-alsa $(BUILD)

clean:
	rm -rf $(BUILD) $(SANITIZE) build-fuzz $(DEB)
