# zebtool's options: --help and -h print the usage on stdout and succeed, wherever they come
# before "--"; --version prints the version; "--" makes what follows files, even "--yes"; a file
# that cannot be opened is named with the system's reason.
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/books")

foreach(args "--help" "-h" "extract;-h" "import;--codepage;65001;--help;a.txt" "text;--lines;-h")
  execute_process(COMMAND "${ZEBTOOL}" ${args} OUTPUT_VARIABLE out ERROR_VARIABLE err
                  RESULT_VARIABLE status)
  if(NOT status EQUAL 0 OR NOT out MATCHES "^usage:\n  zebtool help\n" OR NOT err STREQUAL "")
    message(FATAL_ERROR "zebtool ${args} gave ${status} [${out}] [${err}]")
  endif()
endforeach()

# --version names the tool and its version on stdout.
execute_process(COMMAND "${ZEBTOOL}" --version OUTPUT_VARIABLE out ERROR_VARIABLE err
                RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR NOT out STREQUAL "zebtool 1.1\n" OR NOT err STREQUAL "")
  message(FATAL_ERROR "zebtool --version gave ${status} [${out}] [${err}]")
endif()

# After "--", "--yes" and "-h" are files.
file(WRITE "${WORK}/--yes" "Named like an option.\n")
execute_process(COMMAND "${ZEBTOOL}" import --codepage 65001 -- "--yes" "${WORK}/books"
                WORKING_DIRECTORY "${WORK}" OUTPUT_VARIABLE out RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR NOT out STREQUAL "--yes -> ${WORK}/books/00000000.book\n")
  message(FATAL_ERROR "import -- --yes gave ${status} [${out}]")
endif()
file(COPY_FILE "${WORK}/books/00000000.book" "${WORK}/-h")
execute_process(COMMAND "${ZEBTOOL}" text --lines -- -h WORKING_DIRECTORY "${WORK}"
                OUTPUT_VARIABLE out RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR NOT out STREQUAL "Named like an option.\n")
  message(FATAL_ERROR "text --lines -- -h gave ${status} [${out}]")
endif()

# Files that cannot be opened: the path and the reason.
set(missing "${WORK}/missing.txt")
set(cases
  "import|--codepage|65001|${missing}|${WORK}/books"
  "cannot open ${missing}: No such file or directory"
  "import|${WORK}/--yes|${WORK}/no-books"
  "cannot open ${WORK}/no-books: No such file or directory"
  "info|${missing}" "cannot open ${missing}: No such file or directory"
  "text|${WORK}/books" "cannot open ${WORK}/books: Is a directory"
  "extract|${WORK}/missing.zip|${WORK}/out"
  "cannot open ${WORK}/missing.zip: No such file or directory")
list(LENGTH cases count)
math(EXPR last "${count} - 1")
foreach(i RANGE 0 ${last} 2)
  math(EXPR j "${i} + 1")
  list(GET cases ${i} args)
  list(GET cases ${j} expected)
  string(REPLACE "|" ";" args "${args}")
  execute_process(COMMAND "${ZEBTOOL}" ${args} INPUT_FILE /dev/null ERROR_VARIABLE err
                  RESULT_VARIABLE status)
  if(status EQUAL 0 OR NOT err STREQUAL "zebtool: ${expected}\n")
    message(FATAL_ERROR "zebtool ${args} gave ${status} [${err}], expected [${expected}]")
  endif()
endforeach()
file(REMOVE_RECURSE "${WORK}")
