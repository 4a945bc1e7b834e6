# The programs hold passwords: build them the way Debian hardens its packages. Position
# independent executables (CMP0083 adds -pie to the link), a stack protector, relocations made
# read-only and bound at start, and the format string warnings that catch attacker-controlled
# formats.
include(CheckPIESupported)
check_pie_supported(LANGUAGES CXX)
set(CMAKE_POSITION_INDEPENDENT_CODE ON)

# -Wformat=2 without its two-digit-year warning: the lists show dates in the user's own locale
# form (%x) on purpose.
add_compile_options(-fstack-protector-strong -Wformat=2 -Wno-format-y2k)
add_link_options(LINKER:-z,relro LINKER:-z,now)

# Fortified libc calls need optimisation (glibc warns without it), so not in a Debug build;
# nor under the sanitizers, whose own interceptors they would bypass. -U first: some compilers
# define it already, and a redefinition is a warning.
if(NOT TAVRIN_SANITIZE)
  add_compile_options("$<$<NOT:$<CONFIG:Debug>>:-U_FORTIFY_SOURCE;-D_FORTIFY_SOURCE=2>")
endif()
