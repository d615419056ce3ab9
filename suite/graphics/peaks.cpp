#include "peaks.h"

#include <cmath>

namespace ombrix {
namespace {

// Keeps the candidate when it is larger, or more negative for a compression.
void keepLarger(Peak& peak, const Peak& candidate, double sense = 1) {
    if (candidate.found && (!peak.found || sense * candidate.value > sense * peak.value))
        peak = candidate;
}

Peak vectorPeak(const Point& vector, std::size_t index, int loadCase) {
    const double length = std::hypot(vector[0], vector[1], vector[2]);
    return {length > 0, length, static_cast<int>(index + 1), loadCase, vector};
}

int slackCount(const Model& model, const CaseResults& results) {
    int count = 0;
    for (std::size_t m = 0; m < model.members.size(); ++m)
        count += isSlackCable(model, results, m);
    return count;
}

} // namespace

CasePeaks peaksOf(const Model& model, const CaseResults& results) {
    const int loadCase = results.loadCase;
    CasePeaks peaks;
    peaks.loadCase = loadCase;
    peaks.converged = results.converged;
    if (!results.converged)
        peaks.loadFactor = results.loadFactor;
    for (std::size_t n = 0; n < results.displacements.size(); ++n) {
        keepLarger(peaks.displacement, vectorPeak(results.displacements[n], n, loadCase));
        keepLarger(peaks.reaction, vectorPeak(results.reactions[n], n, loadCase));
    }
    for (std::size_t m = 0; m < results.axialForces.size(); ++m) {
        const double force = results.axialForces[m];
        const Peak peak{true, force, static_cast<int>(m + 1), loadCase, {}};
        keepLarger(peaks.tension, force > 0 ? peak : Peak{});
        keepLarger(peaks.compression, force < 0 ? peak : Peak{}, -1);
    }
    peaks.slackCables = {true, static_cast<double>(slackCount(model, results)), 0, loadCase, {}};
    return peaks;
}

CasePeaks envelopeOf(const std::vector<CasePeaks>& cases) {
    CasePeaks envelope;
    for (const CasePeaks& row : cases) {
        envelope.converged = envelope.converged && row.converged;
        keepLarger(envelope.displacement, row.displacement);
        keepLarger(envelope.tension, row.tension);
        keepLarger(envelope.compression, row.compression, -1);
        keepLarger(envelope.reaction, row.reaction);
        keepLarger(envelope.slackCables, row.slackCables);
    }
    return envelope;
}

void addToEnvelopes(ItemEnvelopes& envelopes, const Model& model, const CaseResults& results) {
    const int loadCase = results.loadCase;
    envelopes.members.resize(model.members.size());
    envelopes.displacements.resize(model.nodes.size());
    for (std::size_t n = 0; n < results.displacements.size(); ++n)
        keepLarger(envelopes.displacements[n], vectorPeak(results.displacements[n], n, loadCase));
    for (std::size_t m = 0; m < results.axialForces.size(); ++m) {
        const double force = results.axialForces[m];
        const Peak peak{true, force, static_cast<int>(m + 1), loadCase, {}};
        MemberEnvelope& envelope = envelopes.members[m];
        keepLarger(envelope.tension, force > 0 ? peak : Peak{});
        keepLarger(envelope.compression, force < 0 ? peak : Peak{}, -1);
        if (isSlackCable(model, results, m))
            envelope.slackCases.push_back(loadCase);
    }
}

} // namespace ombrix
