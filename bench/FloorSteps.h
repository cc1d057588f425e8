#pragma once

// The program's start taken apart against the floor written from scratch:
// scratch_window.exe started alone and with each of the program's start
// steps added, in the same rounds as twinpath.exe.
#include <functional>
#include <optional>

#include "bench/StartTiming.h"

namespace twinpath::bench {

struct FloorPrograms {
    const wchar_t* scratch;
    const wchar_t* scratchClass;
    const wchar_t* program;
    const wchar_t* programClass;
    const wchar_t* controls;
    const wchar_t* controlsClass;
};

// Prints each step's cost, the median and the best of its rounds; false when
// a start failed.
bool measureFloorSteps(const FloorPrograms& programs, const StartFiles& files, int rounds);

// Starts scratch_window.exe alone and with every step, each stage timed
// inside the process, and prints each stage's best and median; in the same
// rounds the program's time from its process's creation to its first line,
// in milliseconds, as `programFirstStage` measures it.
bool measureFloorStages(const wchar_t* scratch, const StartFiles& files, int rounds,
                        const std::function<std::optional<double>()>& programFirstStage);

}  // namespace twinpath::bench
