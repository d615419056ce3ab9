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
    NoWorkingDirectory,
    CaseNotPrepared,
    CaseLabelNotKnown,
    NotConverged,
    Unstable,
    Mechanism,
    Unbalanced,
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
    // reports
    ReportTitle,
    ReportGeometry,
    ReportLaw,
    LawEngineering,
    LawGreen,
    ReportCounts,
    ReportRestraints,
    ReportLengths,
    ReportStiffness,
    ReportInitialForces,
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
    CaseUnstable,
    LimitPoint,
    Bifurcation,
    CaseLargestDisplacement,
    CaseLargestTension,
    CaseLargestCompression,
    CaseSlackCables,
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

// A value as the texts show it: up to 12 significant digits (at least 10 in every file
// that another program reads back).
std::string showNumber(double value);
std::string showInteger(long long value);

// A value written for another program to read back: 17 significant digits, exact.
std::string exactNumber(double value);

} // namespace ombrix
