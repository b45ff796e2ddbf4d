# The translators' template: every text the library shows, in the one context "Corvane".
#   cmake -DSOURCE_DIR=<repository> -P cmake/TranslationTemplate.cmake
#       rewrites translations/corvane_template.ts (what ./dev i18n runs);
#   cmake -DSOURCE_DIR=<repository> -DCHECK_DIR=<scratch directory> -P ...
#       fails unless the committed template is what the sources give now.
# LUPDATE may name the lupdate to use; otherwise Qt 6's is looked for.
set(template ${SOURCE_DIR}/translations/corvane_template.ts)
if(NOT LUPDATE)
    find_program(LUPDATE NAMES lupdate-qt6 lupdate HINTS /usr/lib/qt6/bin REQUIRED)
endif()

if(CHECK_DIR)
    set(output ${CHECK_DIR}/corvane_template.ts)
else()
    set(output ${template})
endif()
file(REMOVE ${output})
# No source locations: they would change with every edit of a source file.
execute_process(COMMAND ${LUPDATE} -silent -locations none -no-obsolete -extensions cpp,h,mm
                        src include -ts ${output}
                WORKING_DIRECTORY ${SOURCE_DIR} RESULT_VARIABLE rc)
if(rc)
    message(FATAL_ERROR "lupdate failed: ${rc}")
endif()

file(READ ${output} fresh)
string(REGEX MATCHALL "<name>[^<]*</name>" contexts "${fresh}")
list(REMOVE_DUPLICATES contexts)
if(NOT contexts STREQUAL "<name>Corvane</name>" AND NOT contexts STREQUAL "")
    message(FATAL_ERROR "Texts outside the \"Corvane\" context: ${contexts}. Translate with "
                        "QCoreApplication::translate(\"Corvane\", ...).")
endif()
if(CHECK_DIR)
    file(READ ${template} committed)
    if(NOT fresh STREQUAL committed)
        message(FATAL_ERROR "translations/corvane_template.ts is not what the sources give; "
                            "run ./dev i18n and commit the result.")
    endif()
endif()
