#include "messages.h"

#include "handoff/version.h"
#include "handoff/wording.h"

#include <array>
#include <utility>

namespace ombrix {
namespace {

struct Texts {
    Message message;
    const char* english;
    const char* romanian;
};

// One row per message, in the order of the enumeration.
constexpr Texts texts[] = {
    {Message::AtLine, "{}, line {}: {}", "{}, linia {}: {}"},
    {Message::InFile, "{}: {}", "{}: {}"},
    {Message::HeadingMissing, "the file ends before its heading line",
     "fisierul se termina inainte de linia de titlu"},
    {Message::CountsMissing, "the file ends before the numbers of nodes and members",
     "fisierul se termina inainte de numerele de noduri si de bare"},
    {Message::NodeLineMissing, "the file ends after {} of {} node lines",
     "fisierul se termina dupa {} din {} linii de noduri"},
    {Message::MemberLineMissing, "the file ends after {} of {} member lines",
     "fisierul se termina dupa {} din {} linii de bare"},
    {Message::CaseCountMissing, "the file ends before the number of load cases",
     "fisierul se termina inainte de numarul cazurilor de incarcare"},
    {Message::CaseZeroFlagMissing,
     "the file ends before the line that says whether case 0 is given",
     "fisierul se termina inainte de linia care spune daca exista cazul 0"},
    {Message::CaseLineMissing, "the file ends before case {}",
     "fisierul se termina inainte de cazul {}"},
    {Message::LoadLineMissing, "the file ends after {} of {} load lines of case {}",
     "fisierul se termina dupa {} din {} linii de incarcari ale cazului {}"},
    {Message::NotANumber, "\"{}\" is not a number", "\"{}\" nu este un numar"},
    {Message::NotAnInteger, "\"{}\" is not a whole number", "\"{}\" nu este un numar intreg"},
    {Message::FieldCount, "{} values expected, {} found", "se asteptau {} valori, s-au gasit {}"},
    {Message::CountsLine, "the numbers of nodes and members expected, with E or G after them",
     "se asteptau numerele de noduri si de bare, urmate de E sau G"},
    {Message::LawNotKnown, "\"{}\" is not a member law (E or G)",
     "\"{}\" nu este o lege a barelor (E sau G)"},
    {Message::NodeCountOutOfRange, "the number of nodes must lie between 2 and {}",
     "numarul nodurilor trebuie sa fie intre 2 si {}"},
    {Message::MemberCountOutOfRange, "the number of members must lie between 1 and {}",
     "numarul barelor trebuie sa fie intre 1 si {}"},
    {Message::NodeNumberOutOfRange, "node number {} is not between 1 and {}",
     "numarul de nod {} nu este intre 1 si {}"},
    {Message::MemberNumberOutOfRange, "member number {} is not between 1 and {}",
     "numarul de bara {} nu este intre 1 si {}"},
    {Message::NodeGivenTwice, "node {} is given twice", "nodul {} este dat de doua ori"},
    {Message::MemberGivenTwice, "member {} is given twice", "bara {} este data de doua ori"},
    {Message::RestraintNotZeroOrOne, "a restraint is 0 (free) or 1 (restrained), not \"{}\"",
     "o legatura este 0 (libera) sau 1 (blocata), nu \"{}\""},
    {Message::CoordinateOutOfRange, "a coordinate must not exceed {} in magnitude",
     "o coordonata nu poate depasi {} in valoare absoluta"},
    {Message::KindNotKnown, "\"{}\" is not a member kind (B for a bar, C for a cable)",
     "\"{}\" nu este un tip de bara (B pentru bara, C pentru cablu)"},
    {Message::MemberNodeMissing, "member {} joins node {}, which the model does not have",
     "bara {} leaga nodul {}, pe care modelul nu il are"},
    {Message::MemberTooShort, "member {} is shorter than {}: its end nodes coincide or nearly",
     "bara {} este mai scurta de {}: nodurile ei de capat coincid sau aproape"},
    {Message::StiffnessNotPositive, "member {}: the axial stiffness EA must be positive",
     "bara {}: rigiditatea axiala EA trebuie sa fie pozitiva"},
    {Message::StiffnessOutOfRange, "member {}: the axial stiffness EA must lie between {} and {}",
     "bara {}: rigiditatea axiala EA trebuie sa fie intre {} si {}"},
    {Message::UnstressedLengthNotPositive, "member {}: the unstressed length must be positive",
     "bara {}: lungimea nedeformata trebuie sa fie pozitiva"},
    {Message::UnstressedLengthOutOfRange,
     "member {}: its unstressed length, {}, must lie between {} and {}",
     "bara {}: lungimea ei nedeformata, {}, trebuie sa fie intre {} si {}"},
    {Message::InitialForceTooLow, "member {}: the initial force must be greater than -EA",
     "bara {}: forta initiala trebuie sa fie mai mare decat -EA"},
    {Message::InitialForceOutOfRange,
     "member {}: the initial force must not exceed {} in magnitude",
     "bara {}: forta initiala nu poate depasi {} in valoare absoluta"},
    {Message::LineAfterEnd, "a line after the end of the data", "o linie dupa sfarsitul datelor"},
    {Message::CaseNumberExpected, "case {} expected here, case {} found",
     "aici se astepta cazul {}, s-a gasit cazul {}"},
    {Message::CaseCountOutOfRange, "the number of load cases must lie between 0 and 99",
     "numarul cazurilor de incarcare trebuie sa fie intre 0 si 99"},
    {Message::StepsOutOfRange, "the number of load steps must lie between 0 and {}",
     "numarul pasilor de incarcare trebuie sa fie intre 0 si {}"},
    {Message::LoadCountNegative, "the number of loaded nodes cannot be negative",
     "numarul nodurilor incarcate nu poate fi negativ"},
    {Message::LoadOutOfRange, "a load must not exceed {} in magnitude",
     "o incarcare nu poate depasi {} in valoare absoluta"},
    {Message::LoadedNodeMissing, "case {} loads node {}, which the model does not have",
     "cazul {} incarca nodul {}, pe care modelul nu il are"},
    {Message::NodeLoadedTwice, "case {} loads node {} twice",
     "cazul {} incarca nodul {} de doua ori"},
    {Message::WordNotKnown,
     "\"{}\" is not a load: weight, temperature, settle, snow, pressure or combine expected",
     "\"{}\" nu este o incarcare: se astepta weight, temperature, settle, snow, pressure sau "
     "combine"},
    {Message::MembersNotKnown,
     "\"{}\" is not a member number, a range such as 1-40, all, cables or bars",
     "\"{}\" nu este un numar de bara, un interval ca 1-40, all, cables sau bars"},
    {Message::TemperatureStrainOutOfRange,
     "the strain alpha dT of a temperature must not exceed {} in magnitude",
     "deformatia specifica alpha dT a unei temperaturi nu poate depasi {} in valoare absoluta"},
    {Message::SettlementOutOfRange, "a settlement must not exceed {} in magnitude",
     "o cedare de reazem nu poate depasi {} in valoare absoluta"},
    {Message::SettledNodeMissing, "case {} settles node {}, which the model does not have",
     "cazul {} deplaseaza nodul {}, pe care modelul nu il are"},
    {Message::SettledInFreeDirection,
     "case {} moves node {} in {}, a direction that no support holds",
     "cazul {} deplaseaza nodul {} pe {}, o directie pe care nu o blocheaza niciun reazem"},
    {Message::NamedMemberMissing, "case {} names member {}, which the model does not have",
     "cazul {} numeste bara {}, pe care modelul nu o are"},
    {Message::CombinationPairs, "combine takes pairs of a factor and a case number",
     "combine cere perechi de un factor si un numar de caz"},
    {Message::CombinationNotAlone,
     "a combination stands alone in its case: no node loads and no other lines",
     "o combinatie sta singura in cazul ei: fara incarcari in noduri si fara alte linii"},
    {Message::CaseNotInFile, "case {} is not in the file", "cazul {} nu este in fisier"},
    {Message::CombinedCaseCombined, "case {} is itself a combination",
     "cazul {} este el insusi o combinatie"},
    {Message::CombinedCaseAfter,
     "case {} starts after another case: a combination is solved from rest",
     "cazul {} porneste dupa alt caz: o combinatie se rezolva din repaus"},
    {Message::AfterTwice, "a case comes after one case only", "un caz vine dupa un singur caz"},
    {Message::AfterItself, "a case cannot come after itself",
     "un caz nu poate veni dupa el insusi"},
    {Message::AfterCycle, "the cases come after one another in a circle: {}",
     "cazurile vin unul dupa altul in cerc: {}"},
    {Message::PriorCaseNotUsable, "case {} starts after case {}, which cannot be solved",
     "cazul {} porneste dupa cazul {}, care nu poate fi rezolvat"},
    {Message::CannotRead, "the file cannot be read", "fisierul nu poate fi citit"},
    {Message::CannotWrite, "the file cannot be written", "fisierul nu poate fi scris"},
    {Message::Usage, "started without its arguments: {}", "pornit fara argumentele sale: {}"},
    {Message::NoFont,
     "no font is installed that can show this program's texts, so its pictures have none. "
     "Install a TrueType font such as Tahoma, Arial or DejaVu Sans (under Wine: Wine's own "
     "fonts, in the Fonts folder of the prefix's Windows folder)",
     "nu este instalat niciun font care sa arate textele acestui program, asa ca imaginile "
     "lui nu au texte. Instalati un font TrueType precum Tahoma, Arial sau DejaVu Sans (sub "
     "Wine: fonturile Wine, in folderul Fonts al folderului Windows al prefixului)"},
    {Message::NoWorkingDirectory, "no analysis is prepared: run INPUT first",
     "nicio analiza nu este pregatita: rulati intai INPUT"},
    {Message::CaseNotPrepared, "case {} is not prepared: run INCARC first",
     "cazul {} nu este pregatit: rulati intai INCARC"},
    {Message::CaseLabelNotKnown, "\"{}\" is not a load case", "\"{}\" nu este un caz de incarcare"},
    {Message::NotConverged, "case {} does not converge beyond load factor {}",
     "cazul {} nu converge dincolo de factorul de incarcare {}"},
    {Message::Unstable,
     "case {} does not converge beyond load factor {}: the structure becomes unstable there at {}",
     "cazul {} nu converge dincolo de factorul de incarcare {}: structura devine instabila acolo "
     "intr-{}"},
    {Message::Mechanism, "case {}: the structure is a mechanism at node {} (direction {})",
     "cazul {}: structura este un mecanism in nodul {} (directia {})"},
    {Message::Unbalanced,
     "case {}: the loads and the reactions of the state found do not balance; it is no answer",
     "cazul {}: incarcarile si reactiunile starii gasite nu sunt in echilibru; ea nu este un "
     "raspuns"},
    {Message::IterationsSpent,
     "case {} does not converge beyond load factor {}: it took {} Newton iterations, the most a "
     "case may take",
     "cazul {} nu converge dincolo de factorul de incarcare {}: a facut {} iteratii Newton, cele "
     "mai multe pe care le poate face un caz"},
    {Message::StiffMember,
     "member {} is {} times as stiff (EA / L) as the median member: sixteen digits cannot "
     "resolve its force from its elongation. Give it a smaller EA, or make its two nodes one",
     "bara {} este de {} ori mai rigida (EA / L) decat bara mediana: saisprezece cifre nu pot "
     "rezolva forta ei din alungire. Dati-i un EA mai mic sau faceti din cele doua noduri ale ei "
     "unul singur"},
    {Message::FolderBusy,
     "another OMBRIX step is working on {}: {}. Wait for it to end, then run this step again",
     "alt pas OMBRIX lucreaza la {}: {}. Asteptati sa se termine, apoi rulati din nou acest pas"},
    {Message::CasesNotUsable, "cases that cannot be solved and got no file:",
     "cazuri care nu pot fi rezolvate si nu au primit fisier:"},
    {Message::Utf16File,
     "the file is saved as UTF-16 (Unicode): save it as ANSI or UTF-8 text and run the step again",
     "fisierul este salvat ca UTF-16 (Unicode): salvati-l ca text ANSI sau UTF-8 si rulati din "
     "nou"},
    {Message::CaseCountBlank, "the line of the number of load cases is blank",
     "linia numarului cazurilor de incarcare este goala"},
    {Message::CaseZeroFlagBlank, "the line that says whether case 0 is given is blank",
     "linia care spune daca exista cazul 0 este goala"},
    {Message::FolderNotWritable,
     "the folder cannot be written (it may be read-only or full): put the files of the "
     "analysis in a folder you can write to",
     "dosarul nu poate fi scris (poate fi protejat sau plin): puneti fisierele analizei "
     "intr-un dosar in care puteti scrie"},
    {Message::PathTooLong,
     "the path is too long for Windows (at most 259 characters): move the analysis to a "
     "folder with a shorter path, or give its files shorter names",
     "calea este prea lunga pentru Windows (cel mult 259 de caractere): mutati analiza intr-un "
     "dosar cu o cale mai scurta sau dati fisierelor nume mai scurte"},
    {Message::FileInUse,
     "the file is open in another program, or read-only: close it there and run the step again",
     "fisierul este deschis in alt program sau este protejat: inchideti-l acolo si rulati din "
     "nou"},
    {Message::NotAnOutputFile,
     "the file exists and is not an output file of OMBRIX, so it is not replaced: choose "
     "another output file name",
     "fisierul exista si nu este un fisier de rezultate OMBRIX, deci nu este inlocuit: alegeti "
     "alt nume pentru fisierul de rezultate"},
    {Message::NotPrepared,
     "the analysis of {} is not prepared (INPUT failed or has not run): run INPUT",
     "analiza pentru {} nu este pregatita (INPUT a esuat sau nu a rulat): rulati INPUT"},
    {Message::ChangedSince, "{} has changed since {} read it: run {} again",
     "{} s-a schimbat de cand l-a citit {}: rulati din nou {}"},
    {Message::LoadsNotPrepared,
     "the load cases of this analysis are not prepared (INCARC failed or has not run since "
     "INPUT): run INCARC",
     "cazurile de incarcare ale acestei analize nu sunt pregatite (INCARC a esuat sau nu a rulat "
     "dupa INPUT): rulati INCARC"},
    {Message::Cancelled, "cancelled: nothing of this step was kept",
     "anulat: nimic din acest pas nu a fost pastrat"},
    {Message::SolveCancelledAt, "The run was cancelled at load case {}: its results were not kept.",
     "Rularea a fost anulata la cazul de incarcare {}: rezultatele lui nu au fost pastrate."},
    {Message::SolveRequested, "Load cases to solve: {}", "Cazuri de incarcare de rezolvat: {}"},
    {Message::SolveSolved, "Load cases reported: {}", "Cazuri de incarcare raportate: {}"},
    {Message::PriorCaseSolvedFirst,
     "Case {} starts from the end state of case {}, whose results are missing or out of "
     "date: case {} is solved first.",
     "Cazul {} porneste din starea finala a cazului {}, ale carui rezultate lipsesc sau nu "
     "sunt la zi: cazul {} se rezolva intai."},
    {Message::PriorCaseNotConverged, "case {} cannot start from case {}, which did not converge",
     "cazul {} nu poate porni din cazul {}, care nu a convers"},
    {Message::ResultsLineExpected, "a line \"{}\" expected", "se astepta o linie \"{}\""},
    {Message::InputsNotHexadecimal, "\"{}\" is not 16 hexadecimal digits",
     "\"{}\" nu sunt 16 cifre hexazecimale"},
    {Message::ResultsOfOtherLoads,
     "the results are of load cases prepared before the present ones: run ITER again",
     "rezultatele sunt ale unor cazuri de incarcare pregatite inaintea celor de acum: rulati din "
     "nou ITER"},
    {Message::NoCaseSolved, "no load case of this analysis is solved: run ITER",
     "niciun caz de incarcare al acestei analize nu este rezolvat: rulati ITER"},
    {Message::CaseNotSolved, "load case {} of this analysis is not solved: run ITER",
     "cazul de incarcare {} al acestei analize nu este rezolvat: rulati ITER"},
    {Message::PartNumberOutOfRange, "part {} is not between 1 and {}",
     "partea {} nu este intre 1 si {}"},
    {Message::PartNodeGivenTwice, "node {} of part {} is given twice",
     "nodul {} al partii {} este dat de doua ori"},
    {Message::PartMemberGivenTwice, "member {} of part {} is given twice",
     "bara {} a partii {} este data de doua ori"},
    {Message::MapOfOtherCompound,
     "the map is of another structure: {} nodes and {} members, the prepared model has {} and {}",
     "harta este a altei structuri: {} noduri si {} bare, modelul pregatit are {} si {}"},
    {Message::ReportTitle, "OMBRIX - non-linear static analysis of bar and cable structures",
     "OMBRIX - analiza statica neliniara a structurilor din bare si cabluri"},
    {Message::ReportVersion, ", version {}", ", versiunea {}"},
    {Message::ReportGeometry, "Geometry file: {}", "Fisierul de geometrie: {}"},
    {Message::ReportLaw, "Member law: {}", "Legea barelor: {}"},
    {Message::LawEngineering, "engineering strain (E)", "deformatie inginereasca (E)"},
    {Message::LawGreen, "Green strain (G)", "deformatie Green (G)"},
    {Message::ReportCounts, "Nodes: {}   members: {} ({} bars, {} cables)",
     "Noduri: {}   bare: {} ({} bare rigide, {} cabluri)"},
    {Message::ReportRestraints, "Restrained directions: {}   free unknowns: {}",
     "Directii blocate: {}   necunoscute libere: {}"},
    {Message::ReportLengths, "Total member length: {}   shortest member: {}   longest: {}",
     "Lungimea totala a barelor: {}   cea mai scurta: {}   cea mai lunga: {}"},
    {Message::ReportStiffness, "Axial stiffness EA from {} to {}",
     "Rigiditatea axiala EA de la {} la {}"},
    {Message::ReportInitialForces, "Initial forces from {} to {}",
     "Fortele initiale de la {} la {}"},
    {Message::ReportCuttingLengths, "Unstressed lengths (to cut): bars {}   cables {}",
     "Lungimi nedeformate (de croit): bare rigide {}   cabluri {}"},
    {Message::NodeTableTitle, "Nodes", "Noduri"},
    {Message::NodeTableHead, "node  x  y  z  restrained x y z", "nod  x  y  z  blocat x y z"},
    {Message::MemberTableTitle, "Members", "Bare"},
    {Message::MemberTableHead,
     "member  node i  node j  kind  EA  initial force  length  unstressed length",
     "bara  nod i  nod j  tip  EA  forta initiala  lungime  lungime nedeformata"},
    {Message::KindBar, "bar", "bara"},
    {Message::KindCable, "cable", "cablu"},
    {Message::LoadingTitle, "Loading file: {}", "Fisierul de incarcari: {}"},
    {Message::LoadingCase,
     "Case {}: loaded nodes {}, load steps {} (0: the solver chooses), resultant {} {} {}",
     "Cazul {}: noduri incarcate {}, pasi de incarcare {} (0: alege programul), rezultanta {} {} "
     "{}"},
    {Message::LoadingCaseUnusable, "Case {}: cannot be solved: {}",
     "Cazul {}: nu poate fi rezolvat: {}"},
    {Message::LoadingWeight, "  weight: total {} on {} members",
     "  greutate proprie: total {} pe {} bare"},
    {Message::LoadingTemperature, "  temperature: {} members, strain alpha dT from {} to {}",
     "  temperatura: {} bare, deformatia alpha dT de la {} la {}"},
    {Message::LoadingSettlement, "  settlement of node {}: {} {} {}",
     "  cedarea reazemului din nodul {}: {} {} {}"},
    {Message::LoadingSnow, "  snow: {} cells, plan area {}, total {}",
     "  zapada: {} ochiuri, aria in plan {}, total {}"},
    {Message::LoadingPressure, "  pressure: {} cells, area {}, resultant {} {} {}",
     "  presiune: {} ochiuri, aria {}, rezultanta {} {} {}"},
    {Message::CaseTitle, "Load case {}", "Cazul de incarcare {}"},
    {Message::CaseAfter,
     "After case {}: from its end state, with its loads held, this case's loads added",
     "Dupa cazul {}: din starea lui finala, cu incarcarile lui mentinute, plus incarcarile "
     "acestui caz"},
    {Message::CaseConverged, "Converged: load steps {}, iterations {}",
     "Convergent: pasi de incarcare {}, iteratii {}"},
    {Message::CaseNotConverged, "Not converged: the results below are for load factor {}",
     "Neconvergent: rezultatele de mai jos sunt pentru factorul de incarcare {}"},
    {Message::CaseSnapThrough,
     "Snap-through: the load passed a limit point at load factor {}; the state shown is the far "
     "stable one",
     "Salt (snap-through): incarcarea a depasit un punct limita la factorul de incarcare {}; "
     "starea aratata este cea stabila de dincolo"},
    {Message::CaseBifurcation,
     "Bifurcation: the structure left its path at load factor {} along its buckling mode; the "
     "state shown is the stable one it reached",
     "Bifurcatie: structura si-a parasit drumul la factorul de incarcare {} dupa modul ei de "
     "flambaj; starea aratata este cea stabila la care a ajuns"},
    {Message::CaseSnappedThrough,
     "Snap-through: the load passed a limit point at load factor {}, and the structure snapped "
     "through to a stable state beyond it",
     "Salt (snap-through): incarcarea a depasit un punct limita la factorul de incarcare {}, iar "
     "structura a sarit intr-o stare stabila de dincolo"},
    {Message::CaseLeftPath,
     "Bifurcation: the structure left its path at load factor {} along its buckling mode for a "
     "stable state",
     "Bifurcatie: structura si-a parasit drumul la factorul de incarcare {} dupa modul ei de "
     "flambaj, spre o stare stabila"},
    {Message::CaseUnstable,
     "The structure becomes unstable at load factor {}, at {}; no stable state was found beyond it",
     "Structura devine instabila la factorul de incarcare {}, intr-{}; nu s-a gasit nicio stare "
     "stabila dincolo"},
    {Message::CaseForcesFromBalance,
     "Forces from the balance of their nodes, their members too stiff for sixteen digits to "
     "resolve the force from the elongation: {}",
     "Forte din echilibrul nodurilor lor, barele fiind prea rigide pentru ca saisprezece cifre "
     "sa rezolve forta din alungire: {}"},
    {Message::MemberWithin, "member {} (to within {})", "bara {} (in limita a {})"},
    {Message::LimitPoint, "a limit point", "un punct limita"},
    {Message::Bifurcation, "a bifurcation", "o bifurcatie"},
    {Message::CaseLargestDisplacement, "Largest displacement: {} at node {}",
     "Deplasarea cea mai mare: {} in nodul {}"},
    {Message::CaseLargestTension, "Largest tension: {} in member {}",
     "Intinderea cea mai mare: {} in bara {}"},
    {Message::CaseLargestCompression, "Largest compression: {} in member {}",
     "Compresiunea cea mai mare: {} in bara {}"},
    {Message::CaseSlackCables, "Slack cables: {}", "Cabluri destinse: {}"},
    {Message::CaseElongations,
     "Elongation from the unstressed length: from {} in member {} to {} in member {}",
     "Alungirea fata de lungimea nedeformata: de la {} in bara {} la {} in bara {}"},
    {Message::CaseLoadAndReactions, "Sum of loads: {} {} {}   sum of reactions: {} {} {}",
     "Suma incarcarilor: {} {} {}   suma reactiunilor: {} {} {}"},
    {Message::DisplacementTableTitle, "Displacements", "Deplasari"},
    {Message::DisplacementTableHead, "node  ux  uy  uz", "nod  ux  uy  uz"},
    {Message::ForceTableTitle, "Axial forces (tension positive)",
     "Forte axiale (intinderea pozitiva)"},
    {Message::ForceTableHead, "member  N  length  elongation", "bara  N  lungime  alungire"},
    {Message::ReactionTableTitle, "Reactions", "Reactiuni"},
    {Message::ReactionTableHead, "node  Rx  Ry  Rz", "nod  Rx  Ry  Rz"},
    {Message::Slack, "slack", "destins"},
    {Message::ErrorMark, "*** Error: {}", "*** Eroare: {}"},
};

static_assert(std::size(texts) == static_cast<std::size_t>(Message::ErrorMark) + 1);

constexpr bool inEnumerationOrder() {
    for (std::size_t k = 0; k < std::size(texts); ++k)
        if (static_cast<std::size_t>(texts[k].message) != k)
            return false;
    return true;
}
static_assert(inEnumerationOrder());

} // namespace

Language languageNamed(std::string_view name) {
    const std::size_t first = name.find_first_not_of(' ');
    const bool romanian =
        first != std::string_view::npos && (name[first] == 'R' || name[first] == 'r');
    return romanian ? Language::Romanian : Language::English;
}

std::string say(Language language, Message message, const std::vector<std::string>& values) {
    const Texts& row = texts[static_cast<std::size_t>(message)];
    return handoff::filledIn(language == Language::Romanian ? row.romanian : row.english, values);
}

std::string reportHeading(Language language) {
    return say(language, Message::ReportTitle) +
           say(language, Message::ReportVersion, {std::string(handoff::ombrixVersion)});
}

} // namespace ombrix
