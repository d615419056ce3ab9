// The peaks of solved cases, as PeakFinder tabulates them: one row per case, and the
// envelope over all cases, each peak with the node or member and the case it occurs in.
#pragma once

#include "results_file.h"

#include <optional>
#include <vector>

namespace ombrix {

struct Peak {
    bool found = false; // false: no node or member has it (no compression, ...)
    double value = 0;   // a compression is negative, a displacement or reaction its length
    int item = 0;       // node or member number
    int loadCase = 0;
    Point components{}; // of a displacement or a reaction
};

struct CasePeaks {
    int loadCase = 0;
    bool converged = true;            // the envelope: every case converged
    std::optional<double> loadFactor; // of the state given, where a case did not converge
    Peak displacement;
    Peak tension;
    Peak compression;
    Peak reaction;
    Peak slackCables; // their number, in value
};

CasePeaks peaksOf(const Model& model, const CaseResults& results);

// Each peak the largest of all cases; the first case wins a tie.
CasePeaks envelopeOf(const std::vector<CasePeaks>& cases);

// The envelope of each member and each node over the cases, each peak with its case.
struct MemberEnvelope {
    Peak tension;                // the largest
    Peak compression;            // the most negative
    std::vector<int> slackCases; // of a cable, in the order they were added
};
struct ItemEnvelopes {
    std::vector<MemberEnvelope> members; // in member order
    std::vector<Peak> displacements;     // each node's largest, in node order
};

// Adds a case's results to the envelopes; the first case added wins a tie.
void addToEnvelopes(ItemEnvelopes& envelopes, const Model& model, const CaseResults& results);

} // namespace ombrix
