# Tavelle Suite: the commands a user needs. Each installs what is missing,
# configures and builds first. Builds take a lock so that two never run at once.
BUILD      ?= build
BENCHBUILD ?= build-bench
ASANBUILD  ?= build-asan
FUZZBUILD  ?= build-fuzz
PKGBUILD   ?= build-package
SECONDS    ?= 60
FUZZERS    := entries tables blocks oldimport json check rtf skin voice
JOBS       ?= 2
LOCK       := flock $(or $(TMPDIR),/tmp)/tavrin-build.lock
CMAKE_GEN  := -G Ninja
# Extra cache settings for the configure step, e.g. CMAKE_ARGS=-DTAVRIN_WERROR=ON as CI does.
CMAKE_ARGS ?=
BENCH_ARGS = --benchmark_repetitions=9 --benchmark_report_aggregates_only=true --benchmark_enable_random_interleaving=true
FORMAT_SOURCES = find src tests bench fuzz \( -name '*.cpp' -o -name '*.h' \) -print0

.PHONY: all deps configure build run test bench asan fuzz mutate package format format-check clean

all: build

deps:
	@scripts/install-deps

# Configures once; again whenever CMAKE_ARGS asks for a setting.
configure: deps
	@if [ ! -f $(BUILD)/build.ninja ] || [ -n "$(CMAKE_ARGS)" ]; then \
	  cmake -S . -B $(BUILD) $(CMAKE_GEN) $(CMAKE_ARGS); fi

build: configure
	$(LOCK) cmake --build $(BUILD) -j$(JOBS)

run: build
	@scripts/run-program $(BUILD)

test: build
	cd $(BUILD) && ctest --output-on-failure -j$(JOBS)

bench: deps
	cmake -S . -B $(BENCHBUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release -DTAVRIN_BUILD_BENCH=ON -DTAVRIN_WITH_GUI=OFF $(CMAKE_ARGS)
	$(LOCK) cmake --build $(BENCHBUILD) -j$(JOBS) --target tavrin_bench tavrin_text_bench tavrin_search_bench
	$(BENCHBUILD)/bin/tavrin_bench $(BENCH_ARGS)
	$(BENCHBUILD)/bin/tavrin_text_bench $(BENCH_ARGS)
	QT_QPA_PLATFORM=offscreen $(BENCHBUILD)/bin/tavrin_search_bench $(BENCH_ARGS)

# The Debian package: a release build without the tests, installed under /usr, made into
# $(PKGBUILD)/tavelle-suite_<version>_<arch>.deb, then checked: lintian's errors and warnings,
# and the hardening of the programs as packaged (stripped, built with -O3).
package: deps
	cmake -S . -B $(PKGBUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release -DTAVRIN_BUILD_TESTS=OFF -DCMAKE_INSTALL_PREFIX=/usr $(CMAKE_ARGS)
	$(LOCK) cmake --build $(PKGBUILD) -j$(JOBS)
	cd $(PKGBUILD) && cpack
	lintian --fail-on error,warning $(PKGBUILD)/*.deb
	rm -rf $(PKGBUILD)/unpacked && dpkg-deb -x $(PKGBUILD)/*.deb $(PKGBUILD)/unpacked
	hardening-check --nocfprotection $(PKGBUILD)/unpacked/usr/bin/*
	@ls $(PKGBUILD)/*.deb

# The whole program and every test again under AddressSanitizer and UBSan, the windows' tests
# offscreen, leak checks on.
SANITIZER_ENV = ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1 \
  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
asan: deps
	cmake -S . -B $(ASANBUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug -DTAVRIN_SANITIZE=ON $(CMAKE_ARGS)
	$(LOCK) cmake --build $(ASANBUILD) -j$(JOBS)
	cd $(ASANBUILD) && $(SANITIZER_ENV) ctest --output-on-failure -j$(JOBS) $(ASAN_CTEST_ARGS)

# Every libFuzzer target (clang, with AddressSanitizer and UBSan) for SECONDS seconds each. New
# inputs collect in $(FUZZBUILD)/corpus, findings in $(FUZZBUILD)/crashes; a finding, once
# mended, goes to fuzz/regressions/<target>/ so that `make test` replays it.
fuzz: deps
	cmake -S fuzz -B $(FUZZBUILD) $(CMAKE_GEN) -DCMAKE_CXX_COMPILER=clang++
	$(LOCK) cmake --build $(FUZZBUILD) -j$(JOBS)
	@set -e; for t in $(FUZZERS); do \
	  mkdir -p $(FUZZBUILD)/corpus/$$t $(FUZZBUILD)/crashes/$$t; \
	  echo "fuzz: $$t for $(SECONDS) s"; \
	  QT_QPA_PLATFORM=offscreen $(FUZZBUILD)/$${t}_fuzzer -max_total_time=$(SECONDS) -print_final_stats=1 \
	    -artifact_prefix=$(FUZZBUILD)/crashes/$$t/ $(FUZZBUILD)/corpus/$$t fuzz/corpus/$$t \
	    $$(test -d fuzz/regressions/$$t && echo fuzz/regressions/$$t); \
	done

# Plants small faults in FILES one at a time and runs the tests that cover them (see
# scripts/mutate). MAX=N draws at most N mutants a file; TESTS=regex or LABEL=l picks the tests.
MAX ?= 0
mutate: build
	scripts/mutate --build $(BUILD) --max $(MAX) $(if $(TESTS),--tests '$(TESTS)') $(if $(LABEL),--label '$(LABEL)') $(FILES)

format: deps
	$(FORMAT_SOURCES) | xargs -0 clang-format -i

# Fails on any difference from .clang-format; CI runs it.
format-check: deps
	$(FORMAT_SOURCES) | xargs -0 clang-format --dry-run -Werror

clean:
	rm -rf $(BUILD) $(BENCHBUILD) $(ASANBUILD) $(FUZZBUILD)
