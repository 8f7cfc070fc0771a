# Imports a small UTF-8 text with zebtool and checks what "text --lines" and "info" give back.
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/books")
file(WRITE "${WORK}/source.txt" "  First line\r\nsecond\tword\n\n  Third Ж")

execute_process(COMMAND "${ZEBTOOL}" import --codepage 65001 "${WORK}/source.txt" "${WORK}/books"
                RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR NOT EXISTS "${WORK}/books/00000000.book")
  message(FATAL_ERROR "import failed: ${status}")
endif()

execute_process(COMMAND "${ZEBTOOL}" text --lines "${WORK}/books/00000000.book"
                OUTPUT_VARIABLE lines RESULT_VARIABLE status)
set(expected "  First line\nsecondword\n\n  Third Ж\n")
if(NOT status EQUAL 0 OR NOT lines STREQUAL expected)
  message(FATAL_ERROR "text --lines gave [${lines}], expected [${expected}]")
endif()

execute_process(COMMAND "${ZEBTOOL}" info "${WORK}/books/00000000.book"
                OUTPUT_VARIABLE info RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR NOT info MATCHES "text signature: +good" OR
   NOT info MATCHES "source name \"source.txt\"")
  message(FATAL_ERROR "info gave: ${info}")
endif()
file(REMOVE_RECURSE "${WORK}")
