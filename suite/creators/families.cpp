#include "families.h"

#include "family_builders.h"
#include "messages.h"
#include "numbers.h"

#include <stdexcept>

namespace ombrix {

namespace {

Parameter count(const char* name, int least, int most, int initial) {
    return {name, double(least), double(most), double(initial), true, {}};
}

Parameter length(const char* name, double initial) {
    return {name, 1e-3, 1e6, initial, false, {}};
}

Parameter stiffness(const char* name, double initial) {
    return {name, leastStiffness, largestStiffness, initial, false, {}};
}

Parameter force(const char* name, double initial) { // a prestress, or a load the way it acts
    return {name, 0, 1e15, initial, false, {}};
}

Parameter height(const char* name, double initial) {
    return {name, -1e6, 1e6, initial, false, {}};
}

Parameter density(const char* name, double initial) { // force over length, pulling
    return {name, 0, 1e15, initial, false, {}};
}

Parameter choice(const char* name, std::vector<std::string> choices) {
    return {name, 0, double(choices.size() - 1), 0, true, std::move(choices)};
}

// Whether a cable family is laid out as drawn with its prestress, or in the form its force
// densities find.
Parameter formChoice() {
    return choice("form", {"as given", "form-found"});
}

Parameter only(CountsIn form, Parameter parameter) {
    parameter.countsIn = form;
    return parameter;
}

std::vector<Parameter> trussParameters(int leastPanels) {
    return {length("span", 24), count("panels", leastPanels, 100, 6), length("height", 3),
            stiffness("EA", 1e6)};
}

std::vector<Family> allFamilies() {
    return {
        {"Cable net",
         {count("cells in x", 2, 200, 10),
          count("cells in y", 2, 200, 10),
          length("spacing", 1),
          {"rise", -1e6, 1e6, 1, false, {}},
          only(CountsIn::asGiven, force("prestress", 50)),
          stiffness("EA", 1e5),
          choice("held edges", {"all four", "x = 0 and x = end"}),
          formChoice(),
          only(CountsIn::formFound, density("warp force density", 50)),
          only(CountsIn::formFound, density("weft force density", 50))},
         cableNet},
        {"Radial cable net",
         {count("spokes", 3, 360, 16), length("outer radius", 10), length("hub radius", 2),
          only(CountsIn::asGiven, force("prestress", 50)), stiffness("EA", 1e5), formChoice(),
          only(CountsIn::formFound, density("spoke force density", 5)),
          only(CountsIn::formFound, density("ring force density", 100))},
         radialCableNet},
        {"Lattice dome",
         {length("span", 20), length("rise", 4), count("rings", 1, 50, 4),
          count("segments", 3, 360, 12), stiffness("EA", 1e6)},
         latticeDome},
        {"Pratt truss", trussParameters(2), prattTruss},
        {"Howe truss", trussParameters(2), howeTruss},
        {"Warren truss", trussParameters(1), warrenTruss},
        {"Guyed mast",
         {length("height", 30), count("levels", 1, 50, 3), count("guys per level", 3, 12, 3),
          length("guy radius", 15), stiffness("mast EA", 1e6), stiffness("guy EA", 1e5),
          only(CountsIn::asGiven, force("guy prestress", 10)), formChoice(),
          only(CountsIn::formFound, density("guy force density", 0.5))},
         guyedMast},
        {"Hung cable",
         {length("span", 100), only(CountsIn::asGiven, {"slack", 1e-6, 1e6, 2, false, {}}),
          count("members", 2, 1000, 20), stiffness("EA", 1e5), formChoice(),
          only(CountsIn::formFound, density("force density", 5)),
          only(CountsIn::formFound, force("load per node", 1))},
         hungCable},
        {"Four-point sail",
         {count("cells", 2, 200, 12), length("side", 12), height("height at x 0, y 0", 3),
          height("height at x side, y 0", 0), height("height at x side, y side", 3),
          height("height at x 0, y side", 0), density("force density", 1),
          choice("edge cables", {"yes", "no"}), density("edge force density", 10),
          stiffness("EA", 1e5)},
         fourPointSail},
    };
}

std::string headingOf(const Family& family, const std::vector<double>& values) {
    std::string heading = family.name + ":";
    for (std::size_t k = 0; k < values.size(); ++k) {
        const Parameter& parameter = family.parameters[k];
        heading += (k == 0 ? " " : ", ") + parameter.name + " " + shownValue(parameter, values[k]);
    }
    return heading;
}

} // namespace

const std::vector<Family>& families() {
    static const std::vector<Family> all = allFamilies();
    return all;
}

const Family& familyNamed(std::string_view name) {
    for (const Family& family : families())
        if (family.name == name)
            return family;
    throw std::logic_error("no family " + std::string(name));
}

std::vector<double> initialValues(const Family& family) {
    std::vector<double> values;
    for (const Parameter& parameter : family.parameters)
        values.push_back(parameter.initial);
    return values;
}

bool valueCounts(const Family& family, std::size_t parameter,
                 const std::vector<std::string>& typed) {
    const CountsIn countsIn = family.parameters.at(parameter).countsIn;
    for (std::size_t k = 0; k < family.parameters.size(); ++k)
        if (family.parameters[k].name == "form" && countsIn != CountsIn::everyForm)
            return (typed.at(k) == "1") == (countsIn == CountsIn::formFound);
    return true;
}

Model createStructure(const Family& family, const std::vector<double>& values) {
    Model model = family.build(Values(family.parameters, values));
    model.heading = headingOf(family, values);
    return model;
}

void refuse(const char* parameter, const std::string& rule, double value) {
    throw Refused(std::string(parameter) + ": " + rule + ", not " + showNumber(value));
}

} // namespace ombrix
