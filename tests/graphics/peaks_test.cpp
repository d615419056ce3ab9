// The peaks that PeakFinder tabulates and its table, and the graph programs' command lines.

#include "peak_table.h"
#include "viewer_arguments.h"

#include "tripod_model.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace ombrix {
namespace {

// Case 2, which did not converge: node 4 moved farthest, member 2 in compression, the
// cable slack.
const CaseResults solved{
    2,
    false,
    "0123456789abcDEF",
    0.625,
    {{}, {}, {}, {-5.7e-05, -5.4e-05, 0.00017}, {}},
    {58.8, -69.2, 62.0, 0},
    {{-23.3, -20.0, -50.1}, {43.4, -20.0, -50.1}, {-20.0, 40.0, -42.9}, {}, {0.005, 0.005, 243.1}}};

TEST(Peaks, EachCaseAndTheEnvelopeWithTheirNodesMembersAndCases) {
    CaseResults first = solved;
    CaseResults second = first;
    second.loadCase = 3;
    second.converged = true;
    second.displacements[3] = {0, 0.003, -0.004};
    second.axialForces = {80, -10, -95, 12};
    const CasePeaks a = peaksOf(tripod, first), b = peaksOf(tripod, second);
    EXPECT_EQ(a.displacement.item, 4);
    EXPECT_EQ(a.displacement.components, first.displacements[3]);
    EXPECT_EQ(a.tension.item, 3) << "62.0 in member 3";
    EXPECT_EQ(a.compression.value, -69.2);
    EXPECT_EQ(a.reaction.item, 5);
    EXPECT_EQ(a.slackCables.value, 1) << "the cable at 0";
    EXPECT_EQ(b.slackCables.value, 0);

    const CasePeaks envelope = envelopeOf({a, b});
    EXPECT_FALSE(envelope.converged) << "case 2 did not converge";
    EXPECT_DOUBLE_EQ(envelope.displacement.value, 0.005);
    EXPECT_EQ(envelope.displacement.loadCase, 3);
    EXPECT_EQ(envelope.tension.value, 80);
    EXPECT_EQ(envelope.compression.item, 3);
    EXPECT_EQ(envelope.compression.loadCase, 3);
    EXPECT_EQ(envelope.reaction.loadCase, 2) << "the first case wins a tie";
    EXPECT_EQ(envelope.slackCables.loadCase, 2);
    EXPECT_FALSE(envelopeOf({}).tension.found);
}

TEST(PeakTable, ARowPerCaseThenTheEnvelopeNamingTheCaseOfEachPeak) {
    CaseResults second = solved;
    second.loadCase = 3;
    second.converged = true;
    second.axialForces = {80, 10, 95, 12};
    const PeakTable table = peakTable({peaksOf(tripod, solved), peaksOf(tripod, second)});
    const std::string columns = "Case,Converged,Largest displacement,at node,ux,uy,uz,Largest "
                                "tension,in member,Largest compression,in member,Largest "
                                "reaction,at node,Slack cables\r\n";
    const std::string third = "3,yes,0.000187257,4,-5.7e-05,-5.4e-05,0.00017,95,3,,,243.1,5,0\r\n";
    EXPECT_EQ(csvText(table),
              columns +
                  "2,no (at load factor 0.625),0.000187257,4,-5.7e-05,-5.4e-05,0.00017,62,3,"
                  "-69.2,2,243.1,5,1\r\n" +
                  third +
                  "Envelope,no,0.000187257,4 (case 2),-5.7e-05,-5.4e-05,0.00017,95,3 (case "
                  "3),-69.2,2 (case 2),243.1,5 (case 2),1 (case 2)\r\n");
    std::string chosen = columns + third;
    std::replace(chosen.begin(), chosen.end(), ',', '\t');
    EXPECT_EQ(tabText(table, {1}), chosen) << "only the case chosen";
}

// Three cases of the tripod, and what each member and node should show over them: read off
// the forces and displacements below by hand.
TEST(ItemEnvelopes, EachMembersLargestForcesAndSlackCasesAndEachNodesLargestDisplacement) {
    const CaseResults cases[] = {
        {1, true, {}, {}, {{}, {}, {}, {0, 0, -0.002}, {}}, {10, -20, 5, 0}, {}},
        {4, true, {}, {}, {{}, {}, {}, {0.003, 0, 0}, {}}, {-30, -20, 5, 7}, {}},
        {6, false, {}, 0.5, {{}, {}, {}, {0, -0.001, 0}, {}}, {25, 15, -5, 0}, {}},
    };
    ItemEnvelopes envelopes;
    for (const CaseResults& results : cases)
        addToEnvelopes(envelopes, tripod, results);

    struct Expected {
        double tension;
        int tensionCase; // 0: no tension in any case
        double compression;
        int compressionCase;
        std::vector<int> slackCases;
    };
    const Expected members[] = {
        {25, 6, -30, 4, {}},
        {15, 6, -20, 1, {}}, // the tie of cases 1 and 4 goes to the first
        {5, 1, -5, 6, {}},
        {7, 4, 0, 0, {1, 6}}, // the cable, slack where its force is 0
    };
    ASSERT_EQ(envelopes.members.size(), std::size(members));
    for (std::size_t m = 0; m < std::size(members); ++m) {
        const MemberEnvelope& got = envelopes.members[m];
        EXPECT_EQ(got.tension.value, members[m].tension) << m + 1;
        EXPECT_EQ(got.tension.loadCase, members[m].tensionCase) << m + 1;
        EXPECT_EQ(got.compression.found, members[m].compressionCase != 0) << m + 1;
        EXPECT_EQ(got.compression.value, members[m].compression) << m + 1;
        EXPECT_EQ(got.compression.loadCase, members[m].compressionCase) << m + 1;
        EXPECT_EQ(got.slackCases, members[m].slackCases) << m + 1;
    }
    EXPECT_EQ(envelopes.displacements[3].value, 0.003);
    EXPECT_EQ(envelopes.displacements[3].loadCase, 4);
    EXPECT_FALSE(envelopes.displacements[0].found) << "a support that never moves";

    EXPECT_EQ(csvText({memberEnvelopeTable(envelopes), nodeEnvelopeTable(envelopes)}),
              "Member,Largest tension,in case,Largest compression,in case,Slack in cases\r\n"
              "1,25,6,-30,4,\r\n2,15,6,-20,1,\r\n3,5,1,-5,6,\r\n4,7,4,,,1 6\r\n"
              "\r\n"
              "Node,Largest displacement,in case,ux,uy,uz\r\n"
              "1,,,,,\r\n2,,,,,\r\n3,,,,,\r\n4,0.003,4,0.003,0,0\r\n5,,,,,\r\n");
}

struct CommandLine {
    const char* line;
    const char* subject;
    const char* picture;
};

TEST(ViewerArguments, TakeTheWholeNameQuotedOrNotAndThePictureSwitch) {
    const CommandLine rows[] = {
        {"Glance.exe C:\\Dat\\Bridge.dat", "C:\\Dat\\Bridge.dat", ""},
        {"\"C:\\Ombrix\\Exe\\Glance 20.exe\" \"..\\Dat\\Cable Net.dat\"", "..\\Dat\\Cable Net.dat",
         ""},
        {"Glance ..\\Dat\\Cable Net.dat  ", "..\\Dat\\Cable Net.dat", ""},
        {"Glance \"a b.dat\" /png \"c d.png\"", "a b.dat", "c d.png"},
        {"Glance a b.dat /PNG c d.png", "a b.dat", "c d.png"},
        {"Glance \"x /png y.dat\"", "x /png y.dat", ""},
        {"Glance C:\\my/pngs\\a.dat", "C:\\my/pngs\\a.dat", ""},
        {"Plotter \t", "", ""},
        {"Glance", "", ""},
    };
    for (const CommandLine& row : rows) {
        const ViewerArguments arguments = viewerArguments(row.line, "/png");
        EXPECT_EQ(arguments.subject, row.subject) << row.line;
        EXPECT_EQ(arguments.output, row.picture) << row.line;
    }
    EXPECT_EQ(viewerArguments("PeakFinder \t /csv \"a b.csv\"", "/csv").output, "a b.csv");
}

} // namespace
} // namespace ombrix
