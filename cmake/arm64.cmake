# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 The morvelin authors
#
# Cross toolchain for 64-bit ARM (Debian arm64), run under qemu-aarch64.
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(MORVELIN_TRIPLET aarch64-linux-gnu)
set(MORVELIN_DEBIAN_ARCH arm64)
set(MORVELIN_EMULATOR qemu-aarch64)
include(${CMAKE_CURRENT_LIST_DIR}/cross-debian.cmake)
