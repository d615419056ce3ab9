// Every text the analysis programs show or write, in English and Romanian. Romanian is
// written in plain ASCII, without diacritics, so that the output file reads the same in
// every code page.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ombrix {

enum class Language { English, Romanian };

// "Romanian" (or any word starting with R) is Romanian; anything else is English, as the
// shell itself decides by the first letter.
Language languageNamed(std::string_view name);

enum class Message {
    // failures: where and why
    AtLine,
    InFile,
    HeadingMissing,
    CountsMissing,
    NodeLineMissing,
    MemberLineMissing,
    CaseCountMissing,
    CaseZeroFlagMissing,
    CaseLineMissing,
    LoadLineMissing,
    NotANumber,
    NotAnInteger,
    FieldCount,
    CountsLine,
    LawNotKnown,
    NodeCountOutOfRange,
    MemberCountOutOfRange,
    NodeNumberOutOfRange,
    MemberNumberOutOfRange,
    NodeGivenTwice,
    MemberGivenTwice,
    RestraintNotZeroOrOne,
    CoordinateOutOfRange,
    KindNotKnown,
    MemberNodeMissing,
    MemberTooShort,
    StiffnessNotPositive,
    StiffnessOutOfRange,
    UnstressedLengthNotPositive,
    UnstressedLengthOutOfRange,
    InitialForceTooLow,
    InitialForceOutOfRange,
    LineAfterEnd,
    CaseNumberExpected,
    CaseCountOutOfRange,
    StepsOutOfRange,
    LoadCountNegative,
    LoadOutOfRange,
    LoadedNodeMissing,
    NodeLoadedTwice,
    CannotRead,
    CannotWrite,
    Usage,
    NoFont,
    NoWorkingDirectory,
    CaseNotPrepared,
    CaseLabelNotKnown,
    NotConverged,
    Unstable,
    Mechanism,
    Unbalanced,
    IterationsSpent,
    StiffMember,
    FolderBusy,
    CasesNotUsable,
    Utf16File,
    CaseCountBlank,
    CaseZeroFlagBlank,
    FolderNotWritable,
    PathTooLong,
    FileInUse,
    NotAnOutputFile,
    NotPrepared,
    ChangedSince,
    LoadsNotPrepared,
    Cancelled,
    SolveCancelledAt,
    SolveRequested,
    SolveSolved,
    ResultsLineExpected,
    InputsNotHexadecimal,
    ResultsOfOtherLoads,
    NoCaseSolved,
    PartNumberOutOfRange,
    PartNodeGivenTwice,
    PartMemberGivenTwice,
    MapOfOtherCompound,
    // reports
    ReportTitle,
    ReportVersion,
    ReportGeometry,
    ReportLaw,
    LawEngineering,
    LawGreen,
    ReportCounts,
    ReportRestraints,
    ReportLengths,
    ReportStiffness,
    ReportInitialForces,
    ReportCuttingLengths,
    NodeTableTitle,
    NodeTableHead,
    MemberTableTitle,
    MemberTableHead,
    KindBar,
    KindCable,
    LoadingTitle,
    LoadingCase,
    LoadingCaseUnusable,
    CaseTitle,
    CaseConverged,
    CaseNotConverged,
    CaseSnapThrough,
    CaseBifurcation,
    CaseSnappedThrough,
    CaseLeftPath,
    CaseUnstable,
    CaseForcesFromBalance,
    MemberWithin,
    LimitPoint,
    Bifurcation,
    CaseLargestDisplacement,
    CaseLargestTension,
    CaseLargestCompression,
    CaseSlackCables,
    CaseElongations,
    CaseLoadAndReactions,
    DisplacementTableTitle,
    DisplacementTableHead,
    ForceTableTitle,
    ForceTableHead,
    ReactionTableTitle,
    ReactionTableHead,
    Slack,
    ErrorMark,
};

// The message in the language, its "{}" marks replaced by the values in order.
std::string say(Language language, Message message, const std::vector<std::string>& values = {});

// The output file's first line: the title by which the steps know the file as theirs (an
// earlier version's, without its version, too), and the version that began it.
std::string reportHeading(Language language);

} // namespace ombrix
