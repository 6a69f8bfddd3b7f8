# Every target installs what is missing, configures and builds first,
# so a fresh clone needs nothing but `make test` or `make run`.
BUILD      ?= build
SAN_BUILD  ?= build-sanitize
JOBS       ?= $(shell nproc)
CMAKE_OPTS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo
PREFIX     ?= /usr/local

.PHONY: all deps build test test-sanitize bench run clean install package soak

all: build

deps:
	@scripts/install-deps
	@scripts/fetch-pictures

build: deps
	@cmake -S . -B $(BUILD) $(CMAKE_OPTS) >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

test: build
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# The content pack is made by the normal build's optimised tools and copied.
test-sanitize: deps
	@cmake -S . -B $(BUILD) $(CMAKE_OPTS) >/dev/null
	@cmake --build $(BUILD) -j $(JOBS) --target content
	@cmake -S . -B $(SAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DPAIRLET_SANITIZE=ON -DPAIRLET_PACK_FROM=$(abspath $(BUILD)) >/dev/null
	@cmake --build $(SAN_BUILD) -j $(JOBS)
	@cd $(SAN_BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: build
	@for b in $$(find $(BUILD)/bench -maxdepth 1 -type f -executable | sort); do "$$b" || exit 1; done

# The real game played offscreen with random actions; a failure prints the
# seed that repeats it (SEED=n to choose one).
SOAK_ACTIONS ?= 100000
soak: build
	@$(BUILD)/tests/pairlet-soak --actions $(SOAK_ACTIONS) $(if $(SEED),--seed $(SEED))

# The game runs in the folder of its content pack.
run: build
	@cd $(BUILD) && ./pairlet

# The add-on disc: $(BUILD)/addon-disc/ and its image $(BUILD)/lumaris-1.iso.
.PHONY: addon-disc
addon-disc: build
	@cmake --build $(BUILD) --target addon-disc

# A Debian package of the same, in $(BUILD)/.
package: build
	@cd $(BUILD) && cpack -G DEB

# The game, its tools, content, menu entry and icons under PREFIX.
install: build
	@cmake --install $(BUILD) --prefix $(PREFIX)

clean:
	rm -rf $(BUILD) $(SAN_BUILD)

# libFuzzer targets need clang; FUZZ_SECONDS per target.
FUZZ_BUILD   ?= build-fuzz
FUZZ_SECONDS ?= 60
FUZZ_TARGETS ?= fuzz_ini_text fuzz_registry_file fuzz_tile_bitmap fuzz_image_flic fuzz_sprite_stage \
                fuzz_image_pcx fuzz_image_dcx fuzz_image_bmp fuzz_audio_wav fuzz_image_avi fuzz_sprite_script \
                fuzz_sprite_description
.PHONY: fuzz
fuzz: deps
	@CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPAIRLET_FUZZ=ON >/dev/null
	@cmake --build $(FUZZ_BUILD) -j $(JOBS) --target $(FUZZ_TARGETS)
	@for t in $(FUZZ_TARGETS:%=$(FUZZ_BUILD)/fuzz/%); do \
	  case $$t in *_corpus) continue;; esac; \
	  name=$$(basename $$t); mkdir -p $(FUZZ_BUILD)/corpus/$$name; \
	  $$t -max_total_time=$(FUZZ_SECONDS) -print_final_stats=0 \
	    $(FUZZ_BUILD)/corpus/$$name fuzz/corpus/$$name || exit 1; \
	done
