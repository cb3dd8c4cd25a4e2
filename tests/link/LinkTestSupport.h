#pragma once
// Shared set-up of the link tests: the shared state back at its start values,
// and the user messages collected instead of shown.
#include <mutex>
#include <string>
#include <vector>

#include "link/LinkTimings.h"

// Messages shown since the last ResetSharedState (thread-safe copy).
std::vector<std::string> ShownMessages();
// Shared flags, buffers and tables back at their start values; messages cleared.
void ResetSharedState();
// Short limits so that time-outs take milliseconds, not seconds.
LinkTimings FastTimings();
// Allocates the two sample buffers with depth bytes each (g_DepthSize = depth).
void AllocateSampleBuffers(int depth);
void FreeSampleBuffers();
