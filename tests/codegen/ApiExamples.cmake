# Turns the C++ examples of docs/api.md into a source file of the test
# binary: each ```cpp block becomes the body of a function taking the
# control `r` (blocks of #include lines stay at file level), and every
# `r.Name(` the examples call is listed for the test that looks the names
# up in the dispatch table.
#   cmake -DINPUT=docs/api.md -DOUTPUT=ApiExamples.cpp -P ApiExamples.cmake
file(READ "${INPUT}" text)
# Semicolons would split the text into list items.
string(REPLACE ";" "@SEMICOLON@" text "${text}")
string(REGEX MATCHALL "```cpp\n[^`]*```" blocks "${text}")

set(includes "")
set(functions "")
set(names "")
set(number 0)
foreach(block ${blocks})
  string(REGEX REPLACE "^```cpp\n(.*)```$" "\\1" code "${block}")
  if(code MATCHES "^#include")
    string(APPEND includes "${code}")
    continue()
  endif()
  math(EXPR number "${number} + 1")
  string(APPEND functions "void example${number}(orv::TORVREP& r)\n{\n    {\n${code}    }\n}\n\n")
  string(REGEX MATCHALL "r\\.[A-Za-z_0-9]+\\(" calls "${code}")
  foreach(call ${calls})
    string(REGEX REPLACE "^r\\.(.*)\\($" "\\1" name "${call}")
    list(APPEND names "${name}")
  endforeach()
endforeach()
list(REMOVE_DUPLICATES names)
list(SORT names)

set(listed "")
foreach(name ${names})
  string(APPEND listed "    \"${name}\",\n")
endforeach()
string(CONCAT source "// Written from docs/api.md at build time; do not edit.\n${includes}\n"
    "#include <iostream>\n#include <string>\n#include <vector>\n\n"
    "#pragma GCC diagnostic ignored \"-Wunused-variable\"\n"
    "#pragma GCC diagnostic ignored \"-Wshadow\"\n\n"
    "namespace orv::apiexamples {\n\n${functions}"
    "extern const std::vector<std::string> kCalledNames = {\n${listed}};\n\n"
    "extern const int kExampleCount = ${number};\n\n} // namespace orv::apiexamples\n")
string(REPLACE "@SEMICOLON@" ";" source "${source}")
file(WRITE "${OUTPUT}.new" "${source}")
file(COPY_FILE "${OUTPUT}.new" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.new")
