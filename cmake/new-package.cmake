# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 The morvelin authors
#
# Writes a new, standalone package of external functions for Regina:
#
#   cmake -D NAME=<name> -D DEST=<folder> -P cmake/new-package.cmake
#
# <name> is the module's name, a lower-case C identifier of two characters
# or more that starts with a letter, as a Debian package name must: REXX
# programs load it as module <name> from lib<name>.so, and its routines are
# named after it with the first letter in capitals (mathx: MathxLoadFuncs).
# The project goes into <folder>, which must not exist or be empty.  It is
# a copy of template/, a real package named mathx, renamed: mathx becomes
# <name> (in debian/, the Debian package's name, - for _), Mathx the
# capitalised name, its copyright year this year's and its Debian
# changelog's date now; packaging/targets lists every release and
# architecture that the kit builds for; and kit/ holds the part of the kit
# that the build needs.
cmake_minimum_required(VERSION 3.25)
if(NOT NAME MATCHES "^[a-z][a-z0-9_]+$")
  message(FATAL_ERROR "NAME must be a lower-case C identifier of two or "
    "more characters that starts with a letter, such as mathx: "
    "-D NAME=<name>, not \"${NAME}\"")
endif()
# Target names that CMake, CPack and CTest reserve, and those that the kit
# and the template make: a module of such a name could not be configured.
set(taken all help install preinstall clean edit_cache rebuild_cache test package
  package_source list_install_components demo changelogs release_tarball)
if(NAME IN_LIST taken)
  list(JOIN taken ", " taken)
  message(FATAL_ERROR "NAME \"${NAME}\" is the name of a target that CMake or the "
    "kit makes, which a package cannot take: ${taken}")
endif()
if(NOT DEST)
  message(FATAL_ERROR "DEST must name the folder to write: -D DEST=<folder>")
endif()
cmake_path(ABSOLUTE_PATH DEST BASE_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR} NORMALIZE)
file(GLOB existing ${DEST}/* ${DEST}/.*)
if(EXISTS ${DEST} AND (existing OR NOT IS_DIRECTORY ${DEST}))
  message(FATAL_ERROR "${DEST} exists and is not an empty folder")
endif()

string(SUBSTRING ${NAME} 0 1 first)
string(SUBSTRING ${NAME} 1 -1 rest)
string(TOUPPER ${first} first)
set(Name ${first}${rest})
string(REPLACE "_" "-" package ${NAME})
string(TIMESTAMP now "%a, %d %b %Y %H:%M:%S +0000" UTC)
string(TIMESTAMP year "%Y" UTC)
cmake_path(GET CMAKE_CURRENT_LIST_DIR PARENT_PATH source)
file(STRINGS ${source}/kit/releases targets REGEX "^[0-9]")
list(TRANSFORM targets REPLACE "^([0-9]+) [^ ]+ [^ ]+ " "\\1 ")
list(JOIN targets "\n" targets)

file(GLOB_RECURSE templates LIST_DIRECTORIES false RELATIVE ${source}/template ${source}/template/*)
list(FILTER templates EXCLUDE REGEX "^(kit$|(kit|build|obj-[^/]*)/)")
foreach(template IN LISTS templates)
  file(READ ${source}/template/${template} text)
  set(path ${template})
  set(own ${NAME})
  if(template MATCHES "^debian/")
    set(own ${package})
  endif()
  foreach(item IN ITEMS path text)
    string(REGEX REPLACE "[0-9][0-9][0-9][0-9] The mathx authors" "${year} The ${own} authors"
      ${item} "${${item}}")
    string(REPLACE "mathx" ${own} ${item} "${${item}}")
    string(REPLACE "Mathx" ${Name} ${item} "${${item}}")
  endforeach()
  if(template STREQUAL "debian/changelog")
    string(REGEX REPLACE "(\n -- [^\n]*>  )[^\n]+" "\\1${now}" text "${text}")
  elseif(template STREQUAL "packaging/targets")
    string(REGEX REPLACE "\n[0-9][^#]*$" "\n${targets}\n" text "${text}")
  endif()
  file(WRITE ${DEST}/${path} "${text}")
  if(path STREQUAL "debian/rules")
    file(CHMOD ${DEST}/${path} FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE
      GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
  endif()
endforeach()
# What git leaves out: the build folders and what debhelper writes.  (The
# template carries none, as the rexx-kit package may carry no VCS file.)
file(WRITE ${DEST}/.gitignore "# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: ${year} The ${NAME} authors
/build/\n/obj-*/\n/debian/.debhelper/\n/debian/debhelper-build-stamp\n/debian/files
/debian/*.substvars\n/debian/${package}/\n/debian/tmp/\n")
# The part of the kit that the package's build needs, with its version;
# the release tool is rexx-kit's own.
foreach(file IN ITEMS RexxPackage.cmake rules.mk run-rexx include VERSION VERSION.license)
  file(COPY ${source}/kit/${file} DESTINATION ${DEST}/kit)
endforeach()
message(STATUS "Wrote package ${NAME} into ${DEST}: cd there and run "
  "cmake --workflow --preset demo")
