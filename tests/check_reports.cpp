// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The morvelin authors
//
// check_reports FILE COUNT: succeeds when FILE holds exactly COUNT whole
// reports of Api_Exchange_Data, each of a different call, as the
// embedding example's threads print them.
#include "reports.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>

int main(int argc, char **argv)
{
  if (argc != 3) {
    std::fprintf(stderr, "usage: check_reports FILE COUNT\n");
    return 2;
  }
  std::ifstream printed(argv[1]);
  const Reports reports = read_reports(printed);
  const auto wanted = std::strtoul(argv[2], nullptr, 10);
  if (!reports.broken.empty())
    std::printf("broken report:\n%s\n", reports.broken.c_str());
  std::printf(
      "%zu whole reports of different calls, %zu repeated, %lu wanted\n",
      reports.calls.size(), reports.repeated, wanted);
  return reports.broken.empty() && reports.repeated == 0 &&
                 reports.calls.size() == wanted
             ? 0
             : 1;
}
