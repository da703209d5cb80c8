# Fails when a word of the interface has no finished translation: runs
# lupdate over the sources into a copy of a .ts file, where every text
# without a translation, new or changed, comes out marked "unfinished".
#
#   cmake -DLUPDATE=<lupdate> -DROOT=<source folder> -DSOURCES=<file listing the sources>
#         -DTS=<.ts file> -DCOPY=<scratch .ts file> -P CheckTranslations.cmake
file(STRINGS "${SOURCES}" sources)
configure_file("${TS}" "${COPY}" COPYONLY)
execute_process(COMMAND "${LUPDATE}" -I "${ROOT}" ${sources} -ts "${COPY}" -no-obsolete -locations none
                RESULT_VARIABLE status OUTPUT_QUIET)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "lupdate failed on ${TS}")
endif()
file(READ "${COPY}" translations)
string(REGEX MATCHALL "<translation type=\"unfinished\"" unfinished "${translations}")
list(LENGTH unfinished count)
if(count GREATER 0)
    # Each such text's source, with any notes for translators between it
    # and its translation.
    string(REGEX MATCHALL "<source>[^<]*</source>([ \n]*<[a-z]+>[^<]*</[a-z]+>)*[ \n]*<translation type=\"unfinished\""
                 texts "${translations}")
    string(REGEX REPLACE "[ \n]*<translation type=\"unfinished\"" "" texts "${texts}")
    message(FATAL_ERROR "${TS} lacks ${count} translation(s); run the update_translations target and "
                        "translate them:\n${texts}")
endif()
message(STATUS "${TS}: every text is translated")
