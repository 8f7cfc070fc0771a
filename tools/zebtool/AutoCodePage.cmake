# zebtool import --codepage auto: each text in the code page its first bytes suggest, said on the
# line of its book; Russian in three 8-bit pages and in UTF-8, and an English one.
set(texts "${FIXTURES}/texts")
if(NOT EXISTS "${texts}/ru_cp866.txt")
  message(STATUS "fixture missing: ${texts}/ru_cp866.txt")
  return()
endif()
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/books")
execute_process(COMMAND "${ZEBTOOL}" import --codepage auto "${texts}/ru_cp866.txt"
                        "${texts}/ru_koi8r.txt" "${texts}/ru_cp1251.txt" "${texts}/ru_utf8.txt"
                        "${texts}/prose.txt" "${WORK}/books"
                INPUT_FILE /dev/null OUTPUT_VARIABLE out RESULT_VARIABLE status)
string(REPLACE "${texts}/" "" out "${out}")
string(REPLACE "${WORK}/" "" out "${out}")
set(expected "ru_cp866.txt -> books/00000000.book, code page 866 (OEM - Russian)
ru_koi8r.txt -> books/00000001.book, code page 20866 (Russian - KOI8)
ru_cp1251.txt -> books/00000002.book, code page 1251 (ANSI - Cyrillic)
ru_utf8.txt -> books/00000003.book, code page 65001 (UTF-8)
prose.txt -> books/00000004.book, code page 65001 (UTF-8)
")
if(NOT status EQUAL 0 OR NOT out STREQUAL expected)
  message(FATAL_ERROR "import gave ${status} [${out}], expected [${expected}]")
endif()
# The 866 book reads as the same story does in UTF-8.
execute_process(COMMAND "${ZEBTOOL}" text "${WORK}/books/00000000.book"
                OUTPUT_VARIABLE text RESULT_VARIABLE status)
string(FIND "${text}" "Каждый вечер, незадолго до заката" found)
if(NOT status EQUAL 0 OR found EQUAL -1)
  message(FATAL_ERROR "the 866 book does not read as the UTF-8 text: [${text}]")
endif()
file(REMOVE_RECURSE "${WORK}")
