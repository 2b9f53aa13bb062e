// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The morvelin authors
//
// Reads back the reports that Api_Exchange_Data printed for calls made on
// several threads with the arguments (T, -C, "call C of thread T"), and
// tells whether every report is whole, four lines that agree with each
// other, and names a call that no other report names.  Used by the host
// harness and by check_reports, for the reports of the embedding example.
#pragma once

#include <array>
#include <cstdio>
#include <istream>
#include <set>
#include <span>
#include <string>
#include <utility>

struct Reports {
  std::set<std::pair<int, int>> calls; // (T, C) of every report read
  std::string broken;                  // the first report that was not whole
  std::size_t repeated = 0;            // reports of a call already reported
};

inline Reports read_reports(std::istream &printed)
{
  Reports reports;
  std::array<std::string, 4> lines;
  while (std::getline(printed, lines[0])) {
    for (auto &line : std::span(lines).subspan(1))
      std::getline(printed, line);
    int t = -1, c = 1, again_t = -2, again_c = 2;
    const bool whole =
        lines[0] ==
            "Api_Exchange_Data function has received following arguments:" &&
        std::sscanf(lines[1].c_str(), "\tArgument 1: %d", &t) == 1 &&
        std::sscanf(lines[2].c_str(), "\tArgument 2: %d", &c) == 1 &&
        std::sscanf(lines[3].c_str(), "\tArgument 3: call %d of thread %d",
                    &again_c, &again_t) == 2 &&
        t == again_t && -c == again_c;
    if (!whole) {
      reports.broken =
          lines[0] + "\n" + lines[1] + "\n" + lines[2] + "\n" + lines[3];
      break;
    }
    if (!reports.calls.emplace(t, again_c).second)
      ++reports.repeated;
  }
  return reports;
}
