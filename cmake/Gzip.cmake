# lapidor_install_gzipped(<source> <destination> [SAMPLE_IN_PAGE <data folder>] [COMPONENT <name>] [EXCLUDE_FROM_ALL])
# Installs <source> compressed as Debian wants it (gzip -9n: neither the name
# nor the time of the file goes into it, so the result is the same on every
# install) into <destination>, relative to the install prefix or absolute.
# It is compressed when it is installed, so that an install needs nothing
# built but the program, whatever was built before. With SAMPLE_IN_PAGE (a
# manual page), the page's /usr/share/lapidor/levels.txt names the sample
# where it lies under the prefix it is installed to: <data folder>, relative
# to the prefix or absolute, + /lapidor/levels.txt.
find_program(LAPIDOR_GZIP gzip REQUIRED)

function(lapidor_install_gzipped source destination)
    cmake_parse_arguments(PARSE_ARGV 2 arg "EXCLUDE_FROM_ALL" "SAMPLE_IN_PAGE;COMPONENT" "")
    set(options)
    if(arg_COMPONENT)
        list(APPEND options COMPONENT ${arg_COMPONENT})
    endif()
    if(arg_EXCLUDE_FROM_ALL)
        list(APPEND options EXCLUDE_FROM_ALL)
    endif()
    # Bracketed, so that no path is read as CMake code when it is installed.
    install(CODE "include([==[${PROJECT_SOURCE_DIR}/cmake/InstallGzipped.cmake]==])
lapidor_install_gzipped_now([==[${source}]==] [==[${destination}]==] [==[${CMAKE_CURRENT_BINARY_DIR}/installed]==]
                            [==[${LAPIDOR_GZIP}]==] [==[${arg_SAMPLE_IN_PAGE}]==])" ${options})
endfunction()
