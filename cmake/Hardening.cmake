# The usual hardening of a Debian binary, for the build that is packaged:
# libc calls checked by _FORTIFY_SOURCE (it needs optimisation, so not in
# Debug builds), a strong stack protector, full RELRO with immediate binding,
# and a position-independent executable. `tools/check-package` runs
# hardening-check on the packaged binary. A missing one is warned of here.
include(CheckPIESupported)
include(CheckCXXCompilerFlag)
include(CheckLinkerFlag)

check_pie_supported(OUTPUT_VARIABLE lapidor_pie_output LANGUAGES CXX)
if(CMAKE_CXX_LINK_PIE_SUPPORTED)
    set(CMAKE_POSITION_INDEPENDENT_CODE ON)
else()
    message(WARNING "The linker makes no position-independent executables: ${lapidor_pie_output}")
endif()

add_compile_definitions($<$<NOT:$<CONFIG:Debug>>:_FORTIFY_SOURCE=2>)

check_cxx_compiler_flag(-fstack-protector-strong LAPIDOR_HAS_STACK_PROTECTOR_STRONG)
if(LAPIDOR_HAS_STACK_PROTECTOR_STRONG)
    add_compile_options(-fstack-protector-strong)
else()
    message(WARNING "The compiler has no -fstack-protector-strong")
endif()

check_linker_flag(CXX "LINKER:-z,relro,-z,now" LAPIDOR_HAS_RELRO_NOW)
if(LAPIDOR_HAS_RELRO_NOW)
    add_link_options("LINKER:-z,relro,-z,now")
else()
    message(WARNING "The linker has no -z relro -z now")
endif()
