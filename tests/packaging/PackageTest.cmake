# The engine as its users receive it, one step per CTest test:
#   install      `cmake --install` of the build into a scratch root (DESTDIR)
#   cmake        examples/cpp built with find_package(OrvReport) against it, and run
#   pkgconfig    a one-file host built with `pkg-config --cflags --libs orvreport`, and run
#   deb          `cpack -G DEB`, unpacked with `dpkg -x`, the example built against it, and run
#   python       `cmake --install --prefix` elsewhere than configured: the Python module lands
#                under that prefix and loads the engine installed beside it
# cmake -DSTEP=... -DBUILD_DIR=... -DSOURCE_DIR=... -DWORK_DIR=... -DPREFIX=...
#       -DCXX=... -DSANITIZE=ON|OFF [-DPYTHON=... -DPYTHON_PRELOAD=...] -P PackageTest.cmake

function(run)
  execute_process(COMMAND ${ARGV} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT status EQUAL 0)
    string(REPLACE ";" " " shown "${ARGV}")
    message(FATAL_ERROR "failed (${status}): ${shown}\n${out}\n${err}")
  endif()
  set(output "${out}" PARENT_SCOPE)
endfunction()

function(expect_contains text wanted what)
  string(FIND "${text}" "${wanted}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "${what} lacks \"${wanted}\":\n${text}")
  endif()
endfunction()

# A host built against a sanitized engine must load the sanitizer runtime first.
set(host_flags "")
if(SANITIZE)
  set(host_flags "-fsanitize=address,undefined -fno-omit-frame-pointer")
endif()

# The invoice of examples/cpp built against the engine under `root_prefix`
# and run: its PDF is checked by qpdf and pdftotext, its PNG by file, ZXingReader and MuPDF.
function(build_and_run_example root_prefix scratch)
  file(REMOVE_RECURSE "${scratch}")
  run(${CMAKE_COMMAND} -S "${SOURCE_DIR}/examples/cpp" -B "${scratch}/build" -G "${GENERATOR}"
      -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=${CXX} "-DCMAKE_CXX_FLAGS=${host_flags}"
      "-DCMAKE_PREFIX_PATH=${root_prefix}" "-DOrvReport_DIR=" -DCMAKE_FIND_USE_PACKAGE_REGISTRY=OFF)
  run(${CMAKE_COMMAND} --build "${scratch}/build")
  # The example must have found the engine in this root, not elsewhere.
  file(READ "${scratch}/build/CMakeCache.txt" cache)
  expect_contains("${cache}" "OrvReport_DIR:PATH=${root_prefix}/" "the example's CMake cache")
  file(MAKE_DIRECTORY "${scratch}/out")
  run(${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen "${scratch}/build/invoice" "${scratch}/out")
  check_invoice("${scratch}/out")
endfunction()

function(check_invoice folder)
  run(qpdf --check "${folder}/invoice.PDF")
  run(pdftotext -layout "${folder}/invoice.PDF" -)
  expect_contains("${output}" "INVOICE 2026-0412" "the invoice's text")
  expect_contains("${output}" "Total due: 275.10 EUR" "the invoice's text")
  expect_contains("${output}" "Page 1 of 1" "the invoice's text")
  # Letter at 96 pixels per inch, decoded whole by MuPDF.
  run(file "${folder}/invoice.PNG")
  expect_contains("${output}" "PNG image data, 816 x 1056" "file's reading of the PNG")
  run(ZXingReader "${folder}/invoice.PNG")
  expect_contains("${output}" "\"2026-0412\"" "the barcode read by ZXingReader")
  file(COPY_FILE "${folder}/invoice.PNG" "${folder}/decoded.png")
  run(mutool draw -q -r 96 -F pnm -o "${folder}/decoded.pnm" "${folder}/decoded.png")
  file(READ "${folder}/decoded.pnm" header LIMIT 15)
  expect_contains("${header}" "816 1056" "MuPDF's decoding of the PNG")
  file(READ "${folder}/invoice.PNG" signature LIMIT 8 HEX)
  if(NOT signature STREQUAL "89504e470d0a1a0a")
    message(FATAL_ERROR "invoice.PNG is not a PNG file")
  endif()
endfunction()

# The Python module found under `root`, imported from there: it must be the
# only one, and it and the engine library it loads must both come from `root`.
function(import_python_module root)
  file(GLOB_RECURSE modules "${root}/*/orvreport.cpython-*.so")
  list(LENGTH modules count)
  if(NOT count EQUAL 1)
    message(FATAL_ERROR "${count} Python modules under ${root}: ${modules}")
  endif()
  get_filename_component(module_dir "${modules}" DIRECTORY)
  if(NOT EXISTS "${module_dir}/orvreport.pyi")
    message(FATAL_ERROR "the type stub is not beside ${modules}")
  endif()
  set(env QT_QPA_PLATFORM=offscreen "PYTHONPATH=${module_dir}")
  if(SANITIZE)
    list(APPEND env "LD_PRELOAD=${PYTHON_PRELOAD}" ASAN_OPTIONS=detect_leaks=0)
  endif()
  run(${CMAKE_COMMAND} -E env ${env} ${PYTHON} -c [=[
import orvreport
r = orvreport.Engine()
r.AddText("t", "From Python", 1, 1, 6.5, 0)
engine = next(line.split()[-1] for line in open("/proc/self/maps") if "liborvreport.so" in line)
print("module", orvreport.__file__)
print("engine", engine)
print("pdf", r.PDFStream()[:5])
]=])
  expect_contains("${output}" "module ${module_dir}/" "the module imported")
  expect_contains("${output}" "engine ${root}/" "the engine library the module loaded")
  expect_contains("${output}" "pdf b'%PDF-'" "the module's PDF")
  set(module_dir "${module_dir}" PARENT_SCOPE)
endfunction()

set(installed "${WORK_DIR}/installed")

if(STEP STREQUAL "install")
  file(REMOVE_RECURSE "${installed}")
  run(${CMAKE_COMMAND} -E env "DESTDIR=${installed}" ${CMAKE_COMMAND} --install "${BUILD_DIR}")
  # Public headers at <orvreport/...>; the engine's own only under private/.
  file(GLOB top RELATIVE "${installed}${PREFIX}/include/orvreport" "${installed}${PREFIX}/include/orvreport/*")
  foreach(entry ${top})
    if(IS_DIRECTORY "${installed}${PREFIX}/include/orvreport/${entry}" AND NOT entry STREQUAL "private")
      message(FATAL_ERROR "include/orvreport/${entry}: only private/ may hold the engine's own folders")
    endif()
  endforeach()
  file(GLOB_RECURSE headers "${installed}${PREFIX}/include/*.h")
  foreach(header ${headers})
    file(STRINGS "${header}" quoted REGEX "#include \"")
    if(quoted)
      message(FATAL_ERROR "${header} includes by a relative name: ${quoted}")
    endif()
  endforeach()

elseif(STEP STREQUAL "cmake")
  build_and_run_example("${installed}${PREFIX}" "${WORK_DIR}/cmake-host")

elseif(STEP STREQUAL "pkgconfig")
  set(scratch "${WORK_DIR}/pkgconfig-host")
  file(REMOVE_RECURSE "${scratch}")
  file(MAKE_DIRECTORY "${scratch}")
  file(GLOB pc_file "${installed}${PREFIX}/lib*/pkgconfig/orvreport.pc" "${installed}${PREFIX}/lib/*/pkgconfig/orvreport.pc")
  if(NOT pc_file)
    message(FATAL_ERROR "no orvreport.pc under ${installed}${PREFIX}")
  endif()
  get_filename_component(pc_dir "${pc_file}" DIRECTORY)
  run(${CMAKE_COMMAND} -E env "PKG_CONFIG_PATH=${pc_dir}" pkg-config --cflags --libs orvreport)
  string(STRIP "${output}" flags)
  separate_arguments(flags UNIX_COMMAND "${flags}")
  expect_contains("${flags}" "-I${pc_dir}/" "the compile flags")
  file(WRITE "${scratch}/host.cpp" [=[
#include <orvreport/orvreport.h>
#include <QApplication>
#include <cstdio>
int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    orv::TORVREP report;
    report.AddText("t", "Built with pkg-config", 1, 1, 6.5, 0, "Arial", 12, 0, 0xFFFFFF, "", 0, 0, 0);
    try {
        report.NewPage(0, 0, 0, 0, -5);
    } catch (const orv::EngineError& e) {
        std::printf("refused %s, version %s, pages %d\n", e.statusText().c_str(), orv::kVersionText,
                    report.get_nTotalPages());
        return 0;
    }
    return 1;
}
]=])
  separate_arguments(host_flag_list UNIX_COMMAND "${host_flags}")
  run(${CXX} -std=c++20 -fPIC ${host_flag_list} "${scratch}/host.cpp" -o "${scratch}/host" ${flags})
  get_filename_component(lib_dir "${pc_dir}" DIRECTORY)
  run(${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen "LD_LIBRARY_PATH=${lib_dir}" "${scratch}/host")
  expect_contains("${output}" "version ${VERSION}" "the host's output")
  expect_contains("${output}" "pages 1" "the host's output")

elseif(STEP STREQUAL "deb")
  set(scratch "${WORK_DIR}/deb")
  file(REMOVE_RECURSE "${scratch}")
  run(cpack -G DEB -B "${scratch}/out" --config "${BUILD_DIR}/CPackConfig.cmake")
  file(GLOB debs "${scratch}/out/*.deb")
  list(LENGTH debs count)
  if(NOT count EQUAL 1)
    message(FATAL_ERROR "cpack wrote ${count} packages: ${debs}")
  endif()
  run(dpkg-deb --field "${debs}" Package Version Depends)
  expect_contains("${output}" "Package: orvreport" "the package's fields")
  expect_contains("${output}" "Version: ${VERSION}" "the package's fields")
  expect_contains("${output}" "libqt6widgets6" "the package's dependencies")
  expect_contains("${output}" "libcups2" "the package's dependencies")
  run(dpkg-deb --contents "${debs}")
  foreach(wanted "./usr/bin/orvreport" "./usr/include/orvreport/orvreport.h" "/cmake/OrvReport/OrvReportConfig.cmake"
          "/pkgconfig/orvreport.pc" "/liborvreport.so.1")
    expect_contains("${output}" "${wanted}" "the package's contents")
  endforeach()
  run(dpkg -x "${debs}" "${scratch}/root")
  build_and_run_example("${scratch}/root/usr" "${scratch}/host")
  # The script host runs from the unpacked package too.
  file(GLOB_RECURSE library "${scratch}/root/usr/lib*/liborvreport.so.1")
  get_filename_component(lib_dir "${library}" DIRECTORY)
  file(WRITE "${scratch}/script.orv" "AddText \"t\", \"From the package\", 1, 1, 6.5, 0\nSaveToPDF \"${scratch}/script.pdf\"\n")
  run(${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen "LD_LIBRARY_PATH=${lib_dir}"
      "${scratch}/root/usr/bin/orvreport" run "${scratch}/script.orv")
  run(pdftotext "${scratch}/script.PDF" -)
  expect_contains("${output}" "From the package" "the script host's PDF")
  if(PYTHON)
    # The package's module sits where the system's python3 looks for modules.
    import_python_module("${scratch}/root")
    string(REPLACE "${scratch}/root" "" packaged_dir "${module_dir}")
    run(${PYTHON} -c "import sys\nprint(*sys.path, sep='\\n')")
    string(REPLACE "\n" ";" search_path "${output}")
    list(FIND search_path "${packaged_dir}" at)
    if(at EQUAL -1)
      message(FATAL_ERROR "the package installs the module in ${packaged_dir}, which ${PYTHON} does not search:\n${output}")
    endif()
  endif()

elseif(STEP STREQUAL "python")
  set(prefix "${WORK_DIR}/python-prefix")
  file(REMOVE_RECURSE "${prefix}")
  run(${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${prefix}")
  import_python_module("${prefix}")

else()
  message(FATAL_ERROR "unknown STEP ${STEP}")
endif()
