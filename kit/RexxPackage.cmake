# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 The morvelin authors
#
# RexxPackage.cmake: builds, tests and installs one package of external
# functions for the Regina REXX interpreter on Debian.  It is part of the
# kit, the folder kit/ that every such package carries (see
# kit/README.md); include it from there and call rexx_package() once:
#
#   rexx_package(<module> SOURCES <file>...
#     [DOCS <file>...]                default: README.md
#     [CHANGELOG_FILE <file>]         default: CHANGELOG.md
#     [LICENSE_FILE <file>])          default: LICENSE
#
# It makes the library target <module> as lib<module>.so, the file in which
# the interpreter finds module <module>, with every symbol hidden that the
# sources do not export, hardened with the flags that dpkg-buildflags
# gives Debian's own packages, and with the kit's interface header,
# <rexx_host.h>, on its include path.  It installs the library into the
# system library folder, or the interpreter's add-on folder
# (REXX_INSTALL_ADDON), stripped as dh_strip strips a plugin when the
# install strips; and the documents, licence and changelog, keeping their
# relative paths.  The Debian package is built by debhelper from the
# package's debian/ folder, whose rules include kit/rules.mk: that sets
# REXX_DEBIAN_PACKAGE, which installs into the add-on folder, leaves the
# licence to debian/copyright (the documents' links to it follow), and
# writes the interpreter dependency that the package needs into
# rexx-depends in the build folder.
#
#   rexx_demo(<program> <expected output>)
#
# adds the target demo, which runs the program against the build, and
# names the demo for kit/rexx-kit check, which runs it from the package.
#
#   rexx_test(<name> <program> [EXPECTED <file>] [VALGRIND])
#
# adds a test that runs a REXX program against the build, in the
# interpreter of the architecture built for (in a cross build, the
# sysroot's, under qemu-user).  It passes if the program exits with 0 and,
# given EXPECTED, prints exactly what the file holds.  VALGRIND runs the
# interpreter under valgrind, where any error or definite leak fails; the
# test is skipped, with the reason, where valgrind is missing or cannot run
# the architecture's programs.
#
# Options, given when configuring:
#   REXX_COVERAGE        build the library with gcc's coverage counters, and
#                        add the test coverage, which prints, with gcovr,
#                        the line and branch coverage of its sources by the
#                        tests and fails below 100% of lines (or of
#                        branches, REXX_COVERAGE_BRANCHES)
#   REXX_INSTALL_ADDON   install into the interpreter's add-on folder
#   REXX_DEBIAN_PACKAGE  build for the Debian package (kit/rules.mk sets it)
#   REXX_ADDON_DIR       the add-on folder (default: regina-config --addons,
#                        or /usr/lib/<triplet>/regina-rexx/<version>)
#   REXX_REGINA_VERSION  the interpreter version that names the folder, as
#                        3.6 (default: the folder's name, or
#                        regina-config --version)
#   REGINA_CONFIG        the regina-config script to ask (default: the
#                        target architecture's, found in the usual places)
include_guard(GLOBAL)
include(GNUInstallDirs)
option(REXX_INSTALL_ADDON "Install into the interpreter's add-on folder" OFF)
option(REXX_COVERAGE "Count and report the coverage of the library's sources by the tests" OFF)
set(REXX_COVERAGE_BRANCHES 0 CACHE STRING "The branch coverage in percent below which the coverage test fails")
option(REXX_DEBIAN_PACKAGE "Build for the Debian package, as kit/rules.mk does" OFF)
set(REXX_ADDON_DIR "" CACHE PATH
  "The add-on folder (default: regina-config --addons, or /usr/lib/<triplet>/regina-rexx/<version>)")
set(REXX_REGINA_VERSION "" CACHE STRING
  "The interpreter version that names the add-on folder, as 3.6 (default: the folder's name, or regina-config --version)")
# Debian's /usr/bin/regina-config runs the build machine's own script, so
# the target architecture's (in a cross build, the sysroot's) comes first.
find_program(REGINA_CONFIG regina-config PATHS /usr/lib/${CMAKE_LIBRARY_ARCHITECTURE}/regina-rexx
  NO_DEFAULT_PATH ONLY_CMAKE_FIND_ROOT_PATH)
find_program(REGINA_CONFIG regina-config ONLY_CMAKE_FIND_ROOT_PATH)
# The interpreter that runs REXX programs against the build: in a cross
# build, the target's own from the sysroot, run by the emulator.
find_program(REGINA regina ONLY_CMAKE_FIND_ROOT_PATH)
set(REXX_INTERPRETER ${CMAKE_CROSSCOMPILING_EMULATOR} ${REGINA})
find_program(REXX_VALGRIND valgrind)
set(_rexx_kit ${CMAKE_CURRENT_LIST_DIR})

function(rexx_package module)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "CHANGELOG_FILE;LICENSE_FILE" "SOURCES;DOCS")
  if(NOT module MATCHES "^[a-z][a-z0-9_]+$")
    message(FATAL_ERROR "rexx_package: \"${module}\" is not a lower-case C identifier "
      "of two or more characters starting with a letter, as a Debian package name needs")
  elseif(NOT arg_SOURCES)
    message(FATAL_ERROR "rexx_package(${module}): SOURCES names no file")
  endif()
  set(keys CHANGELOG_FILE LICENSE_FILE DOCS)
  set(defaults CHANGELOG.md LICENSE README.md)
  foreach(key default IN ZIP_LISTS keys defaults)
    if(NOT DEFINED arg_${key})
      set(arg_${key} ${default})
    endif()
  endforeach()
  string(REPLACE "_" "-" package ${module}) # no underscores in a package name
  set(docdir ${CMAKE_INSTALL_DATAROOTDIR}/doc/${package})

  add_library(${module} SHARED ${arg_SOURCES})
  target_include_directories(${module} PUBLIC ${_rexx_kit}/include)
  set_property(GLOBAL PROPERTY REXX_MODULE ${module})
  set_target_properties(${module} PROPERTIES C_VISIBILITY_PRESET hidden
    CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON)
  target_compile_options(${module} PRIVATE -Wall -Wextra -Wpedantic -Wconversion -Wshadow)
  _rexx_hardening(${module})
  if(REXX_COVERAGE) # atomic counters, for calls from several threads
    target_compile_options(${module} PRIVATE --coverage -fprofile-update=atomic)
    target_link_options(${module} PRIVATE --coverage)
    list(TRANSFORM arg_SOURCES PREPEND ${CMAKE_CURRENT_SOURCE_DIR}/ OUTPUT_VARIABLE sources)
    cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL _rexx_coverage_tests "${sources}")
  endif()

  set(libdir ${CMAKE_INSTALL_LIBDIR})
  if(REXX_INSTALL_ADDON OR REXX_DEBIAN_PACKAGE)
    _rexx_addon_folder(${REXX_DEBIAN_PACKAGE})
    set(libdir ${addon_dir})
  endif()
  if(REXX_DEBIAN_PACKAGE)
    # libregina3 of the version that names the add-on folder and no later
    # one, which looks elsewhere: 3.6 gives (>= 3.6), (<< 3.7~).
    string(REGEX MATCH "[0-9]+$" last "${regina_version}")
    math(EXPR last "${last} + 1")
    string(REGEX REPLACE "[0-9]+$" "${last}" next "${regina_version}")
    set(rexx_depends "libregina3 (>= ${regina_version}), libregina3 (<< ${next}~)")
    message(STATUS "Package depends on ${rexx_depends}")
  endif()
  cmake_path(ABSOLUTE_PATH libdir BASE_DIRECTORY ${CMAKE_INSTALL_PREFIX} OUTPUT_VARIABLE full)
  set(REXX_PACKAGE_LIBDIR ${full} PARENT_SCOPE)
  install(FILES $<TARGET_FILE:${module}> DESTINATION ${libdir})
  install(CODE "if(CMAKE_INSTALL_DO_STRIP)
    execute_process(COMMAND \"${CMAKE_STRIP}\" --remove-section=.comment --remove-section=.note
      --strip-unneeded \"\$ENV{DESTDIR}${full}/$<TARGET_FILE_NAME:${module}>\"
      COMMAND_ERROR_IS_FATAL ANY)
  endif()")

  # The Debian package ships the licence as copyright, from debian/, and
  # the Markdown documents' links to it follow.
  if(REXX_DEBIAN_PACKAGE)
    list(APPEND arg_DOCS ${arg_CHANGELOG_FILE})
    cmake_path(ABSOLUTE_PATH arg_LICENSE_FILE)
    file(WRITE ${CMAKE_BINARY_DIR}/rexx-depends "${rexx_depends}")
  else()
    list(APPEND arg_DOCS ${arg_LICENSE_FILE} ${arg_CHANGELOG_FILE})
  endif()
  foreach(doc IN LISTS arg_DOCS)
    cmake_path(GET doc PARENT_PATH subdir)
    if(REXX_DEBIAN_PACKAGE AND doc MATCHES "\\.md$")
      file(READ ${doc} text)
      string(REGEX REPLACE "[^/]+/?" "../" up "${subdir}")
      cmake_path(RELATIVE_PATH arg_LICENSE_FILE BASE_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}/${subdir}
        OUTPUT_VARIABLE link)
      string(REPLACE "](${link})" "](${up}copyright)" text "${text}")
      set(doc ${CMAKE_CURRENT_BINARY_DIR}/installed/${doc})
      file(WRITE ${doc} "${text}")
    endif()
    install(FILES ${doc} DESTINATION ${docdir}/${subdir})
  endforeach()
  # What kit/rexx-kit reads of the package: its names.
  file(WRITE ${CMAKE_BINARY_DIR}/rexx-package.txt "package=${package}\nmodule=${module}\n")
endfunction()

# _rexx_hardening(TARGET): the hardening flags of Debian's own packages.
# In the Debian package's build debhelper sets them, as dpkg-buildflags
# gives them for the release and architecture; other builds ask
# dpkg-buildflags for the same, less its optimisation and debugging
# flags, which the build type decides.  On top come what no release's
# dpkg-buildflags gives every architecture: no executable stack or text
# relocations, no needless libraries, and control-flow protection in each
# architecture's own form: indirect-branch tracking and a shadow stack on
# x86-64, branch target identification and signed return addresses on
# arm64.
function(_rexx_hardening target)
  find_program(DPKG_BUILDFLAGS dpkg-buildflags)
  if(NOT REXX_DEBIAN_PACKAGE AND DPKG_BUILDFLAGS)
    foreach(kind IN ITEMS CPPFLAGS CXXFLAGS LDFLAGS)
      execute_process(COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
        ${DPKG_BUILDFLAGS} --get ${kind} OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE)
      separate_arguments(flags UNIX_COMMAND "${flags}")
      list(FILTER flags EXCLUDE REGEX "^-(g|O[0-9s]?|ffile-prefix-map=.*|fdebug-prefix-map=.*)$")
      if(kind STREQUAL "LDFLAGS")
        target_link_options(${target} PRIVATE ${flags})
      else()
        # Fortified calls need an optimised build.
        list(TRANSFORM flags REPLACE "^-D_FORTIFY_SOURCE=.*"
          "$<$<CONFIG:Release,RelWithDebInfo,MinSizeRel>:\\0>")
        target_compile_options(${target} PRIVATE ${flags})
      endif()
    endforeach()
  elseif(NOT REXX_DEBIAN_PACKAGE)
    message(STATUS "dpkg-buildflags was not found: ${target} is built without Debian's "
      "hardening flags (install dpkg-dev)")
  endif()
  if(CMAKE_SYSTEM_PROCESSOR MATCHES "^(x86_64|AMD64)$")
    target_compile_options(${target} PRIVATE -fcf-protection=full)
  elseif(CMAKE_SYSTEM_PROCESSOR MATCHES "^(aarch64|arm64)$")
    target_compile_options(${target} PRIVATE -mbranch-protection=standard)
  endif()
  target_link_options(${target} PRIVATE LINKER:-z,noexecstack,-z,text LINKER:--as-needed)
endfunction()

# rexx_demo(PROGRAM EXPECTED): the target demo, and the demo's program and
# output for kit/rexx-kit check, which runs it from the installed package.
function(rexx_demo program expected)
  get_property(module GLOBAL PROPERTY REXX_MODULE)
  cmake_path(ABSOLUTE_PATH program)
  add_custom_target(demo COMMAND ${CMAKE_COMMAND} -E env REGINA_ADDON_DIR=$<TARGET_FILE_DIR:${module}>
    ${REXX_INTERPRETER} ${program} DEPENDS ${module} USES_TERMINAL VERBATIM)
  foreach(file IN ITEMS program expected) # from the package's top folder
    cmake_path(ABSOLUTE_PATH ${file})
    cmake_path(RELATIVE_PATH ${file} BASE_DIRECTORY ${CMAKE_SOURCE_DIR})
  endforeach()
  file(APPEND ${CMAKE_BINARY_DIR}/rexx-package.txt "demo=${program}\nexpected=${expected}\n")
endfunction()

# rexx_test(NAME PROGRAM [EXPECTED FILE] [VALGRIND]): a test that runs the
# REXX program against the build with kit/run-rexx.  Code 77 is a skip.
function(rexx_test name program)
  cmake_parse_arguments(PARSE_ARGV 2 arg "VALGRIND" "EXPECTED" "")
  get_property(module GLOBAL PROPERTY REXX_MODULE)
  if(DEFINED BUILD_TESTING AND NOT BUILD_TESTING) # such as the nocheck build profile
    return()
  elseif(NOT REGINA)
    message(FATAL_ERROR "rexx_test(${name}): the tests need the interpreter: install regina-rexx")
  endif()
  set(run ${REXX_INTERPRETER})
  if(arg_VALGRIND AND CMAKE_CROSSCOMPILING)
    set(run sh -c "echo 'valgrind cannot run ${CMAKE_SYSTEM_PROCESSOR} programs under qemu-user: skipped' && exit 77")
  elseif(arg_VALGRIND AND NOT REXX_VALGRIND)
    set(run sh -c "echo 'valgrind is not installed: skipped' && exit 77")
  elseif(arg_VALGRIND)
    set(run ${REXX_VALGRIND} -q --leak-check=full --errors-for-leak-kinds=definite
      --error-exitcode=99 ${REGINA})
  endif()
  if(arg_EXPECTED)
    cmake_path(ABSOLUTE_PATH arg_EXPECTED)
  else()
    set(arg_EXPECTED -)
  endif()
  cmake_path(ABSOLUTE_PATH program)
  add_test(NAME ${name} COMMAND sh ${_rexx_kit}/run-rexx $<TARGET_FILE_DIR:${module}>
    ${program} ${arg_EXPECTED} ${run})
  if(NOT arg_VALGRIND AND REXX_COVERED)
    set_tests_properties(${name} PROPERTIES ${REXX_COVERED})
  endif()
  set_tests_properties(${name} PROPERTIES SKIP_RETURN_CODE 77)
endfunction()

# The tests whose coverage counts run after coverage_reset and before
# coverage; a package's other tests can take these properties too.
if(REXX_COVERAGE)
  set(REXX_COVERED FIXTURES_REQUIRED rexx_reset FIXTURES_SETUP rexx_counts)
endif()

# _rexx_coverage_tests(SOURCES): coverage_reset, which deletes the counts,
# and coverage, which reports them for SOURCES, at the end of configure.
function(_rexx_coverage_tests sources)
  find_program(GCOVR gcovr REQUIRED)
  list(TRANSFORM sources PREPEND --filter=)
  add_test(NAME coverage_reset COMMAND find ${CMAKE_BINARY_DIR} -name *.gcda -delete)
  add_test(NAME coverage COMMAND ${GCOVR} --root ${CMAKE_SOURCE_DIR} ${sources} --print-summary
    --fail-under-line 100 --fail-under-branch ${REXX_COVERAGE_BRANCHES} ${CMAKE_BINARY_DIR})
  set_tests_properties(coverage_reset PROPERTIES FIXTURES_SETUP rexx_reset LABELS coverage)
  set_tests_properties(coverage PROPERTIES FIXTURES_REQUIRED rexx_counts LABELS coverage)
endfunction()

# _rexx_addon_folder(NEED_VERSION): sets addon_dir and regina_version in
# the caller.  The version names a derived folder, and the package's bound
# on the interpreter (NEED_VERSION).
function(_rexx_addon_folder need_version)
  set(version "${REXX_REGINA_VERSION}")
  set(folder "${REXX_ADDON_DIR}")
  set(said "REXX_REGINA_VERSION is \"${version}\"")
  if(NOT version AND folder MATCHES "/([0-9]+\\.[0-9]+(\\.[0-9]+)?)/?$")
    set(version ${CMAKE_MATCH_1})
  endif()
  # regina-config is asked for what is not given: the version, where the
  # folder is not given or the package needs it; and the folder, unless the
  # version that names it is given.
  if(NOT version AND (NOT folder OR need_version))
    if(NOT REGINA_CONFIG)
      _rexx_addon_fail("regina-config was not found")
    elseif(NOT EXISTS ${REGINA_CONFIG})
      _rexx_addon_fail("REGINA_CONFIG names ${REGINA_CONFIG}, which does not exist")
    endif()
    execute_process(COMMAND ${REGINA_CONFIG} --version
      OUTPUT_VARIABLE version OUTPUT_STRIP_TRAILING_WHITESPACE)
    set(said "${REGINA_CONFIG} --version printed \"${version}\"")
  endif()
  if(NOT folder AND NOT REXX_REGINA_VERSION AND EXISTS "${REGINA_CONFIG}")
    # 3.6 answers --addons with its usage text: only a single absolute path
    # counts as the folder.
    execute_process(COMMAND ${REGINA_CONFIG} --addons
      OUTPUT_VARIABLE printed ERROR_QUIET OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(printed MATCHES "^/[^\n]*$")
      set(folder ${printed})
    endif()
  endif()
  if((version OR NOT folder) AND NOT version MATCHES "^[0-9]+\\.[0-9]+(\\.[0-9]+)?$")
    _rexx_addon_fail("${said}, not a version such as 3.6 or 3.9.5")
  elseif(NOT folder AND NOT CMAKE_LIBRARY_ARCHITECTURE)
    _rexx_addon_fail("the compiler names no multiarch triplet")
  elseif(NOT folder)
    set(folder /usr/lib/${CMAKE_LIBRARY_ARCHITECTURE}/regina-rexx/${version})
  endif()
  if(version)
    message(STATUS "Interpreter add-on folder: ${folder} (Regina ${version})")
  else()
    message(STATUS "Interpreter add-on folder: ${folder}")
  endif()
  set(addon_dir ${folder} PARENT_SCOPE)
  set(regina_version ${version} PARENT_SCOPE)
endfunction()

function(_rexx_addon_fail what)
  message(FATAL_ERROR "Cannot tell the interpreter's add-on folder: ${what}. Install "
    "libregina3-dev, or set REXX_REGINA_VERSION (such as 3.6), or REXX_ADDON_DIR to a "
    "folder named after the version.")
endfunction()
