# make run   builds and starts the program on the demo database
# make test  builds and runs every test
# make test-postgresql  runs every test again on a throwaway PostgreSQL server
# make bench  times the program on two million-application databases (README)
# make bench-postgresql  the same, also on a PostgreSQL server of its own
BUILD := build
JOBS := -j2
PAQUETES := cmake g++ make qt6-base-dev libqt6sql6-sqlite libqt6sql6-psql libqt6sql6-odbc \
            libsqlite3-dev googletest libgtest-dev libbenchmark-dev fonts-dejavu-core
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: run test test-postgresql bench bench-postgresql build-bench build dependencias instala

dependencias:
	@$(MAKE) --no-print-directory instala PAQUETES="$(PAQUETES)"

# Installs whichever of PAQUETES are missing.
instala:
	@faltan=""; \
	for p in $(PAQUETES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "ok installed" || faltan="$$faltan $$p"; \
	done; \
	if [ -n "$$faltan" ]; then \
	  echo "Instalando:$$faltan"; \
	  $(SUDO) apt-get update -qq && \
	  DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq --no-install-recommends $$faltan; \
	fi

build: dependencias
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) $(JOBS)

run: build
	$(BUILD)/licencias --demo

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest $(JOBS) --output-on-failure

test-postgresql: build
	@$(MAKE) --no-print-directory instala PAQUETES="postgresql"
	tests/postgresql.sh $(BUILD)

build-bench: dependencias
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) $(JOBS) --target llena_base rendimiento

bench: build-bench
	bench/bench.sh $(BUILD)

bench-postgresql: build-bench
	@$(MAKE) --no-print-directory instala PAQUETES="postgresql"
	bench/postgresql.sh $(BUILD)
