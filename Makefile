# The whole set-up: `make run` starts Orvanta, `make test` builds it and runs
# every test, `make check` runs all that CI runs (fuzzers and sanitizers too).
# Each build is a CMake preset (CMakePresets.json) named after its build type;
# the folders are the presets' binary folders.
PRESET      := relwithdebinfo
ASAN_PRESET := relwithdebinfo-asan
FUZZ_PRESET := relwithdebinfo-fuzz
BUILD       := build
ASAN_BUILD  := build-asan
FUZZ_BUILD  := build-fuzz
FUZZ_SECONDS ?= 20
# Every fuzz/NAME_fuzz.cpp is the fuzzer NAME_fuzz (fuzz/CMakeLists.txt builds it).
FUZZERS    := $(sort $(basename $(notdir $(wildcard fuzz/*_fuzz.cpp))))
JOBS       := $(shell nproc)
PREFIX     ?= $(HOME)/.local
# The desktop's caches of MIME types and applications, where the tools exist.
UPDATE_DATABASES = -command -v update-mime-database >/dev/null && \
	    update-mime-database $(PREFIX)/share/mime; \
	command -v update-desktop-database >/dev/null && \
	    update-desktop-database $(PREFIX)/share/applications; true
WERROR     := $(if $(filter true,$(CI)),ON,OFF)

.PHONY: deps build run test check test-asan test-fuzz bench install uninstall deb clean

deps:
	./scripts/install-deps

build: deps
	cmake --preset $(PRESET) -DORVANTA_WERROR=$(WERROR)
	cmake --build --preset $(PRESET)

run: build
	cd $(BUILD)/bin && ./orvanta

# The normal build and every test.
test: build
	ctest --preset $(PRESET) -j $(JOBS)

# What CI runs: the fuzzers and the sanitizer build first, so that the run
# closes with the summary of the main test run.
check: test-fuzz test-asan test

test-asan: deps
	cmake --preset $(ASAN_PRESET) -DORVANTA_WERROR=$(WERROR)
	cmake --build --preset $(ASAN_PRESET)
	ctest --preset $(ASAN_PRESET) -j $(JOBS)

# Each fuzzer runs for a bounded time from an empty corpus; a finding fails the run.
test-fuzz: deps
	cmake --preset $(FUZZ_PRESET)
	cmake --build --preset $(FUZZ_PRESET)
	for f in $(FUZZERS); do \
	    mkdir -p $(FUZZ_BUILD)/corpus/$$f && \
	    $(FUZZ_BUILD)/bin/$$f -max_total_time=$(FUZZ_SECONDS) -artifact_prefix=$(FUZZ_BUILD)/ \
	        $(FUZZ_BUILD)/corpus/$$f > $(FUZZ_BUILD)/$$f.log 2>&1 \
	        || { tail -n 40 $(FUZZ_BUILD)/$$f.log; exit 1; }; \
	    echo "$$f: $$(tail -n 1 $(FUZZ_BUILD)/$$f.log)"; \
	done

# The program folder under $(PREFIX)/lib/orvanta, a launcher, a desktop entry,
# a MIME type for lesson files and the icon.
# The list of installed files is kept apart: every other install of the build
# folder (make deb, the tests) rewrites CMake's own install_manifest.txt.
install: build
	cmake --install $(BUILD) --prefix $(PREFIX)
	cp $(BUILD)/install_manifest.txt $(BUILD)/installed_files.txt
	$(UPDATE_DATABASES)

uninstall:
	./scripts/uninstall $(BUILD)/installed_files.txt $(PREFIX)
	$(UPDATE_DATABASES)

# orvanta_<version>_amd64.deb in this folder, for `sudo apt install ./orvanta_*.deb`.
deb: build
	rm -rf $(BUILD)/deb
	cpack --config $(BUILD)/CPackConfig.cmake -B $(BUILD)/deb
	cp $(BUILD)/deb/orvanta_*_amd64.deb .

bench: build
	$(BUILD)/bin/core_bench
	$(BUILD)/bin/journal_bench
	$(BUILD)/bin/statistics_bench
	$(BUILD)/bin/readings_bench
	$(BUILD)/bin/slips_bench
	QT_QPA_PLATFORM=offscreen $(BUILD)/bin/ui_bench

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD) orvanta_*_amd64.deb
