# The layer check run on a small tree (data/) that breaks each of its rules once, beside includes
# that keep them: it must fail and name exactly the breaking includes, each with its rule.
#   cmake -DCHECKER=cmake/CheckLayerOrder.cmake -DDATA=tests/layers/data -P CheckerCatches.cmake
cmake_minimum_required(VERSION 3.25)

set(expected
  "import/Decode.h: #include \"tests/support/Fake.h\": tests is in no layer, and no layer may include it"
  "import/ui/Preview.h: #include \"library/ui/Window.h\": import/ui is below library/ui and may not include it"
  "library/common/Bits.h: #include \"library/zip/Zip.h\": library/common and library/zip are parts of one layer: each may include only itself and library/common"
  "library/rar/Rar.h: #include \"library/Dispatch.h\": library/rar is a part of library, which uses it, not the other way"
  "library/ui/Window.h: #include \"render/ui/ViewControl.h\": library/ui and render/ui are one level: neither includes the other"
  "library/zip/Zip.h: #include \"library/rar/Rar.h\": library/zip and library/rar are parts of one layer: each may include only itself and library/common"
  "platform/Clock.cpp: #include \"../storage/Book.h\": platform is below storage and may not include it"
  "platform/Clock.h: #include \"storage/Book.h\": platform is below storage and may not include it"
  "reader/Reader.h: #include \"render/ui/ViewControl.h\": reader is below render/ui and may not include it"
  "render/View.h: #include \"library/zip/Zip.h\": render and library are one level: neither includes the other"
  "settings/Options.h: #include \"import/Decode.h\": settings and import are one level: neither includes the other"
  "tools/zebtool/Main.cpp: #include \"platform/ui/Box.h\": tools/zebtool and platform/ui are one level: neither includes the other"
)

execute_process(COMMAND ${CMAKE_COMMAND} -DROOT=${DATA} -P ${CHECKER}
                RESULT_VARIABLE result ERROR_VARIABLE output OUTPUT_VARIABLE output)
if(result EQUAL 0)
  message(FATAL_ERROR "The check passed a tree that breaks the layer order:\n${output}")
endif()
string(REPLACE "\n" ";" lines "${output}")
list(FILTER lines INCLUDE REGEX "#include")
if(NOT lines STREQUAL expected)
  string(REPLACE ";" "\n" found "${lines}")
  string(REPLACE ";" "\n" wanted "${expected}")
  message(FATAL_ERROR "The check reported\n${found}\ninstead of\n${wanted}")
endif()
