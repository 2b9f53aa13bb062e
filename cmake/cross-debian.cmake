# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 The morvelin authors
#
# What the cross toolchain files share: Debian's cross compiler for the
# multiarch triplet MORVELIN_TRIPLET, the libraries and the interpreter of
# that architecture from the sysroot that .ci/sysroot builds, and qemu-user
# to run its programs.  binfmt_misc may not be set up, so every program of
# the architecture runs through the emulator explicitly.

set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_CXX_COMPILER ${MORVELIN_TRIPLET}-g++)
set(CMAKE_LIBRARY_ARCHITECTURE ${MORVELIN_TRIPLET})

cmake_path(SET sysroot NORMALIZE
  "${CMAKE_CURRENT_LIST_DIR}/../build/sysroot/${MORVELIN_DEBIAN_ARCH}")
if(NOT EXISTS "${sysroot}/usr/bin/regina")
  message(FATAL_ERROR "There is no ${MORVELIN_DEBIAN_ARCH} sysroot at "
    "${sysroot}: make it with .ci/sysroot ${MORVELIN_DEBIAN_ARCH}")
endif()

# Libraries, headers and CMake packages come from the sysroot only; the
# compiler brings its own C and C++ headers; build tools are the host's.
set(CMAKE_FIND_ROOT_PATH ${sysroot})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_CROSSCOMPILING_EMULATOR ${MORVELIN_EMULATOR} -L ${sysroot})
