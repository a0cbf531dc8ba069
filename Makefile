# The whole set-up: `make run` starts Orvanta, `make test` runs every test.
BUILD      ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 20
PREFIX     ?= $(HOME)/.local
# The desktop's caches of MIME types and applications, where the tools exist.
UPDATE_DATABASES = -command -v update-mime-database >/dev/null && \
	    update-mime-database $(PREFIX)/share/mime; \
	command -v update-desktop-database >/dev/null && \
	    update-desktop-database $(PREFIX)/share/applications; true
WERROR     := $(if $(filter true,$(CI)),ON,OFF)
CMAKE_ARGS := -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVANTA_WERROR=$(WERROR)

.PHONY: deps build run test test-main test-asan test-fuzz bench install uninstall clean

deps:
	./scripts/install-deps

build: deps
	cmake -S . -B $(BUILD) $(CMAKE_ARGS)
	cmake --build $(BUILD)

run: build
	cd $(BUILD)/bin && ./orvanta

# The fuzzers and the sanitizer build first, so that the run closes with the
# summary of the main test run.
test: test-fuzz test-asan test-main

test-main: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure

test-asan: deps
	cmake -S . -B $(ASAN_BUILD) $(CMAKE_ARGS) -DORVANTA_SANITIZE=ON -DORVANTA_BENCH=OFF
	cmake --build $(ASAN_BUILD)
	cd $(ASAN_BUILD) && QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 \
	    UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure

# Each fuzzer runs for a bounded time from an empty corpus; a finding fails the run.
test-fuzz: deps
	cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	    -DCMAKE_CXX_COMPILER=clang++ -DORVANTA_FUZZ=ON
	cmake --build $(FUZZ_BUILD)
	for f in lesson_decoder_fuzz engine_fuzz; do \
	    mkdir -p $(FUZZ_BUILD)/corpus/$$f && \
	    $(FUZZ_BUILD)/bin/$$f -max_total_time=$(FUZZ_SECONDS) -artifact_prefix=$(FUZZ_BUILD)/ \
	        $(FUZZ_BUILD)/corpus/$$f > $(FUZZ_BUILD)/$$f.log 2>&1 \
	        || { tail -n 40 $(FUZZ_BUILD)/$$f.log; exit 1; }; \
	    echo "$$f: $$(tail -n 1 $(FUZZ_BUILD)/$$f.log)"; \
	done

# The program folder under $(PREFIX)/lib/orvanta, a launcher, a desktop entry,
# a MIME type for lesson files and the icon.
install: build
	cmake --install $(BUILD) --prefix $(PREFIX)
	$(UPDATE_DATABASES)

uninstall:
	./scripts/uninstall $(BUILD)/install_manifest.txt $(PREFIX)
	$(UPDATE_DATABASES)

bench: build
	$(BUILD)/bin/core_bench
	$(BUILD)/bin/journal_bench
	$(BUILD)/bin/statistics_bench

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD)
