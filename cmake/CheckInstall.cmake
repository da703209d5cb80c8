# Installs a built tree into a fresh prefix, as a user does after
# `bash tools/run`, and checks the result: every file in its place, the
# manual page naming the sample where it lies under that prefix (and clean
# for groff), and the sample where the program looks for it from its own
# folder. The prefix has a blank and a hyphen in its name, which the page
# must print as they are.
#
# cmake -DBUILD=<built tree> -DPREFIX=<folder, emptied first> -DBINDIR=bin -DDATADIR=share
#       -DMANDIR=share/man -DDOCDIR=share/doc/lapidor -DSAMPLE_FROM_PROGRAM=<path> -DGZIP=<gzip>
#       -DGROFF=<groff> -P CheckInstall.cmake

function(fail message)
    message(FATAL_ERROR "install check: ${message}")
endfunction()

file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD}" --prefix "${PREFIX}" RESULT_VARIABLE status
                OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT status EQUAL 0)
    fail("cmake --install ${BUILD} --prefix ${PREFIX} failed:\n${output}")
endif()

foreach(file ${BINDIR}/lapidor ${DATADIR}/applications/org.example.Lapidor.desktop
             ${DATADIR}/metainfo/org.example.Lapidor.metainfo.xml
             ${DATADIR}/icons/hicolor/scalable/apps/org.example.Lapidor.svg ${DATADIR}/lapidor/levels.txt
             ${MANDIR}/man1/lapidor.1.gz ${DOCDIR}/copyright)
    if(NOT EXISTS "${PREFIX}/${file}" OR IS_DIRECTORY "${PREFIX}/${file}")
        fail("${file} is not installed in ${PREFIX}")
    endif()
endforeach()

# The program finds the sample from its own folder.
if(NOT EXISTS "${PREFIX}/${BINDIR}/${SAMPLE_FROM_PROGRAM}")
    fail("the program looks for the sample at ${BINDIR}/${SAMPLE_FROM_PROGRAM}, where the install put none")
endif()

set(page "${PREFIX}/lapidor.1")
execute_process(COMMAND "${GZIP}" -dc "${PREFIX}/${MANDIR}/man1/lapidor.1.gz" OUTPUT_FILE "${page}"
                RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    fail("the installed manual page is not gzip")
endif()
execute_process(COMMAND "${GROFF}" -ww -man -Tutf8 -z "${page}" RESULT_VARIABLE status OUTPUT_VARIABLE warnings
                ERROR_VARIABLE warnings)
if(NOT status EQUAL 0 OR NOT warnings STREQUAL "")
    fail("groff warns of the installed manual page:\n${warnings}")
endif()
# As man prints it, without bold or underlining, on lines long enough for the path.
execute_process(COMMAND "${GROFF}" -man -rLL=300n -Tascii -P-c -P-b -P-o -P-u "${page}" OUTPUT_VARIABLE shown)
string(FIND "${shown}" "${PREFIX}/${DATADIR}/lapidor/levels.txt" at)
if(at EQUAL -1)
    fail("the installed manual page does not name the sample at ${PREFIX}/${DATADIR}/lapidor/levels.txt:\n${shown}")
endif()
string(FIND "${shown}" "/usr/share/lapidor" at)
if(NOT at EQUAL -1)
    fail("the manual page installed in ${PREFIX} still names /usr/share/lapidor:\n${shown}")
endif()
file(REMOVE_RECURSE "${PREFIX}")
message(STATUS "installed into ${PREFIX}: every file in its place, the manual page names the sample there")
