# Vok C: set-up, build, tests, benchmarks.
#   make run    installs what is missing, builds, starts Vok C on examples/bonjour.c
#   make test   installs what is missing, builds, runs every test (plain and sanitized)
#   make bench  builds optimised and runs the benchmarks side by side with their peers
#   make deb    builds the Debian package vokc_VERSION_ARCH.deb here (Release, with
#               Debian's hardening flags; dependencies computed by dpkg-shlibdeps)
#   make fuzz   builds the fuzzers (clang, libFuzzer); make test runs each for FUZZ_SECONDS,
#               make fuzz-long for FUZZ_LONG_SECONDS (fuzz/run.sh)

JOBS ?= 2
BUILD ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
DEB_BUILD ?= build-deb
FUZZ_SECONDS ?= 60
FUZZ_LONG_SECONDS ?= 1800

.PHONY: all setup build build-asan run test test-plain test-asan bench clean
.PHONY: setup-fuzz fuzz test-fuzz fuzz-long deb

all: build

setup:
	@scripts/setup.sh

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVOKC_WERROR=ON

build: setup $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

$(ASAN_BUILD)/build.ninja:
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVOKC_SANITIZE=ON -DVOKC_WERROR=ON

build-asan: setup $(ASAN_BUILD)/build.ninja
	cmake --build $(ASAN_BUILD) -j $(JOBS)

run: build
	@if [ -x $(BUILD)/vokc ]; then \
	  $(BUILD)/vokc examples/bonjour.c; \
	else \
	  $(BUILD)/vokc-run examples/bonjour.c; \
	fi

test-plain: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

test-asan: build-asan
	cd $(ASAN_BUILD) && QT_QPA_PLATFORM=offscreen \
	  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --output-on-failure -j $(JOBS)

test: test-plain test-asan test-fuzz

setup-fuzz:
	@scripts/setup.sh fuzz

$(FUZZ_BUILD)/build.ninja:
	cmake -S fuzz -B $(FUZZ_BUILD) -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo

fuzz: setup-fuzz $(FUZZ_BUILD)/build.ninja
	cmake --build $(FUZZ_BUILD) -j $(JOBS)

test-fuzz: fuzz
	fuzz/run.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

fuzz-long: fuzz
	fuzz/run.sh $(FUZZ_BUILD) $(FUZZ_LONG_SECONDS)

# Only the two programs and the packaging files are built (not the tests): CPack's own
# build step is emptied by CMAKE_SKIP_INSTALL_ALL_DEPENDENCY.
deb:
	@scripts/setup.sh deb
	export DEB_BUILD_MAINT_OPTIONS=hardening=+all; \
	cmake -S . -B $(DEB_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DVOKC_WERROR=OFF \
	  -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON \
	  -DCMAKE_CXX_FLAGS="$$(dpkg-buildflags --get CPPFLAGS) $$(dpkg-buildflags --get CXXFLAGS)" \
	  -DCMAKE_EXE_LINKER_FLAGS="$$(dpkg-buildflags --get LDFLAGS)"
	cmake --build $(DEB_BUILD) -j $(JOBS) --target vokc vokc-run vokc_packaging_files
	rm -f $(DEB_BUILD)/vokc_*.deb vokc_*.deb
	cd $(DEB_BUILD) && cpack -G DEB
	cp $(DEB_BUILD)/vokc_*.deb .
	@ls -l vokc_*.deb

bench:
	@scripts/setup.sh bench
	cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DVOKC_WERROR=OFF
	cmake --build build-bench -j $(JOBS)
	bench/run.sh build-bench

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) build-bench $(DEB_BUILD)
