# zebtool with archives: an encrypted ZIP extracted with --password (the member under another
# password is skipped, not asked for at a terminal), a folder ZIP and a text imported in order,
# and a file that is not a ZIP refused.
set(zips "${FIXTURES}/archives/zip")
if(NOT EXISTS "${zips}/encrypted.zip")
  message(STATUS "fixture missing: ${zips}/encrypted.zip")
  return()
endif()
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/books")
file(WRITE "${WORK}/source.txt" "A loose text.\n")

execute_process(COMMAND "${ZEBTOOL}" extract --password secret "${zips}/encrypted.zip" "${WORK}/out"
                INPUT_FILE /dev/null OUTPUT_VARIABLE out RESULT_VARIABLE status)
string(REPLACE "${WORK}/out/" "" out "${out}")
if(NOT status EQUAL 0 OR NOT out STREQUAL "prose.txt\nverse.txt\nindented.txt\nru_koi8r.txt\n")
  message(FATAL_ERROR "extract gave ${status} [${out}]")
endif()

execute_process(COMMAND "${ZEBTOOL}" import --codepage 65001 "${zips}/dirs.zip" "${WORK}/source.txt"
                        "${WORK}/books"
                INPUT_FILE /dev/null OUTPUT_VARIABLE out RESULT_VARIABLE status)
string(REPLACE "${zips}/" "" out "${out}")
string(REPLACE "${WORK}/" "" out "${out}")
set(expected "dirs.zip: verse.txt -> books/00000000.book\ndirs.zip: prose.txt -> books/00000001.book\nsource.txt -> books/00000002.book\n")
if(NOT status EQUAL 0 OR NOT out STREQUAL expected)
  message(FATAL_ERROR "import gave ${status} [${out}], expected [${expected}]")
endif()

execute_process(COMMAND "${ZEBTOOL}" extract "${zips}/notazip.zip" "${WORK}/out"
                INPUT_FILE /dev/null ERROR_VARIABLE err RESULT_VARIABLE status)
if(status EQUAL 0 OR NOT err MATCHES "Not a valid zip file!")
  message(FATAL_ERROR "a file that is not a ZIP gave ${status} [${err}]")
endif()
file(REMOVE_RECURSE "${WORK}")
