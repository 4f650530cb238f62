# make run   builds and starts the program on the demo database
# make test  builds and runs every test
# make test-postgresql  runs every test again on a throwaway PostgreSQL server
# make test-odbc  runs every test twice more through ODBC data sources (SQLite, PostgreSQL)
# make stress  runs the crash and concurrency proofs at length, on both engines
# make bench  times the program on two million-application databases (README)
# make bench-postgresql  the same, also on a PostgreSQL server of its own
BUILD := build
JOBS := -j2
PAQUETES := cmake g++ make qt6-base-dev libqt6sql6-sqlite libqt6sql6-psql libqt6sql6-odbc \
            libsqlite3-dev unixodbc-dev googletest libgtest-dev libbenchmark-dev fonts-dejavu-core \
            qt6-translations-l10n
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: run test test-postgresql test-odbc stress bench bench-postgresql build-bench build dependencias instala

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

# The proofs' figures (lines such as "[respaldo] ...") are shown after the run.
test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest $(JOBS) --output-on-failure; estado=$$?; \
	  $(CURDIR)/tests/cifras.sh Testing/Temporary/LastTest.log; exit $$estado

test-postgresql: build
	@$(MAKE) --no-print-directory instala PAQUETES="postgresql"
	tests/postgresql.sh $(BUILD)

test-odbc: build
	@$(MAKE) --no-print-directory instala PAQUETES="postgresql unixodbc libsqliteodbc odbc-postgresql"
	tests/odbc.sh $(BUILD)

# The proofs that kill the program and race two clerks, with many more rounds
# than make test gives them; each prints its figures.
ESTRES := LICENCIAS_ESTRES=1 LC_ALL=C.UTF-8 QT_QPA_PLATFORM=offscreen
PRUEBAS_ESTRES := --gtest_filter='Interrupcion.*:DosEscribientes.*'

stress: build
	@$(MAKE) --no-print-directory instala PAQUETES="postgresql"
	$(ESTRES) $(BUILD)/tests/pruebas_fiabilidad $(PRUEBAS_ESTRES)
	$(ESTRES) tests/postgresql.sh $(BUILD) tests/pruebas_fiabilidad $(PRUEBAS_ESTRES)

build-bench: dependencias
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) $(JOBS) --target llena_base rendimiento

bench: build-bench
	bench/bench.sh $(BUILD)

bench-postgresql: build-bench
	@$(MAKE) --no-print-directory instala PAQUETES="postgresql"
	bench/postgresql.sh $(BUILD)
