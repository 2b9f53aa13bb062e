# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 The morvelin authors
#
# Cross toolchain for any Debian architecture, named by MORVELIN_ARCH
# (arm64, armhf, i386, s390x, ...; the cross presets take it from the
# environment): Debian's cross compiler for it, the libraries and the
# interpreter of that architecture from the sysroot that .ci/sysroot
# builds, and qemu-user to run its programs.  binfmt_misc may not be set
# up, so every program of the architecture runs through the emulator
# explicitly.

if(NOT MORVELIN_ARCH)
  message(FATAL_ERROR "Set MORVELIN_ARCH to a Debian architecture, as in "
    "MORVELIN_ARCH=arm64 cmake --workflow --preset cross")
endif()
# The compilers CMake tries out read this file again and need the name too.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES MORVELIN_ARCH)

# query(VARIABLE): a value from dpkg-architecture for the architecture.
function(query variable)
  execute_process(COMMAND dpkg-architecture -a ${MORVELIN_ARCH} -q${variable}
    OUTPUT_VARIABLE value OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET
    COMMAND_ERROR_IS_FATAL ANY)
  set(${variable} ${value} PARENT_SCOPE)
endfunction()
query(DEB_HOST_GNU_TYPE)     # the compiler's prefix: i686-linux-gnu
query(DEB_HOST_MULTIARCH)    # the library folder's name: i386-linux-gnu
query(DEB_HOST_GNU_CPU)      # the processor: i686
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR ${DEB_HOST_GNU_CPU})
set(CMAKE_CXX_COMPILER ${DEB_HOST_GNU_TYPE}-g++)
set(CMAKE_LIBRARY_ARCHITECTURE ${DEB_HOST_MULTIARCH})

cmake_path(SET sysroot NORMALIZE
  "${CMAKE_CURRENT_LIST_DIR}/../build/sysroot/${MORVELIN_ARCH}")
if(NOT EXISTS "${sysroot}/usr/bin/regina")
  message(FATAL_ERROR "There is no ${MORVELIN_ARCH} sysroot at "
    "${sysroot}: make it with .ci/sysroot ${MORVELIN_ARCH}")
endif()

# Libraries, headers and CMake packages come from the sysroot only; the
# compiler brings its own C and C++ headers; build tools are the host's.
set(CMAKE_FIND_ROOT_PATH ${sysroot})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# qemu-user names its emulators by processor, in its own spelling.
string(REGEX REPLACE "^i[3-6]86$" "i386" qemu_cpu ${DEB_HOST_GNU_CPU})
string(REPLACE "powerpc64le" "ppc64le" qemu_cpu ${qemu_cpu})
set(MORVELIN_EMULATOR qemu-${qemu_cpu} CACHE INTERNAL "The architecture's emulator")
set(CMAKE_CROSSCOMPILING_EMULATOR ${MORVELIN_EMULATOR} -L ${sysroot})
