#include "search/search_stats.h"

#include "results/pending.h"

SearchStats gSearchStats;
bool AbortFlag = false;

void ResetSearchStats(int32_t statusPartWidth) {
    gSearchStats.DirectoriesSearched = 0;
    gSearchStats.CurrentDepth = 0;
    gSearchStats.DeepestLevel = 0;
    gSearchStats.DirectoriesWithFinds = 0;
    gSearchStats.TotalSize = 0;
    gSearchStats.StatusPartWidth = statusPartWidth;
    ClearPendingTable();
}
