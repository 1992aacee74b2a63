# Every outside library comes from Debian's packages (tools/bootstrap installs them).
find_package(PkgConfig REQUIRED)
pkg_check_modules(PLIST REQUIRED IMPORTED_TARGET libplist-2.0)
pkg_check_modules(CAIRO REQUIRED IMPORTED_TARGET cairo)
pkg_check_modules(PANGO REQUIRED IMPORTED_TARGET pangocairo pangoft2 fontconfig)
pkg_check_modules(SDL2 REQUIRED IMPORTED_TARGET sdl2)
find_package(ICU REQUIRED COMPONENTS uc i18n)
find_package(Threads REQUIRED)
# The simulator's command line: subcommands, per-command help, -- and = forms.
find_package(CLI11 REQUIRED)
find_package(GTest REQUIRED)
find_package(benchmark QUIET)
